#!/usr/bin/env bash
# The handheld's long checks, which CI runs once after the ordinary suite:
#   - the static binaries, both packages and the source archive (build-handheld.sh,
#     package-handheld.sh);
#   - the ordinary suite cross-built against Debian's mipsel SDL packages, unpacked into a private
#     sysroot, and run under qemu-mipsel (CTest's cross-compiling emulator);
#   - the release 1 check, the package check (with the notices of what each binary links), and a
#     scripted session of the static binary under qemu-mipsel, writing what the desktop's gpio
#     build writes in the same session.
# All of them are the tests of the cross build (build-mipsel), labelled handheld.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/handheld-env.sh
# Named after this script, which lists the packages.
sysroot=$RALLY_CACHE/mipsel-sysroot-$(sha256sum < scripts/handheld-checks.sh | cut -c 1-16)
jobs=$(nproc)

# Debian's mipsel SDL, SDL_mixer, SDL_gfx, libpng and GoogleTest with the libraries they need,
# unpacked side by side; the C and C++ libraries come with the cross toolchain.
make_sysroot() {
  local roots=(libsdl1.2debian libsdl-mixer1.2 libsdl-gfx1.2-5 libpng16-16) packages
  local dev=(libsdl1.2-dev libsdl-mixer1.2-dev libsdl-gfx1.2-dev libpng-dev zlib1g-dev libgtest-dev)
  local toolchain='libc6|libgcc-s1|libstdc\+\+6|gcc-12-base'
  local unneeded='dpkg|tar|install-info|sysvinit-utils|libsdl1\.2-compat.*'
  private_apt
  rm -rf "$sysroot" && mkdir -p "$sysroot/debs"
  mapfile -t packages < <(private_apt_cache depends --recurse --no-recommends --no-suggests \
    --no-conflicts --no-breaks --no-replaces --no-enhances "${roots[@]/%/:mipsel}" |
    grep -E '^[^ <].*:mipsel$' | sort -u | grep -vE "^($toolchain|$unneeded):")
  (cd "$sysroot/debs" && private_apt_get download -qq "${packages[@]}" "${dev[@]/%/:mipsel}")
  for deb in "$sysroot"/debs/*.deb; do dpkg-deb -x "$deb" "$sysroot"; done
  touch "$sysroot/complete"
  echo "Unpacked $((${#packages[@]} + ${#dev[@]})) mipsel packages into $sysroot"
}

install_deps build handheld
# The checks pack the work tree as it is, committed or not; a release is packed from a clean one.
RALLY_ALLOW_DIRTY=1 bash scripts/package-handheld.sh zip
RALLY_ALLOW_DIRTY=1 bash scripts/package-handheld.sh opk
[ -f "$sysroot/complete" ] || make_sysroot

start=$SECONDS
# A build folder made against another sysroot starts afresh (pkg-config's answers are cached).
grep -qs "^RALLY_PKG_ROOT:PATH=$sysroot\$" build-mipsel/CMakeCache.txt || rm -rf build-mipsel
cmake -S . -B build-mipsel -DCMAKE_TOOLCHAIN_FILE=cmake/mipsel-linux.cmake \
  -DRALLY_PKG_ROOT="$sysroot" -DRALLY_HANDHELD_CHECKS=ON \
  -DRALLY_WERROR=ON > /dev/null
cmake --build build-mipsel -j"$jobs" > /dev/null
echo "Cross-built the test suite in $((SECONDS - start)) s"
ctest --test-dir build-mipsel -L handheld --verbose
