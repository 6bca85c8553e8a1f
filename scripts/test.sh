#!/usr/bin/env bash
# Installs what is needed, checks the format, then builds twice and runs the quick suite in each:
# a build whose warnings are errors, and a build under AddressSanitizer and
# UndefinedBehaviorSanitizer. Then the long checks (label `long`) from the second: broken data,
# the soak, fuzzing, and the program's memory under valgrind with the performance figures (in the
# first build).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
install_deps build play test long
clang-format --dry-run --Werror src/*.h src/*.cpp src/*/*.h src/*/*.cpp tests/*.h tests/*.cpp \
  tests/bench/*.cpp tools/*.h tools/*.cpp

# sdl12-compat, which many distributions ship instead of classic SDL 1.2, unpacked beside the
# builds for the display test.
unpack_package libsdl1.2-compat build-sdl12-compat
compat=$(dirname "$(find "$PWD/build-sdl12-compat" -name libSDL-1.2.so.0 | head -n 1)")

suite=(-DRALLY_WERROR=ON -DRALLY_TESTS=ON -DRALLY_TOOLS=ON -DRALLY_SDL12_COMPAT="$compat")
cmake -S . -B build "${suite[@]}"
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure
cmake -S . -B build-asan "${suite[@]}" -DRALLY_SANITIZE=ON -DRALLY_LONG_CHECKS=ON
cmake --build build-asan -j"$(nproc)"
ctest --test-dir build-asan --output-on-failure -LE long
ctest --test-dir build-asan --output-on-failure -L long
echo "All tests passed."
