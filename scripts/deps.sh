# Sourced by the scripts: installs Debian's packages for the purposes named as arguments (one list
# each), asking apt only when one is missing. The lists:
#   build       what every build needs: CMake, make, pkg-config
#   play        building and playing the game: the compiler, SDL and SDL_mixer (with build)
#   test        the test suite: the asset generator's SDL_gfx (shapes, the 8x8 font) and libpng
#               (the icons), GoogleTest, the desktop entry's and manual page's checkers,
#               clang-format, and a virtual X display with OpenGL, a window finder, window
#               states, ImageMagick and Python to capture and compare the desktop's pictures, and
#               SDL 2 for sdl12-compat, which the display test also runs the game on
#   long        the long checks: clang with its fuzzing run-time, valgrind, strace
#   handheld    the handheld build and packages: the cross compiler (musl, SDL and SDL_mixer come
#               from Debian's sources, SDL with a patch of ours), zip, SquashFS, git for the source
#               archive, and qemu's user mode for its checks (with build)
#   screenshot  the screenshot: a virtual X display, a window finder, ImageMagick, window sizes
#   web         the web edition: Emscripten (with its Node.js and LLVM), zip for its package (with
#               build)
#   browser     the web edition's check: Chromium, headless, driven over the DevTools protocol by
#               Python's websocket client
#   fresh       the fresh-root check: a minimal Debian root, a sandbox to enter it, a clone
# Where the scripts keep what they fetch and build from Debian's archive, outside the checkout, so
# that a new clone on the same machine reuses it; each thing in it is kept under a name made from
# what it was built from.
RALLY_CACHE=${RALLY_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/rally}

declare -A RALLY_DEPS=(
  [build]="cmake make pkg-config"
  [play]="g++ libsdl1.2-dev libsdl-mixer1.2-dev"
  [test]="libsdl-gfx1.2-dev libpng-dev libgtest-dev desktop-file-utils man-db clang-format xvfb
          libgl1-mesa-dri xdotool x11-utils imagemagick python3 libsdl2-2.0-0"
  [long]="clang libclang-rt-14-dev valgrind strace"
  [handheld]="g++-mipsel-linux-gnu dpkg-dev patch file zip unzip squashfs-tools git qemu-user"
  [screenshot]="xvfb libgl1-mesa-dri xdotool x11-utils imagemagick"
  [web]="emscripten zip"
  [browser]="chromium python3-websocket"
  [fresh]="debootstrap bubblewrap git"
)

install_deps() {
  local missing=() package purpose
  for purpose in "$@"; do
    [ -n "${RALLY_DEPS[$purpose]:-}" ] || { echo "install_deps: no list $purpose" >&2 && return 1; }
    for package in ${RALLY_DEPS[$purpose]}; do
      dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
    done
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# unpack_package PACKAGE FOLDER: Debian's package unpacked into FOLDER (never installed), once.
unpack_package() {
  [ ! -f "$2/.unpacked" ] || return 0
  local download
  download=$(mktemp -d)
  (cd "$download" && { apt-get download -qq "$1" 2> /dev/null ||
    { apt-get update -qq && apt-get download -qq "$1"; }; }) &&
    rm -rf "$2" && mkdir -p "$2" && dpkg-deb -x "$download"/*.deb "$2" && touch "$2/.unpacked"
  local status=$?
  rm -rf "$download"
  return $status
}
