#!/usr/bin/env bash
# Packs the handheld build, one command each:
#
#   scripts/package-handheld.sh zip     build-handheld/rally.zip, for the handheld's own firmware
#   scripts/package-handheld.sh opk     build-handheld/rally.opk, for OpenDingux
#   scripts/package-handheld.sh source  build-handheld/rally-VERSION-source.tar.gz
#
# zip and opk make the source archive too, so that every package goes out with the source it was
# built from. VERSION is the one in CMakeLists.txt's project().
#
# The .zip holds the game's folder rally/ (rally.dge, the static binary; data/; icon.png;
# LICENSES/) and gmenu2x/sections/games/rally, the entry of the launcher's games section. The
# entry points into RALLY_INSTALL_DIR, where rally/ goes on the handheld: by default
# /usr/local/games/rally, the folder local/games/rally of the memory card. The .opk is a SquashFS
# image of the game built in the keyboard flavour, with its desktop entry and LICENSES/.
#
# LICENSES/ holds the game's license and copyright, and for each library linked into the static
# binary (musl, SDL, SDL_mixer, GCC's run-time) its license text and Debian's copyright file,
# copied from the sources and the compiler that the build used, with a README naming the Debian
# packages and their versions and telling how to rebuild the binary with a changed SDL.
#
# The source archive holds the commit being packed (git archive) in rally-VERSION/, and in its
# debian-sources/ the Debian source packages that musl, SDL and SDL_mixer were built from;
# scripts/build-handheld.sh builds from that folder when it is there. The patch the build applies
# to SDL is in scripts/ with the rest.
#
# Packages are made from a clean checkout: when tracked files have changes that are not
# committed, the script stops. RALLY_ALLOW_DIRTY=1 packs anyway, with a warning on standard error
# and in LICENSES/README: the source archive then holds the commit, not the changes.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/handheld-env.sh  # install_deps, RALLY_SOURCES, RALLY_STATIC_ROOT
install_deps build handheld
umask 022

