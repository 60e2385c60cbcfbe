#!/usr/bin/env bash
# Tries any setup folder under Wine, the way scripts/demo.sh tries the bundled example:
#   scripts/try-setup.sh SETUP-FOLDER [--walk]
# Copies the folder with the freshly built setup.exe and uninstall.exe beside its setup.ini
# into a private Wine prefix (build/try-wine, with its own HOME and a CJK font), runs
# setup.exe /s there and prints what landed: files, uninstall.ini, the registry keys of
# the folder's registry files, the installed-programs entry and the shortcuts.
#
# With --walk it clicks through the language dialog and the wizard instead, with the
# default choices, and leaves a picture of each page, cut to the window, in
# build/screenshots/try-*.png.
set -euo pipefail
if [[ $# -lt 1 || ! -f $1/setup.ini || ($# -eq 2 && $2 != --walk) || $# -gt 2 ]]; then
    echo "usage: scripts/try-setup.sh SETUP-FOLDER [--walk]  (the folder holds setup.ini)" >&2
    exit 2
fi
folder=$(cd "$1" && pwd)
walk=${2:-}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [[ ${PARCELKIT_BUILT:-0} != 1 ]]; then
    "$root/scripts/setup-machine.sh"
    "$root/scripts/build.sh"
fi

export PARCELKIT_WINE_ROOT=${PARCELKIT_WINE_ROOT:-$root/build/try-wine}
harness=$root/tests/wine/harness
"$harness/start-wine.sh"
trap '"$harness/stop-wine.sh"' EXIT

# The shipped 32-bit programs, or their x86-64 build where this machine runs no 32-bit code.
build=$root/build/win$("$harness/windows-bits.sh")
if [[ $walk == --walk ]]; then
    case_file=$PARCELKIT_WINE_ROOT/try-walk.json
    python3 "$root/scripts/try_setup_walk.py" "$folder" >"$case_file"
    rm -f "$root"/build/screenshots/try-*.png
    python3 "$root/tests/wine/run_case.py" "$case_file" \
        --setup-exe "$build/src/setup.exe" --uninstall-exe "$build/src/uninstall.exe" \
        --driver "$build/tests/pkdriver.exe" || echo "the walk did not end as expected (see above)"
    # The display is larger than the window: keep the window only.
    for shot in "$root"/build/screenshots/try-*.png; do
        [[ -f $shot ]] || continue
        convert "$shot" -trim +repage "$shot"
        echo "$shot"
    done
    exit 0
fi

source "$harness/wine-env.sh"
setup=$WINEPREFIX/drive_c/parcelkit-try/setup
rm -rf "$(dirname "$setup")"
mkdir -p "$(dirname "$setup")"
cp -r "$folder" "$setup"
cp "$build/src/setup.exe" "$build/src/uninstall.exe" "$setup/"

echo "Running setup.exe /s in C:\\parcelkit-try\\setup ..."
(cd "$setup" && PARCELKIT_GUI=1 "$harness/wine-run.sh" setup.exe /s) && status=0 || status=$?
echo "setup.exe exited with $status"
python3 "$root/scripts/demo_summary.py" "$setup"
