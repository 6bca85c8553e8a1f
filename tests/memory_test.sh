#!/usr/bin/env bash
# The game's memory under valgrind's memcheck: the gpio build, played by rally_session through one
# and then three menu <-> match round trips, loses no byte for good, and holds no more memory at
# exit after three than after one (the bitmaps live until exit; nothing else may grow with play).
#
#   memory_test.sh DRIVER GAME
set -euo pipefail
driver=$(realpath "$1") game=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$(dirname "$0")/../data" "$work/" && cd "$work"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
# in_use N: what is in use at exit after N round trips; fails on a byte definitely lost.
in_use() {
  "$driver" gpio3_pxpin "-*2 $(printf 'a -*10 t t - %.0s' $(seq "$1"))t" valgrind \
    --leak-check=full --errors-for-leak-kinds=definite --error-exitcode=99 --log-file="log$1" \
    "$game" 2> /dev/null || { grep -A4 "definitely lost" "log$1" >&2; return 1; }
  grep -o 'in use at exit.*' "log$1"
}
one=$(in_use 1)
three=$(in_use 3)
echo "after one round trip: $one; after three: $three"
[ "$one" = "$three" ]
