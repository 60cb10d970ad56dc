#!/usr/bin/env bash
# Builds libzip 1.7.3 and pugixml 1.13 for 64-bit Windows from Debian's source packages
# with MinGW-w64, into PREFIX, as DLLs with import libraries and CMake package files.
# zlib is Debian's libz-mingw-w64-dev. A library already in PREFIX is not built again.
# Usage: build-libs.sh PREFIX [WORKDIR]
set -euo pipefail
prefix=${1:?Aufruf: build-libs.sh PRÄFIX [ARBEITSORDNER]}
work=${2:-$(mktemp -d)}
here=$(cd "$(dirname "$0")" && pwd)
jobs=$(nproc)

# The source packages: a deb-src entry for the same Debian mirror, in a private apt state.
fetched=""
fetch_source() { # package version
    if [ -z "$fetched" ]; then
        mkdir -p "$work/apt/parts" "$work/apt/lists/partial" "$work/dl"
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            >"$work/apt/parts/src.sources"
        apt-get "${apto[@]}" update -qq
        fetched=1
    fi
    (cd "$work/dl" && { apt-get "${apto[@]}" source --download-only "$1=$2" >/dev/null 2>&1 ||
        apt-get "${apto[@]}" source --download-only "$1" >/dev/null; })
}
# The download lands in root's own folder, where apt's _apt user may not write.
apto=(-o Dir::Etc::sourcelist=/dev/null -o Dir::Etc::sourceparts="$work/apt/parts"
      -o Dir::State::Lists="$work/apt/lists" -o APT::Sandbox::User=root)

cross_build() { # source-folder build-folder cmake-options...
    local source=$1 build=$2
    shift 2
    rm -rf "$build"
    if ! { cmake -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
               -DCMAKE_TOOLCHAIN_FILE="$here/toolchain-mingw.cmake" \
               -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON "$@" &&
           cmake --build "$build" --parallel "$jobs" &&
           cmake --install "$build"; } >"$build.log" 2>&1; then
        tail -30 "$build.log"
        echo "Fehler beim Bauen von $(basename "$source"); Protokoll: $build.log" >&2
        return 1
    fi
}

# The marker files are written last: a library whose build broke off is built again.
if [ ! -f "$prefix/share/zolvaric/libzip-1.7.3" ]; then
    echo "Baue libzip 1.7.3 für Windows …"
    fetch_source libzip 1.7.3-1
    rm -rf "$work/libzip-1.7.3"
    tar -C "$work" -xf "$work"/dl/libzip_1.7.3*.orig.tar.*
    # Only the deflate codec (zlib): no tools, tests, examples, manual pages,
    # other codecs or encryption.
    cross_build "$work/libzip-1.7.3" "$work/build-libzip" \
        -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF \
        -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF \
        -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF
    mkdir -p "$prefix/share/zolvaric" && touch "$prefix/share/zolvaric/libzip-1.7.3"
fi

if [ ! -f "$prefix/share/zolvaric/pugixml-1.13" ]; then
    echo "Baue pugixml 1.13 für Windows …"
    fetch_source pugixml 1.13-0.2
    rm -rf "$work/pugixml-1.13"
    tar -C "$work" -xf "$work"/dl/pugixml_1.13*.orig.tar.*
    cross_build "$work/pugixml-1.13" "$work/build-pugixml" -DPUGIXML_BUILD_TESTS=OFF
    mkdir -p "$prefix/share/zolvaric" && touch "$prefix/share/zolvaric/pugixml-1.13"
fi
