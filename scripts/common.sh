# Shared by the play and test commands: install what the build needs, configure, build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
SUITE_COUNTS=()  # one line per test suite run, filled by run_suite

BUILD_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev libfontconfig-dev qt6-translations-l10n qt6-tools-dev qt6-l10n-tools
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2 fonts-dejavu-core
    dpkg-dev file desktop-file-utils appstream
    xvfb openbox xdotool x11-utils imagemagick
    dbus at-spi2-core python3-pyatspi  # a real accessibility bus for the screen-reader test
    syncthing  # three instances on 127.0.0.1 for the synced-folder test
    faketime   # writers whose clocks are a minute off
    python3    # free ports for the share servers
)
# The fuzz targets of the test command are built with Clang and its libFuzzer;
# the sources are checked with clang-format and clang-tidy.
FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)
# The test command checks the sources with clang-tidy and its parallel runner.
TIDY_PACKAGES=(clang-tidy clang-format)

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
    cmake --build "$BUILD_DIR" --parallel 2
}

# The house style: every C++ file as clang-format would write it.
check_format() {
    local files
    mapfile -t files < <(cd "$ROOT" && git ls-files '*.cpp' '*.h')
    if (cd "$ROOT" && clang-format --dry-run --Werror "${files[@]}"); then
        SUITE_COUNTS+=("clang-format: ${#files[@]} files as the house style writes them")
    else
        SUITE_COUNTS+=("clang-format: FILES DIFFER (run clang-format -i on them)")
        return 1
    fi
}

# Runs the CTest suite of a build tree and prints how many of its tests passed;
# returns CTest's status.
run_suite() {
    local name="$1" dir="$2" log status=0
    shift 2
    log="$(mktemp)"
    (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2 --timeout 300 "$@") 2>&1 | tee "$log" || status=$?
    local total failed skipped
    total=$(grep -oP 'tests failed out of \K[0-9]+' "$log" || echo 0)
    failed=$(grep -oP '[0-9]+(?= tests? failed out of)' "$log" || echo "$total")
    skipped=$(grep -cP '^\s+[0-9]+ - .* \(Skipped\)$' "$log" || true)
    rm -f "$log"
    SUITE_COUNTS+=("$name suite: $((total - failed - skipped)) passed, $skipped skipped, $failed failed, of $total tests")
    echo "== ${SUITE_COUNTS[-1]}"
    return $status
}
