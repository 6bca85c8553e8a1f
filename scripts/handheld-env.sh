# shellcheck shell=bash
# Sourced by the handheld scripts: where their downloads and builds are kept, and a private apt
# configuration that reads the same archive as this machine (source packages and the mipsel lists
# too) without changing the machine's own apt or dpkg setup.
source scripts/deps.sh  # install_deps, RALLY_CACHE
# musl, SDL and SDL_mixer, static, for MIPS32 release 1: their Debian sources, their builds and
# the installed libraries, under a name made from the script and the patch that build them.
RALLY_HANDHELD_LIBS=$RALLY_CACHE/handheld-$(cat scripts/build-handheld.sh \
  scripts/sdl-fbcon-no-mouse.patch | sha256sum | cut -c 1-16)
RALLY_SOURCES=$RALLY_HANDHELD_LIBS/src
RALLY_STATIC_ROOT=$RALLY_HANDHELD_LIBS/mips32

# apt-get and apt-cache through the private configuration.
private_apt_get() { APT_CONFIG=$RALLY_CACHE/apt/apt.conf apt-get "$@"; }
private_apt_cache() { APT_CONFIG=$RALLY_CACHE/apt/apt.conf apt-cache "$@"; }

# The machine's entries for its own release, each as deb and deb-src, for every architecture,
# into DIR/sources.list and DIR/sources.list.d/machine.sources.
machine_sources() {
  local dir=$1 codename file
  mkdir -p "$dir/sources.list.d"
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    awk -v release="$codename" '$1 == "deb" {
      rest = $0; sub(/^deb[ \t]+(\[[^]]*\][ \t]+)?/, "", rest); split(rest, field)
      line = $0; gsub(/arch=[^] \t]*[ \t]*/, "", line); sub(/\[[ \t]*\][ \t]*/, "", line)
      if (field[2] ~ "^" release) { print line; sub(/^deb/, "deb-src", line); print line }
    }' "$file"
  done > "$dir/sources.list"
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk -v RS= -v ORS='\n\n' -v release="$codename" '
      /(^|\n)Types:[^\n]*deb/ && $0 ~ "\nSuites:[^\n]*" release && !/\nEnabled: *no/ {
        sub(/Types:[^\n]*/, "Types: deb deb-src"); gsub(/\nArchitectures:[^\n]*/, ""); print
      }' "$file"
  done > "$dir/sources.list.d/machine.sources"
  [ -s "$dir/sources.list" ] || [ -s "$dir/sources.list.d/machine.sources" ] ||
    { echo "No entry for $codename in this machine's apt sources: the scripts fetch" \
      "Debian's packages from the archive they name" >&2 && return 1; }
}

# Sets up the private configuration and reads its lists, at most once a day.
private_apt() {
  local apt=$RALLY_CACHE/apt
  [ -n "$(find "$apt/updated" -mtime -1 2> /dev/null)" ] && return 0
  mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial"
  : > "$apt/status"
  machine_sources "$apt"
  cat > "$apt/apt.conf" <<CONF
Dir::Etc::SourceList "$apt/sources.list";
Dir::Etc::SourceParts "$apt/sources.list.d";
Dir::State::Lists "$apt/lists";
Dir::State::status "$apt/status";
Dir::Cache "$apt/cache";
APT::Architectures { "$(dpkg --print-architecture)"; "mipsel"; };
APT::Sandbox::User "root";
CONF
  private_apt_get update -qq
  touch "$apt/updated"
}
