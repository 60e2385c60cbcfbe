#!/usr/bin/env bash
# The main job on the bundled example: builds dist/setup.exe and dist/uninstall.exe, lays
# out examples/demo with its built payload and the uninstaller as a setup folder, installs
# it silently under a private Wine prefix and prints what landed: files, uninstall.ini,
# the installed-programs entry, shortcuts.
#
# With --walk it clicks through the language dialog and the wizard instead, once in English
# and once in Chinese (the end-to-end cases language_walk_en and language_walk_zh), and
# leaves a picture of each page, cut to the window, in build/screenshots.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup-machine.sh"
"$root/scripts/build.sh"

export PARCELKIT_WINE_ROOT=$root/build/demo-wine
harness=$root/tests/wine/harness
"$harness/start-wine.sh"
trap '"$harness/stop-wine.sh"' EXIT

# The shipped 32-bit programs, or their x86-64 build where this machine runs no 32-bit code.
build=$root/build/win$("$harness/windows-bits.sh")
if [[ ${1:-} == --walk ]]; then
    for case in language_walk_en language_walk_zh; do
        python3 "$root/tests/wine/run_case.py" "$root/tests/wine/cases/$case.json" \
            --setup-exe "$build/src/setup.exe" --uninstall-exe "$build/src/uninstall.exe" \
            --driver "$build/tests/pkdriver.exe"
    done
    # The display is larger than the window: keep the window only.
    for shot in "$root"/build/screenshots/walk-{en,zh}-*.png; do
        convert "$shot" -trim +repage "$shot"
        echo "$shot"
    done
    exit 0
fi

source "$harness/wine-env.sh"
setup=$WINEPREFIX/drive_c/parcelkit-demo/setup
rm -rf "$(dirname "$setup")"
mkdir -p "$(dirname "$setup")"
cp -r "$root/examples/demo" "$setup"
cp "$build/examples/payload/nwnotes.exe" "$build/examples/payload/nwhelper.exe" "$setup/01-core/"
cp "$build/src/setup.exe" "$build/src/uninstall.exe" "$setup/"

echo "Running setup.exe /s in C:\\parcelkit-demo\\setup ..."
(cd "$setup" && PARCELKIT_GUI=1 "$harness/wine-run.sh" setup.exe /s) && status=0 || status=$?
echo "setup.exe exited with $status"
python3 "$root/scripts/demo_summary.py" "$setup"
