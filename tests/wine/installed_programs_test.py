#!/usr/bin/env python3
"""The installed-programs entry across three silent installations with one id, each from its
own setup folder under installed_programs/: the first writes every value from its language
section; the second, whose section names only DisplayVersion, overwrites every value, the
others with their defaults; the third names another destination, but the destination field
starts at the directory of the earlier installation, so its files land there; a fourth run
of the third folder shows that field through the wizard."""
import argparse
import shutil
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from run_case import (WINE_RUN, check, prepare_setup_folder, run_setup,  # noqa: E402
                      to_windows, wine_env)
from system_checks import reg_view  # noqa: E402

KEY = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PkInstalledPrograms"


def entry(**values) -> list:
    return [{"key": KEY, "name": name, "data": data, "view": "32"} for name, data in values.items()]


# The doubled form of the installation directory, as registry files write it.
DOUBLED_DEST = "C:\\\\cases\\\\installed_programs\\\\Dest Dir"

RUNS = [
    ("first", {
        "files": {"@DEST@\\first.txt": "first\r\n"},
        "registry": entry(DisplayName="Listed Product", UninstallString='"@DEST@\\uninstall.exe"',
                          Language="1033", DisplayVersion="1.2.3", Publisher="Case Publisher",
                          UrlInfoAbout="http://about.example/",
                          URLUpdateInfo="http://update.example/",
                          HelpLink="http://help.example/", Contact="Case Contact",
                          Comments="First comments", DisplayIcon=DOUBLED_DEST + "\\app.exe,0"),
    }),
    ("second", {
        "files": {"@DEST@\\second.txt": "second\r\n"},
        "registry": entry(DisplayName="Listed Product Again",
                          UninstallString='"@DEST@\\uninstall.exe"', Language="2052",
                          DisplayVersion="2.0", Publisher="Parcelkit", UrlInfoAbout="",
                          URLUpdateInfo="", HelpLink="", Contact="", Comments="",
                          DisplayIcon=""),
    }),
    ("third", {
        "files": {"@DEST@\\third.txt": "third\r\n"},
        "absent": ["@WORK@\\Elsewhere"],
        "registry": entry(DisplayName="Listed Product Third",
                          UninstallString='"@DEST@\\uninstall.exe"'),
        "uninstall_ini": {"main": {"name": "Listed Product Third"}},
    }),
    # The same folder again, through the wizard: the destination field itself shows the
    # earlier directory, and leaving the page asks to uninstall first; No ends the run.
    ("fourth", {
        "exit_code": 1602,
        "shown_texts": ["@DEST@"],
        "boxes": [{"caption": "提示！", "text": "本软件已经安装，建议卸载后再安装。卸载吗？"}],
        "absent": ["@WORK@\\Elsewhere"],
        "registry": entry(DisplayName="Listed Product Third"),
    }),
]

FOLDERS = {"first": "first", "second": "second", "third": "third", "fourth": "third"}
WALK = ["wait:&Next >", "click:&Next >", "wait:< &Back", "texts", "click:&Next >", "no"]


def delete_entry(env: dict):
    subprocess.run([str(WINE_RUN), "reg", "delete", KEY, "/f", f"/reg:{reg_view('32')}"], capture_output=True,
                   env=env, timeout=60)


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--setup-exe", required=True)
    parser.add_argument("--uninstall-exe")
    parser.add_argument("--driver", required=True)
    args = parser.parse_args()
    args.payload = []
    env = wine_env()
    prefix = Path(env["WINEPREFIX"])
    work = prefix / "drive_c" / "cases" / "installed_programs"
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    dest = work / "Dest Dir"
    failures = []
    delete_entry(env)
    try:
        for name, expect in RUNS:
            setup = work / name
            values = {"@DEST@": to_windows(work, prefix) + "\\Dest Dir",
                      "@WORK@": to_windows(work, prefix),
                      "@SETUP@": to_windows(work, prefix) + "\\" + name}
            run = {"setup_folder": FOLDERS[name], "args": [] if name == "fourth" else ["/s"],
                   "answers": WALK if name == "fourth" else [], "timeout": 60,
                   "expect": expect}
            # Setup folders are looked up beside the case file: here, in installed_programs/.
            prepare_setup_folder(run, HERE / "installed_programs" / "runs.json", args, setup,
                                 values)
            result = run_setup(run, args.driver, setup, env)
            failures += [f"{name} run: {failure}"
                         for failure in check(run, values, result, dest, env)]
    finally:
        delete_entry(env)
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("ok installed_programs")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
