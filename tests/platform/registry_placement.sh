#!/usr/bin/env bash
# registry_placement.sh EMULATOR PLATFORM_TESTS: saves a placement under the
# game's key, then reads it back with Wine's own reg tool, as a player's
# registry editor would show it.
set -euo pipefail
emulator="$1" tests="$2"
"$emulator" "$tests" --gtest_filter='RegistryPlacement.*'
key='HKEY_CURRENT_USER\Software\trumvex\pomrola\storage\MainForm'
listing="$("$emulator" reg query "$key" | tr -d '\r')"
echo "$listing"
fail=0
for name in Flags ShowCmd PixelsPerInch MinMaxPos NormPos Visible 'MinMaxPos\([0-9]+x[0-9]+\)' 'NormPos\([0-9]+x[0-9]+\)'; do
    grep -Eq "^ +$name +REG_SZ( |\$)" <<<"$listing" || { echo "missing text value $name"; fail=1; }
done
grep -Eq '^ +NormPos +REG_SZ +123,45,' <<<"$listing" || { echo "NormPos does not start at 123,45"; fail=1; }
exit $fail
