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
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb; rm -rf "$work"' EXIT
until [ -s "$work/display" ]; do sleep 0.1; done
export DISPLAY=:$(cat "$work/display")

SDL_AUDIODRIVER=dummy build/rally &
game=$!
window=$(xdotool search --sync --name '^rally$' | head -n 1)
xwininfo -id "$window" | grep -E 'Width|Height'
sleep 3  # the menu slides in
xdotool windowfocus --sync "$window" key Return
sleep 3  # a few rallies
import -window "$window" -strip docs/screenshot.png
kill -TERM $game
wait $game && echo "rally ended with status 0"
