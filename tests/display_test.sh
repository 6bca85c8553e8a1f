#!/usr/bin/env bash
# The desktop edition on a virtual X display (Xvfb, with OpenGL through Mesa's software renderer):
# the menu as OpenGL shows it and as SDL's own surface shows it (OpenGL refused), in a window and
# in full screen, must be the same picture in 16-bit colour. The two paths widen the colours
# differently (white: 255 through OpenGL, 248/252/248 through SDL), so the full captures must
# differ: that proves that OpenGL was used.
#
#   display_test.sh GAME
set -euo pipefail
game=$(realpath "$1")
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1283x725x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb; rm -rf "$work"' EXIT
until [ -s "$work/display" ]; do sleep 0.1; done
export DISPLAY=:$(cat "$work/display") SDL_AUDIODRIVER=dummy
# In the sanitizers' build: Xlib and Mesa keep memory until exit, which LeakSanitizer would report
# as the game's (the game's own memory is checked by the soak and under valgrind).
export ASAN_OPTIONS=detect_leaks=0
unset SDL_VIDEODRIVER  # X11, the display under test

# capture NAME OPTION [VARIABLE=VALUE]: the game's window (or the screen) once the menu stands
# still (two captures alike), as raw RGB in NAME and reduced to RGB565 in NAME.565.
capture() {
  env ${3:-} "$game" $2 & local pid=$!
  local window; window=$(xdotool search --sync --name '^rally$' | head -n 1)
  [ "$2" != --fullscreen ] || window=root
  until import -window "$window" -depth 8 rgb:"$work/$1" && cmp -s "$work/$1" "$work/last" &&
    [ -n "$(tr -d '\0' < "$work/$1" | head -c 1)" ]; do
    cp "$work/$1" "$work/last"
  done
  kill -TERM $pid && wait $pid
  python3 -c 'import sys; d = open(sys.argv[1], "rb").read()
sys.stdout.buffer.write(bytes(b & (0xfc if i % 3 == 1 else 0xf8) for i, b in enumerate(d)))' \
    "$work/$1" > "$work/$1.565"
}
for mode in "--scale 2" --fullscreen; do
  capture "opengl$mode" "$mode"
  capture "software$mode" "$mode" SDL_VIDEO_GL_DRIVER=/nonexistent
  echo "$mode: $(stat -c %s "$work/opengl$mode") bytes captured"
  ! cmp -s "$work/opengl$mode" "$work/software$mode" || { echo "OpenGL was not used" && exit 1; }
  cmp "$work/opengl$mode.565" "$work/software$mode.565"
done
# The full screen shows the window's picture (640x480) at the largest whole factor that fits,
# 3, centred on black: at (161, 2).
python3 -c 'import sys; window, screen = (open(p, "rb").read() for p in sys.argv[1:])
at = lambda x, y: 3 * (y * 640 + x)
expected = bytearray(3 * 1283 * 725)
for i in range(960 * 720):
  x, y = i % 960, i // 960; o = 3 * ((y + 2) * 1283 + x + 161); w = at(x // 3 * 2, y // 3 * 2)
  expected[o:o + 3] = window[w:w + 3]
sys.exit(expected != screen)' "$work/opengl--scale 2.565" "$work/opengl--fullscreen.565"
