# For tests/handheld/packages_test.sh, which must find each of the first 25 instructions here (MIPS32 release 2
# and later) and none of the last 6 (release 1 has them).
  .set noreorder
  seb $2,$3;  seh $2,$3;  wsbh $2,$3;  ext $2,$3,1,2;  ins $2,$3,1,2;  rotr $2,$3,1;  rotrv $2,$3,$4
  di;  ei;  synci 0($2);  rdpgpr $2,$3;  wrpgpr $2,$3;  mfhc1 $2,$f2;  mthc1 $2,$f2
  jalr.hb $2;  jr.hb $2;  madd.d $f0,$f2,$f4,$f6;  nmsub.s $f0,$f2,$f4,$f6;  lwxc1 $f0,$2($3)
  sdxc1 $f0,$2($3);  luxc1 $f0,$2($3);  prefx 0,$2($3);  cvt.d.l $f0,$f2;  trunc.l.d $f0,$f2
  rdhwr $3,$2
  rdhwr $3,$29;  addu $2,$3,$4;  mul $2,$3,$4;  movn $2,$3,$4;  clz $2,$3;  add.d $f0,$f2,$f4
