#!/usr/bin/env bash
# Where the game's windows come up under a real window manager (openbox): left
# alone over five starts, reopened where moved, whole on screen when stored for a
# bigger monitor, named "Pomrola '99" in the task bar; the start-up message is
# centred with and without a window manager.
# Usage: window_placement.sh <pomrola99 executable> [X display, default :42]
BIN="$(realpath "$1")"
export DISPLAY="${2:-:42}"
SCREEN_W=1280 SCREEN_H=1024
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
start_xvfb "${SCREEN_W}x${SCREEN_H}"

# "x y width height" of a window's frame (the client area when nothing frames it).
frame_of() {
    local info extents left=0 right=0 top=0 bottom=0
    info=$(xwininfo -id "$1")
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ' || true)
    [ -n "$extents" ] && IFS=, read -r left right top bottom <<<"$extents"
    awk -v l="$left" -v r="$right" -v t="$top" -v b="$bottom" '
        /Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2}
        END {print x-l, y-t, w+l+r, h+t+b}' <<<"$info"
}

corner_of() { frame_of "$1" | awk '{print $1 "," $2}'; }
client_of() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x "," y}'; }

# Fails unless the frame of window $1 is centred on the screen within $2 pixels.
expect_centred() {
    local x y w h
    read -r x y w h <<<"$(frame_of "$1")"
    local dx=$(( 2 * x + w - SCREEN_W )) dy=$(( 2 * y + h - SCREEN_H ))
    [ "${dx#-}" -le $(( 2 * $2 )) ] && [ "${dy#-}" -le $(( 2 * $2 )) ] ||
        fail "$3 is not centred on the screen: frame at $x,$y size ${w}x$h"
    check "$3 is centred on the screen (frame at $x,$y size ${w}x$h)"
}

start_openbox
write_settings

# --- first start: centred, frame included ---
start_game
expect_centred "$MAIN" 1 "the main window at its first start"
# The task-bar entry is named with the program's title; the caption stays the game's.
icon_name=$(xprop -id "$MAIN" _NET_WM_ICON_NAME)
[ "$icon_name" = "_NET_WM_ICON_NAME(UTF8_STRING) = \"Pomrola '99\"" ] || fail "the task-bar name is: $icon_name"
check "the task-bar name is \"Pomrola '99\", the caption \"$(xdotool getwindowname "$MAIN")\""
first=$(corner_of "$MAIN")
quit_game

# --- five starts and closes without touching the window ---
for run in 1 2 3 4 5; do
    start_game
    now=$(corner_of "$MAIN")
    quit_game
    [ "$now" = "$first" ] || fail "start $run: the window moved from $first to $now by itself"
done
check "five starts and closes left the window at $first"

# --- moved to 300,200 and reopened there ---
start_game
xdotool windowmove "$MAIN" 300 200
sleep 0.5
moved=$(corner_of "$MAIN")
[ "$(client_of "$MAIN")" = "300,200" ] || fail "xdotool did not move the window to 300,200: $(client_of "$MAIN")"
quit_game
start_game
[ "$(corner_of "$MAIN")" = "$moved" ] && [ "$(client_of "$MAIN")" = "300,200" ] ||
    fail "moved to 300,200 (frame $moved), reopened at $(client_of "$MAIN") (frame $(corner_of "$MAIN"))"
quit_game
check "moved to 300,200 (frame at $moved), the window reopened there"

# --- a position from a bigger monitor ---
conf="$XDG_CONFIG_HOME/trumvex/pomrola.conf"
[ -f "$conf" ] || fail "no placement stored in $conf"
grep -q 'NormPos' "$conf" || fail "no NormPos in $conf"
sed -i -E 's/^(.*NormPos[^=]*)=.*/\1="3000,2000,3401,2471"/' "$conf"
start_game
read -r x y w h <<<"$(frame_of "$MAIN")"
[ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le $SCREEN_W ] && [ $((y + h)) -le $SCREEN_H ] ||
    fail "stored 3000,2000: the window came up at $x,$y size ${w}x$h, not whole on ${SCREEN_W}x$SCREEN_H"
quit_game
check "stored 3000,2000: the window came up whole at $x,$y"

# --- the start-up message about a missing records file ---
write_settings "$WORK/no such folder"
start_game_with_message() {  # the message about the records file: centred, then answered
    local box
    launch_game
    box=$(window_named "^Pomrola '99$") || fail "no message about the records file ($1)"
    sleep 0.8
    expect_centred "$box" 1 "the start-up message ($1)"
    xdotool windowfocus --sync "$box" key Return
    MAIN=$(window_named "$GAME_TITLE") || fail "no main window after the message"
    sleep 0.5
}
start_game_with_message "under openbox"
quit_game

kill "$WM_PID"; wait "$WM_PID" 2>/dev/null || true; WM_PID=""
start_game_with_message "without a window manager"
quit_game
echo "all placement checks passed"
