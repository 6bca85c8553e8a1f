#!/usr/bin/env bash
# Installs what is needed, checks the format, then builds twice and runs the quick suite in each:
# a build whose warnings are errors, and a build under AddressSanitizer and
# UndefinedBehaviorSanitizer; between the two, the web edition (scripts/build-web.sh) in a headless
# browser beside the first (label `web`). Then the long checks (label `long`): broken data
# and fuzzing under the sanitizers, and the program's memory under valgrind in the first build.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
install_deps build play test long web browser
clang-format --dry-run --Werror src/*.h src/*.cpp src/*/*.h src/*/*.cpp tests/*.h tests/*.cpp \
  tests/bench/*.cpp tools/*.h tools/*.cpp

# sdl12-compat, which many distributions ship instead of classic SDL 1.2, unpacked into the cache
# (never installed) for the display test.
compat=$RALLY_CACHE/sdl12-compat-$(apt-cache policy libsdl1.2-compat | awk '/Candidate:/ { print $2 }')
unpack_package libsdl1.2-compat "$compat"
compat=$(dirname "$(find "$compat" -name libSDL-1.2.so.0 | head -n 1)")

bash scripts/build-web.sh
suite=(-DRALLY_WERROR=ON -DRALLY_TESTS=ON -DRALLY_TOOLS=ON -DRALLY_LONG_CHECKS=ON
  -DRALLY_SDL12_COMPAT="$compat" -DRALLY_WEB_BUILD="$PWD/build-web")
cmake -S . -B build "${suite[@]}"
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -LE 'long|web'
ctest --test-dir build --output-on-failure -L web
cmake -S . -B build-asan "${suite[@]}" -DRALLY_SANITIZE=ON
cmake --build build-asan -j"$(nproc)"
ctest --test-dir build-asan --output-on-failure -LE 'long|web'
ctest --test-dir build-asan --output-on-failure -L long
ctest --test-dir build --output-on-failure -L long
echo "All tests passed."
