#!/usr/bin/env bash
# Takes docs/screenshot.png: the game's window, a few seconds into a match, as it opens on a
# 1920x1080 desktop (a virtual X server, Xvfb). Prints the window's size.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
install_deps build play screenshot

cmake -S . -B build
cmake --build build -j"$(nproc)" --target rally

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

Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3> "$work/display" 2> /dev/null &
started+=($!)
within 20 "Xvfb to start" test -s "$work/display"
# Its own settings folder, so that no saved setting changes the picture.
export DISPLAY=:$(cat "$work/display") SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$work/config

build/rally &
game=$!
started+=($game)
found() { window=$(xdotool search --pid $game --name '^rally$' 2> /dev/null | head -n 1) &&
  [ -n "$window" ]; }
within 20 "the game's window" found
xwininfo -id "$window" | grep -E 'Width|Height'
sleep 3 # the menu slides in
timeout 10 xdotool windowfocus --sync "$window" key Return
sleep 3 # a few rallies
import -window "$window" -strip docs/screenshot.png
kill -TERM $game
wait $game && echo "rally ended with status 0"
