#!/usr/bin/env bash
# Builds Qt 6.4.2 (qtbase: Core, Gui, Widgets, Network, PrintSupport, Test, platform and image
# plugins) for 64-bit Windows from Debian's qt6-base source package with MinGW-w64, into
# PREFIX. Uses the machine's own Qt 6.4.2 (qt6-base-dev) as host tools. About 50 minutes on
# two cores.
# Usage: build-qt.sh PREFIX [WORKDIR]
set -euo pipefail
prefix=${1:?Aufruf: build-qt.sh PRÄFIX [ARBEITSORDNER]}
work=${2:-$(mktemp -d)}
here=$(cd "$(dirname "$0")" && pwd)
export DEBIAN_FRONTEND=noninteractive
# Through the project's installer, which asks for sudo when not run as root.
"$here/../../scripts/install-deps.sh" g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
    mingw-w64-tools libz-mingw-w64-dev qt6-base-dev-tools xz-utils >/dev/null
# The source package: a deb-src entry for the same Debian mirror, in a private apt state.
mkdir -p "$work/apt/parts" "$work/apt/lists/partial" "$work/dl"
sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$work/apt/parts/src.sources"
# The download lands in a folder of our own, where apt's _apt user may not write.
apto=(-o Dir::Etc::sourcelist=/dev/null -o Dir::Etc::sourceparts="$work/apt/parts" -o Dir::State::Lists="$work/apt/lists"
      -o APT::Sandbox::User=root)
apt-get "${apto[@]}" update -qq
(cd "$work/dl" && apt-get "${apto[@]}" source --download-only qt6-base=6.4.2+dfsg-10 >/dev/null 2>&1 \
    || apt-get "${apto[@]}" source --download-only qt6-base >/dev/null)
tar -C "$work" -xf "$work"/dl/qt6-base_6.4.2*.orig.tar.xz
export ZOLVARIC_WIN_PREFIX="$prefix"
mkdir -p "$work/build" && cd "$work/build"
# Debian's source lacks the Wacom tablet header: tablet events are left out (-no-feature-tabletevent).
"$work"/qtbase-everywhere-src-6.4.2/configure -xplatform win32-g++ -qt-host-path /usr -prefix "$prefix" \
    -release -nomake examples -nomake tests -no-opengl -no-dbus -no-icu -qt-zlib -qt-libpng \
    -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -no-feature-sql -no-feature-tabletevent -- \
    -DCMAKE_TOOLCHAIN_FILE="$here/toolchain-mingw.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >configure.log
cmake --build . --parallel "$(nproc)" >build.log
cmake --install . >install.log
echo "Qt für Windows installiert in $prefix"
