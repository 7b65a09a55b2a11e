# Sourced by every script that drives the game under Xvfb: a private home and
# settings file, an X server of the script's own, the game started and closed
# as a player does, and everything stopped and removed when the script ends.
#
#   source session.sh              sets WORK, HOME, XDG_*, RECORDS, SETTINGS
#   skip REASON                    exit 77: the script's checks skipped
#   start_xvfb [WxH]               the display in $DISPLAY, or skip
#   start_openbox                  a real window manager on it
#   on_exit COMMAND                more clean-up, run before the X server stops
#   write_settings [DIR] [TEXT]    [Data] with records folder DIR, then TEXT
#   launch_game [ARGS]             the game in the background (GAME_PID)
#   start_game [ARGS]              launched, and its window titled $GAME_TITLE in MAIN
#   quit_game                      Ctrl+X, as the player closes it
#   window_named PATTERN [SECONDS] a visible window's id, within SECONDS (10)
#
# KEEP_WORK=1 keeps the temporary folder (screenshots, logs).
set -euo pipefail
export LANG=C.UTF-8 QT_QPA_PLATFORM=xcb

WORK="$(mktemp -d)"
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime"
RECORDS="$WORK/records"
SETTINGS="$XDG_CONFIG_HOME/pomrola99.INI"
PLAYER_NAME="${PLAYER_NAME:-User}"
GAME_TITLE="${GAME_TITLE:-^Помрола 99}"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$RECORDS"
chmod 700 "$XDG_RUNTIME_DIR"
: >"$RECORDS/Pomrola99.rec"  # no message about a missing records file
XVFB_PID="" WM_PID="" GAME_PID="" EXIT_COMMANDS=()

on_exit() { EXIT_COMMANDS+=("$1"); }
end_session() {
    local status=$? command
    set +e  # clean up all of it, whatever fails
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
    for command in "${EXIT_COMMANDS[@]}"; do eval "$command"; done
    for pid in $WM_PID $XVFB_PID; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true  # the display is free again when this ends
    if [ -n "${KEEP_WORK:-}" ]; then echo "kept $WORK"; else rm -rf "$WORK"; fi
    return $status
}
trap end_session EXIT

fail() {
    echo "FAILED: $*" >&2
    exit 1
}
check() { echo "ok: $*"; }

skip() {
    echo "SKIPPED: $*; $(basename "$0" .sh | tr _ ' ') was NOT checked" >&2
    exit 77
}

start_xvfb() {
    local screen="${1:-1024x768}"
    command -v Xvfb >/dev/null || skip "Xvfb is not installed"
    Xvfb "$DISPLAY" -noreset -screen 0 "${screen}x24" -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    if ! kill -0 "$XVFB_PID" 2>/dev/null || ! xdpyinfo >/dev/null 2>&1; then
        cat "$WORK/xvfb.log" >&2
        skip "Xvfb could not start on $DISPLAY"
    fi
}

start_openbox() {
    for _ in 1 2 3; do # a display that has just come up may still turn a client away
        openbox >"$WORK/openbox.log" 2>&1 &
        WM_PID=$!
        for _ in $(seq 50); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
            kill -0 "$WM_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$WM_PID" 2>/dev/null || true
        sleep 0.5
    done
    cat "$WORK/openbox.log" >&2
    fail "openbox did not start"
}

window_named() {
    local id
    for _ in $(seq $((${2:-10} * 10))); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

write_settings() {
    printf '[Data]\r\nName=%s\r\nDirectory=%s\r\n%s' "$PLAYER_NAME" "${1:-$RECORDS}" "${2:-}" >"$SETTINGS"
}

launch_game() {
    (cd "$RECORDS" && exec "$BIN" "$@") >>"$WORK/game.log" 2>&1 &
    GAME_PID=$!
}

start_game() {
    launch_game "$@"
    MAIN=$(window_named "$GAME_TITLE") || fail "$(cat "$WORK/game.log") no window titled '$GAME_TITLE' after: pomrola99 $*"
    sleep 0.8 # drawn, and framed and placed where a window manager runs
}

quit_game() {
    xdotool windowactivate --sync "$MAIN" 2>/dev/null || xdotool windowfocus --sync "$MAIN"
    xdotool key ctrl+x
    for _ in $(seq 100); do
        kill -0 "$GAME_PID" 2>/dev/null || { wait "$GAME_PID" 2>/dev/null || true; GAME_PID=""; return 0; }
        sleep 0.1
    done
    fail "Ctrl+X did not close the game"
}
