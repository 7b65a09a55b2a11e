#!/usr/bin/env bash
# play_under_wine.sh BUILD_WIN_DIR SHOTS_DIR [DISPLAY]: the Windows build's first
# start in a fresh Wine prefix on Xvfb: the main and about windows shot into
# SHOTS_DIR, one move that makes a line by two clicks, Ctrl+X, and the settings
# file and window placement where the game keeps them on Windows.
set -euo pipefail
BUILD="$(cd "$1" && pwd)"
SHOTS="$(mkdir -p "$2" && cd "$2" && pwd)"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export DISPLAY="${3:-:44}" WINEDEBUG=-all WINEARCH=win64
export WINEPREFIX="$BUILD/game-prefix"
RUN="$BUILD/wine-run" WINESERVER=/usr/lib/wine/wineserver
source "$HERE/../desktop/session.sh"
unset QT_QPA_PLATFORM

work="$BUILD/game-work"  # the game's working and records folder
rm -rf "$work"; mkdir -p "$work"
start_xvfb
game=""
on_exit 'kill $game 2>/dev/null; "$WINESERVER" -k 2>/dev/null; rm -rf "$work" "$WINEPREFIX"'
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
"$WINESERVER" -p >/dev/null 2>&1
"$RUN" wineboot -i >/dev/null 2>&1
# Without a window manager Wine draws the Windows frame and caption itself, with
# the caption buttons' symbols from Marlett (Debian's fonts-wine).
"$RUN" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
[ ! -f /usr/share/wine/fonts/marlett.ttf ] || cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
# A records folder with one result, so that the game starts without a message.
"$RUN" "$BUILD/tests/records/records_writer.exe" "Z:${work//\//\\}" "Вася" 1 700

(cd "$work" && exec "$RUN" "$BUILD/pomrola99.exe") >"$work/game.log" 2>&1 &
game=$!
main="$(window_named 'Помрола 99' 60)" || fail "no main window"
sleep 1.5
import -window "$main" "$SHOTS/windows-main-window.png"

# The "?" menu, then "О программе".
xdotool mousemove --window "$main" 54 31 click 1
sleep 0.5
xdotool key Down Down Return
about="$(window_named 'О программе' 30)" || fail "no about window"
sleep 1.5
import -window "$about" "$SHOTS/windows-about-window.png"
# Only "Закрыть" closes it (Esc does not); the button spans the window's foot.
xdotool mousemove --window "$about" 146 262 click 1
sleep 0.5

# One move that makes a line, found on the screen and played by two clicks.
import -window "$main" -depth 8 "$work/before.ppm"
read -r -a move <<<"$(python3 "$HERE/board_move.py" "$work/before.ppm")"
xdotool mousemove --window "$main" "${move[0]}" "${move[1]}" click 1
sleep 0.3
xdotool mousemove --window "$main" "${move[2]}" "${move[3]}" click 1
sleep 3
import -window "$main" -depth 8 "$work/after.ppm"
[ "$(python3 "$HERE/board_move.py" "$work/before.ppm" --board)" != \
  "$(python3 "$HERE/board_move.py" "$work/after.ppm" --board)" ] || fail "the move at ${move[*]} was not accepted"
echo "Played the move at ${move[*]}: the board changed"

xdotool windowfocus --sync "$main" key ctrl+x
for _ in $(seq 1 60); do kill -0 "$game" 2>/dev/null || break; sleep 0.5; done
! kill -0 "$game" 2>/dev/null || fail "Ctrl+X did not close the game"
game=""

settings="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/pomrola99.INI"
[ -f "$settings" ] || fail "no settings file at $settings"
echo "${settings#"$WINEPREFIX"/}:"; cat "$settings"
grep -q '^\[Data\]' "$settings" || fail "no section Data"
grep -q '^Name=User' "$settings" || fail "no Name"
grep -qF "Directory=Z:${work//\//\\}" "$settings" || fail "Directory is not the working folder"
[ ! -e "$WINEPREFIX/drive_c/windows/pomrola99.INI" ] || fail "a settings file in the Windows folder"
placement="$("$RUN" reg query 'HKCU\Software\trumvex\pomrola\storage\MainForm' 2>/dev/null | tr -d '\r')"
echo "$placement"
for name in Flags ShowCmd PixelsPerInch MinMaxPos NormPos Visible 'NormPos\([0-9]+x[0-9]+\)'; do
    grep -Eq "^ +$name +REG_SZ( |\$)" <<<"$placement" || fail "no placement value $name"
done
echo "Settings file and placement are in place"
