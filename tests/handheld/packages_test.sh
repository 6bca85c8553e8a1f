#!/usr/bin/env bash
# The handheld packages against tests/golden/packages.txt: each one's files with their modes, the
# launcher entries, what file(1) says of the binaries and the icons, and the instructions of each
# binary that a MIPS32 release 1 processor lacks (none). The code is disassembled as release 2,
# since with a release 1 header objdump would print release 2 instructions as .word and see none.
# The check first counts those it finds among the instructions planted in tests/golden/release2.s,
# which the build assembles into PLANTED.
#
#   packages_test.sh RALLY_ZIP RALLY_OPK PLANTED
set -euo pipefail
zip=$1 opk=$2 planted=$3 golden=$(dirname "$0")/../golden
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints each instruction of file $1 that release 1 lacks. rdhwr is fine with $29: musl reads its
# thread pointer so, and the kernel emulates it.
release2_instructions() {
  mipsel-linux-gnu-objdump -d -m mips:isa32r2 "$1" | awk -F'\t' '
    $3 ~ /^(seb|seh|wsbh|ext|ins|ror|rorv|rotr|rotrv|di|ei|synci|rdpgpr|wrpgpr)$/ ||
    $3 ~ /^(m[ft]hc1|j(al)?r\.hb|[ls][wdu]xc1|prefx|cvt\..\.l)$/ ||
    $3 ~ /^(n?m(add|sub)|recip|rsqrt|(ceil|floor|round|trunc|cvt)\.l)\./ ||
    ($3 == "rdhwr" && $4 !~ /,\$29$/)'
}

unzip -p "$zip" rally/rally.dge > "$work/rally.dge"
unsquashfs -cat "$opk" rally > "$work/rally"
{
  zipinfo "$zip" | awk '/^-/ { print $1, $NF }' | LC_ALL=C sort -k 2
  unsquashfs -lls "$opk" | awk '/^-/ { sub("^squashfs-root/", "", $NF); print $1, $NF }' |
    LC_ALL=C sort -k 2
  unzip -p "$zip" gmenu2x/sections/games/rally
  unsquashfs -cat "$opk" default.gcw0.desktop
  unzip -p "$zip" rally/icon.png | file -b - && unsquashfs -cat "$opk" rally.png | file -b -
  echo "planted: $(release2_instructions "$planted" | wc -l) release 2 instructions found"
  for binary in rally.dge rally; do
    file -b "$work/$binary" && release2_instructions "$work/$binary" | sed "s/^/$binary: /"
  done
} | sed "s/, BuildID\[[^]]*\]=[0-9a-f]*//" | diff <(grep -v "^#" "$golden/packages.txt") -
