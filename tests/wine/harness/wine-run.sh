#!/usr/bin/env bash
# Runs a Windows program under the harness's Wine, with DISPLAY only when asked for
# (PARCELKIT_GUI=1): without one, message boxes return at once instead of waiting.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [[ ${PARCELKIT_GUI:-0} == 1 && -f $PARCELKIT_WINE_ROOT/display ]]; then
    export DISPLAY=$(cat "$PARCELKIT_WINE_ROOT/display")
fi
exec "$wine_loader" "$@"