install_dir=${RALLY_INSTALL_DIR:-/usr/local/games/rally}
description="Two-paddle bat-and-ball game for one or two players"
version=$(sed -n 's/^project(rally VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "No version in CMakeLists.txt's project()" >&2 && exit 1; }
source_archive=rally-$version-source.tar.gz

# Whether this is a git checkout with no change to its tracked files: stops if not, or with
# RALLY_ALLOW_DIRTY=1 warns and sets $unclean to the reason and $effect to what follows.
unclean=""
effect=""
checkout=yes
check_clean() {
  local advice
  if [ "$(git rev-parse --show-toplevel 2> /dev/null)" != "$(pwd -P)" ]; then
    checkout=no
    unclean="this folder is not a git checkout"
    effect="no source archive is made"
    advice="pack from a clone"
  elif [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    unclean="tracked files have changes that are not committed (git status lists them)"
    effect="the source archive holds the last commit, not these changes"
    advice="commit them"
  fi
  [ -n "$unclean" ] || return 0
  if [ "${RALLY_ALLOW_DIRTY:-}" != 1 ]; then
    echo "package-handheld.sh: $unclean: $advice, or set RALLY_ALLOW_DIRTY=1 to pack anyway" \
      "($effect)" >&2
    exit 1
  fi
  {
    echo "**********************************************************************************"
    echo "WARNING: $unclean."
    echo "WARNING: packing anyway (RALLY_ALLOW_DIRTY=1), and $effect:"
    echo "WARNING: these packages are not a release."
    echo "**********************************************************************************"
  } >&2
}

# Stages the game in folder $1: the binary of build folder $2 named $3, data/, the 32x32 icon
# named $4, and the notices.
stage() {
  rm -rf "$1" && mkdir -p "$1"
  install -m 755 "$2/rally" "$1/$3"
  cp -r data "$1/"
  cp icons/rally-32.png "$1/$4"
  notices "$1/LICENSES" "$2"
}

# The version of Debian's source package $1, from the .dsc that the build fetched.
dsc_version() { sed -n 's/^Version: //p' "$RALLY_SOURCES/$1"_*.dsc; }

# The notices of the binary of build folder $2 into folder $1: the game's, those of musl, SDL and
# SDL_mixer from their source packages (the upstream license file and debian/copyright), GCC's
# run-time's from the installed package of each compiler file on the binary's link line, and
# README.
notices() {
  local dir=$1 src=$RALLY_SOURCES file package packages=() first=""
  rm -rf "$dir" && mkdir -p "$dir"/{rally,musl,SDL,SDL_mixer,gcc}
  install -m 644 LICENSE dist/copyright "$dir/rally/"
  install -m 644 "$src/musl/COPYRIGHT" "$dir/musl/"
  install -m 644 "$src/musl/debian/copyright" "$dir/musl/"
  install -m 644 "$src/libsdl1.2/COPYING" "$dir/SDL/"
  install -m 644 "$src/libsdl1.2/debian/copyright" "$dir/SDL/"
  install -m 644 "$src/sdl-mixer1.2/COPYING" "$dir/SDL_mixer/"
  install -m 644 "$src/sdl-mixer1.2/debian/copyright" "$dir/SDL_mixer/"

  # The compiler's files on the link line (those not in the static root nor the build folder),
  # each with the Debian package that installed it; one copyright file stands for all of them.
  for file in $(tr ' ' '\n' < "$2/CMakeFiles/rally.dir/link.txt" | grep -E '^/.*\.[ao]$' |
    grep -vF "$RALLY_STATIC_ROOT/"); do
    package=$(dpkg -S "$(readlink -f "$file")" | sed 's/[:,].*//')
    if [ -z "$first" ]; then
      first=$package
      install -m 644 "/usr/share/doc/$package/copyright" "$dir/gcc/"
    elif ! cmp -s "/usr/share/doc/$package/copyright" "$dir/gcc/copyright"; then
      echo "$file comes from $package, whose copyright file differs from $first's" >&2
      return 1
    fi
    [[ " ${packages[*]} " == *" $package "* ]] || packages+=("$package")
  done
  [ -n "$first" ] || { echo "No compiler file on $2's link line" >&2 && return 1; }
  # Debian's copyright file of GCC names the GPL's text by its place in base-files.
  install -m 644 /usr/share/common-licenses/GPL-3 "$dir/gcc/"

  local compiler="" commit="(not a git checkout)" release source_package package_version
  release=$(. /etc/os-release && echo "$PRETTY_NAME")
  for package in "${packages[@]}"; do
    package_version=$(dpkg-query -W -f '${Version}' "$package")
    compiler+="              Debian package $package $package_version"$'\n'
  done
  source_package=$(dpkg-query -W -f '${source:Package} ${source:Version}' "$first")
  [ $checkout = no ] || commit=$(git rev-parse HEAD)
  {
    cat <<EOF
rally $version for the handheld: what its binary holds, and under which terms

The game's binary (rally.dge in the .zip's folder rally/, rally in the .opk) is one static
program: rally's own code linked with the libraries below, each built from the Debian package
named, as $release has it.
Each folder here holds the notices of one part as its source carries them: the upstream license
file, and Debian's copyright file ("copyright", from debian/ in the source package, or from
/usr/share/doc/PACKAGE/ of the compiler's package).

  rally/      rally's code and art (MIT license): LICENSE, and copyright in Debian's
              machine-readable format, which also credits the 8x8 font of SDL_gfx (zlib
              license) whose glyphs make the lettering of three pictures in data/
  musl/       musl, the C library (MIT license): COPYRIGHT, copyright
              Debian source package musl $(dsc_version musl)
  SDL/        SDL 1.2 (GNU LGPL 2.1), with rally's patch scripts/sdl-fbcon-no-mouse.patch:
              COPYING, copyright
              Debian source package libsdl1.2 $(dsc_version libsdl1.2)
  SDL_mixer/  SDL_mixer 1.2 (zlib license): COPYING, copyright
              Debian source package sdl-mixer1.2 $(dsc_version sdl-mixer1.2)
  gcc/        GCC's run-time: libgcc, libgcc_eh, libsupc++ and the start files crtbeginT.o and
              crtend.o (GNU GPL 3 with the GCC Runtime Library Exception): copyright, which
              holds the exception, and GPL-3
${compiler}              (the cross compiler's, from the source package $source_package)

The source

$source_archive, published with this package, holds the source of this binary: rally
at commit
  $commit
in rally-$version/, and in rally-$version/debian-sources/ the Debian source packages (.dsc,
original and Debian tarballs) that musl, SDL and SDL_mixer were built from. The build's change
to SDL is rally-$version/scripts/sdl-fbcon-no-mouse.patch.

Rebuilding with a changed SDL

SDL is under the GNU LGPL 2.1, which lets you change it and link the game with your SDL. On
$release
for amd64, as root or through sudo (the scripts install what they need with apt):

  tar -xzf $source_archive && cd rally-$version
  # Write your change to SDL, as a patch that \`patch -p1\` applies in SDL's source folder, into
  # scripts/sdl-fbcon-no-mouse.patch, after the change already there (the handheld has no
  # mouse: without that change SDL's framebuffer console does not open the display).
  bash scripts/build-handheld.sh            # build-handheld/rally: the .zip's rally.dge
  bash scripts/build-handheld.sh keyboard   # build-handheld-keyboard/rally: the .opk's rally

build-handheld.sh builds musl, SDL and SDL_mixer from debian-sources/ into its cache (~/.cache/rally),
SDL with the patch (again whenever the patch changes), then links the game with them. Copy
build-handheld/rally over rally/rally.dge on the memory card, or pack both packages anew with
\`RALLY_ALLOW_DIRTY=1 bash scripts/package-handheld.sh zip\` and \`... opk\` (outside a git
checkout they are made without a source archive: publish your changed source with them). To
link with an SDL built another way, configure the game with -DRALLY_STATIC_ROOT=FOLDER, a folder
laid out as the cache's mips32 folder is (see scripts/build-handheld.sh and cmake/mipsel-linux.cmake).
EOF
    [ -z "$unclean" ] || printf '%s\n' "" \
      "WARNING: this package is not a release. It was packed with RALLY_ALLOW_DIRTY=1:" \
      "$unclean;" "$effect."
  } > "$dir/README"
  chmod 644 "$dir/README"
}

# build-handheld/$source_archive: the commit in rally-$version/, with the Debian source packages
# that the libraries were built from in its debian-sources/.
pack_source() {
  if [ $checkout = no ]; then
    echo "WARNING: no source archive, since $unclean" >&2
    return 0
  fi
  local top=rally-$version staging=build-handheld/source package
  rm -rf "$staging" && mkdir -p "$staging/$top/debian-sources"
  git archive --format=tar --prefix="$top/" HEAD | tar -x -C "$staging"
  for package in musl libsdl1.2 sdl-mixer1.2; do
    cp "$RALLY_SOURCES/$package"_* "$staging/$top/debian-sources/"
  done
  chmod -R u+rwX,go+rX,go-w "$staging"
  tar -C "$staging" --sort=name --owner=0 --group=0 --numeric-owner \
    --mtime="@$(git log -1 --format=%ct HEAD)" -cf - "$top" |
    gzip -9n > "build-handheld/$source_archive"
  rm -rf "$staging"
  echo "Packed build-handheld/$source_archive (commit $(git rev-parse --short HEAD))"
}

case ${1:-} in
  zip)
    check_clean
    bash scripts/build-handheld.sh gpio
    files=build-handheld/zip
    rm -rf "$files"
    stage "$files/rally" build-handheld rally.dge icon.png
    mkdir -p "$files/gmenu2x/sections/games"
    printf '%s\n' "title=rally" "description=$description" "icon=$install_dir/icon.png" \
      "exec=$install_dir/rally.dge" "workdir=$install_dir" > "$files/gmenu2x/sections/games/rally"
    rm -f build-handheld/rally.zip
    (cd "$files" && zip -qrX ../rally.zip rally gmenu2x)
    echo "Packed build-handheld/rally.zip"
    pack_source
    ;;
  opk)
    check_clean
    bash scripts/build-handheld.sh keyboard
    files=build-handheld-keyboard/opk
    stage "$files" build-handheld-keyboard rally rally.png
    printf '%s\n' "[Desktop Entry]" "Name=rally" "Comment=$description" "Exec=rally" \
      "Terminal=false" "Type=Application" "StartupNotify=true" "Icon=rally" "Categories=games;" \
      > "$files/default.gcw0.desktop"
    mkdir -p build-handheld
    mksquashfs "$files" build-handheld/rally.opk -all-root -noappend -no-exports -no-xattrs \
      -quiet -no-progress
    echo "Packed build-handheld/rally.opk"
    pack_source
    ;;
  source)
    check_clean
    # The libraries' sources, fetched (and the libraries built) as the packages have them.
    bash scripts/build-handheld.sh gpio
    pack_source
    ;;
  *) echo "usage: $0 zip|opk|source" >&2 && exit 2 ;;
esac
