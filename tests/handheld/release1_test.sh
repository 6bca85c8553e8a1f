#!/usr/bin/env bash
# Checks that handheld binaries run on a MIPS32 release 1 processor: static 32-bit little-endian
# MIPS executables whose code holds no release 2 instruction. The code is disassembled as release
# 2, since with a release 1 header objdump would print release 2 instructions as .word and see
# none. The check first proves itself on an object with each such instruction planted.
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

proof=$(mktemp -d)
trap 'rm -rf "$proof"' EXIT
# 25 release 2 instructions, then 6 that release 1 has.
mipsel-linux-gnu-as -mips32r2 -mfp64 -o "$proof/planted.o" <<'ASM'
  .set noreorder
  seb $2,$3;  seh $2,$3;  wsbh $2,$3;  ext $2,$3,1,2;  ins $2,$3,1,2;  rotr $2,$3,1;  rotrv $2,$3,$4
  di;  ei;  synci 0($2);  rdpgpr $2,$3;  wrpgpr $2,$3;  mfhc1 $2,$f2;  mthc1 $2,$f2
  jalr.hb $2;  jr.hb $2;  madd.d $f0,$f2,$f4,$f6;  nmsub.s $f0,$f2,$f4,$f6;  lwxc1 $f0,$2($3)
  sdxc1 $f0,$2($3);  luxc1 $f0,$2($3);  prefx 0,$2($3);  cvt.d.l $f0,$f2;  trunc.l.d $f0,$f2
  rdhwr $3,$2
  rdhwr $3,$29;  addu $2,$3,$4;  mul $2,$3,$4;  movn $2,$3,$4;  clz $2,$3;  add.d $f0,$f2,$f4
ASM
found=$(release2_instructions "$proof/planted.o" | wc -l)
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
