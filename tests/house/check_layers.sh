#!/usr/bin/env bash
# The layering rules, checked on the source tree and the built engine tests:
# - only src/platform/ includes operating-system headers;
# - src/widgets/ includes nothing but Qt, the standard library and its own headers;
# - src/engine/ includes no Qt, and its test program links no Qt library;
# - src/formats/ includes its own headers, Qt Core and the standard library alone,
#   nothing that reads files, the clock or the system, and links nothing else.
# Usage: check_layers.sh SOURCE_DIR [ENGINE_TESTS_BINARY [QTCORE_INCLUDE_DIR]]
set -u
src="$1/src"
engine_tests="${2:-}"
qtcore_dir="${3:-}"
failed=0
complain() { echo "LAYERS: $*" >&2; failed=1; }
complain_each() { local hit; while IFS= read -r hit; do complain "$1: $hit"; done; }  # one line of input each

system_headers='windows\.h|winbase\.h|shlobj\.h|shellapi\.h|winreg\.h|io\.h|direct\.h|process\.h|unistd\.h|sys/[a-z_]+\.h|fcntl\.h|pwd\.h|grp\.h|signal\.h|dirent\.h|dlfcn\.h|pthread\.h|errno\.h'
complain_each "operating-system header outside src/platform" < <(grep -rnE "^\s*#\s*include\s*<($system_headers)>" "$src" --include='*.cpp' --include='*.h' | grep -v "^$src/platform/")

own_widgets=$(cd "$src/widgets" && ls *.h | paste -sd'|')
complain_each "src/widgets uses something other than Qt" < <(grep -rnE '^\s*#\s*include\s*"' "$src/widgets" --include='*.cpp' --include='*.h' | grep -vE "\"($own_widgets)\"")
grep -qE 'pomrola_(platform|engine|records|windows|main)' "$src/widgets/CMakeLists.txt" &&
    complain "src/widgets/CMakeLists.txt links another layer"

complain_each "the engine includes Qt" < <(grep -rnE '^\s*#\s*include\s*<Q' "$src/engine")
if [ -n "$engine_tests" ] && command -v ldd >/dev/null && ldd "$engine_tests" 2>/dev/null | grep -qi 'libQt'; then
    complain "$engine_tests links Qt: $(ldd "$engine_tests" | grep -i libQt | head -n 1)"
fi

own_formats=$(cd "$src/formats" && ls *.h | paste -sd'|')
system_qt='QFile|QFileInfo|QFileDevice|QDir|QDirIterator|QSaveFile|QTemporaryFile|QTemporaryDir|QIODevice|QProcess|QStandardPaths|QSettings|QLockFile|QStorageInfo|QLibrary|QPluginLoader|QSysInfo|QThread|QCoreApplication|QDateTime|QElapsedTimer|QDeadlineTimer|QTimer|QRandomGenerator|QSocketNotifier|QSharedMemory|QSystemSemaphore'
system_std='fstream|iostream|istream|ostream|filesystem|cstdio|thread|chrono|ctime|csignal|future|mutex|condition_variable|random|syncstream'
while IFS= read -r hit; do
    header=$(sed -nE 's/^[^:]*:[0-9]+:\s*#\s*include\s*([<"][^>"]+[>"]).*/\1/p' <<<"$hit")
    name="${header:1:${#header}-2}"
    case "$header" in
    \"*) [[ "$name" =~ ^($own_formats)$ ]] || complain "src/formats includes a header of another layer: $hit" ;;
    \<Q*)
        if [[ "$name" =~ ^($system_qt)$ ]]; then
            complain "src/formats reaches the system through Qt: $hit"
        elif [ -n "$qtcore_dir" ] && [ ! -e "$qtcore_dir/$name" ]; then
            complain "src/formats includes Qt beyond Qt Core: $hit"
        fi ;;
    *)
        if [[ ! "$name" =~ ^[a-z_]+$ ]] || [[ "$name" =~ ^($system_std)$ ]]; then
            complain "src/formats includes a system or input/output header: $hit"
        fi ;;
    esac
done < <(grep -rnE '^\s*#\s*include' "$src/formats" --include='*.cpp' --include='*.h')
grep -E 'target_link_libraries' "$src/formats/CMakeLists.txt" | grep -qvE 'PUBLIC Qt6::Core\)$' &&
    complain "src/formats/CMakeLists.txt links more than Qt Core"

[ "$failed" = 0 ] && echo "layers: platform alone talks to the system, widgets know only Qt, the engine no Qt, formats only bytes"
exit "$failed"
