#!/usr/bin/env bash
# The system check, which CI runs once after the handheld's checks: the handheld's static
# binaries on an emulated MIPS Linux machine, with its framebuffer, sound card, keyboard and
# floating-point emulator (tests/system/system_test.sh says what it proves). Builds what it needs
# that is not there yet: the static binaries and session driver (in build-handheld*), and the
# desktop build of the reference pictures (build-system), whose test labelled system it runs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/handheld-env.sh
install_deps build handheld system
[ -x build-handheld/rally ] || bash scripts/build-handheld.sh gpio
[ -x build-handheld-keyboard/rally ] || bash scripts/build-handheld.sh keyboard
cmake -S . -B build-handheld -DRALLY_SESSION_DRIVER=ON > /dev/null
cmake --build build-handheld --target rally_session > /dev/null
cmake -S . -B build-system -DRALLY_SYSTEM_CHECK=ON -DRALLY_TOOLS=OFF -DRALLY_WERROR=ON > /dev/null
cmake --build build-system -j"$(nproc)" --target rally_pictures > /dev/null
ctest --test-dir build-system -L system --output-on-failure --verbose
