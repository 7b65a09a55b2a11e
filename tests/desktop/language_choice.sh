#!/usr/bin/env bash
# Starts the real game under a bare Xvfb and checks the interface language:
# Russian with no choice, English with "--lang en" or Language=en in the
# settings file's [Options] (the command line wins), Qt's own folder dialog in
# the same language, and a settings file that gains no [Options] section when
# the player chose nothing; and a pipe left where the records file should be
# holds up no start.
# Usage: language_choice.sh <pomrola99 executable> [X display, default :49]
# Exits 77 (skipped) only when Xvfb cannot start at all.
set -euo pipefail

BIN="$(realpath "$1")"
export DISPLAY="${2:-${POMROLA_LANGUAGE_DISPLAY:-:49}}"
export LANG=C.UTF-8 QT_QPA_PLATFORM=xcb

WORK="$(mktemp -d)"
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$WORK/records"
chmod 700 "$XDG_RUNTIME_DIR"
: >"$WORK/records/Pomrola99.rec"  # no message about a missing records file
SETTINGS="$XDG_CONFIG_HOME/pomrola99.INI"
XVFB_PID="" GAME_PID=""
cleanup() {
    for pid in $GAME_PID $XVFB_PID; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAILED: $*" >&2; exit 1; }
check() { echo "ok: $*"; }

if ! command -v Xvfb >/dev/null; then
    echo "SKIPPED: Xvfb is not installed; the interface language was NOT checked" >&2
    exit 77
fi
Xvfb "$DISPLAY" -noreset -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
if ! kill -0 "$XVFB_PID" 2>/dev/null || ! xdpyinfo >/dev/null 2>&1; then
    echo "SKIPPED: Xvfb could not start on $DISPLAY; the interface language was NOT checked" >&2
    exit 77
fi

# A visible window whose title matches the pattern, within ten seconds.
window_named() {
    for _ in $(seq 100); do
        local id
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

write_settings() { printf '[Data]\r\nName=Ann\r\nDirectory=%s\r\n%s' "$WORK/records" "$1" >"$SETTINGS"; }

# Starts the game with the arguments and expects a main window titled
# "<title>"; leaves its id in MAIN.
start_game() {
    local title="$1"; shift
    (cd "$WORK" && exec "$BIN" "$@") >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    MAIN=$(window_named "$title") || fail "$(cat "$WORK/game.log"; cat "$SETTINGS") no window titled '$title' after: pomrola99 $*"
}

# Closes the game as the player does (Ctrl+X), so that it writes its settings.
close_game() {
    xdotool windowfocus --sync "$MAIN" key ctrl+x
    for _ in $(seq 100); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$GAME_PID" 2>/dev/null && fail "the game did not close on Ctrl+X"
    wait "$GAME_PID" 2>/dev/null || true
    GAME_PID=""
}

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

write_settings ""
start_game "^Помрола 99      Игрок : \(без имени\) $"
folder_dialog_is "^Найти каталог$"
close_game
grep -q 'Options' "$SETTINGS" && fail "a start with no choice wrote [Options]: $(cat "$SETTINGS")"
grep -q "^Directory=$WORK/records" "$SETTINGS" || fail "the settings file lost [Data]: $(cat "$SETTINGS")"
check "no choice: Russian, Qt's Russian folder dialog, no [Options] written"

start_game "^Pomrola 99      Player : \(no name\) $" --lang en
folder_dialog_is "^Find Directory$"
close_game
grep -q 'Options' "$SETTINGS" && fail "--lang en wrote [Options]: $(cat "$SETTINGS")"
check "--lang en: English, Qt's English folder dialog, no [Options] written"

write_settings $'[Options]\r\nLanguage=en\r\n'
start_game "^Pomrola 99      Player : \(no name\) $"
close_game
[ "$(grep -c 'Language=en' "$SETTINGS")" = 1 ] || fail "Language=en not kept once: $(cat "$SETTINGS")"
check "Language=en in [Options]: English, and the choice is kept"

start_game "^Помрола 99      Игрок : \(без имени\) $" --lang ru
close_game
check "--lang ru wins over Language=en"

# A pipe where the records file should be (anyone may leave one in a shared
# folder) must not hold the start: the message about the file, then the window.
rm "$WORK/records/Pomrola99.rec" && mkfifo "$WORK/records/Pomrola99.rec"
write_settings ""
started=$(date +%s%N)
(cd "$WORK" && exec "$BIN") >"$WORK/game.log" 2>&1 &
GAME_PID=$!
BOX=$(window_named "^Pomrola '99$") || fail "no message about the records file with a pipe in its place"
elapsed=$((($(date +%s%N) - started) / 1000000))
[ "$elapsed" -le 2000 ] || fail "a pipe as the records file held the start for $elapsed ms"
xdotool windowfocus --sync "$BOX" key Return
MAIN=$(window_named "^Помрола 99      Игрок") || fail "no main window after the message"
close_game
check "a pipe as the records file: the message within $elapsed ms, then the window"
