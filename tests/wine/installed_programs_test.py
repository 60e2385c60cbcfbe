#!/usr/bin/env python3
"""The installed-programs entry across three silent installations with one id, each from its
own setup folder under installed_programs/: the first writes every value from its language
section, and the values deployment tools read, each with its registry type; the second,
whose section names only DisplayVersion, overwrites every value, the others with their
defaults; the third names another destination, but the destination field starts at the
directory of the earlier installation, so its files land there; a fourth run of the third
folder shows that field through the wizard. Last, the registered QuietUninstallString runs
as a deployment tool runs it, the whole string through cmd /c: it removes the installation
and the entry, and ends with 0."""
import argparse
import datetime
import shutil
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from run_case import (WINE_RUN, check, prepare_setup_folder, reg_query,  # noqa: E402
                      run_setup, to_windows, wait_until_gone, wine_env)
from system_checks import reg_view  # noqa: E402

KEY = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PkInstalledPrograms"


def entry(**values) -> list:
    return [{"key": KEY, "name": name, "data": data, "view": "32"} for name, data in values.items()]


def typed(kind: str, **values) -> list:
    return [dict(item, type=kind) for item in entry(**values)]


UNINSTALLER = '"@DEST@\\uninstall.exe"'
# The values for deployment tools, the same after every run but for the size: @SIZE@ is
# the kilobytes of the destination's files but the record, @TODAY@ the local date.
FOR_TOOLS = typed("REG_SZ", UninstallString=UNINSTALLER, InstallLocation="@DEST@",
                  QuietUninstallString=UNINSTALLER + " /s", InstallDate="@TODAY@") + \
    typed("REG_DWORD", EstimatedSize="@SIZE@", NoModify="0x1", NoRepair="0x1")


# The doubled form of the installation directory, as registry files write it.
DOUBLED_DEST = "C:\\\\cases\\\\installed_programs\\\\Dest Dir"

RUNS = [
    ("first", {
        "files": {"@DEST@\\first.txt": "first\r\n"},
        "registry": entry(DisplayName="Listed Product", Language="1033",
                          DisplayVersion="1.2.3", Publisher="Case Publisher",
                          UrlInfoAbout="http://about.example/",
                          URLUpdateInfo="http://update.example/",
                          HelpLink="http://help.example/", Contact="Case Contact",
                          Comments="First comments", DisplayIcon=DOUBLED_DEST + "\\app.exe,0")
        + FOR_TOOLS,
    }),
    ("second", {
        "files": {"@DEST@\\second.txt": "second\r\n"},
        "registry": entry(DisplayName="Listed Product Again",
                          UninstallString=UNINSTALLER, Language="2052",
                          DisplayVersion="2.0", Publisher="Parcelkit", UrlInfoAbout="",
                          URLUpdateInfo="", HelpLink="", Contact="", Comments="",
                          DisplayIcon=""),
    }),
    ("third", {
        "files": {"@DEST@\\third.txt": "third\r\n"},
        "absent": ["@WORK@\\Elsewhere"],
        "registry": entry(DisplayName="Listed Product Third") + FOR_TOOLS,
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


def installed_size(dest: Path) -> str:
    """Kilobytes, rounded up, of what the installation put in its directory, as reg.exe
    prints a DWORD; the record and the undo file are the installer's bookkeeping."""
    size = sum(p.stat().st_size for p in dest.rglob("*")
               if p.is_file() and p.name.lower() not in ("uninstall.ini", "unreg.reg"))
    return hex((size + 1023) // 1024)


def uninstall_quietly(env: dict, driver: str, dest: Path) -> list:
    """The registered QuietUninstallString, whole, through cmd /c: the driver passes it on
    unchanged, as a deployment tool's command line."""
    command = reg_query(KEY, "QuietUninstallString", "32", env)
    if not command:
        return ["no QuietUninstallString to run"]
    done = subprocess.run([str(WINE_RUN), str(Path(driver).resolve()), "-", "cmd.exe", "/c",
                           command], capture_output=True, env=env, timeout=120)
    out = done.stdout.decode("utf-8", "replace")
    failures = [] if "EXIT 0" in out.splitlines() else [f"{command} through cmd /c: {out!r}"]
    if not wait_until_gone(dest):
        failures.append(f"left: {sorted(str(p) for p in dest.rglob('*'))}")
    if reg_query(KEY, None, "32", env) is not None:
        failures.append("the entry is still there")
    return failures


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
            before = datetime.date.today().strftime("%Y%m%d")
            result = run_setup(run, args.driver, setup, env)
            after = datetime.date.today().strftime("%Y%m%d")
            # Past midnight during the run, either day is the installation's.
            written = reg_query(KEY, "InstallDate", "32", env)
            values["@TODAY@"] = written if written in (before, after) else before
            values["@SIZE@"] = installed_size(dest) if dest.exists() else "0x0"
            failures += [f"{name} run: {failure}"
                         for failure in check(run, values, result, dest, env)]
        failures += [f"quiet uninstall: {failure}"
                     for failure in uninstall_quietly(env, args.driver, dest)]
    finally:
        delete_entry(env)
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("ok installed_programs")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
