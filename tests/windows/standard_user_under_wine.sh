#!/usr/bin/env bash
# standard_user_under_wine.sh BUILD_WIN_DIR [DISPLAY]: nobody installs the game
# into a Wine prefix of his own, whose install folder is then read-only to him as
# C:\Program Files is to a standard user. Started from its Start-menu shortcut it
# comes up without a message, and a game end (a saved game with no move left,
# loaded, one pick) writes the result into his own data folder, again without a
# message. Needs root to act as nobody; exits 77 (skipped) without.
set -euo pipefail
BUILD="$(cd "$1" && pwd)"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export DISPLAY="${2:-:46}"
WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver
source "$HERE/../desktop/session.sh"
[ "$(id -u)" = 0 ] || skip "not root, so nobody cannot be acted"
command -v setpriv >/dev/null && id nobody >/dev/null 2>&1 || skip "no setpriv or no user nobody"

base="$(mktemp -d /tmp/pomrola-standard-user.XXXXXX)"
chmod 755 "$base"
prefix="$base/prefix" home="$base/home"  # HOME outside the prefix
mkdir -p "$prefix" "$home"
chown nobody: "$prefix" "$home"
as_nobody() {
    setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups \
        env -i PATH=/usr/bin:/bin HOME="$home" USER=nobody LANG=C.UTF-8 DISPLAY="$DISPLAY" \
        WINEPREFIX="$prefix" WINEDEBUG=-all WINEARCH=win64 "$@"
}
start_xvfb
on_exit 'as_nobody "$WINESERVER" -k 2>/dev/null; rm -rf "$base"'

(cd "$BUILD" && cpack -G NSIS -B "$base/package" >/dev/null)
installer="$(ls "$base"/package/pomrola99-*-win64.exe)"
as_nobody "$WINE" wineboot -i >/dev/null 2>&1
# Without a window manager Wine draws the frames and takes the keyboard focus itself.
as_nobody "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
as_nobody "$WINE" "Z:${installer//\//\\}" /S
as_nobody "$WINESERVER" -w
dir="$prefix/drive_c/Program Files/Pomrola99"
[ -f "$dir/pomrola99.exe" ] || fail "nothing installed in $dir"
chown -R root: "$dir"
chmod -R go-w "$dir"
! as_nobody touch "$dir/probe" 2>/dev/null || fail "nobody can still write $dir"
shortcut="$(find "$prefix/drive_c" -path '*Start Menu*' -name 'Помрола 99.lnk' | head -n 1)"
[ -n "$shortcut" ] || fail "no Start-menu shortcut"

# A saved game whose board has no move left: the next pick ends the game.
user="$prefix/drive_c/users/nobody"
{
    printf '700\r\n0\r\n'
    for r in 0 1 2 3 4 5 6 7; do for c in 0 1 2 3 4 5 6 7; do printf '%d\r\n' $(((r * 3 + c) % 8 + 1)); done; done
} >"$user/end.sav"
chown nobody: "$user/end.sav"

no_message() {  # fails when a message box of the game is up
    local box
    box="$(xdotool search --onlyvisible --name "^Pomrola '99\$" 2>/dev/null | head -n 1 || true)"
    [ -z "$box" ] || fail "a message box is shown $1"
}

as_nobody "$WINE" start /unix "$shortcut"
main="$(window_named '^Помрола 99' 90)" || true
no_message "at the start"
[ -n "$main" ] || fail "no main window"
echo "Started from the shortcut, as nobody, with the install folder read-only: no message"
sleep 1

for _ in 1 2 3; do  # a window that has just come up may miss its first key
    xdotool windowfocus --sync "$main" key F3
    open="$(window_named '^$' 10)" && break  # the system's open dialog, without a caption
done
[ -n "$open" ] || fail "no open dialog"
sleep 1
# Its file name box lies 250 pixels left of its right edge, 43 above its foot.
eval "$(xdotool getwindowgeometry --shell "$open")"
xdotool mousemove --window "$open" $((WIDTH - 250)) $((HEIGHT - 43)) click 1
xdotool key End shift+Home type --delay 40 'C:\users\nobody\end.sav'
xdotool key Return
sleep 2
import -window "$main" -depth 8 "$base/board.ppm"
read -r x y <<<"$(python3 "$HERE/board_move.py" "$base/board.ppm" --cell)"
xdotool mousemove --window "$main" "$x" "$y" click 1
sleep 1
xdotool mousemove --window "$main" "$x" "$y" click 1
name="$(window_named '^Ваше имя' 30)" || fail "the game did not end: no name prompt"
xdotool windowfocus --sync "$name" key Return
records="$(window_named '^Рекорды' 30)" || true
no_message "at the game end"
[ -n "$records" ] || fail "no records window after the game end"
xdotool windowfocus --sync "$records" key Escape
advert="$(window_named '^Ваша реклама' 30)" && xdotool windowfocus --sync "$advert" key Escape
sleep 1
xdotool windowfocus --sync "$main" key ctrl+x
as_nobody "$WINESERVER" -w

own="$user/AppData/Roaming/pomrola99"
[ -s "$own/Pomrola99.rec" ] || fail "no result in $own/Pomrola99.rec"
[ ! -e "$dir/Pomrola99.rec" ] || fail "a records file in the install folder"
settings="$user/AppData/Local/pomrola99.INI"
cat "$settings"
grep -qF 'Directory=C:\users\nobody\AppData\Roaming\pomrola99' "$settings" || fail "the records folder is not the user's own"
echo "The result is in ${own#"$prefix"/}, and the settings keep that folder"
