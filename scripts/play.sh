#!/usr/bin/env bash
# Installs what is needed, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
install_deps build play

cmake -S . -B build
cmake --build build -j"$(nproc)" --target rally
exec build/rally "$@"
