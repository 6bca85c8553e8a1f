#!/usr/bin/env bash
# Checks the handheld packages: each one's files and their modes, the binaries and the icons, and
# the launcher entries.
#
#   packages_test.sh RALLY_ZIP RALLY_OPK [INSTALL_DIR]
set -euo pipefail
zip=$1 opk=$2 dir=${3:-/usr/local/games/rally}
data=$(dirname "$0")/../../data
status=0

# check NAME ACTUAL PATTERN...: ACTUAL has one line for each pattern (an extended regex), in order.
check() {
  if [ "$(wc -l <<< "$2")" -eq $(($# - 2)) ] && paste -d '\n' <(printf '%s\n' "${@:3}") - <<< "$2" |
    awk 'NR % 2 { p = $0; next } $0 !~ "^" p "$" { exit 1 }'; then
    echo "ok: $1"
  else
    printf 'FAIL: %s: got\n%s\n' "$1" "$2" && status=1
  fi
}
# files PREFIX MODE_AND_PATH...: the patterns of a package's files by path, with data/ in PREFIX.
files() {
  { find "$data" -type f -printf "-rw-r--r-- $1data/%f\n" && printf '%s\n' "${@:2}"; } |
    LC_ALL=C sort -k 2 | sed 's/\./\\./g'
}

mapfile -t zip_files < <(files rally/ "-rw-r--r-- gmenu2x/sections/games/rally" \
  "-rw-r--r-- rally/icon.png" "-rwxr-xr-x rally/rally.dge")
mapfile -t opk_files < <(files "" "-rw-r--r-- default.gcw0.desktop" "-rwxr-xr-x rally" \
  "-rw-r--r-- rally.png")
check ".zip files" "$(zipinfo "$zip" | awk '/^-/ { print $1, $NF }' | LC_ALL=C sort -k 2)" \
  "${zip_files[@]}"
check ".opk files" "$(unsquashfs -lls "$opk" |
  awk '/^-/ { sub("^squashfs-root/", "", $NF); print $1, $NF }' | LC_ALL=C sort -k 2)" \
  "${opk_files[@]}"
check ".zip link" "$(unzip -p "$zip" gmenu2x/sections/games/rally)" \
  "title=rally" "description=.+" "icon=$dir/icon.png" "exec=$dir/rally.dge" "workdir=$dir"
check ".opk desktop entry" "$(unsquashfs -cat "$opk" default.gcw0.desktop)" \
  "\[Desktop Entry\]" "Name=rally" "Comment=.+" "Exec=rally" "Terminal=false" "Type=Application" \
  "StartupNotify=true" "Icon=rally" "Categories=games;"
elf="ELF 32-bit LSB executable, MIPS, .*, statically linked.*" png="PNG image data, 32 x 32, .*"
check "binaries and icons" "$(for file in rally/rally.dge rally/icon.png; do
  unzip -p "$zip" "$file" | file -b -; done
  for file in rally rally.png; do unsquashfs -cat "$opk" "$file" | file -b -; done)" \
  "$elf" "$png" "$elf" "$png"
exit $status
