#!/usr/bin/env bash
# Plays the real game with the keyboard under a bare Xvfb: Space and Enter
# change nothing before the first arrow key; the first arrow shows the cursor
# on the top-left cell and no pixel outside it changes; the cursor stops in
# the bottom-right corner; Space picks and cancels there, leaving the ball's
# centre as it was; a mouse pick and cancel hides the cursor and gives back
# the very first picture; F5 still opens the records and Ctrl+X still closes.
# Usage: keyboard_play.sh <pomrola99 executable> [X display, default :44]
# Exits 77 (skipped) only when Xvfb cannot start at all. KEEP_WORK=1 keeps the
# temporary folder with the screenshots.
set -euo pipefail

BIN="$(realpath "$1")"
export DISPLAY="${2:-${POMROLA_KEYBOARD_DISPLAY:-:44}}"
export LANG=C.UTF-8 QT_QPA_PLATFORM=xcb

WORK="$(mktemp -d)"
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$WORK/records"
chmod 700 "$XDG_RUNTIME_DIR"
: >"$WORK/records/Pomrola99.rec"
printf '[Data]\r\nName=User\r\nDirectory=%s\r\n' "$WORK/records" >"$XDG_CONFIG_HOME/pomrola99.INI"
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
    echo "SKIPPED: Xvfb is not installed; keyboard play was NOT checked" >&2
    exit 77
fi
Xvfb "$DISPLAY" -noreset -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
if ! kill -0 "$XVFB_PID" 2>/dev/null || ! xdpyinfo >/dev/null 2>&1; then
    echo "SKIPPED: Xvfb could not start on $DISPLAY; keyboard play was NOT checked" >&2
    exit 77
fi

(cd "$WORK/records" && exec "$BIN") >"$WORK/game.log" 2>&1 &
GAME_PID=$!
MAIN="$(timeout 20 xdotool search --sync --onlyvisible --name "Помрола 99" | head -n 1)"
[ -n "$MAIN" ] || fail "the main window did not come up"
sleep 0.7

# Without a window manager the window is its client area with the menu bar
# on top; the board starts below the menu bar and the 31-pixel header.
MENU_H=$(( $(xwininfo -id "$MAIN" | awk '/Height:/ {print $2}') - 432 ))
BOARD_Y=$(( MENU_H + 31 ))

keys() { xdotool windowfocus --sync "$MAIN" key --delay 40 "$@"; sleep 0.4; }
shot() { import -window "$MAIN" "$WORK/$1.png"; }
# Pixels that differ between two shots.
differing() { compare -metric AE "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 || true; }
# The box (WxH+X+Y) around the pixels that differ.
changed_box() {
    convert "$WORK/$1.png" "$WORK/$2.png" -compose difference -composite -threshold 0 -format '%@' info: 2>/dev/null
}
pixel() { convert "$WORK/$1.png" -format "%[pixel:p{$2,$3}]" info:; }
# Fails unless the box of changed pixels lies inside the cell (column, row).
inside_cell() {
    local box="$1" column="$2" row="$3" w h x y
    IFS='x+' read -r w h x y <<<"$box"
    local left=$(( (column - 1) * 50 )) top=$(( BOARD_Y + (row - 1) * 50 ))
    (( w > 0 && h > 0 && x >= left && y >= top && x + w <= left + 50 && y + h <= top + 50 )) ||
        fail "pixels changed at $box, outside cell $column$row"
}

shot start
keys space Return KP_Enter
shot after_enter
[ "$(differing start after_enter)" = 0 ] || fail "Space or Enter changed the window before any arrow key"
check "Space and Enter before the first arrow key change no pixel"

keys Right
shot first_arrow
[ "$(differing start first_arrow)" != 0 ] || fail "the first arrow key showed no cursor"
inside_cell "$(changed_box start first_arrow)" 1 1
check "the first arrow key shows the cursor on s11 and nothing else changes"

keys Right Right Right Right Right Right Right Right Right Down Down Down Down Down Down Down Down Down Down
shot corner
inside_cell "$(changed_box start corner)" 8 8
check "the cursor stops in the bottom-right corner"

CENTRE_X=$(( 7 * 50 + 25 )) CENTRE_Y=$(( BOARD_Y + 7 * 50 + 25 ))
keys space
shot picked
[ "$(pixel picked "$CENTRE_X" "$CENTRE_Y")" = "$(pixel start "$CENTRE_X" "$CENTRE_Y")" ] ||
    fail "the ball's centre changed colour under the cursor"
[ "$(pixel picked $(( 7 * 50 + 1 )) $(( BOARD_Y + 7 * 50 + 1 )))" = "$(pixel picked "$CENTRE_X" "$CENTRE_Y")" ] ||
    fail "Space did not turn s88 into a picked rectangle"
keys space
shot cancelled
[ "$(differing corner cancelled)" = 0 ] || fail "a second Space on the same cell did not cancel the pick"
check "Space picks s88 and cancels it again"

xdotool mousemove --window "$MAIN" 175 $(( BOARD_Y + 175 )) click 1
sleep 0.3
xdotool click 1
sleep 0.4
shot mouse
[ "$(differing start mouse)" = 0 ] || fail "after a mouse pick and cancel the window is not as it started"
check "a mouse press hides the cursor"

keys F5
RECORDS="$(timeout 10 xdotool search --sync --onlyvisible --name "^Рекорды" | head -n 1)"
[ -n "$RECORDS" ] || fail "F5 did not open the records"
xdotool windowfocus --sync "$RECORDS" key Escape
sleep 0.4
check "F5 opens the records"

keys Right ctrl+x
for _ in $(seq 50); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$GAME_PID" 2>/dev/null; then fail "Ctrl+X did not close the game"; fi
GAME_PID=""
check "Ctrl+X closes the game"
