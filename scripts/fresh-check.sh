#!/usr/bin/env bash
# The fresh-root check, which CI runs once, last: the README's commands on a clone of this commit,
# each in a minimal Debian root of its own (debootstrap --variant=minbase, from the archive that
# this machine's apt sources name), entered through bwrap with its own /proc, /dev and /tmp:
#   - scripts/play.sh --version prints the version and exits 0; then `cmake --install` of its
#     build installs,
#     and scripts/build-web.sh makes the web edition's page and zip;
#   - scripts/package-handheld.sh zip, in another root, makes the package, and the source archive
#     with this commit's files and the Debian source packages.
# (What the installed files and the packages hold is the install and package tests' to check.)
# It prints the megabytes that each command added under /usr. The roots are removed afterwards,
# whatever happens. The bare root (named after the release and the archive) and apt's downloads are
# kept in the cache (RALLY_CACHE, by default ~/.cache/rally).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh  # install_deps, RALLY_CACHE
install_deps fresh
cache=$RALLY_CACHE/fresh
work=$(mktemp -d /var/tmp/rally-fresh.XXXXXX)
# No mount is left inside a root once bwrap has ended; --one-file-system keeps it so regardless.
trap 'rm -rf --one-file-system "$work"' EXIT
trap 'exit 1' INT TERM HUP
mkdir -p "$cache/archives/partial"
release=$(. /etc/os-release && echo "$VERSION_CODENAME")
version=$(sed -n 's/^project(rally VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# The bare root, made once from the first archive that this machine's apt reads for this release.
archive=$(apt-get indextargets --format '$(REPO_URI)' "Release: $release" | sed -n '1s|/$||p')
[ -n "$archive" ] || { echo "No archive of $release in this machine's apt sources" && exit 1; }
bare=$cache/bare-$release-$(echo "$archive" | sha256sum | cut -c 1-16).tar
if [ ! -f "$bare" ]; then
  debootstrap --variant=minbase --cache-dir="$cache/archives" "$release" "$work/bare" "$archive" \
    > "$work/debootstrap.log" || { tail -n 20 "$work/debootstrap.log" && exit 1; }
  tar -C "$work/bare" -cf "$bare.new" . && mv "$bare.new" "$bare"
  rm -rf --one-file-system "$work/bare"
fi

# A fresh copy of the bare root with this machine's apt sources and settings (a proxy, say) and a
# clone of this commit, in $work/root.
fresh_root() {
  rm -rf --one-file-system "$work/root" && mkdir "$work/root"
  tar -C "$work/root" -xf "$bare"
  rm -f "$work/root/etc/apt/sources.list"
  cp -r /etc/apt/sources.list* /etc/apt/apt.conf.d /etc/apt/preferences.d "$work/root/etc/apt/" \
    2> /dev/null || true
  # Downloads stay in the cache bound into the root, whatever the copied settings say.
  printf '%s\n' '#clear DPkg::Post-Invoke;' '#clear APT::Update::Post-Invoke;' \
    'APT::Keep-Downloaded-Packages "true";' 'Binary::apt::APT::Keep-Downloaded-Packages "true";' \
    > "$work/root/etc/apt/apt.conf.d/zz-rally-keep-downloads"
  git clone -q "$PWD" "$work/root/root/rally"
  git -C "$work/root/root/rally" checkout -q "$(git rev-parse HEAD)"
}
inside() {
  bwrap --bind "$work/root" / --proc /proc --dev /dev --perms 1777 --tmpfs /tmp \
    --ro-bind /etc/resolv.conf /etc/resolv.conf --bind "$cache/archives" /var/cache/apt/archives \
    --unshare-pid --die-with-parent --setenv HOME /root --chdir /root/rally "$@"
}
usr() { du -sm "$work/root/usr" | cut -f1; }

fresh_root
before=$(usr)
inside bash scripts/play.sh --version > "$work/out" 2>&1 || { tail -n 30 "$work/out" && exit 1; }
grep -qF "$version" "$work/out" || { tail -n 5 "$work/out" && exit 1; }
echo "play.sh --version: $(tail -n 1 "$work/out"), $(($(usr) - before)) MB added under /usr" \
  "(the bare root's: $before MB)"
inside cmake --install build --prefix /root/prefix > /dev/null
echo "cmake --install: $(inside find /root/prefix -type f | wc -l) files"
# The web edition in the same root: scripts/build-web.sh installs Emscripten and makes the page and
# its zip.
before=$(usr)
inside bash scripts/build-web.sh > "$work/out" 2>&1 || { tail -n 30 "$work/out" && exit 1; }
inside test -s "build-web/rally-web-$version.zip"
echo "build-web.sh: $(tail -n 1 "$work/out"), $(($(usr) - before)) MB more under /usr"

# The handheld's .zip in a root of its own (the .opk needs the same packages), with the source
# archive made beside it: this commit's files, and the Debian source packages.
fresh_root && before=$(usr)
inside bash scripts/package-handheld.sh zip > "$work/out" 2>&1 ||
  { tail -n 30 "$work/out" && exit 1; }
echo "package-handheld.sh zip: $(du -k "$work/root/root/rally/build-handheld/rally.zip" |
  cut -f1) KB, $(($(usr) - before)) MB added under /usr"
archive=$work/root/root/rally/build-handheld/rally-$version-source.tar.gz
tar -tzf "$archive" | grep -v '/$' | sed "s|^rally-$version/||" > "$work/archived"
git ls-tree -r --name-only HEAD | sort > "$work/committed"
grep -v '^debian-sources/' "$work/archived" | sort | diff "$work/committed" - ||
  { echo "The source archive's files are not this commit's" && exit 1; }
echo "  and ${archive##*/}: the commit's $(wc -l < "$work/committed") files, and" \
  "$(sed -n 's|^debian-sources/\(.*\)\.dsc$|\1|p' "$work/archived" | paste -sd ' ' -)"
