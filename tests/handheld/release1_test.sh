#!/usr/bin/env bash
# Checks that handheld binaries run on a MIPS32 release 1 processor: static 32-bit little-endian
# MIPS executables whose code holds no release 2 instruction. The code is disassembled as release
# 2, since with a release 1 header objdump would print release 2 instructions as .word and see
# none. The check first proves itself on the instructions planted in tests/golden/release2.s.
#
#   release1_test.sh BINARY...
set -euo pipefail

# Prints each instruction of file $1 that release 1 lacks. rdhwr is fine with $29: musl reads its
# thread pointer so, and the kernel emulates it.
release2_instructions() {
  mipsel-linux-gnu-objdump -d -m mips:isa32r2 "$1" | awk -F'\t' '
    $3 ~ /^(seb|seh|wsbh|ext|ins|ror|rorv|rotr|rotrv|di|ei|synci|rdpgpr|wrpgpr)$/ ||
    $3 ~ /^(m[ft]hc1|j(al)?r\.hb|[ls][wdu]xc1|prefx|cvt\..\.l)$/ ||
    $3 ~ /^(n?m(add|sub)|recip|rsqrt|(ceil|floor|round|trunc|cvt)\.l)\./ ||
    ($3 == "rdhwr" && $4 !~ /,\$29$/)'
}

proof=$(mktemp)
trap 'rm -f "$proof"' EXIT
mipsel-linux-gnu-as -mips32r2 -mfp64 -o "$proof" "$(dirname "$0")/../golden/release2.s"
found=$(release2_instructions "$proof" | wc -l)
[ "$found" -eq 25 ] || { echo "FAIL: the check finds $found of 25 planted instructions" && exit 1; }

status=0
for binary in "$@"; do
  if ! file -b "$binary" | grep -Eq '^ELF 32-bit LSB executable, MIPS, .*, statically linked'; then
    echo "FAIL: $binary is no static little-endian MIPS executable: $(file -b "$binary")"
    status=1
  elif release2_instructions "$binary" | grep .; then
    echo "FAIL: $binary holds release 2 instructions (above)" && status=1
  else
    echo "$binary: static MIPS32 little-endian executable, release 1 code only"
  fi
done
exit $status
