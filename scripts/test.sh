#!/usr/bin/env bash
# Installs what is needed, then builds and runs every test twice: a build whose warnings are
# errors, and a build under AddressSanitizer and UndefinedBehaviorSanitizer. Ends with the format
# check.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
install_deps

jobs=$(nproc)
cmake -S . -B build -DRALLY_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure

cmake -S . -B build-asan -DRALLY_WERROR=ON -DRALLY_SANITIZE=ON
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan --output-on-failure

clang-format --dry-run --Werror src/*.h src/*.cpp tests/*.h tests/*.cpp tests/bench/*.cpp tools/*.cpp
echo "All tests passed."
