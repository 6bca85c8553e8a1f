#!/usr/bin/env bash
# The handheld packages against tests/golden/packages.txt: each one's files with their modes, the
# launcher entries, what file(1) says of the binaries and the icons, and the instructions of each
# binary that a MIPS32 release 1 processor lacks (none). The code is disassembled as release 2,
# since with a release 1 header objdump would print release 2 instructions as .word and see none.
# The check first counts those it finds among the instructions planted in tests/golden/release2.s,
# which the build assembles into PLANTED.
#
# Then, for each binary, the libraries on its link line (the build folder's
# CMakeFiles/rally.dir/link.txt: RALLY_ZIP's folder for the .zip, the same name with -keyboard for
# the .opk), each mapped to the folder of its notices in the package's LICENSES/, which must hold
# its license text (LICENSE, COPYING, COPYRIGHT or GPL-*) and its copyright file (Debian's
# "copyright", not empty): a file of the link line with no notice known, or whose folder lacks
# either, is named on a line of its own.
#
#   packages_test.sh RALLY_ZIP RALLY_OPK PLANTED
set -euo pipefail
zip=$1 opk=$2 planted=$3 golden=$(dirname "$0")/../golden
build=$(dirname "$zip")
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

# The folder in LICENSES/ of the notices of file $1 of a link line: the game's own objects and
# archives, named relative to the build folder, are rally's; the libraries are known by name.
notice_of() {
  case $1 in
    -l*) notice_of "lib${1#-l}.a" ;;
    CMakeFiles/*.o | librally*.a) echo rally ;;
    *)
      case ${1##*/} in
        crt1.o | Scrt1.o | rcrt1.o | crti.o | crtn.o) echo musl ;;
        libc.a | libm.a | libpthread.a | librt.a | libdl.a) echo musl ;;
        libSDL.a | libSDLmain.a) echo SDL ;;
        libSDL_mixer.a) echo SDL_mixer ;;
        libgcc.a | libgcc_eh.a | libsupc++.a | crtbegin*.o | crtend*.o) echo gcc ;;
        *) echo none ;;
      esac
      ;;
  esac
}

# Prints "BINARY links: " and the notice folders that the link line in file $2 needs, then a line
# for each file of it with no notice in folder $3 (LICENSES/ of the package, unpacked).
link_notices() {
  local name=$1 line=$2 licenses=$3 file notice needed=()
  [ -f "$line" ] || { echo "$name: no link line in $line" && return 0; }
  for file in $(tr ' ' '\n' < "$line" | grep -E '\.[ao]$|^-l'); do
    notice=$(notice_of "$file")
    ls "$licenses/$notice" 2> /dev/null | grep -qE '^(LICENSE|COPYING.*|COPYRIGHT|GPL-.*)$' &&
      [ -s "$licenses/$notice/copyright" ] || echo "$name links $file: no notice in LICENSES/$notice/"
    [[ " ${needed[*]} " == *" $notice "* ]] || [ "$notice" = none ] || needed+=("$notice")
  done
  echo "$name links: $(printf '%s\n' "${needed[@]}" | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')"
}

unzip -p "$zip" rally/rally.dge > "$work/rally.dge"
unsquashfs -cat "$opk" rally > "$work/rally"
unzip -q "$zip" 'rally/LICENSES/*' -d "$work/zip"
unsquashfs -q -n -d "$work/opk" "$opk" LICENSES > /dev/null
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
  link_notices rally.dge "$build/CMakeFiles/rally.dir/link.txt" "$work/zip/rally/LICENSES"
  link_notices rally "$build-keyboard/CMakeFiles/rally.dir/link.txt" "$work/opk/LICENSES"
} | sed "s/, BuildID\[[^]]*\]=[0-9a-f]*//" | diff <(grep -v "^#" "$golden/packages.txt") -
