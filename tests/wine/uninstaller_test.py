#!/usr/bin/env python3
"""The real uninstall.exe under Wine on an installation laid out by hand: files,
directories, uninstall.ini in UTF-16, unreg.reg, a registry key and the installed-programs
entry. Run with /s, or through its window with a driver that clicks Uninstall and Finish.
Afterwards everything the record names is gone, except the file that was there before,
and what the record does not name is untouched. With --plant, a regedit.exe lies
beside uninstall.exe: it is not started, the registry block is still applied, and it stays
as the only file left."""
import os
import argparse
import shutil
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from run_case import WINE_RUN, reg_query, wait_until_gone, wine_env  # noqa: E402
from system_checks import reg_view  # noqa: E402

ROOT = "C:\\PK Uninstall Test"
DEST = ROOT + "\\Notes App"
OUTSIDE = "C:\\PK Outside"
ENTRY = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\pk-uninstall-test"
USER_KEY = "HKCU\\Software\\ParcelkitUninstallTest"

RECORD = f"""[main]
id=pk-uninstall-test
name=Notes
[dir]
{ROOT}=#share#
{DEST}=#share#
{DEST}\\bin=APP
{DEST}\\bin\\plug<parcelkit_comma>ins=APP
{DEST}\\doc=DOC
[uninstall_run]
C:\\windows\\system32\\cmd.exe|/c echo bye>C:\\pk-uninstall-ran.txt=always|wait|hide
[language]
1=Uninstall
9=Done.
11=&Finish
12=Thank you.
[file]
{DEST}\\readme.txt|0=
{DEST}\\bin\\notes.txt|0=APP
{DEST}\\bin\\plug<parcelkit_comma>ins\\p.txt|0=APP
{OUTSIDE}\\older.dll|2=APP
{DEST}\\doc\\manual.txt|0=DOC
[list]
APP=Application
DOC=Manual
[APP_info]
Ver=1.0
"""

UNREG = f"""Windows Registry Editor Version 5.00

;APP begin
[-{USER_KEY.replace("HKCU", "HKEY_CURRENT_USER")}]
;APP end
"""


def unix(prefix: Path, win: str) -> Path:
    return prefix / "drive_c" / win[3:].replace("\\", "/")


def utf16(text: str) -> bytes:
    return b"\xff\xfe" + text.replace("\n", "\r\n").encode("utf-16-le")


def wine(env: dict, *args: str, cwd: Path | None = None) -> subprocess.CompletedProcess:
    return subprocess.run([str(WINE_RUN), *args], env=env, cwd=cwd, capture_output=True,
                          timeout=120)


def run_through_window(env: dict, driver: str, prefix: Path, failures: list) -> int:
    done = wine(dict(env, PARCELKIT_GUI="1"), str(Path(driver).resolve()),
                DEST + "\\uninstall.exe", cwd=prefix / "drive_c")
    lines = done.stdout.decode("utf-8", "replace").splitlines()
    values = dict(line.split(" ", 1) for line in lines if " " in line)
    if "FAIL" in values:
        failures.append(f"driver: {values['FAIL']}")
    if values.get("OUTCOME") != "Done.\\r\\nThank you.":
        failures.append(f"outcome shown: {values.get('OUTCOME')!r}")
    if values.get("FINISH") != "&Finish":
        failures.append(f"finish button: {values.get('FINISH')!r}")
    return int(values.get("EXIT", "-1"))


