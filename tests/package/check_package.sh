#!/usr/bin/env bash
# Builds the Debian package in the build tree, unpacks it and checks that the
# executable, desktop entry, icons and metadata are there and valid.
set -euo pipefail
BUILD="$1"
cd "$BUILD"
rm -f pomrola99_*.deb
cpack -G DEB >/dev/null
deb=$(ls pomrola99_*.deb)
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

fail() { echo "FAILED: $*" >&2; exit 1; }
id=example.pomrola.Pomrola99
[ -x "$root/usr/bin/pomrola99" ] || fail "no executable"
[ -f "$root/usr/share/applications/$id.desktop" ] || fail "no desktop entry"
[ -f "$root/usr/share/metainfo/$id.metainfo.xml" ] || fail "no metadata"
for size in 16 32 48 64 128 256; do
    [ -f "$root/usr/share/icons/hicolor/${size}x${size}/apps/pomrola99.png" ] || fail "no ${size}px icon"
done
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >/dev/null || fail "metadata does not validate"
grep -q '^Exec=pomrola99$' "$root/usr/share/applications/$id.desktop" || fail "desktop entry runs something else"
depends=$(dpkg-deb -f "$deb" Depends)
for need in libqt6widgets6 fonts-liberation2 fonts-dejavu-core qt6-translations-l10n; do
    [[ "$depends" == *"$need"* ]] || fail "Depends lacks $need: $depends"
done
# The stripped executable still carries its version block.
LC_ALL=C grep -q -a -P 'V\x00S\x00_\x00V\x00E\x00R\x00S\x00I\x00O\x00N\x00_\x00I\x00N\x00F\x00O\x00' \
    "$root/usr/bin/pomrola99" || fail "version block missing from the installed executable"
echo "$deb: executable, desktop entry, icons and metadata present and valid; Depends: $depends"
