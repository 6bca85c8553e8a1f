#!/usr/bin/env bash
# The manual page and README.md list the same keys as the Controls lines of --help, which the game
# makes from its table of controls (src/controls.h).
#
#   controls_test.sh RALLY
set -euo pipefail
root=$(dirname "$0")/..
# One key name a line from texts such as "W / S, or the Up / Down arrows" or "keypad - / + (or =)":
# words between keys dropped, and "keypad" carried over a "/".
names() {
  sed -E 's/\\-/-/g; s/[()]|\<(the|arrows)\>//g; s/ or /, /g' | tr ',' '\n' | awk -F' */ *' '{
    for (i = 1; i <= NF; i++) { k = $i; gsub(/^ +| +$/, "", k)
      if (i > 1 && $1 ~ /keypad/) k = "keypad " k; if (k != "") print k } }' | sort -u
}
help=$("$1" --help | sed -n '/^Controls:/,$s/^  \(.\{27\}\).*/\1/p' | names)
diff <(echo "$help") <(sed -n '/^\.TS/,/^\.TE/{/\t/s/\t.*//p}' "$root/dist/rally.6.in" | names)
diff <(echo "$help") <(awk -F' *\\| *' '/^## /{ c = $0 == "## Controls" }
  c && /^\| / && n++ { print $3 }' "$root/README.md" | names)
