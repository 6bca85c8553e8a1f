#!/usr/bin/env bash
# Checks that a handheld binary runs on a MIPS32 release 1 processor: a static 32-bit little-endian
# MIPS executable whose code holds no release 2 instruction. The code is disassembled as release 2,
# since with a release 1 header objdump would print release 2 instructions as .word and see none.
# The check first proves itself on an object with each such instruction planted.
set -euo pipefail

# Prints each instruction of file $1 that release 1 lacks. rdhwr is fine with $29: musl reads its
# thread pointer so, and the kernel emulates it.
release2_instructions() {
  mipsel-linux-gnu-objdump -d -m mips:isa32r2 "$1" | awk -F'\t' '
    $3 ~ /^(seb|seh|wsbh|ext|ins|ror|rorv|rotr|rotrv|di|ei|synci|rdpgpr|wrpgpr|m[ft]hc1|j(al)?r\.hb)$/ ||
    $3 ~ /^(n?m(add|sub)\.|[ls][wdu]xc1$|prefx$|(recip|rsqrt)\.|(ceil|floor|round|trunc|cvt)\.l\.|cvt\..\.l$)/ ||
    ($3 == "rdhwr" && $4 !~ /,\$29$/)'
}

planted=(seb seh wsbh ext ins rotr rotrv di ei synci rdpgpr wrpgpr mfhc1 mthc1 jalr.hb jr.hb
         madd.d nmsub.s lwxc1 sdxc1 luxc1 prefx cvt.d.l trunc.l.d rdhwr)
proof=$(mktemp -d)
trap 'rm -rf "$proof"' EXIT
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
[ "$found" -eq ${#planted[@]} ] || {
  echo "FAIL: the check finds $found of the ${#planted[@]} planted release 2 instructions" >&2
  exit 1
}

status=0
for binary in "$@"; do
  header=$(mipsel-linux-gnu-readelf -h -l "$binary")
  for want in "Class: *ELF32" "Data: .*little endian" "Type: *EXEC" "Machine: *MIPS R3000"; do
    grep -Eq "$want" <<< "$header" || { echo "FAIL: $binary: no '$want'" >&2 && status=1; }
  done
  if grep -Eq "INTERP|DYNAMIC" <<< "$header"; then echo "FAIL: $binary is not static" >&2 && status=1; fi
  if release2_instructions "$binary" | grep .; then
    echo "FAIL: $binary holds release 2 instructions (above)" >&2 && status=1
  fi
  [ $status -ne 0 ] || echo "$binary: static MIPS32 little-endian executable, release 1 code only"
done
exit $status
