#!/usr/bin/env bash
# The handheld packages against tests/golden/packages.txt: each one's files with their modes, the
# launcher entries, and what file(1) says of the binaries and the icons.
#
#   packages_test.sh RALLY_ZIP RALLY_OPK
set -euo pipefail
zip=$1 opk=$2
{
  zipinfo "$zip" | awk '/^-/ { print $1, $NF }' | LC_ALL=C sort -k 2
  unsquashfs -lls "$opk" | awk '/^-/ { sub("^squashfs-root/", "", $NF); print $1, $NF }' |
    LC_ALL=C sort -k 2
  unzip -p "$zip" gmenu2x/sections/games/rally
  unsquashfs -cat "$opk" default.gcw0.desktop
  for file in rally/rally.dge rally/icon.png; do unzip -p "$zip" "$file" | file -b -; done
  for file in rally rally.png; do unsquashfs -cat "$opk" "$file" | file -b -; done
} | sed "s/, BuildID\[[^]]*\]=[0-9a-f]*//" | diff <(grep -v "^#" "$(dirname "$0")/../golden/packages.txt") -
