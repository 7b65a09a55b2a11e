#!/usr/bin/env bash
# Plays the real game as a screen-reader user under Xvfb, with a real
# accessibility bus (at-spi2-core in a private D-Bus session): the 8 x 8 table
# and its 64 names against the board drawn, the focus following the arrow keys,
# a pick that is selected and an accepted move announced once with the new
# score (tests/desktop/screen_reader.py reads the bus through pyatspi).
# Usage: screen_reader.sh <pomrola99 executable> [X display, default :47]
# Exits 77 (skipped) when Xvfb, dbus-run-session, at-spi2-core or pyatspi is
# missing. KEEP_WORK=1 keeps the temporary folder.
set -euo pipefail

BIN="$(realpath "$1")"
HERE="$(cd "$(dirname "$0")" && pwd)"
export DISPLAY="${2:-${POMROLA_SCREEN_READER_DISPLAY:-:47}}"
READER_PYTHON=/usr/bin/python3

skip() { echo "SKIPPED: $*; screen-reader play was NOT checked" >&2; exit 77; }
fail() { echo "FAILED: $*" >&2; exit 1; }

# Re-runs itself inside its own D-Bus session bus, where the accessibility bus
# is started on demand (at-spi-bus-launcher) and dies with the session.
if [ -z "${POMROLA_IN_DBUS_SESSION:-}" ]; then
    command -v Xvfb >/dev/null || skip "Xvfb is not installed"
    command -v dbus-run-session >/dev/null || skip "dbus-run-session (dbus) is not installed"
    [ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
    "$READER_PYTHON" -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
    POMROLA_IN_DBUS_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

prepare_home() {
    WORK="$(mktemp -d)"
    export LANG=C.UTF-8 QT_QPA_PLATFORM=xcb
    export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime"
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$WORK/records"
    chmod 700 "$XDG_RUNTIME_DIR"
    : >"$WORK/records/Pomrola99.rec"
    printf '[Data]\r\nName=User\r\nDirectory=%s\r\n' "$WORK/records" >"$XDG_CONFIG_HOME/pomrola99.INI"
}

XVFB_PID="" GAME_PID="" WORK=""
cleanup() {
    for pid in $GAME_PID $XVFB_PID; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    [ -n "${KEEP_WORK:-}" ] && echo "kept $WORK" || rm -rf "$WORK"
}
trap cleanup EXIT

start_xvfb() {
    Xvfb "$DISPLAY" -noreset -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    kill -0 "$XVFB_PID" 2>/dev/null && xdpyinfo >/dev/null 2>&1 || skip "Xvfb could not start on $DISPLAY"
}

# The game as a screen reader finds it: Qt's bridge on, whatever the desktop says.
start_game() {
    (cd "$WORK/records" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$BIN") >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    MAIN="$(timeout 20 xdotool search --sync --onlyvisible --name "Помрола 99" | head -n 1)"
    [ -n "$MAIN" ] || fail "the main window did not come up"
    sleep 0.7
}

prepare_home
start_xvfb
start_game
import -window "$MAIN" -depth 8 "$WORK/start.ppm"
"$READER_PYTHON" "$HERE/screen_reader.py" "$MAIN" "$WORK/start.ppm" || fail "the screen reader's view (above)"
