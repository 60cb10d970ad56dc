#!/usr/bin/env bash
# Cross-builds the program for 64-bit Windows (MinGW-w64) into build/windows: the programs
# with their DLLs, Qt plugins and templates in build/windows/bin, the test suites run under
# Wine, and the setup program build/windows/zolvaric-setup-<version>.exe, tried under Wine.
# Qt for Windows is built once into the cache folder (about 50 minutes on two cores), libzip
# and pugixml too; later runs reuse them.
#   ZOLVARIC_WIN_CACHE  the cache folder (default ~/.cache/zolvaric-windows)
#   ZOLVARIC_WIN_QT     a ready Qt 6 for Windows (MinGW-w64) to use instead of building one
# With --skip-without-qt (CI) nothing is done when there is no ready Qt for Windows.
set -euo pipefail
cd "$(dirname "$0")/.."

cache=$(realpath -m "${ZOLVARIC_WIN_CACHE:-$HOME/.cache/zolvaric-windows}")
qt=$(realpath -m "${ZOLVARIC_WIN_QT:-$cache/qt-6.4.2}")
# A finished Qt installation: the install step writes the DLLs and plugins last.
qt_ready() {
    [ -f "$1/lib/cmake/Qt6/Qt6Config.cmake" ] && [ -f "$1/bin/Qt6Widgets.dll" ] &&
        [ -f "$1/plugins/platforms/qwindows.dll" ]
}
if [ $# -gt 1 ] || { [ $# -eq 1 ] && [ "$1" != --skip-without-qt ]; }; then
    echo "Aufruf: scripts/build-windows.sh [--skip-without-qt]" >&2
    exit 2
fi
if [ "${1:-}" = --skip-without-qt ] && ! qt_ready "$qt"; then
    echo "Windows-Build übersprungen: kein fertiges Qt für Windows in $qt."
    echo "scripts/build-windows.sh baut es einmalig (etwa 50 Minuten auf zwei Kernen)."
    exit 0
fi

scripts/install-deps.sh g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools \
    libz-mingw-w64-dev wine wine64 nsis icoutils qt6-base-dev-tools qt6-translations-l10n xz-utils
mkdir -p "$cache"

if [ -n "${ZOLVARIC_WIN_QT:-}" ]; then
    if ! qt_ready "$qt"; then
        echo "In ZOLVARIC_WIN_QT=$ZOLVARIC_WIN_QT ist kein fertiges Qt 6 für Windows" \
             "(lib/cmake/Qt6, bin/Qt6Widgets.dll, plugins/platforms/qwindows.dll)." >&2
        exit 1
    fi
else
    if ! qt_ready "$qt"; then
        # One build at a time; a second run waits for it and then uses it.
        exec 9>"$cache/qt.lock"
        flock 9
        if ! qt_ready "$qt"; then
            echo "Baue Qt 6.4.2 für Windows nach $qt (einmalig, etwa 50 Minuten auf zwei" \
                 "Kernen; Protokoll: $cache/qt-work.log) …"
            if ! packaging/windows/build-qt.sh "$qt" "$cache/qt-work" >"$cache/qt-work.log" 2>&1; then
                tail -30 "$cache/qt-work.log"
                echo "Qt für Windows ließ sich nicht bauen; Protokoll: $cache/qt-work.log" >&2
                exit 1
            fi
        fi
        exec 9>&-
    fi
fi
echo "Qt für Windows: $qt"

packaging/windows/build-libs.sh "$cache/libs" "$cache/libs-work"

# The toolchain file searches these folders for Qt, libzip and pugixml.
export ZOLVARIC_WIN_PREFIX="$qt:$cache/libs"
# The suites compare the tool with the Linux one where that is built.
linux_cli=""
[ -x build/default/bin/zolvaric-cli ] && linux_cli=$PWD/build/default/bin/zolvaric-cli
cmake --preset windows -DZOLVARIC_LINUX_CLI="$linux_cli" >/dev/null
cmake --build --preset windows --parallel "$(nproc)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
setup=build/windows/zolvaric-setup-$version.exe
if ! cmake --build --preset windows --target zolvaric_setup >build/windows/setup.log 2>&1; then
    tail -30 build/windows/setup.log
    echo "Das Setup-Programm ließ sich nicht bauen; Protokoll: build/windows/setup.log" >&2
    exit 1
fi
echo "Setup-Programm gebaut: $setup"

# The suites under Wine, in a Wine prefix of their own made afresh: every run
# starts from the same empty Windows user. The test preset names the same prefix.
export WINEPREFIX=$PWD/build/windows/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
status=0
ctest --preset windows || status=$?
[ -n "$linux_cli" ] ||
    echo "Vergleich mit dem Linux-Programm übersprungen: build/default/bin/zolvaric-cli fehlt."
wineserver -k || true

packaging/windows/test-setup.sh "$setup" || status=1
echo "Programmordner: build/windows/bin"
echo "Setup-Programm: $setup (nicht signiert)"
exit "$status"
