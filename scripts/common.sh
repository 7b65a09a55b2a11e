# Shared by the play and test commands: install what the build needs, configure, build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"

BUILD_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2 fonts-dejavu-core
    dpkg-dev file desktop-file-utils appstream
)

# The Windows build, made here and run under Wine (scripts/windows).
WINDOWS_PACKAGES=(
    cmake ninja-build qt6-base-dev qt6-translations-l10n libgtest-dev xz-utils
    g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 fonts-wine nsis
    xvfb xdotool imagemagick python3
)

# Installs the Debian packages in "$@" that are not installed yet.
ensure_packages() {
    local missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_tree() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
    cmake --build "$BUILD_DIR" --parallel
}
