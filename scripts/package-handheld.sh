#!/usr/bin/env bash
# Packs the handheld build, one command each:
#
#   scripts/package-handheld.sh zip   build-handheld/rally.zip, for the handheld's own firmware
#   scripts/package-handheld.sh opk   build-handheld/rally.opk, for OpenDingux
#
# The .zip holds the game's folder rally/ (rally.dge, the static binary; data/; icon.png) and
# gmenu2x/sections/games/rally, the entry of the launcher's games section. The entry points into
# RALLY_INSTALL_DIR, where rally/ goes on the handheld: by default /usr/local/games/rally, the
# folder local/games/rally of the memory card. The .opk is a SquashFS image of the game built in
# the keyboard flavour, with its desktop entry.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
install_deps build handheld
umask 022

install_dir=${RALLY_INSTALL_DIR:-/usr/local/games/rally}
description="Two-paddle bat-and-ball game for one or two players"

# Stages the game in folder $1: the binary of build folder $2 named $3, data/, and the 32x32 icon
# named $4.
stage() {
  rm -rf "$1" && mkdir -p "$1"
  install -m 755 "$2/rally" "$1/$3"
  cp -r data "$1/"
  cp icons/rally-32.png "$1/$4"
}

case ${1:-} in
  zip)
    bash scripts/build-handheld.sh gpio
    files=build-handheld/zip
    stage "$files/rally" build-handheld rally.dge icon.png
    mkdir -p "$files/gmenu2x/sections/games"
    printf '%s\n' "title=rally" "description=$description" "icon=$install_dir/icon.png" \
      "exec=$install_dir/rally.dge" "workdir=$install_dir" > "$files/gmenu2x/sections/games/rally"
    rm -f build-handheld/rally.zip
    (cd "$files" && zip -qrX ../rally.zip rally gmenu2x)
    echo "Packed build-handheld/rally.zip"
    ;;
  opk)
    bash scripts/build-handheld.sh keyboard
    files=build-handheld-keyboard/opk
    stage "$files" build-handheld-keyboard rally rally.png
    printf '%s\n' "[Desktop Entry]" "Name=rally" "Comment=$description" "Exec=rally" \
      "Terminal=false" "Type=Application" "StartupNotify=true" "Icon=rally" "Categories=games;" \
      > "$files/default.gcw0.desktop"
    mkdir -p build-handheld
    mksquashfs "$files" build-handheld/rally.opk -all-root -noappend -no-exports -no-xattrs \
      -quiet -no-progress
    echo "Packed build-handheld/rally.opk"
    ;;
  *) echo "usage: $0 zip|opk" >&2 && exit 2 ;;
esac
