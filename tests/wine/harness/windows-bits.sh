#!/usr/bin/env bash
# Prints 32 when this machine runs 32-bit Windows programs under Wine, else 64. Some
# virtual machines run no 32-bit code at all (the kernel's 32-bit emulation is off); the
# Wine tier then tests the x86-64 build of the same sources with Wine's 64-bit loader.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo 32
else
    echo 64
fi
