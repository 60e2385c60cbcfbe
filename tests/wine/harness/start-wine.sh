#!/usr/bin/env bash
# Creates a fresh prefix for this test run and starts one persistent wineserver and an
# Xvfb display. Everything that keeps running has its output redirected: a service that
# inherited the test runner's pipe would keep the runner waiting.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

"$harness_dir/stop-wine.sh" >/dev/null 2>&1 || true
rm -rf "$PARCELKIT_WINE_ROOT"
mkdir -p "$PARCELKIT_WINE_ROOT" "$HOME"

"$wine_loader" wineboot -i >/dev/null 2>&1
wineserver -w

setsid wineserver -p >/dev/null 2>&1 </dev/null &

reg_add() { "$wine_loader" reg add "$@" /f >/dev/null 2>&1; }
# Without a window manager every closing window would wait two seconds.
reg_add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
# A program that crashes ends at once, its exception code as exit code and the debugger's
# report on standard error: with a display, Wine's crash dialog would wait for a click.
reg_add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
# Chinese faces the installer asks for, drawn with the CJK font.
for face in 'SimSun' '宋体' 'NSimSun' 'Microsoft YaHei'; do
    reg_add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v "$face" /d 'WenQuanYi Micro Hei'
done
for face in 'Tahoma' 'MS Shell Dlg' 'MS Shell Dlg 2'; do
    reg_add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei'
done
# Start the services now, away from the runner's output.
"$wine_loader" cmd /c exit >/dev/null 2>&1 </dev/null

# A display for the tests that open windows.
for n in $(seq 90 120); do
    if [[ ! -e /tmp/.X$n-lock ]]; then
        setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
        echo $! >"$PARCELKIT_WINE_ROOT/xvfb.pid"
        echo ":$n" >"$PARCELKIT_WINE_ROOT/display"
        break
    fi
done
echo "wine prefix ready: $WINEPREFIX"
