#!/usr/bin/env bash
# The manual page and README.md list the same keys and gamepad buttons as the Controls and
# Gamepads lines of --help, which the game makes from its table of controls (src/controls.h).
#
#   controls_test.sh RALLY
set -euo pipefail
root=$(dirname "$0")/..
# One name a line from texts such as "W / S, or the Up / Down arrows", "keypad - / + (or =)" or
# "pad 1 LB / RB": words between names dropped, and "keypad" or "pad N" carried over a "/".
names() {
  sed -E 's/\\-/-/g; s/[()]|\<(the|arrows)\>//g; s/ or /, /g' | tr ',' '\n' | awk -F' */ *' '{
    for (i = 1; i <= NF; i++) { k = $i; gsub(/^ +| +$/, "", k)
      if (i > 1 && match($1, /^ *(keypad|pad [0-9])/)) k = substr($1, RSTART, RLENGTH) " " k
      gsub(/^ +/, "", k); if (k != "") print k } }' | sort -u
}
help=$("$1" --help)
section() { sed -n "/^$1/,/^\$/s/^  \(.\{27\}\).*/\1/p" <<< "$help" | names; }
table() { awk -v n="$1" '/^\.TS/ { t++ } t == n && /\t/ && !/^\.T/ { sub(/\t.*/, ""); print }' \
  "$root/dist/rally.6.in" | names; }
readme() { awk -F' *\\| *' -v c="$1" '/^## /{ on = $0 == "## Controls" }
  on && /^\| / && n++ { print $c }' "$root/README.md" | names; }
diff <(section Controls:) <(table 1)
diff <(section Gamepads) <(table 2)
diff <(section Controls:) <(readme 3)
diff <(section Gamepads) <(readme 4)
