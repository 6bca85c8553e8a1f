#!/usr/bin/env bash
# The handheld's static binaries on an emulated MIPS Linux machine (QEMU's Malta board with a
# 24Kc, release 2 without an FPU, so the kernel emulates every floating-point instruction):
# Debian's Malta kernel, the Cirrus framebuffer, an ES1370 sound card through OSS, the PS/2
# keyboard and a virtual console, nothing of SDL's set by the environment. The sessions of
# tests/golden/system.txt run there (the gpio ones twice, the second time under a seccomp filter
# that answers ENOSYS to every system call that Linux 2.6.24 lacks), and must:
#   - end with status 0 and write on standard error what the file records, which for a session
#     of the same name and script in program.txt is what the desktop's gpio build writes;
#   - show at each stop, pixel for pixel in 16-bit colour, the picture that the game shows in
#     process at the same reading of the same script (rally_pictures);
#   - be heard: the card's output holds the blips that the game started in process, in order.
# It prints the kernel's floating-point emulation counts.
#
#   system_test.sh PICTURES     (PICTURES: the desktop build's rally_pictures)
set -euo pipefail
cd "$(dirname "$0")/../.."
pictures=$(realpath "$1")
source scripts/handheld-env.sh
system=$RALLY_CACHE/system
work=$(mktemp -d)
# A failed run leaves what it saw in build-system-failure/ (or RALLY_SYSTEM_KEEP).
keep=${RALLY_SYSTEM_KEEP:-$PWD/build-system-failure}
trap 'status=$?; [ $status -eq 0 ] || { rm -rf "$keep" && cp -r "$work" "$keep" &&
  echo "What the machine did: $keep"; }; rm -rf "$work"' EXIT
for binary in build-handheld/rally build-handheld-keyboard/rally build-handheld/rally_session; do
  [ -x "$binary" ] || { echo "$binary is missing: scripts/handheld-checks.sh builds it" && exit 1; }
done

# Debian's Malta kernel (the package its meta-package names today) and busybox, fetched once.
private_apt
kernel=$(private_apt_cache depends linux-image-4kc-malta:mipsel | awk '/Depends: linux-image-/ {
  sub(/:mipsel$/, "", $2); print $2; exit }')
if [ ! -f "$system/$kernel/complete" ]; then
  rm -rf "$system" && mkdir -p "$system/$kernel"
  (cd "$system" && private_apt_get download -qq "$kernel:mipsel" busybox-static:mipsel)
  for deb in "$system"/*.deb; do dpkg-deb -x "$deb" "$system/$kernel"; done
  rm "$system"/*.deb && touch "$system/$kernel/complete"
fi
echo "Kernel: $kernel ($(private_apt_cache show "$kernel:mipsel" | awk '/^Version:/ { print $2 }'))"

# The initramfs: busybox, the sound modules with those they need, the games, the session driver.
root=$work/root modules=$(echo "$system/$kernel"/lib/modules/*)
mkdir -p "$root"/{bin,dev,kproc,sys,proc/jz,tmp} "$root/lib/modules/${modules##*/}"
cp "$system/$kernel/bin/busybox" build-handheld/rally_session "$root/bin/"
cp build-handheld/rally "$root/rally" && cp build-handheld-keyboard/rally "$root/rally-keyboard"
cp -r data tests/system/init "$root/"
add_module() {
  local file
  file=$(find "$modules/kernel" -name "$1.ko")
  [ -f "$root/lib/modules/${modules##*/}/${file#"$modules/"}" ] && return 0
  install -D -m 644 "$file" "$root/lib/modules/${modules##*/}/${file#"$modules/"}"
  for needed in $(strings "$file" | sed -n 's/^depends=//p' | tr , ' '); do add_module "$needed"; done
}
add_module snd-ens1370 && add_module snd-pcm-oss