def check_log(prefix: Path, code: int) -> list:
    logs = list(prefix.glob("drive_c/users/*/**/Temp/pk-uninstall-test-uninstall.log"))
    if len(logs) != 1:
        return [f"no single log in the temporary folder: {logs}"]
    lines = logs[0].read_text(encoding="utf-8").splitlines()
    wanted = [f"APP\tdelete file\t{DEST}\\bin\\notes.txt\tdone",
              f"DOC\tremove directory\t{DEST}\\doc\tdone",
              "run program\tC:\\windows\\system32\\cmd.exe /c echo bye",
              f"delete registry key\tHKEY_LOCAL_MACHINE\\{ENTRY[5:]}\tdone",
              f"\texit code\t{code}"]
    missing = [text for text in wanted if not any(text in line for line in lines)]
    if missing or not lines[-1].endswith(f"\texit code\t{code}"):
        return [f"log lacks {missing} or does not end with the exit code:\n" + "\n".join(lines)]
    return []


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--uninstall-exe", required=True)
    parser.add_argument("--driver", help="drive the window instead of running /s")
    parser.add_argument("--plant", help="folder of pkmarker.exe and pkplant.dll")
    args = parser.parse_args()
    env = wine_env()
    prefix = Path(env["WINEPREFIX"])
    for folder in (ROOT, OUTSIDE):
        shutil.rmtree(unix(prefix, folder), ignore_errors=True)
    unix(prefix, "C:\\pk-uninstall-ran.txt").unlink(missing_ok=True)

    files = [DEST + "\\readme.txt", DEST + "\\bin\\notes.txt", DEST + "\\bin\\plug,ins\\p.txt",
             DEST + "\\doc\\manual.txt", OUTSIDE + "\\older.dll", OUTSIDE + "\\other.txt"]
    for name in files:
        path = unix(prefix, name)
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text("x")
    unix(prefix, DEST + "\\uninstall.ini").write_bytes(utf16(RECORD))
    unix(prefix, DEST + "\\unreg.reg").write_bytes(utf16(UNREG))
    shutil.copy(args.uninstall_exe, unix(prefix, DEST + "\\uninstall.exe"))
    planted = {}
    if args.plant:
        planted = {"regedit.exe": "pkmarker.exe"}
        for name, tool in planted.items():
            shutil.copy(Path(args.plant) / tool, unix(prefix, DEST + "\\" + name))
    failures = []
    wine(env, "reg", "add", USER_KEY, "/v", "Kept", "/d", "x", "/f")
    # The uninstaller is a 32-bit program: its HKLM\SOFTWARE is the 32-bit view.
    wine(env, "reg", "add", ENTRY, "/v", "UninstallString", "/d", DEST + "\\uninstall.exe",
         "/f", f"/reg:{reg_view('32')}")

    if args.driver:
        code = run_through_window(env, args.driver, prefix, failures)
    else:
        # "/log" alone: the log goes to the temporary folder, named after the record's id.
        for old in prefix.glob("drive_c/users/*/**/Temp/pk-uninstall-test-uninstall.log"):
            old.unlink()
        code = wine(env, DEST + "\\uninstall.exe", "/s", "/log", cwd=prefix / "drive_c").returncode
        failures += check_log(prefix, code)
    wait_until_gone(unix(prefix, DEST + "\\uninstall.exe" if planted else ROOT))

    if code != 0:
        failures.append(f"exit code {code}, expected 0")
    if planted:
        # The planted file is not the installation's: it and its folders stay, and nothing
        # else does (pkmarker's log beside it would say that it was started).
        left = sorted(p.name for p in unix(prefix, DEST).iterdir()) \
            if unix(prefix, DEST).is_dir() else []
        if left != sorted(planted):
            failures.append(f"beside the planted files: {left}")
    for gone in (DEST + "\\bin", DEST + "\\bin\\notes.txt") if planted else \
            (ROOT, DEST + "\\bin\\notes.txt"):
        if unix(prefix, gone).exists():
            left = sorted(str(p) for p in unix(prefix, gone).rglob("*")) if unix(prefix, gone).is_dir() else []
            failures.append(f"should be gone: {gone} {left}")
    for kept in (OUTSIDE + "\\older.dll", OUTSIDE + "\\other.txt"):
        if not unix(prefix, kept).exists():
            failures.append(f"should stay: {kept}")
    if not unix(prefix, "C:\\pk-uninstall-ran.txt").exists():
        failures.append("the [uninstall_run] program did not run")
    if reg_query(USER_KEY, None, "64", env) is not None:
        failures.append(f"the unreg.reg block was not applied: {USER_KEY}")
    if reg_query(ENTRY, None, "32", env) is not None:
        failures.append(f"installed-programs entry left: {ENTRY}")
    for failure in failures:
        print("FAIL:", failure)
    for folder in (OUTSIDE, ROOT):
        shutil.rmtree(unix(prefix, folder), ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
