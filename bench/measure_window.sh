#!/usr/bin/env bash
# Start-up time to a visible window (against a bare Qt window), resident memory
# after start-up, idle processor time over 5 s, and processor share during
# accepted moves. Needs a Release build in build/ and Xvfb, xdotool (installed
# when missing). Usage: bench/measure_window.sh [runs]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
RUNS="${1:-10}"
source "$ROOT/scripts/common.sh"
ensure_packages xvfb xdotool x11-utils

export DISPLAY=:97
source "$ROOT/tests/desktop/session.sh"
start_xvfb

# A settings file whose records folder holds an empty records file, so that
# start-up shows no message box.
: > "$WORK/Pomrola99.rec"
printf '[Data]\r\nName=User\r\nDirectory=%s\r\n' "$WORK" > "$XDG_CONFIG_HOME/pomrola99.INI"

now_ns() { date +%s%N; }

# Starts a program and prints the milliseconds until a window with the title is
# visible, and its process id; tries again when the program could not start
# (a busy X server may refuse a connection while it is being polled).
time_to_window() {
    local title="$1"; shift
    for _ in 1 2 3; do
        local start; start=$(now_ns)
        "$@" >>"$WORK/programs.log" 2>&1 &
        local pid=$!
        while kill -0 "$pid" 2>/dev/null; do
            if xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; then
                local end; end=$(now_ns)
                echo "$(( (end - start) / 1000000 )) $pid"
                return 0
            fi
            sleep 0.01
        done
        sleep 0.5
    done
    echo "could not start $*" >&2
    return 1
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

# Starts a program, waits for its window, closes it; prints the milliseconds.
one_start() {
    local ms pid
    read -r ms pid < <(time_to_window "$@")
    kill "$pid"; wait "$pid" 2>/dev/null || true
    sleep 0.2
    echo "$ms"
}

# The two programs started in turn, so that the machine's load falls on both alike.
cd "$WORK"
bare_times=() game_times=() ratios=()
for _ in $(seq "$RUNS"); do
    bare_times+=("$(one_start "Bare Qt window" "$BUILD/bench/bare_window")")
    game_times+=("$(one_start "Помрола 99" "$BUILD/pomrola99")")
    ratios+=("$(awk "BEGIN {print ${game_times[-1]} / ${bare_times[-1]}}")")
done
bare=$(printf '%s\n' "${bare_times[@]}" | median)
game=$(printf '%s\n' "${game_times[@]}" | median)
ratio=$(printf '%s\n' "${ratios[@]}" | median)

read -r _ pid < <(time_to_window "Помрола 99" "$BUILD/pomrola99")
sleep 1
rss_kb=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
wakeups() { awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$pid/status"; }
before=$(ticks); woken=$(wakeups); sleep 5; after=$(ticks); woken=$(( $(wakeups) - woken ))
kill "$pid"; wait "$pid" 2>/dev/null || true

echo "start-up to a visible window, median of $RUNS started in turn: bare Qt window ${bare} ms, pomrola99 ${game} ms;" \
    "median of the ratios $(awk "BEGIN {printf \"%.2f\", $ratio}")"
echo "resident memory after start-up: $((rss_kb / 1024)) MiB ($rss_kb KiB)"
echo "idle processor time over 5 s: $((after - before)) clock ticks ($(getconf CLK_TCK) per second), $woken wake-ups"
"$BUILD/bench/move_cpu" 2>/dev/null
