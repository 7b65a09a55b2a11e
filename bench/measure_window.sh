#!/usr/bin/env bash
# Start-up time to a visible window (against a bare Qt window), resident memory
# after start-up, idle processor time over 5 s, and processor share during
# accepted moves. Needs a Release build in build/ and Xvfb, xev (installed
# when missing). Usage: bench/measure_window.sh [runs]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
RUNS="${1:-10}"
source "$ROOT/scripts/common.sh"
ensure_packages xvfb x11-utils

export DISPLAY=:97
source "$ROOT/tests/desktop/session.sh"
start_xvfb

# A settings file whose records folder holds an empty records file, so that
# start-up shows no message box.
: > "$WORK/Pomrola99.rec"
printf '[Data]\r\nName=User\r\nDirectory=%s\r\n' "$WORK" > "$XDG_CONFIG_HOME/pomrola99.INI"

# With no window manager the X server reports every window mapped on its root:
# xev passes the reports on as they come, so a start is timed from its launch
# to the map itself, with no polling that would load the machine or round up.
mkfifo "$WORK/maps"
stdbuf -oL xev -root -event substructure >"$WORK/maps" &
on_exit "kill $!"
exec 3<"$WORK/maps"
sleep 0.3  # until xev listens

# Starts a program and sets WINDOW_PID, WINDOW_MS to the milliseconds until its
# first window is mapped, and WINDOW_CPU_MS to the processor time its main
# thread had taken by then, which the machine's load does not change.
time_to_window() {
    local start=${EPOCHREALTIME/./} end line cpu_ns
    "$@" 3<&- >>"$WORK/programs.log" 2>&1 &
    WINDOW_PID=$!
    while read -r -t 20 line <&3; do
        if [[ $line == MapNotify* ]]; then
            end=${EPOCHREALTIME/./}
            read -r cpu_ns _ <"/proc/$WINDOW_PID/schedstat"
            WINDOW_MS=$(awk "BEGIN {printf \"%.1f\", ($end - $start) / 1000}")
            WINDOW_CPU_MS=$(awk "BEGIN {printf \"%.1f\", $cpu_ns / 1000000}")
            return 0
        fi
    done
    echo "no window from $*" >&2
    return 1
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

# Starts a program, waits for its window, closes it; prints the milliseconds.
one_start() {
    time_to_window "$@"
    kill "$WINDOW_PID"; wait "$WINDOW_PID" 2>/dev/null || true
    sleep 0.2
    echo "$WINDOW_MS $WINDOW_CPU_MS"
}

# The two programs started in turn, so that the machine's load falls on both alike.
cd "$WORK"
bare_times=() game_times=() ratios=() bare_cpu=() game_cpu=() cpu_ratios=()
for _ in $(seq "$RUNS"); do
    read -r ms cpu < <(one_start "$BUILD/bench/bare_window")
    bare_times+=("$ms") bare_cpu+=("$cpu")
    read -r ms cpu < <(one_start "$BUILD/pomrola99")
    game_times+=("$ms") game_cpu+=("$cpu")
    ratios+=("$(awk "BEGIN {print ${game_times[-1]} / ${bare_times[-1]}}")")
    cpu_ratios+=("$(awk "BEGIN {print ${game_cpu[-1]} / ${bare_cpu[-1]}}")")
done
median_of() { printf '%s\n' "$@" | median; }

time_to_window "$BUILD/pomrola99"
pid=$WINDOW_PID
sleep 1
rss_kb=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
wakeups() { awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$pid/status"; }
before=$(ticks); woken=$(wakeups); sleep 5; after=$(ticks); woken=$(( $(wakeups) - woken ))
kill "$pid"; wait "$pid" 2>/dev/null || true

echo "start-up to a visible window, median of $RUNS started in turn: bare Qt window $(median_of "${bare_times[@]}") ms," \
    "pomrola99 $(median_of "${game_times[@]}") ms; median of the ratios $(median_of "${ratios[@]}" | xargs printf "%.2f")"
echo "processor time of the main thread to the visible window: bare Qt window $(median_of "${bare_cpu[@]}") ms," \
    "pomrola99 $(median_of "${game_cpu[@]}") ms; median of the ratios $(median_of "${cpu_ratios[@]}" | xargs printf "%.2f")"
echo "resident memory after start-up: $((rss_kb / 1024)) MiB ($rss_kb KiB)"
echo "idle processor time over 5 s: $((after - before)) clock ticks ($(getconf CLK_TCK) per second), $woken wake-ups"
"$BUILD/bench/move_cpu" 2>/dev/null
