#!/usr/bin/env bash
# Checks the handheld packages: each one's files and their modes, the binaries and the icons, and
# the launcher entries.
#
#   packages_test.sh RALLY_ZIP RALLY_OPK [INSTALL_DIR]
set -euo pipefail
zip=$1 opk=$2 dir=${3:-/usr/local/games/rally}
mapfile -t data < <(ls "$(dirname "$0")/../../data")
status=0

report() {  # report NAME ACTUAL OK
  if [ "$3" = yes ]; then echo "ok: $1"; else printf 'FAIL: %s: got\n%s\n' "$1" "$2" && status=1; fi
}
# check NAME ACTUAL PATTERN...: ACTUAL has one line for each pattern (an extended regex), in order.
check() {
  local ok=no
  [ "$(wc -l <<< "$2")" -eq $(($# - 2)) ] && paste -d '\n' <(printf '%s\n' "${@:3}") - <<< "$2" |
    awk 'NR % 2 { p = $0; next } $0 !~ "^" p "$" { exit 1 }' && ok=yes
  report "$1" "$2" $ok
}
# files NAME ACTUAL FOLDER [MODE PATH]...: ACTUAL lists data/ in FOLDER and these files, by path.
files() {
  local expected
  expected=$(printf -- "-rw-r--r-- $3data/%s\n" "${data[@]}" && printf '%s %s\n' "${@:4}")
  report "$1" "$2" "$([ "$2" = "$(LC_ALL=C sort -k 2 <<< "$expected")" ] && echo yes)"
}

files ".zip files" "$(zipinfo "$zip" | awk '/^-/ { print $1, $NF }' | LC_ALL=C sort -k 2)" rally/ \
  -rw-r--r-- gmenu2x/sections/games/rally -rw-r--r-- rally/icon.png -rwxr-xr-x rally/rally.dge
files ".opk files" "$(unsquashfs -lls "$opk" |
  awk '/^-/ { sub("^squashfs-root/", "", $NF); print $1, $NF }' | LC_ALL=C sort -k 2)" "" \
  -rw-r--r-- default.gcw0.desktop -rwxr-xr-x rally -rw-r--r-- rally.png
check ".zip link" "$(unzip -p "$zip" gmenu2x/sections/games/rally)" \
  "title=rally" "description=.+" "icon=$dir/icon.png" "exec=$dir/rally.dge" "workdir=$dir"
check ".opk desktop entry" "$(unsquashfs -cat "$opk" default.gcw0.desktop)" \
  "\[Desktop Entry\]" "Name=rally" "Comment=.+" "Exec=rally" "Terminal=false" "Type=Application" \
  "StartupNotify=true" "Icon=rally" "Categories=games;"
check "binaries and icons" "$(unzip -p "$zip" rally/rally.dge | file -b -
  unsquashfs -cat "$opk" rally | file -b -
  unzip -p "$zip" rally/icon.png | file -b -
  unsquashfs -cat "$opk" rally.png | file -b -)" \
  "ELF 32-bit LSB executable, MIPS, .*statically linked.*" \
  "ELF 32-bit LSB executable, MIPS, .*statically linked.*" \
  "PNG image data, 32 x 32, .*" "PNG image data, 32 x 32, .*"
exit $status
