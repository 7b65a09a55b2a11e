#!/usr/bin/env bash
# The interface language under a bare Xvfb: Russian with no choice, English by
# "--lang en" or Language=en in [Options] (the command line wins), Qt's folder
# dialog in the same language, no [Options] written when nothing was chosen; a
# pipe where the records file should be holds up no start.
# Usage: language_choice.sh <pomrola99 executable> [X display, default :49]
BIN="$(realpath "$1")"
export DISPLAY="${2:-:49}"
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
start_xvfb
PLAYER_NAME=Ann

# Opens "records file > on the network" through the menu bar and expects Qt's
# folder dialog titled "<title>".
folder_dialog_is() {
    xdotool windowfocus --sync "$MAIN" mousemove --window "$MAIN" 15 9 click 1
    sleep 0.4
    xdotool key Down Down Down Down Down Right Down Return
    local dialog
    dialog=$(window_named "$1") || fail "no folder dialog titled '$1'"
    xdotool windowfocus --sync "$dialog" key Escape
    sleep 0.3
}

write_settings
GAME_TITLE="^Помрола 99      Игрок : \(без имени\) $" start_game
folder_dialog_is "^Найти каталог$"
quit_game
grep -q 'Options' "$SETTINGS" && fail "a start with no choice wrote [Options]: $(cat "$SETTINGS")"
grep -q "^Directory=$RECORDS" "$SETTINGS" || fail "the settings file lost [Data]: $(cat "$SETTINGS")"
check "no choice: Russian, Qt's Russian folder dialog, no [Options] written"

GAME_TITLE="^Pomrola 99      Player : \(no name\) $" start_game --lang en
folder_dialog_is "^Find Directory$"
quit_game
grep -q 'Options' "$SETTINGS" && fail "--lang en wrote [Options]: $(cat "$SETTINGS")"
check "--lang en: English, Qt's English folder dialog, no [Options] written"

write_settings "$RECORDS" $'[Options]\r\nLanguage=en\r\n'
GAME_TITLE="^Pomrola 99      Player : \(no name\) $" start_game
quit_game
[ "$(grep -c 'Language=en' "$SETTINGS")" = 1 ] || fail "Language=en not kept once: $(cat "$SETTINGS")"
check "Language=en in [Options]: English, and the choice is kept"

GAME_TITLE="^Помрола 99      Игрок : \(без имени\) $" start_game --lang ru
quit_game
check "--lang ru wins over Language=en"

# A pipe where the records file should be (anyone may leave one in a shared
# folder) must not hold the start: the message about the file, then the window.
rm "$RECORDS/Pomrola99.rec" && mkfifo "$RECORDS/Pomrola99.rec"
write_settings
started=$(date +%s%N)
launch_game
BOX=$(window_named "^Pomrola '99$") || fail "no message about the records file with a pipe in its place"
elapsed=$((($(date +%s%N) - started) / 1000000))
[ "$elapsed" -le 2000 ] || fail "a pipe as the records file held the start for $elapsed ms"
xdotool windowfocus --sync "$BOX" key Return
MAIN=$(window_named "^Помрола 99      Игрок") || fail "no main window after the message"
quit_game
check "a pipe as the records file: the message within $elapsed ms, then the window"
