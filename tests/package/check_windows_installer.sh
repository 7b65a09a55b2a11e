#!/usr/bin/env bash
# check_windows_installer.sh BUILD_WIN_DIR [DISPLAY]: the zip's contents; the NSIS
# package installed silently into a fresh Wine prefix, the installed game started
# on its own (no build paths) up to its window, and uninstalled.
set -euo pipefail
BUILD="$(cd "$1" && pwd)"
export DISPLAY="${2:-:45}" WINEDEBUG=-all WINEARCH=win64
export WINEPREFIX="$BUILD/installer-prefix"
WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver
source "$(dirname "${BASH_SOURCE[0]}")/../desktop/session.sh"
unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM

cd "$BUILD"
rm -f pomrola99-*-win64.exe pomrola99-*-win64.zip
cpack -G "NSIS;ZIP" >/dev/null
installer=$(ls pomrola99-*-win64.exe)
zip=$(ls pomrola99-*-win64.zip)
contents="$(unzip -Z1 "$zip")"
for file in pomrola99.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll \
    translations/qtbase_ru.qm; do
    grep -qx "${zip%.zip}/$file" <<<"$contents" || fail "$zip lacks $file"
done

start_xvfb
on_exit '"$WINESERVER" -k 2>/dev/null; rm -rf "$WINEPREFIX"'
rm -rf "$WINEPREFIX"
"$WINE" wineboot -i >/dev/null 2>&1
"$WINE" "Z:${BUILD//\//\\}\\$installer" /S
"$WINESERVER" -w  # the installer has finished when Wine has nothing left to run

dir="$WINEPREFIX/drive_c/Program Files/Pomrola99"
[ -f "$dir/pomrola99.exe" ] || fail "nothing installed in $dir"
[ -f "$dir/Uninstall.exe" ] || fail "no uninstaller"
[ -f "$dir/translations/qtbase_ru.qm" ] || fail "no Russian translations"
shortcut="$(find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name 'Помрола 99.lnk' | head -n 1)"
[ -n "$shortcut" ] || fail "no Start-menu shortcut"
echo "Installed: ${dir#"$WINEPREFIX"/}, shortcut ${shortcut#"$WINEPREFIX"/}"

# The installed copy runs with nothing but what it brought along.
(cd /tmp && exec "$WINE" "C:\\Program Files\\Pomrola99\\pomrola99.exe") >/dev/null 2>&1 &
window="$(window_named "Помрола 99|Pomrola '99" 60)" || fail "the installed game shows no window"
if [ "$(xdotool getwindowname "$window")" = "Pomrola '99" ]; then
    # The message about the records folder comes first; the main window follows it.
    xdotool windowfocus --sync "$window" key Return
    window="$(window_named 'Помрола 99' 30)" || fail "no main window after the message"
fi
echo "The installed game shows its window: $(xdotool getwindowname "$window")"
"$WINESERVER" -k
"$WINESERVER" -w

"$WINE" "C:\\Program Files\\Pomrola99\\Uninstall.exe" /S
"$WINESERVER" -w
for _ in $(seq 1 30); do [ -e "$dir/pomrola99.exe" ] || break; sleep 1; done
[ ! -e "$dir/pomrola99.exe" ] || fail "the uninstaller left the game"
[ ! -e "$shortcut" ] || fail "the uninstaller left the shortcut"
echo "Uninstalled"
