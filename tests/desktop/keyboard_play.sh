#!/usr/bin/env bash
# Real key events through an X server: the first arrow shows the cursor in the
# top-left cell only, Space picks and cancels, a mouse pick and cancel hides the
# cursor, Ctrl+X closes; the rest of keyboard play is checked offscreen.
# Usage: keyboard_play.sh <pomrola99 executable> [X display, default :44]
BIN="$(realpath "$1")"
export DISPLAY="${2:-:44}"
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
start_xvfb
write_settings
start_game

# Without a window manager the window is its client area with the menu bar
# on top; the board starts below the menu bar and the 31-pixel header.
BOARD_Y=$(( $(xwininfo -id "$MAIN" | awk '/Height:/ {print $2}') - 432 + 31 ))

keys() { xdotool windowfocus --sync "$MAIN" key --delay 40 "$@"; sleep 0.4; }
shot() { import -window "$MAIN" "$WORK/$1.png"; }
differing() { compare -metric AE "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 || true; }
pixel() { convert "$WORK/$1.png" -format "%[pixel:p{$2,$3}]" info:; }

shot start
keys Right
shot cursor
box=$(convert "$WORK/start.png" "$WORK/cursor.png" -compose difference -composite -threshold 0 -format '%@' info:)
IFS='x+' read -r w h x y <<<"$box"
(( w > 0 && h > 0 && x >= 0 && y >= BOARD_Y && x + w <= 50 && y + h <= BOARD_Y + 50 )) ||
    fail "the first arrow key changed pixels at $box, not only in the top-left cell"
check "the first arrow key shows the cursor on the top-left cell and nothing else changes"

keys space
shot picked
[ "$(pixel picked 1 $(( BOARD_Y + 1 )))" = "$(pixel picked 25 $(( BOARD_Y + 25 )))" ] ||
    fail "Space did not turn the top-left ball into a picked rectangle"
keys space
shot cancelled
[ "$(differing cursor cancelled)" = 0 ] || fail "a second Space on the same cell did not cancel the pick"
check "Space picks the ball under the cursor and cancels it again"

xdotool mousemove --window "$MAIN" 175 $(( BOARD_Y + 175 )) click 1
sleep 0.3
xdotool click 1
sleep 0.4
shot mouse
[ "$(differing start mouse)" = 0 ] || fail "after a mouse pick and cancel the window is not as it started"
check "a mouse press hides the cursor"

quit_game
check "Ctrl+X closes the game"
