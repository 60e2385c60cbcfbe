#!/usr/bin/env bash
# The main job on the bundled example: builds dist/setup.exe and dist/uninstall.exe, lays
# out examples/demo with its built payload and the uninstaller as a setup folder, installs
# it silently under a private Wine prefix and prints what landed: files, uninstall.ini,
# the installed-programs entry, shortcuts.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup-machine.sh"
"$root/scripts/build.sh"

export PARCELKIT_WINE_ROOT=$root/build/demo-wine
harness=$root/tests/wine/harness
"$harness/start-wine.sh"
trap '"$harness/stop-wine.sh"' EXIT

source "$harness/wine-env.sh"
setup=$WINEPREFIX/drive_c/parcelkit-demo/setup
rm -rf "$(dirname "$setup")"
mkdir -p "$(dirname "$setup")"
cp -r "$root/examples/demo" "$setup"
cp "$root/build/win32/examples/payload/nwnotes.exe" "$root/build/win32/examples/payload/nwhelper.exe" \
    "$setup/01-core/"
cp "$root/dist/setup.exe" "$root/dist/uninstall.exe" "$setup/"

echo "Running setup.exe /s in C:\\parcelkit-demo\\setup ..."
(cd "$setup" && PARCELKIT_GUI=1 "$harness/wine-run.sh" setup.exe /s) && status=0 || status=$?
echo "setup.exe exited with $status"
python3 "$root/scripts/demo_summary.py" "$setup"
