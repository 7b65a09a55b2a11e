#!/usr/bin/env bash
# The layering rules, checked on the source tree and the built engine tests:
# - only src/platform/ includes operating-system headers;
# - src/widgets/ includes nothing but Qt, the standard library and its own headers;
# - src/engine/ includes no Qt, and its test program links no Qt library.
# Usage: check_layers.sh SOURCE_DIR [ENGINE_TESTS_BINARY]
set -u
src="$1/src"
engine_tests="${2:-}"
failed=0
complain() { echo "LAYERS: $*" >&2; failed=1; }

system_headers='windows\.h|winbase\.h|shlobj\.h|shellapi\.h|winreg\.h|io\.h|direct\.h|process\.h|unistd\.h|sys/[a-z_]+\.h|fcntl\.h|pwd\.h|grp\.h|signal\.h|dirent\.h|dlfcn\.h|pthread\.h|errno\.h'
while IFS= read -r hit; do
    complain "operating-system header outside src/platform: $hit"
done < <(grep -rnE "^\s*#\s*include\s*<($system_headers)>" "$src" --include='*.cpp' --include='*.h' | grep -v "^$src/platform/")

own_widgets=$(cd "$src/widgets" && ls *.h | paste -sd'|')
while IFS= read -r hit; do
    complain "src/widgets uses something other than Qt: $hit"
done < <(grep -rnE '^\s*#\s*include\s*"' "$src/widgets" --include='*.cpp' --include='*.h' | grep -vE "\"($own_widgets)\"")
if grep -qE 'pomrola_(platform|engine|records|windows|main)' "$src/widgets/CMakeLists.txt"; then
    complain "src/widgets/CMakeLists.txt links another layer"
fi

while IFS= read -r hit; do
    complain "the engine includes Qt: $hit"
done < <(grep -rnE '^\s*#\s*include\s*<Q' "$src/engine")
if [ -n "$engine_tests" ]; then
    if command -v ldd >/dev/null && ldd "$engine_tests" 2>/dev/null | grep -qi 'libQt'; then
        complain "$engine_tests links Qt: $(ldd "$engine_tests" | grep -i libQt | head -n 1)"
    fi
fi

[ "$failed" = 0 ] && echo "layers: platform alone talks to the system, widgets know only Qt, the engine no Qt"
exit "$failed"
