#!/usr/bin/env bash
# The real program under valgrind through many menu <-> match round trips: no byte definitely
# lost, and as much memory still in use at the end of 40 round trips as at the end of 4.
#   valgrind_test.sh SESSION_DRIVER GAME DATA_DIR
set -euo pipefail
session=$1 game=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp -r "$3" "$dir/data"
cd "$dir"
in_use() {
  local script="-*2" trip
  for ((trip = 0; trip < $1; trip++)); do script+=" a -*10 t t -"; done
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$session" gpio3_pxpin "$script t" valgrind \
    --leak-check=full --errors-for-leak-kinds=definite --error-exitcode=99 --log-file=log "$game"
  grep -o "in use at exit: [0-9,]* bytes in [0-9,]* blocks" log
}
few=$(in_use 4)
many=$(in_use 40)
echo "4 round trips: $few; 40 round trips: $many"
[ "$few" = "$many" ]
