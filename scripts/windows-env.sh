# Shared by the Windows commands: the cross build in build-win/ and Wine to run it.
declare -F ensure_packages >/dev/null || source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

WIN_BUILD_DIR="${WIN_BUILD_DIR:-$ROOT/build-win}"
QT_KIT_ARCHIVE="$ROOT/../shared/qt-win64/qt6.4.2-win64-mingw.tar.xz"
QT_KIT_SCRIPT="$ROOT/../shared/qt-win64/build-kit.sh"
[ -f "$QT_KIT_SCRIPT" ] || QT_KIT_SCRIPT="$ROOT/scripts/build-qt-win64-kit.sh"
QT_KIT="$WIN_BUILD_DIR/qt6-win64"
GTEST_WIN="$WIN_BUILD_DIR/googletest"
WINE="/usr/lib/wine/wine64"
WINESERVER="/usr/lib/wine/wineserver"

export WINEPREFIX="${WINEPREFIX:-$WIN_BUILD_DIR/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64

# Unpacks the Qt kit for Windows, or builds the same kit when the shared archive is missing.
unpack_qt_kit() {
    [ -f "$QT_KIT/bin/Qt6Core.dll" ] && return 0
    mkdir -p "$WIN_BUILD_DIR"
    if [ ! -f "$QT_KIT_ARCHIVE" ]; then
        echo "No Qt kit at $QT_KIT_ARCHIVE: building it (about 45 minutes)"
        mkdir -p "$WIN_BUILD_DIR/qt-kit-work"
        OUT_DIR="$WIN_BUILD_DIR" bash "$QT_KIT_SCRIPT" "$WIN_BUILD_DIR/qt-kit-work"
        tar -C "$WIN_BUILD_DIR" -xJf "$WIN_BUILD_DIR/qt6.4.2-win64-mingw.tar.xz"
    else
        tar -C "$WIN_BUILD_DIR" -xJf "$QT_KIT_ARCHIVE"
    fi
}

# GoogleTest for Windows, from Debian's sources.
build_gtest() {
    [ -f "$GTEST_WIN/lib/cmake/GTest/GTestConfig.cmake" ] && return 0
    cmake -S /usr/src/googletest -B "$WIN_BUILD_DIR/googletest-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$GTEST_WIN" -DBUILD_GMOCK=ON -DBUILD_SHARED_LIBS=OFF
    cmake --build "$WIN_BUILD_DIR/googletest-build" --parallel 2
    cmake --install "$WIN_BUILD_DIR/googletest-build"
}

# The emulator CTest runs the tests with; CMake 3.25's test discovery takes it as one word.
write_emulator() {
    mkdir -p "$WIN_BUILD_DIR"
    printf '#!/bin/sh\nexec "%s" "%s" "$@"\n' "$ROOT/scripts/wine-run" "$WIN_BUILD_DIR" >"$WIN_BUILD_DIR/wine-run"
    chmod +x "$WIN_BUILD_DIR/wine-run"
}

windows_build() {
    unpack_qt_kit
    build_gtest
    write_emulator
    cmake -S "$ROOT" -B "$WIN_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$QT_KIT/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DGTest_DIR="$GTEST_WIN/lib/cmake/GTest" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$WIN_BUILD_DIR/wine-run" \
        -DPOMROLA_BUILD_TESTS=ON -DPOMROLA_BUILD_BENCH=OFF "$@"
    cmake --build "$WIN_BUILD_DIR" --parallel 2
}

# A Wine prefix made once, and one Wine server for the whole run.
start_wine() {
    mkdir -p "$WINEPREFIX"  # the server will not start without its folder
    "$WINESERVER" -p >/dev/null 2>&1
    "$WINE" wineboot -i >/dev/null 2>&1   # makes the prefix once; later runs return at once
}

stop_wine() {
    "$WINESERVER" -k 2>/dev/null || true
}

windows_test() {
    start_wine
    trap stop_wine EXIT
    # Now and then a test under Wine hangs as it starts (two Wine programs
    # starting together); such a test is stopped after 2 minutes and given one more try.
    run_suite Windows "$WIN_BUILD_DIR" --repeat until-pass:2 --timeout 120
}
