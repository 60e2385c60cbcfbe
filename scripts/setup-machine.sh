#!/usr/bin/env bash
# Installs what building and testing Parcelkit need on Debian 12, as root. Safe to run
# again: it installs only what is missing.
set -euo pipefail

packages=(
    cmake make g++ googletest python3 git
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
    wine wine64 wine32:i386
    xvfb xauth imagemagick fonts-wqy-microhei
    liblnk-utils nlohmann-json3-dev python3-jsonschema python3-yaml
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

if [[ $(id -u) != 0 ]]; then
    echo "setup-machine: these packages are missing and need root: ${missing[*]}" >&2
    exit 1
fi
echo "setup-machine: installing ${missing[*]}"
# 32-bit Windows programs need Wine's i386 half.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}" >/dev/null
