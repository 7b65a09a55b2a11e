#!/usr/bin/env bash
# Plays the real game under a bare Xvfb at QT_SCALE_FACTOR=2 and checks the
# F6 symbols from the outside: every ball gets one, drawn well inside the
# ball; F6 again gives back the very same pixels; a settings file is left
# byte for byte as it was until F6 is pressed, and then remembers the choice.
# Usage: symbols_key.sh <pomrola99 executable> [X display, default :43]
# Exits 77 (skipped) only when Xvfb cannot start at all.
set -euo pipefail

BIN="$(realpath "$1")"
export DISPLAY="${2:-${POMROLA_SYMBOLS_DISPLAY:-:43}}"
export LANG=C.UTF-8 QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2
SCALE=2 CELL=100 HEADER=62  # the board's cell side and top, in screen pixels

WORK="$(mktemp -d)"
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
touch "$WORK/Pomrola99.rec"
SETTINGS="$XDG_CONFIG_HOME/pomrola99.INI"
XVFB_PID="" GAME_PID=""
cleanup() {
    for pid in $GAME_PID $XVFB_PID; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    [ -n "${KEEP_WORK:-}" ] && echo "kept $WORK" || rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAILED: $*" >&2; exit 1; }
check() { echo "ok: $*"; }

if ! command -v Xvfb >/dev/null; then
    echo "SKIPPED: Xvfb is not installed; the symbols were NOT checked" >&2
    exit 77
fi
Xvfb "$DISPLAY" -noreset -screen 0 1280x1024x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
if ! kill -0 "$XVFB_PID" 2>/dev/null || ! xdpyinfo >/dev/null 2>&1; then
    echo "SKIPPED: Xvfb could not start on $DISPLAY; the symbols were NOT checked" >&2
    exit 77
fi

start_game() {
    (cd "$WORK" && exec "$BIN") >>"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    MAIN=$(xdotool search --sync --onlyvisible --pid "$GAME_PID" --name "^Помрола 99" | head -n 1)
    sleep 0.8
}

key() { xdotool windowfocus --sync "$MAIN" key "$1"; sleep 0.6; }

quit_game() {
    key ctrl+x
    for _ in $(seq 50); do kill -0 "$GAME_PID" 2>/dev/null || { GAME_PID=""; return 0; }; sleep 0.1; done
    fail "Ctrl+X did not end the program"
}

# The board part of the window, as the screen shows it.
shoot_board() {
    eval "$(xdotool getwindowgeometry --shell "$MAIN")"
    import -window root -crop "$((8 * CELL))x$((8 * CELL))+${X}+$((Y + HEIGHT - 8 * CELL - 2 * SCALE))" +repage "$1"
}

# The number of pixels that differ between two pictures; a third argument
# receives them white on black.
differing() {
    compare -metric AE -highlight-color white -lowlight-color black "$1" "$2" "${3:-null:}" 2>&1 >/dev/null || true
}

printf '[Data]\r\nName=Игрок\r\nDirectory=%s\r\n[Sound]\r\nOn=1\r\n' "$WORK" >"$SETTINGS"
cp "$SETTINGS" "$WORK/original.INI"

start_game
quit_game
cmp -s "$SETTINGS" "$WORK/original.INI" || fail "the settings file changed though F6 was never pressed"
check "an untouched option leaves the settings file byte for byte"

start_game
shoot_board "$WORK/plain.png"
key F6
shoot_board "$WORK/symbols.png"
key F6
shoot_board "$WORK/off.png"
[ "$(differing "$WORK/plain.png" "$WORK/off.png")" = 0 ] || fail "F6 twice does not give back the same board"
check "F6 twice gives back the same pixels"

# Every ball changed, and only within 70% of its radius.
differing "$WORK/plain.png" "$WORK/symbols.png" "$WORK/changed.png" >/dev/null
circles=()
for c in $(seq 0 7); do
    for r in $(seq 0 7); do
        cx=$((c * CELL + CELL / 2)) cy=$((r * CELL + CELL / 2))
        circles+=(-draw "circle $cx,$cy $((cx + CELL * 35 / 100)),$cy")
        inside=$(convert "$WORK/changed.png" -crop "$((CELL * 6 / 10))x$((CELL * 6 / 10))+$((cx - CELL * 3 / 10))+$((cy - CELL * 3 / 10))" \
            -format '%[fx:mean*w*h]' info:)
        [ "${inside%.*}" -ge $((CELL * CELL / 50)) ] || fail "the ball in column $((c + 1)), row $((r + 1)) shows no symbol"
    done
done
outside=$(convert "$WORK/changed.png" \( -size "$((8 * CELL))x$((8 * CELL))" xc:white -fill black "${circles[@]}" \) \
    -compose multiply -composite -format '%[fx:mean*w*h]' info:)
[ "${outside%.*}" = 0 ] || fail "$outside changed pixels lie outside the symbols' area"
check "all 64 balls show a symbol, well inside the ball, at scale factor 2"
quit_game
printf '[Options]\r\nSymbols=0\r\n' | cat "$WORK/original.INI" - | cmp -s - "$SETTINGS" ||
    fail "after F6 twice the settings file should only gain Symbols=0"

start_game
key F6
quit_game
printf '[Options]\r\nSymbols=1\r\n' | cat "$WORK/original.INI" - | cmp -s - "$SETTINGS" ||
    fail "after F6 the settings file should hold Symbols=1"
start_game
shoot_board "$WORK/restarted.png"
key F6
shoot_board "$WORK/restarted-off.png"
[ "$(differing "$WORK/restarted.png" "$WORK/restarted-off.png")" != 0 ] || fail "symbols were not on after the restart"
quit_game
check "the choice is kept across a restart"
