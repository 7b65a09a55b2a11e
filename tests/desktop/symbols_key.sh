#!/usr/bin/env bash
# F6 on screen at QT_SCALE_FACTOR=2: every ball gets a symbol well inside it,
# and F6 again gives back the same pixels (the settings file: offscreen tests).
# Usage: symbols_key.sh <pomrola99 executable> [X display, default :43]
BIN="$(realpath "$1")"
export DISPLAY="${2:-:43}" QT_SCALE_FACTOR=2
SCALE=2 CELL=100 # the board's cell side, in screen pixels
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
start_xvfb 1280x1024
write_settings

# The board part of the window, as the screen shows it.
shoot_board() {
    eval "$(xdotool getwindowgeometry --shell "$MAIN")"
    import -window root -crop "$((8 * CELL))x$((8 * CELL))+${X}+$((Y + HEIGHT - 8 * CELL - 2 * SCALE))" +repage "$1"
}
key() { xdotool windowfocus --sync "$MAIN" key "$1"; sleep 0.6; }
# The number of pixels that differ between two pictures; a third argument
# receives them white on black.
differing() {
    compare -metric AE -highlight-color white -lowlight-color black "$1" "$2" "${3:-null:}" 2>&1 >/dev/null || true
}

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
