#!/usr/bin/env bash
# Builds rally for the handheld: one fully static binary for MIPS32 release 1, the handheld's
# processor, which has no release 2 instructions and no FPU (its kernel emulates floating point).
#
#   scripts/build-handheld.sh [gpio|keyboard]
#
# gpio (the default) reads the buttons from the kernel's GPIO proc file, for the handheld's own
# firmware: build-handheld/rally. keyboard takes them as key events, for OpenDingux:
# build-handheld-keyboard/rally.
#
# The C library (musl), SDL 1.2 and SDL_mixer 1.2 are built static from Debian's source packages
# (from the archive this machine's apt reads, or from debian-sources/ where that folder is there)
# into the cache (RALLY_CACHE, by default ~/.cache/rally) the first time, SDL with the change in
# scripts/sdl-fbcon-no-mouse.patch; later runs reuse them while this script and the patch stay the
# same (scripts/handheld-env.sh names the folder after both).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/handheld-env.sh

flavour=${1:-gpio}
case $flavour in
  gpio) out="build-handheld" ;;
  keyboard) out="build-handheld-keyboard" ;;
  *) echo "usage: $0 [gpio|keyboard]" >&2 && exit 2 ;;
esac
jobs=$(nproc)

# Fetches Debian's source package $1 and unpacks it into $RALLY_SOURCES/$1, once each of its
# files matches its SHA-256 sum in the .dsc (apt checks the .dsc against the archive's signed
# index). In an unpacked source archive of rally's (scripts/package-handheld.sh makes one), the
# package is taken from its folder debian-sources/ instead, as the released binary was built.
fetch_source() {
  local src=$RALLY_SOURCES
  mkdir -p "$src"
  rm -rf "${src:?}/$1" "$src/$1"_*
  if compgen -G "debian-sources/$1_*.dsc" > /dev/null; then
    cp debian-sources/"$1"_* "$src/"
  else
    private_apt
    (cd "$src" && private_apt_get source --download-only -qq "$1" > /dev/null)
  fi
  (cd "$src" && awk '/^Checksums-Sha256:/ { on = 1; next } /^[^ ]/ { on = 0 }
    on { print $1 "  " $3 }' "$1"_*.dsc | sha256sum --check --strict --quiet)
  dpkg-source --no-check -x "$src/$1"_*.dsc "$src/$1" > /dev/null
}

# Runs the configure script of source package $1 in a build folder of its own with "${@:2}",
# then make and make install, into the static root.
configure_and_install() {
  local build=$RALLY_HANDHELD_LIBS/build/$1
  rm -rf "$build" && mkdir -p "$build"
  (cd "$build" && "$RALLY_SOURCES/$1/configure" --prefix="$RALLY_STATIC_ROOT" "${@:2}" \
    > configure.log 2>&1 && make -j"$jobs" > make.log 2>&1 && make install > install.log 2>&1) ||
    { tail -n 30 "$build"/*.log >&2 && return 1; }
}

build_libraries() {
  local start=$SECONDS root=$RALLY_STATIC_ROOT
  # Floating-point formatting stays in a function of its own, so that printing text runs no
  # floating-point instruction: without an FPU each one traps into the kernel's emulator, and
  # qemu's user mode has no such emulator.
  local cflags="-march=mips32 -Os -fno-inline-functions-called-once"
  rm -rf "$root"
  fetch_source musl
  fetch_source libsdl1.2
  fetch_source sdl-mixer1.2

  CC=mipsel-linux-gnu-gcc CFLAGS="$cflags" configure_and_install musl \
    --target=mipsel-linux-gnu --disable-shared
  # musl has no kernel headers; SDL's framebuffer console, input and OSS drivers need them.
  cp -r /usr/mipsel-linux-gnu/include/{linux,asm,asm-generic} "$root/include/"
  echo '#include <linux/soundcard.h>' > "$root/include/sys/soundcard.h"

  # The rest is built with musl (its compiler wrapper), static. The handheld has no mouse: SDL's
  # framebuffer console then goes on without one instead of failing to open the display.
  patch -d "$RALLY_SOURCES/libsdl1.2" -p1 --forward --fuzz=0 --no-backup-if-mismatch --quiet \
    < "$sdl_patch" &&
    grep -q 'sdl_nomouse = "no mouse"' "$RALLY_SOURCES/libsdl1.2/src/video/fbcon/SDL_fbvideo.c" ||
    { echo "SDL's framebuffer driver has changed: check $sdl_patch" >&2 && return 1; }
  local -x CC=$root/bin/musl-gcc CFLAGS=$cflags LDFLAGS=-static
  local -x PKG_CONFIG_LIBDIR=$root/lib/pkgconfig
  local static=(--host=mipsel-linux-gnu --disable-shared --enable-static)
  configure_and_install libsdl1.2 "${static[@]}" --disable-rpath \
    --enable-video-fbcon --enable-video-dummy --enable-oss --enable-diskaudio --enable-dummyaudio \
    --disable-video-x11 --disable-video-directfb --disable-video-svga --disable-video-ggi \
    --disable-video-aalib --disable-video-caca --disable-video-opengl --disable-video-ps3 \
    --disable-video-nanox --disable-video-qtopia --disable-video-picogui --disable-video-wscons \
    --disable-video-vgl --disable-video-ps2gs --disable-input-tslib --disable-alsa --disable-esd \
    --disable-pulseaudio --disable-arts --disable-nas --disable-loadso --disable-sdl-dlopen \
    --disable-joystick --disable-cdrom --disable-pth --disable-nasm
  configure_and_install sdl-mixer1.2 "${static[@]}" --with-sdl-prefix="$root" --disable-sdltest \
    --enable-music-wave --disable-music-cmd --disable-music-mod --disable-music-mod-modplug \
    --disable-music-midi --disable-music-ogg --disable-music-flac --disable-music-mp3 \
    --disable-music-mp3-mad-gpl --disable-smpegtest
  echo "$stamp" > "$root/complete"
  echo "Built musl, SDL and SDL_mixer for MIPS32 in $((SECONDS - start)) s"
}

install_deps build handheld
# The libraries are rebuilt whenever this script or the patch to SDL changes.
sdl_patch=scripts/sdl-fbcon-no-mouse.patch
stamp=$(cat scripts/build-handheld.sh "$sdl_patch" | sha256sum)
[ "$(cat "$RALLY_STATIC_ROOT/complete" 2> /dev/null)" = "$stamp" ] || build_libraries

start=$SECONDS
# A build folder made against other libraries starts afresh (pkg-config's answers are cached).
grep -qs "^RALLY_STATIC_ROOT:PATH=$RALLY_STATIC_ROOT\$" "$out/CMakeCache.txt" || rm -rf "$out"
cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE=cmake/mipsel-linux.cmake \
  -DRALLY_STATIC_ROOT="$RALLY_STATIC_ROOT" -DRALLY_INPUT="$flavour" -DRALLY_WERROR=ON \
  -DRALLY_TOOLS=OFF -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=MinSizeRel > /dev/null
cmake --build "$out" -j"$jobs" --target rally
mipsel-linux-gnu-strip "$out/rally"
file "$out/rally"
echo "Built $out/rally ($flavour, $(stat -c %s "$out/rally") bytes) in $((SECONDS - start)) s"
