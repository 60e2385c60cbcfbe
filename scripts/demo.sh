#!/usr/bin/env bash
# The main job on the bundled example: builds dist/setup.exe and dist/uninstall.exe, lays
# out examples/demo with its built payload as a setup folder (build/demo-folder), and tries
# it with scripts/try-setup.sh under a private Wine prefix (build/demo-wine): installs it
# silently and prints what landed: files, uninstall.ini, registry keys, the
# installed-programs entry, shortcuts.
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
# The shipped 32-bit programs, or their x86-64 build where this machine runs no 32-bit code.
build=$root/build/win$("$harness/windows-bits.sh")

if [[ ${1:-} == --walk ]]; then
    "$harness/start-wine.sh"
    trap '"$harness/stop-wine.sh"' EXIT
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

folder=$root/build/demo-folder
rm -rf "$folder"
cp -r "$root/examples/demo" "$folder"
cp "$build/examples/payload/nwnotes.exe" "$build/examples/payload/nwhelper.exe" "$folder/01-core/"
PARCELKIT_BUILT=1 exec "$root/scripts/try-setup.sh" "$folder"
