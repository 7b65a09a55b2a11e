#!/usr/bin/env bash
# Start-up time to a visible window of the Windows build under Wine, against a
# bare Qt window built the same way, the two started in turn so that the
# machine's load falls on both alike. Needs the Windows build with its
# benchmarks: source scripts/windows-env.sh; windows_build -DPOMROLA_BUILD_BENCH=ON
# Usage: bench/measure_window_wine.sh [runs]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$ROOT/scripts/windows-env.sh"
RUNS="${1:-20}"
ensure_packages xvfb xdotool x11-utils

export DISPLAY="${WINE_BENCH_DISPLAY:-:46}"
source "$ROOT/tests/desktop/session.sh"
unset QT_QPA_PLATFORM
start_xvfb
on_exit stop_wine
start_wine  # one Wine server for every run, as a desktop session has

# The settings file names a records folder with an empty records file, so that
# start-up shows no message box.
: > "$WORK/Pomrola99.rec"
local_app_data="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local"
mkdir -p "$local_app_data"
printf '[Data]\r\nName=User\r\nDirectory=Z:%s\r\n' "${WORK//\//\\}" > "$local_app_data/pomrola99.INI"

now_ns() { date +%s%N; }
time_to_window() {
    local title="$1" program="$2"
    local start; start=$(now_ns)
    (cd "$WORK" && exec "$WIN_BUILD_DIR/wine-run" "$program") >/dev/null 2>&1 &
    local pid=$!
    while kill -0 "$pid" 2>/dev/null; do
        if xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; then
            echo $(( ($(now_ns) - start) / 1000000 ))
            kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
            # The Windows process outlives the Wine loader that started it.
            while xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
                xdotool search --onlyvisible --name "$title" windowkill >/dev/null 2>&1 || true
                sleep 0.1
            done
            return 0
        fi
        sleep 0.01
    done
    echo "could not start $program" >&2
    return 1
}
median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

bare=(); game=()
for _ in $(seq "$RUNS"); do
    bare+=("$(time_to_window "Bare Qt window" "$WIN_BUILD_DIR/bench/bare_window.exe")"); sleep 0.3
    game+=("$(time_to_window "Помрола 99" "$WIN_BUILD_DIR/pomrola99.exe")"); sleep 0.3
done
b=$(printf '%s\n' "${bare[@]}" | median); g=$(printf '%s\n' "${game[@]}" | median)
echo "Wine: start-up to a visible window, median of $RUNS: bare Qt window $b ms, pomrola99.exe $g ms (ratio $(awk "BEGIN {printf \"%.2f\", $g / $b}"))"
echo "bare: ${bare[*]}"
echo "game: ${game[*]}"
