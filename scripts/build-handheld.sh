#!/usr/bin/env bash
# Cross-compiles rally for a little-endian MIPS Linux handheld with Debian's cross toolchain and
# packs it with its data: build-handheld/rally-handheld.tar.gz.
#
# Debian's toolchain links against glibc. For a firmware built on another C library (the Dingoo's
# Dingux uses uClibc), configure with that firmware's own SDK instead; see the README.
set -euo pipefail
cd "$(dirname "$0")/.."

out=build-handheld
sdl_root="$out/sdl-root"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# The cross compiler, and the target's SDL and SDL_mixer (headers, pkg-config files, libraries)
# unpacked beside the build rather than installed.
if ! dpkg --print-foreign-architectures | grep -qx mipsel; then
  $sudo dpkg --add-architecture mipsel
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq g++-mipsel-linux-gnu cmake pkg-config
mkdir -p "$out/debs"
(cd "$out/debs" && apt-get download libsdl1.2-dev:mipsel libsdl1.2debian:mipsel \
  libsdl-mixer1.2-dev:mipsel libsdl-mixer1.2:mipsel)
rm -rf "$sdl_root"
for deb in "$out"/debs/*.deb; do dpkg-deb -x "$deb" "$sdl_root"; done

cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE=cmake/mipsel-linux.cmake \
  -DRALLY_PKG_ROOT="$PWD/$sdl_root" -DRALLY_TOOLS=OFF -DBUILD_TESTING=OFF \
  -DCMAKE_BUILD_TYPE=MinSizeRel
cmake --build "$out" -j"$(nproc)" --target rally
mipsel-linux-gnu-strip "$out/rally"

# The package: the game, its data, and a launcher that starts it from its own folder.
stage="$out/package/rally"
rm -rf "$out/package"
mkdir -p "$stage"
cp "$out/rally" "$stage/"
cp -r data "$stage/"
printf '#!/bin/sh\ncd "$(dirname "$0")" && exec ./rally\n' > "$stage/rally.dge"
chmod +x "$stage/rally.dge"
tar -C "$out/package" -czf "$out/rally-handheld.tar.gz" rally
file "$out/rally"
echo "Packed $out/rally-handheld.tar.gz"
