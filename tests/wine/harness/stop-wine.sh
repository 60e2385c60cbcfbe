#!/usr/bin/env bash
# Stops what start-wine.sh started.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [[ -d $WINEPREFIX ]]; then
    wineserver -k >/dev/null 2>&1
fi
if [[ -f $PARCELKIT_WINE_ROOT/xvfb.pid ]]; then
    kill "$(cat "$PARCELKIT_WINE_ROOT/xvfb.pid")" >/dev/null 2>&1
    rm -f "$PARCELKIT_WINE_ROOT/xvfb.pid" "$PARCELKIT_WINE_ROOT/display"
fi
exit 0
