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

# Runs the CTest suite of a build tree and prints how many of its tests passed, naming
# those that failed; the end of a failed test's output goes to FAILED_OUTPUT, which the
# test command prints last, where a log cut to its tail still shows it. Returns CTest's status.
FAILED_OUTPUT=""
run_suite() {
    local name="$1" dir="$2" log status=0
    shift 2
    log="$(mktemp)"
    (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2 --timeout 300 "$@") 2>&1 | tee "$log" || status=$?
    local total failed skipped names
    total=$(grep -oP 'tests failed out of \K[0-9]+' "$log" || echo 0)
    failed=$(grep -oP '[0-9]+(?= tests? failed out of)' "$log" || echo "$total")
    skipped=$(grep -cP '^\s+[0-9]+ - .* \(Skipped\)$' "$log" || true)
    names=$(sed -n '/^The following tests FAILED:/,$s/^\s*[0-9]* - \(.*\)$/\1/p' "$log" | paste -sd, - | sed 's/,/, /g')
    rm -f "$log"
    SUITE_COUNTS+=("$name suite: $((total - failed - skipped)) passed, $skipped skipped, $failed failed, of $total tests${names:+: $names}")
    echo "== ${SUITE_COUNTS[-1]}"
    if [ -n "$names" ]; then
        FAILED_OUTPUT="${FAILED_OUTPUT:-$(mktemp)}"
        failed_output "$name" "$dir/Testing/Temporary/LastTest.log" "$names" >>"$FAILED_OUTPUT"
    fi
    return $status
}

# failed_output SUITE LOG NAMES: the last lines of the output of each test named (", " between
# names) in CTest's log.
failed_output() {
    awk -v suite="$1" -v names="$3" '
        BEGIN { count = split(names, list, ", "); for (i = 1; i <= count; i++) { sub(/ \(.*$/, "", list[i]); wanted[list[i]] = 1 } }
        /^[0-9]+\/[0-9]+ Test: / { name = $3; n = 0; inside = 0 }
        /^Output:$/ { inside = 1; getline; next }
        /^<end of output>$/ { inside = 0 }
        inside { lines[n++ % 25] = $0 }
        /^"[^"]*" end time:/ && name in wanted {
            printf "== %s: %s, the last %d lines of its output\n", suite, name, (n < 25 ? n : 25)
            for (i = (n < 25 ? 0 : n - 25); i < n; i++) print lines[i % 25]
        }' "$2"
}
