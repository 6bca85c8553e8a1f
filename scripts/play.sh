#!/usr/bin/env bash
# Installs what is needed, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
install_deps

cmake -S . -B build
cmake --build build -j"$(nproc)" --target rally

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${SDL_VIDEODRIVER:-}" ]; then
  echo "rally: no display found (DISPLAY is not set)." >&2
  echo "rally: SDL falls back to a text-mode driver, which draws a rough preview in this" >&2
  echo "rally: terminal; run this command from a desktop session to see the game itself." >&2
fi
exec build/rally
