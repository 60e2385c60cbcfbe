#!/usr/bin/env bash
# Builds everything: the native code with its unit tests (sanitizers on), the 32-bit
# Windows programs (dist/setup.exe, Wine tests, payload) and the 64-bit Windows variant.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
jobs=$(nproc)

configure() { # dir, cmake arguments...
    local dir=$1
    shift
    if [[ ! -f $dir/CMakeCache.txt ]]; then
        cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    fi
}

configure build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DPARCELKIT_DIST_DIR="$root/dist"
cmake --build build/win32 -j"$jobs"
configure build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
cmake --build build/win64 -j"$jobs"
configure build/native -DCMAKE_BUILD_TYPE=Debug -DPARCELKIT_WINE_BUILD="$root/build/win32"
cmake --build build/native -j"$jobs"
