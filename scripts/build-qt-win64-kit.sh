#!/usr/bin/env bash
# Builds Qt 6.4.2 (qtbase: Core, Gui, Widgets, Test and their plugins) for 64-bit Windows with
# Debian's MinGW-w64, from Debian's own qt6-base source package, and packs it as
# qt6.4.2-win64-mingw.tar.xz beside this script (or into $OUT_DIR). Takes about 45 minutes on
# 2 cores. The host's Qt tools (moc, rcc, uic) of the same version come from qt6-base-dev.
#
#   build-kit.sh [WORK_DIR]      WORK_DIR defaults to a temporary folder
# (A copy of ../shared/qt-win64/build-kit.sh, so that a clone without the shared folder can
# make the same kit.)
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
WORK="${1:-$(mktemp -d)}"
OUT_DIR="${OUT_DIR:-$HERE}"
VERSION=6.4.2

sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools \
    cmake ninja-build qt6-base-dev qt6-base-dev-tools dpkg-dev xz-utils

# Debian's source package of the same Qt as the host tools.
if ! ls "$WORK"/qt6-base_${VERSION}*.orig.tar.xz >/dev/null 2>&1; then
    list=/etc/apt/sources.list.d/qt-win64-src.sources
    if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ /etc/apt/sources.list 2>/dev/null; then
        printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' | $sudo tee "$list" >/dev/null
        $sudo apt-get update -qq
    fi
    (cd "$WORK" && apt-get source --download-only qt6-base)
fi
rm -rf "$WORK/qtbase-everywhere-src-$VERSION"
tar -C "$WORK" -xf "$WORK"/qt6-base_${VERSION}*.orig.tar.xz
# Debian's source leaves out the tablet header that the Windows platform plugin includes;
# build that plugin without tablet input (the rest of Qt keeps its tablet classes).
plugin="$WORK/qtbase-everywhere-src-$VERSION/src/plugins/platforms/windows"
sed -i 's/QT_CONFIG(tabletevent)/0/g' "$plugin"/qwindowspointerhandler.h "$plugin"/qwindowspointerhandler.cpp "$plugin"/qwindowscontext.cpp
# Without OpenGL, the plugin's software-GL check must not refer to the GL classes.
sed -i 's/QT_CONFIG(dynamicgl)/0/g' "$plugin"/qwindowswindow.cpp
# Without Direct2D, Qt Gui has no DirectWrite font database; the plugin uses the GDI one.
sed -i 's/QT_CONFIG(directwrite3)/0/g' "$plugin"/qwindowsintegration.cpp
sed -i 's/qt_internal_extend_target(QWindowsIntegrationPlugin CONDITION QT_FEATURE_tabletevent/qt_internal_extend_target(QWindowsIntegrationPlugin CONDITION FALSE/' "$plugin"/CMakeLists.txt

cat > "$WORK/mingw.cmake" <<'TOOLCHAIN'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN

PREFIX="$WORK/qt6-win64"
rm -rf "$WORK/build" "$PREFIX"
cmake -G Ninja -S "$WORK/qtbase-everywhere-src-$VERSION" -B "$WORK/build" \
    -DCMAKE_TOOLCHAIN_FILE="$WORK/mingw.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_jpeg=OFF -DFEATURE_icu=OFF -DFEATURE_direct2d=OFF
cmake --build "$WORK/build" --parallel "$(nproc)"
cmake --install "$WORK/build"
x86_64-w64-mingw32-strip --strip-unneeded "$PREFIX"/bin/*.dll "$PREFIX"/plugins/*/*.dll
cp "$WORK/mingw.cmake" "$PREFIX/mingw.cmake"   # pass it as QT_CHAINLOAD_TOOLCHAIN_FILE
rm -rf "$PREFIX/doc"

tar -C "$WORK" -cJf "$OUT_DIR/qt${VERSION}-win64-mingw.tar.xz" qt6-win64
echo "$OUT_DIR/qt${VERSION}-win64-mingw.tar.xz"
