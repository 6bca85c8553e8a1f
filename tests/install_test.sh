#!/usr/bin/env bash
# The desktop edition installed into a temporary prefix, against tests/golden/install.txt: the
# files installed, what desktop-file-validate and man say of the entry and the manual page, the
# command line, the installed game started headless from a folder without data and ended by
# SIGTERM, a copy without its data, and a start without any display. Lines of standard
# error start with "! ".
#
#   install_test.sh BUILD_DIR        (RALLY_UPDATE_RECORD=1: rewrite the record)
set -euo pipefail
build=$(cd "$1" && pwd) record=$(realpath "$(dirname "$0")/golden/install.txt")
prefix=$(mktemp -d)
trap 'rm -rf "$prefix" "$prefix".*' EXIT
export XDG_CONFIG_HOME=$prefix.config
cmake --install "$build" --prefix "$prefix" >/dev/null
cd "$prefix"  # holds no data/
# run COMMAND...: what it wrote and its status (what a game in the background wrote too).
run() { local status=0; "$@" >>"$prefix.out" 2>>"$prefix.err" || status=$?
  cat "$prefix.out"; awk '{ print "! " $0 }' "$prefix.err"; echo "status $status"
  rm "$prefix.out" "$prefix.err"; }
{
  find . -type f -printf '%m %P\n' | LC_ALL=C sort
  sed -n "s|$prefix|PREFIX|p" share/applications/rally.desktop
  desktop-file-validate share/applications/rally.desktop
  LC_ALL=C.UTF-8 man --warnings -l share/man/man6/rally.6 2>&1 >/dev/null
  for args in --help --version --bogus -x --scale "--scale 0" "--scale 17" "--scale 2x" extra \
    "--renderer fast" --renderer; do
    echo "rally $args:" && run bin/rally $args
  done
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy bin/rally >>"$prefix.out" 2>>"$prefix.err" & pid=$!
  for _ in $(seq 1000); do  # SIGTERM once the game itself catches it (SigCgt bit 14)
    [ "$(readlink /proc/$pid/exe)" = "$(realpath bin/rally)" ] &&
      (( 0x$(awk '/^SigCgt/ {print $2}' /proc/$pid/status) & 1 << 14 )) && break || sleep 0.01
  done
  kill -TERM $pid && echo "bin/rally ended by SIGTERM:" && run wait $pid
  echo "settings kept:" && cat "$XDG_CONFIG_HOME/rally/settings"
  mkdir "$prefix.alone" && cp bin/rally "$prefix.alone/"  # a game without its data
  echo "rally alone:" && run "$prefix.alone/rally" | sed "s|$prefix|PREFIX|g"
  echo "no display:"
  run env -u DISPLAY -u SDL_VIDEODRIVER SDL_FBDEV=/nonexistent SDL_AUDIODRIVER=dummy bin/rally
} > "$prefix.now"
[ -z "${RALLY_UPDATE_RECORD:-}" ] || { cp "$prefix.now" "$record" &&
  echo "Rewrote $record: look at the change, then run again" && exit 1; }
diff "$record" "$prefix.now"