# The sessions, the gpio ones again under the 2.6.24 limit; each one's reference pictures and
# what it must do.
grep -v '^#' tests/golden/system.txt | while IFS='|' read -r name flavour setup script stderr; do
  name=$(echo $name) flavour=$(echo $flavour)
  mkdir -p "$work/ref/$name" && touch "$work/ref/$name.log"
  [[ "$script" != *@* ]] || "$pictures" "$work/ref/$name" "$script" > "$work/ref/$name.log" ||
    { cat "$work/ref/$name.log" && exit 1; }
  [ "$flavour" = gpio ] || { mkdir -p "$work/keys" && echo "$script" > "$work/keys/$name"; }
  for run in "$name" "$name-2.6.24"; do
    { awk -v run="$run" '/^stop / { print "picture " run "/" $2 " 0" }' "$work/ref/$name.log"
      echo "stderr $run$stderr" && echo "status $run 0"; } >> "$work/expected.$run"
    [ "$run" = "$name" ] || [ "$flavour" = gpio ] || break
    echo "$run|$flavour|$setup|$script|${run#"$name"}" | sed 's/|-2.6.24$/|4320/' >> "$work/sessions"
    echo "$run" >> "$work/order"
  done
done
cp "$work/sessions" "$root/sessions"
(cd "$root" && find . | cpio -o -H newc --quiet | gzip -1 > "$work/initrd.gz")

start=$SECONDS
python3 tests/system/machine.py "$work" "$system/$kernel"/boot/vmlinuz-* "$work/initrd.gz" ||
  { tail -n 20 "$work/kernel.log" "$work/qemu.log" && exit 1; }
echo "The machine ran $(wc -l < "$work/sessions") sessions in $((SECONDS - start)) s"

# What each session did, then the blips heard in all of them, in order.
while read -r run; do cat "$work/expected.$run"; done < "$work/order" > "$work/expected"
echo "blips heard:$(while read -r run; do
  sed -n 's/^blips://p' "$work/ref/${run%-2.6.24}.log"; done < "$work/order" | tr -d '\n')" \
  >> "$work/expected"
diff "$work/expected" <(grep -vE '^(fpu|syscalls|sounds) ' "$work/report")
echo "Every picture as the desktop build shows it, every session's messages and status as"
echo "recorded, the blips heard in order: $(tail -n 1 "$work/expected")"

# A gpio session named in program.txt writes what the desktop's gpio build writes there.
same() { grep -v '^#' "$1" | awk -F' [|] ' -v gpio="${2:-}" 'NF > 4 && $2 != gpio { next }
  { print $1 " | " $(NF - 1) " | " $NF }' | sort; }
comm -12 <(same tests/golden/program.txt | cut -d'|' -f1 | sort) \
  <(same tests/golden/system.txt gpio | cut -d'|' -f1 | sort) > "$work/named"
comm -23 <(same tests/golden/system.txt gpio | grep -Ff "$work/named") \
  <(same tests/golden/program.txt) | awk '{ print "Not as the gpio build writes: " $0 }
  END { exit NR > 0 }'

# Every system call the games made is one that the table lists.
numbers=$(sed -n 's/^syscalls //p' "$work/report" | tr ' ' '\n' | grep -E '^[0-9]+$' | sort -un)
for number in $numbers; do
  grep -q "^$number " tests/golden/syscalls.txt || echo "A system call not in tests/golden/\
syscalls.txt: $number $(sed -n "s/#define __NR_\([a-z0-9_]*\).*(__NR_Linux + $((number - 4000)))$/\1/p" \
    /usr/mipsel-linux-gnu/include/asm/unistd_o32.h)"
done | awk '{ print } END { exit NR > 0 }'
echo "$(echo "$numbers" | wc -w) system calls, all in tests/golden/syscalls.txt"

# The kernel's floating-point emulation: at the start of the first session, after the menu's
# slide-in, and across the stretches of menu and play between the stops.
awk 'FNR == NR { if ($1 == "stop") at[$2] = $3; next }
  $1 == "fpu" { count[$2] = $3 }
  END { printf "Floating-point instructions emulated: %d at start-up, %.2f per menu frame, " \
    "%.2f per play frame\n", count["match/menu"] - count["match"],
    (count["match/menu_later"] - count["match/menu"]) / (at["menu_later"] - at["menu"]),
    (count["match/play_later"] - count["match/play"]) / (at["play_later"] - at["play"]) }' \
  "$work/ref/match.log" "$work/report"
