#!/usr/bin/env bash
# The desktop edition on a virtual X display (Xvfb, with OpenGL through Mesa's software renderer):
# the menu as each path shows it (--renderer opengl and software, which the game's own --verbose
# line must confirm), in a window and in full screen on a screen of odd size, under classic SDL 1.2
# and, when COMPAT names the folder of sdl12-compat's libSDL-1.2.so.0, under sdl12-compat too.
# Reduced to 16-bit colour, every window capture must be the same picture, every full-screen
# capture too, and the full screen must show the window's picture at the largest whole factor
# that fits, centred on black.
#
#   display_test.sh GAME [COMPAT]
set -euo pipefail
game=$(realpath "$1") compat=${2:-}
work=$(mktemp -d)
started=()
finish() {
  for pid in "${started[@]}"; do kill -KILL "$pid" 2> /dev/null || true; done
  rm -rf "$work"
}
trap finish EXIT
trap 'exit 1' INT TERM HUP

# within SECONDS WHAT COMMAND...: runs COMMAND every tenth of a second until it succeeds.
within() {
  local tries=$(($1 * 10)) what=$2
  shift 2
  until "$@"; do
    ((--tries > 0)) || { echo "Gave up waiting for $what" >&2 && return 1; }
    sleep 0.1
  done
}

Xvfb -displayfd 3 -screen 0 1283x725x24 -nolisten tcp 3> "$work/display" 2> /dev/null &
started+=($!)
within 20 "Xvfb to start" test -s "$work/display"
export DISPLAY=:$(cat "$work/display") SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$work/config
# In the sanitizers' build: Xlib and Mesa keep memory until exit, which LeakSanitizer would report
# as the game's (the game's own memory is checked by the soak and under valgrind).
export ASAN_OPTIONS=detect_leaks=0
unset SDL_VIDEODRIVER # X11, the display under test

viewable() { xwininfo -id "$1" 2> /dev/null | grep -q 'IsViewable'; }
window_of() { # the game's window, once it is mapped
  local id
  for id in $(xdotool search --pid "$1" --name '^rally$' 2> /dev/null); do
    viewable "$id" && echo "$id" && return 0
  done
  return 1
}
# Two captures alike, and not all black: the menu has slid in and stands still.
settled() {
  import -window "$1" -depth 8 "rgb:$2.now" 2> /dev/null || return 1
  if [ -f "$2" ] && cmp -s "$2" "$2.now" && [ -n "$(tr -d '\0' < "$2" | head -c 1)" ]; then
    return 0
  fi
  mv "$2.now" "$2" && return 1
}

running() { [ -e "/proc/$1" ] && ! grep -q '^State:.*Z' "/proc/$1/status" 2> /dev/null; }
shown_or_ended() { window_of "$1" > /dev/null || ! running "$1"; }

# capture NAME LIBRARY_FOLDER OPTION...: the game's window (or the screen, in full screen) once
# the menu stands still, as raw RGB in NAME, reduced to RGB565 in NAME.565, and what the game said
# of its path in NAME.said. A game that ends before its window shows is started again a second
# later, four times at most: under load, connecting to Xvfb now and then fails ("No available
# video device").
capture() {
  local name=$1 library=$2 window pid attempt
  shift 2
  for attempt in 1 2 3 4 5; do
    LD_LIBRARY_PATH=$library "$game" --verbose "$@" 2> "$work/$name.said" &
    pid=$!
    started+=($pid)
    within 20 "the window of rally $*" shown_or_ended $pid
    ! running $pid || break
    echo "rally $* ended before its window showed: $(tr '\n' ' ' < "$work/$name.said")"
    [ $attempt -lt 5 ] || return 1
    sleep 1
  done
  window=$(window_of $pid)
  [[ " $* " != *" --fullscreen "* ]] || window=root
  within 20 "the menu of rally $* to stand still" settled "$window" "$work/$name"
  kill -TERM $pid && wait $pid || { echo "rally $* ended with status $?" && return 1; }
  python3 -c 'import sys; d = open(sys.argv[1], "rb").read()
sys.stdout.buffer.write(bytes(b & (0xfc if i % 3 == 1 else 0xf8) for i, b in enumerate(d)))' \
    "$work/$name" > "$work/$name.565"
}

libraries=(classic)
[ -z "$compat" ] || libraries+=(compat)
[ -n "$compat" ] || echo "sdl12-compat: not given, so not tried"
for library in "${libraries[@]}"; do
  folder=$([ "$library" = compat ] && echo "$compat" || echo "")
  for renderer in opengl software; do
    for mode in window full; do
      options=(--renderer $renderer --scale 2)
      [ $mode = window ] || options+=(--fullscreen)
      capture "$library-$renderer-$mode" "$folder" "${options[@]}"
      said=$(grep -v XGetInputFocus "$work/$library-$renderer-$mode.said" || true)
      path="through $([ $renderer = opengl ] && echo OpenGL || echo "SDL's surface")"
      [[ "$said" == *"$path"* ]] || { echo "$library $renderer $mode: not $path: $said" && exit 1; }
      cmp "$work/classic-opengl-$mode.565" "$work/$library-$renderer-$mode.565"
    done
  done
  echo "$library: the same picture through OpenGL and SDL's surface, in a window and in full screen"
done

# The full screen shows the window's picture (640x480) at the largest whole factor that fits, 3,
# centred on black: at (161, 2).
python3 -c 'import sys; window, screen = (open(p, "rb").read() for p in sys.argv[1:])
at = lambda x, y: 3 * (y * 640 + x)
expected = bytearray(3 * 1283 * 725)
for i in range(960 * 720):
  x, y = i % 960, i // 960; o = 3 * ((y + 2) * 1283 + x + 161); w = at(x // 3 * 2, y // 3 * 2)
  expected[o:o + 3] = window[w:w + 3]
sys.exit(expected != screen)' "$work/classic-opengl-window.565" "$work/classic-opengl-full.565"
