#!/usr/bin/env bash
# The desktop edition installed into a temporary prefix: its files, desktop entry and manual page,
# its command line, headless runs from another folder, and a start without any display.
set -euo pipefail
build=$(cd "$1" && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
rally=$prefix/bin/rally
entry=$prefix/share/applications/rally.desktop
for size in 16 32 48 64 128 256; do
  [ -s "$prefix/share/icons/hicolor/${size}x$size/apps/rally.png" ] || fail "no ${size}px icon"
done
out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$out" ] || fail "desktop entry: $out"
grep -qxF "Exec=\"$rally\"" "$entry" || fail "Exec= is not $rally"
out=$(LC_ALL=C.UTF-8 man --warnings -l "$prefix/share/man/man6/rally.6" 2>&1 >/dev/null) &&
  [ -z "$out" ] || fail "man: $out"

cd "$prefix"  # holds no data/
help=$("$rally" --help) || fail "--help"
for option in --fullscreen --scale --help --version; do
  grep -q -- "$option" <<<"$help" || fail "--help does not name $option"
done
"$rally" --version | grep -qx "rally [0-9.]*" || fail "--version"
for args in --bogus --scale "--scale 0" "--scale 17" "--scale 2x" extra; do
  status=0; "$rally" $args >out 2>err || status=$?
  [ $status -eq 2 ] && [ ! -s out ] && grep -q "^Usage: rally" err || fail "$args: status $status"
done

# SIGTERM is a quit request once SDL has started: the game leaves through its screens.
for game in "$rally" "$build/rally"; do
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$game" >out 2>err & pid=$!
  # SigCgt bit 14 is SIGTERM; until the game is exec'd, the shell's own handler shows there.
  for _ in $(seq 3000); do
    [ "$(readlink "/proc/$pid/exe")" = "$(realpath "$game")" ] &&
      (( 0x$(awk '/^SigCgt/ {print $2}' "/proc/$pid/status") & 1 << 14 )) && break
    sleep 0.01
  done
  kill -TERM $pid
  status=0; wait $pid || status=$?
  [ $status -eq 0 ] && [ ! -s out ] && [ ! -s err ] || fail "$game: status $status, $(cat err)"
done

# No display: the failed start-up's messages, and status 0, without a text-mode fallback.
status=0
env -u DISPLAY -u SDL_VIDEODRIVER SDL_FBDEV=/nonexistent SDL_AUDIODRIVER=dummy "$rally" >out 2>err ||
  status=$?
printf 'Unable to initialize SDL: No available video device\nsdl init failedload graphics failed' |
  cmp -s - err && [ ! -s out ] && [ $status -eq 0 ] || fail "without a display: $status, $(cat err)"
echo "install test passed"
