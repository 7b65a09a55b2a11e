#!/usr/bin/env bash
# The game as a screen reader reads it (screen_reader.py, pyatspi) through a real
# accessibility bus in a private D-Bus session: the 8 x 8 table and its names, the
# focus, a pick selected, a move announced once with the new score.
# Usage: screen_reader.sh <pomrola99 executable> [X display, default :47]
# Exits 77 (skipped) without Xvfb, dbus-run-session, at-spi2-core or pyatspi.
BIN="$(realpath "$1")"
export DISPLAY="${2:-:47}"
READER_PYTHON=/usr/bin/python3 # pyatspi is Debian's, whatever python3 comes first

# Runs again inside a D-Bus session of its own, where the accessibility bus
# starts on demand (at-spi-bus-launcher) and ends with the session.
if [ -z "${POMROLA_IN_DBUS_SESSION:-}" ]; then
    skip() { echo "SKIPPED: $* is not installed; screen reader was NOT checked" >&2; exit 77; }
    command -v dbus-run-session >/dev/null || skip "dbus-run-session (dbus)"
    [ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core"
    "$READER_PYTHON" -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi"
    POMROLA_IN_DBUS_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
start_xvfb
write_settings
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 # the game's bridge on, as a running reader turns it on
start_game
import -window "$MAIN" -depth 8 "$WORK/start.ppm"
"$READER_PYTHON" "$(dirname "${BASH_SOURCE[0]}")/screen_reader.py" "$MAIN" "$WORK/start.ppm" ||
    fail "the screen reader's view (above)"
