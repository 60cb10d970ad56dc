#!/usr/bin/env bash
# Builds the Debian package from a Release build in build/package and prints
# the path of the .deb file.
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-shlibdeps (dpkg-dev) finds the libraries' packages; file lets CPack
# tell which files to strip.
scripts/install-deps.sh dpkg-dev file >&2
build=build/package
# Debian's hardening flags (stack protector, fortify, relro and bind-now).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=Release \
    "-DCMAKE_CXX_FLAGS=$cxxflags" \
    "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" \
    -DCMAKE_INSTALL_PREFIX=/usr \
    -DZOLVARIC_BUILD_TESTS=OFF \
    -DZOLVARIC_BUILD_BENCH=OFF >&2
cmake --build "$build" >&2
rm -f "$build"/zolvaric_*.deb
(cd "$build" && cpack -G DEB >&2)
deb=$(ls "$PWD/$build"/zolvaric_*.deb)
echo "$deb"
