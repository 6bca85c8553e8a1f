#!/usr/bin/env bash
# The real program in the sessions of a file of tests/golden/, each from a fresh copy of data/ and
# served by the session driver, against the file's record. A line: the session's name, its set-up
# (a shell command, which may set `game` to the command to play instead of GAME...), its script,
# and what the game wrote on standard error (line ends written \n), then whether it ended with
# another status than 0 and whether SDL's disk audio output (the file out) holds any sound. The
# sessions of handheld.txt must write what the sessions of program.txt with the same names and
# scripts write. A session may trace its system calls into the file strace.log (qemu-mipsel's -d
# strace), which must all be in syscalls.txt.
#
#   sessions_test.sh FILE DRIVER GAME...      (RALLY_UPDATE_RECORD=1: rewrite the record)
set -euo pipefail
golden=$(cd "$(dirname "$0")/golden" && pwd) file=$1 driver=$2
shift 2
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
grep -v '^#' "$golden/$file" | while IFS='|' read -r name setup script _; do
  rm -rf "$work/run" && mkdir "$work/run" && cp -r "$golden/../../data" "$work/run" && cd "$work/run"
  status=0
  (eval "$setup" && $driver gpio3_pxpin "$script" ${game:-"$@"} 2>err) || status=$?
  printf '%s|%s|%s| %s' "$name" "$setup" "$script" "$(sed -z 's/\n/\\n/g' err)"
  [ "$status" -eq 0 ] || printf ' <- exit status %s' "$status"
  [ ! -s out ] || [ -z "$(tr -d '\0' < out)" ] || printf ' <- sound heard'
  echo
  [ ! -f strace.log ] || sed -nE 's/^[0-9]+ ([a-z0-9_]+)\(.*/\1/p' strace.log >> "$work/calls"
done > "$work/record"
[ -z "${RALLY_UPDATE_RECORD:-}" ] || grep '^#' "$golden/$file" | cat - "$work/record" > "$work/new"
[ -z "${RALLY_UPDATE_RECORD:-}" ] || { cp "$work/new" "$golden/$file" &&
  echo "Rewrote tests/golden/$file: look at the change, then run again" && exit 1; }
diff <(grep -v '^#' "$golden/$file") "$work/record"
# Every system call that a session traced into strace.log is one that the table lists.
[ ! -f "$work/calls" ] || sort -u "$work/calls" | while read -r call; do
  grep -q " $call$" "$golden/syscalls.txt" || echo "Not in tests/golden/syscalls.txt: $call"
done | awk '{ print } END { exit NR > 0 }'
same() { grep -v '^#' "$golden/$1" | awk -F' [|] ' '{ print $1 " | " $3 " | " $4 }' | sort; }
[ "$file" != handheld.txt ] || comm -23 <(same handheld.txt) <(same program.txt) |
  awk '{ print "Not as the gpio build writes: " $0 } END { exit NR > 0 }'
