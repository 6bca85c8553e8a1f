#!/usr/bin/env bash
# One scripted session of the static handheld binary under qemu-mipsel, beside the same session of
# the desktop build in the gpio flavour: both exit 0 and print the same standard error, byte for
# byte.
#
#   session_test.sh CPU STATIC_BINARY DESKTOP_GPIO_BINARY SESSION_DRIVER
#
# Both run in a fresh folder with a copy of data/; the desktop build reads its buttons from the
# file gpio3_pxpin there.
#
# CPU 4Kc is a release 1 processor without FPU, on which release 2 instructions trap. It runs with
# no audio device: qemu's user mode has no floating-point emulator, and SDL's dummy and disk audio
# drivers time themselves in floating point. CPU 24Kf has an FPU: it runs with SDL's disk audio,
# whose output must hold the blips.
set -euo pipefail
cpu=$1 static=$(realpath "$2") desktop=$(realpath "$3") driver=$(realpath "$4")
# The menu, two players, a volume click, a match left with SELECT after its first paddle hit (the
# right paddle's blip), the menu again, and quit. Random turns, which follow musl's rand() on one
# side and glibc's on the other, start with that hit: the ball is still far from the left paddle.
script='-*3 y*1 -*1 i*1 -*1 a*1 -*100 t*1 -*2 t*1'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$(dirname "$0")/../../data" "$work/"
mkdir -p "$work/prefix/proc/jz"
cd "$work"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=none SDL_DISKAUDIOFILE=sound.raw
[ "$cpu" = 4Kc ] || SDL_AUDIODRIVER=disk

# session NAME BUTTON_FILE COMMAND...: standard error in NAME.err, sound in NAME.raw.
session() {
  local name=$1 file=$2 start=$SECONDS status=0
  shift 2
  "$driver" "$file" "$script" "$@" 2> "$name.err" || status=$?
  [ ! -f sound.raw ] || mv sound.raw "$name.raw"
  echo "$name: exit status $status in $((SECONDS - start)) s; standard error:"
  sed 's/^/  | /' "$name.err" && echo
  [ $status -eq 0 ]
}
session desktop gpio3_pxpin "$desktop"
session emulated prefix/proc/jz/gpio3_pxpin qemu-mipsel -cpu "$cpu" -L prefix "$static"
cmp desktop.err emulated.err
echo "qemu-mipsel -cpu $cpu: the same standard error, byte for byte"
if [ "$cpu" != 4Kc ]; then
  sound=$(tr -d '\0' < emulated.raw | wc -c)
  echo "Disk audio: $sound bytes of $(wc -c < emulated.raw) are not zero"
  [ "$sound" -gt 0 ]
fi
