# The Windows build played under Wine on Xvfb, as a player would: shoots the main
# and about windows into docs/, plays one move that makes a line by clicks, closes
# with Ctrl+X, and checks that the settings file and the window placement are where
# the game keeps them on Windows. Sourced by scripts/windows.

windows_game() {
    local display="${WIN_DISPLAY:-:44}" docs="$ROOT/docs" work shots
    work="$(mktemp -d)"; shots="$work/shots"; mkdir -p "$shots"
    export DISPLAY="$display" LANG=C.UTF-8
    Xvfb "$DISPLAY" -screen 0 1024x768x24 >/dev/null 2>&1 &
    WIN_XVFB_PID=$!
    WIN_GAME_PID=""
    WIN_GAME_WORK="$work"
    trap 'kill $WIN_GAME_PID $WIN_XVFB_PID 2>/dev/null || true; stop_wine; rm -rf "$WIN_GAME_WORK"' EXIT
    start_wine
    local run="$WIN_BUILD_DIR/wine-run"
    # Without a window manager Wine draws the Windows frame and caption itself.
    "$run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
    # A first start: no settings file, no stored placement.
    local appdata="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local"
    rm -f "$appdata/pomrola99.INI"
    "$run" reg delete 'HKCU\Software\trumvex' /f >/dev/null 2>&1 || true
    # A records folder with one result, so that the game starts without a message.
    "$run" "$WIN_BUILD_DIR/tests/records/records_writer.exe" "Z:$work" "Вася" 1 700

    (cd "$work" && exec "$run" "$WIN_BUILD_DIR/pomrola99.exe") >"$work/game.log" 2>&1 &
    WIN_GAME_PID=$!
    local main about
    main="$(timeout 60 xdotool search --sync --onlyvisible --name 'Помрола 99' | head -n 1)"
    sleep 1.5
    import -window "$main" "$docs/windows-main-window.png"
    echo "docs/windows-main-window.png"

    # "?" menu, then "О программе".
    xdotool mousemove --window "$main" 54 31 click 1
    sleep 0.5
    xdotool key Down Down Return
    about="$(timeout 30 xdotool search --sync --onlyvisible --name 'О программе' | head -n 1)"
    sleep 1.5
    import -window "$about" "$docs/windows-about-window.png"
    echo "docs/windows-about-window.png"
    xdotool windowfocus --sync "$about" key Escape
    sleep 0.5

    # One move that makes a line, found on the screen and played by two clicks.
    import -window "$main" -depth 8 "$shots/before.ppm"
    local move
    read -r -a move <<<"$(python3 "$ROOT/scripts/lib/board_move.py" "$shots/before.ppm")"
    xdotool mousemove --window "$main" "${move[0]}" "${move[1]}" click 1
    sleep 0.3
    xdotool mousemove --window "$main" "${move[2]}" "${move[3]}" click 1
    sleep 3
    import -window "$main" -depth 8 "$shots/after.ppm"
    local before after
    before="$(python3 "$ROOT/scripts/lib/board_move.py" "$shots/before.ppm" --board)"
    after="$(python3 "$ROOT/scripts/lib/board_move.py" "$shots/after.ppm" --board)"
    if [ "$before" = "$after" ]; then
        echo "FAILED: the move at ${move[*]} was not accepted"; return 1
    fi
    echo "Played the move at ${move[*]}: the board changed"

    xdotool windowfocus --sync "$main" key ctrl+x
    local waited=0
    while kill -0 "$WIN_GAME_PID" 2>/dev/null && [ $waited -lt 30 ]; do sleep 0.5; waited=$((waited + 1)); done
    if kill -0 "$WIN_GAME_PID" 2>/dev/null; then echo "FAILED: Ctrl+X did not close the game"; return 1; fi
    WIN_GAME_PID=""

    local fail=0 settings="$appdata/pomrola99.INI"
    if grep -q '^\[Data\]' "$settings" && grep -q '^Name=User' "$settings" &&
        grep -qF "Directory=Z:$(tr / '\\\\' <<<"$work")" "$settings"; then
        echo "Settings file: ${settings#"$WINEPREFIX"/}"; cat "$settings"
    else
        echo "FAILED: no settings file with both keys at $settings"; fail=1
    fi
    local placement
    placement="$("$run" reg query 'HKCU\Software\trumvex\pomrola\storage\MainForm' 2>/dev/null | tr -d '\r')"
    echo "$placement"
    for name in Flags ShowCmd PixelsPerInch MinMaxPos NormPos Visible 'NormPos\([0-9]+x[0-9]+\)'; do
        grep -Eq "^ +$name +REG_SZ( |\$)" <<<"$placement" || { echo "FAILED: no placement value $name"; fail=1; }
    done
    return $fail
}
