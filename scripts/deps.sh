# Sourced by play.sh and test.sh: installs the Debian packages that building and testing need (or
# those named as arguments), asking apt only when one is missing.
RALLY_PACKAGES=(
  g++ cmake make pkg-config
  libsdl1.2-dev libsdl-mixer1.2-dev  # the game: display, input events, audio
  libsdl-gfx1.2-dev                  # the asset generator: shapes and the 8x8 font
  libpng-dev                         # the asset generator: the icons
  libgtest-dev                       # the tests
  desktop-file-utils man-db          # the tests: the desktop entry and the manual page
  clang-format                       # the format check
  clang libclang-rt-14-dev           # the long checks: fuzzing
  valgrind strace                    # the long checks: the program's memory and figures
)

install_deps() {
  local missing=()
  [ $# -gt 0 ] || set -- "${RALLY_PACKAGES[@]}"
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}
