#!/usr/bin/env bash
# The game's performance figures, run by hand (docs/performance.md gives them). First the gpio
# build on SDL's dummy drivers, played by rally_session: a per-frame figure is the difference
# between two sessions that differ only in the frames of one screen, divided by that difference,
# so start-up and shut-down cancel. Then the desktop edition's pace and appetite on virtual
# displays (present_bench), through OpenGL and through SDL's own surface: at scale 4 on 1920x1080,
# at scales 1, 4 and 8 on 3840x2160. It reports and never fails on a figure.
#
#   bash tests/bench/figures.sh [BUILD_DIR]    (default: build)
#
# Needs valgrind, strace and Xvfb (the long checks' and the tests' packages), and the build's
# rally_gpio, rally_session and present_bench.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath -m "${1:-$root/build}")
[ -x "$build/tests/rally_gpio" ] && [ -x "$build/tests/rally_session" ] &&
  [ -x "$build/tests/bench/present_bench" ] ||
  { echo "Build $build first: scripts/test.sh does" >&2 && exit 1; }
work=$(mktemp -d)
cd "$work" && trap 'rm -rf "$work"' EXIT && cp -r "$root/data" .
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
# session SCRIPT [WRAPPER...]: the game, under the wrapper if one is given, served SCRIPT.
session() { "$build/tests/rally_session" gpio3_pxpin "$@" "$build/tests/rally_gpio" 2>/dev/null; }
cg=(valgrind -q --tool=callgrind --separate-threads=yes --dump-instr=no --compress-strings=no)
ir() { awk '/^totals:/ { s += $2 } END { print s }' "$@"; }  # main thread's, over the given parts
per() { awk "BEGIN { printf \"%.${3:-0}f\", ($1) / ($2) }"; }

# A play frame's instructions: its stages and the flip, not the pacing wait; and the part of them
# that SDL's blits and flip take. Frames are counted by the flips; system calls are those of the
# main thread (strace without -f follows no other).
stages=(--collect-atstart=no
  --toggle-collect={'handle_*',update_locations,draw_screen,play_sounds,SdlPlatform::flip}'(*')
for n in 50 200; do
  session "a -*$n t - t" "${cg[@]}" "${stages[@]}" --callgrind-out-file=play$n
  session "a -*$n t - t" "${cg[@]}" --collect-atstart=no --toggle-collect={SDL_UpperBlit,SDL_Flip} \
    --callgrind-out-file=sdl$n
  session "a -*$n t - t" strace -c -o sys$n
done
frames=$(awk '/^cfn=SDL_Flip/ { getline; sub("calls=", ""); s += FILENAME ~ /200/ ? $1 : -$1 }
  END { print s }' play50-01 play200-01)
frame=$(per "$(ir play200-01) - $(ir play50-01)" $frames)
sdl=$(per "$(ir sdl200-01) - $(ir sdl50-01)" $frames)
syscalls=$(awk -v n=$frames '$4 ~ /^[0-9]+$/ { c[$NF] += FILENAME ~ /200/ ? $4 : -$4 }
  END { for (s in c) if (c[s] > 0) printf "%s %.2g, ", s, c[s] / n }' sys50 sys200)
# Start-up: up to the first flip of the menu, the second flip (SDL_SetVideoMode makes the first).
session t "${cg[@]}" --dump-before=SDL_Flip --callgrind-out-file=start

# Heap allocations of all threads. With the left paddle held down the match ends after about 910
# readings, so the last readings of "a d*1000" and "a d*1150" are the game-over screen's.
memcheck() { session "$1" valgrind --leak-check=full --errors-for-leak-kinds=definite \
  --error-exitcode=99 --log-file=h && cat h; }
allocs() { memcheck "$1" | grep -o '[0-9,]* allocs' | tr -dc 0-9; }
heap() { per "$(allocs "$2") - $(allocs "$1")" 150 2; }

echo "instructions per play frame: $frame, of which SDL's blits and flip: $sdl"
echo "instructions from start to the first menu flip: $(ir start.[12]-01)"
echo "heap allocations per frame (target 0): menu $(heap "-*50 t" "-*200 t"), play" \
  "$(heap "a -*50 t - t" "a -*200 t - t"), game-over reading $(heap "a d*1000 t - t" "a d*1150 t - t")"
echo "system calls per play frame, main thread: ${syscalls%, } (target: openat, read, close 1 each)"

# The desktop's pace and appetite: at the default scale on a 1920x1080 display, then at scales 1,
# 4 and 8 on a 3840x2160 one, through each path; its own settings folder, so that no saved setting
# changes what it plays.
export XDG_CONFIG_HOME=$PWD/config
echo "path     window    slides (menu, game over) | match, frames/s, pictures shown/s |" \
  "% of a core, process (game thread): menu wait, match, game-over wait, pause"
for screen in "1920x1080 4" "3840x2160 1 4 8"; do
  read -r size scales <<< "$screen"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3> display 2> /dev/null &
  xvfb=$!
  trap 'kill $xvfb 2> /dev/null; rm -rf "$work"' EXIT
  for _ in $(seq 100); do [ -s display ] && break || sleep 0.1; done
  for scale in $scales; do
    for renderer in opengl software; do
      env -u SDL_VIDEODRIVER DISPLAY=:"$(cat display)" "$build/tests/bench/present_bench" \
        --scale "$scale" --renderer $renderer 2> /dev/null ||
        echo "present_bench --scale $scale --renderer $renderer ended with status $?"
    done
  done
  kill $xvfb && wait $xvfb 2> /dev/null || true
  rm -f display
done
