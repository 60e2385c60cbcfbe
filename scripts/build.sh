#!/usr/bin/env bash
# Builds everything: the native code with its unit tests (sanitizers on), the 32-bit
# Windows programs (dist/setup.exe, Wine tests, payload) and the 64-bit Windows variant.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
jobs=$(nproc)

# Rebuilds after a change take seconds instead of minutes when ccache is there.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

configure() { # dir, cmake arguments...
    local dir=$1
    shift
    if [[ ! -f $dir/CMakeCache.txt ]]; then
        cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "$@" >/dev/null
    fi
}

configure build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DPARCELKIT_DIST_DIR="$root/dist"
cmake --build build/win32 -j"$jobs"
configure build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
cmake --build build/win64 -j"$jobs"
# The Wine tier tests the shipped 32-bit build, or the x86-64 build where this machine runs
# no 32-bit code; the checks of the shipped programs always look at the 32-bit build.
bits=$("$root/tests/wine/harness/windows-bits.sh")
configure build/native -DCMAKE_BUILD_TYPE=Debug
cmake build/native -DPARCELKIT_WINE_BUILD="$root/build/win$bits" \
    -DPARCELKIT_PRODUCT_BUILD="$root/build/win32" >/dev/null
cmake --build build/native -j"$jobs"
