#!/usr/bin/env python3
"""A file held open while the uninstaller runs through its window: it is deleted at the
next restart (a PendingFileRenameOperations entry without a target), the outcome starts
with the record's text "10" (removal completes after a restart), and the exit code is 3010.
Everything else is gone at once; the uninstaller and the directory go at the restart too.
The restart entries are put back as they were afterwards."""
import argparse
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from run_case import (WINE_RUN, decode, parse_profile, prepare_setup_folder,  # noqa: E402
                      run_setup, to_windows, wine_env)

SESSION_MANAGER = "HKLM\\System\\CurrentControlSet\\Control\\Session Manager"
VALUE = "PendingFileRenameOperations"


def export_renames(env: dict) -> tuple[list, str | None]:
    """The paths due at the restart, and the value's line as an export writes it."""
    with tempfile.TemporaryDirectory() as tmp:
        out = Path(tmp) / "sm.reg"
        subprocess.run([str(WINE_RUN), "reg", "export", SESSION_MANAGER, str(out), "/y"],
                       env=env, capture_output=True, check=True, timeout=60)
        text, _ = decode(out.read_bytes())
    joined = text.replace("\\\r\n", "").replace("\r\n", "\n")
    for line in joined.splitlines():
        line = line.strip()
        if line.startswith(f'"{VALUE}"='):
            data = bytes.fromhex(line.split(":", 1)[1].replace(",", "").replace(" ", ""))
            return data.decode("utf-16-le").split("\0"), line
    return [], None


def restore_renames(line: str | None, env: dict):
    if line is None:
        subprocess.run([str(WINE_RUN), "reg", "delete", SESSION_MANAGER, "/v", VALUE, "/f"],
                       env=env, capture_output=True, timeout=60)
        return
    with tempfile.TemporaryDirectory(dir=Path(env["WINEPREFIX"]) / "drive_c") as tmp:
        reg = Path(tmp) / "restore.reg"
        key = SESSION_MANAGER.replace("HKLM", "HKEY_LOCAL_MACHINE")
        reg.write_bytes(b"\xff\xfe" + f"Windows Registry Editor Version 5.00\r\n\r\n[{key}]\r\n"
                        f"{line}\r\n".encode("utf-16-le"))
        subprocess.run([str(WINE_RUN), "regedit", "/s",
                        to_windows(reg, Path(env["WINEPREFIX"]))],
                       env=env, capture_output=True, timeout=60)


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--setup-exe", required=True)
    parser.add_argument("--uninstall-exe", required=True)
    parser.add_argument("--driver", required=True, help="pkdriver.exe (holdopen.exe beside)")
    parser.add_argument("--uninstaller-driver", required=True)
    args = parser.parse_args()
    args.payload = []
    env = wine_env()
    prefix = Path(env["WINEPREFIX"])
    work = prefix / "drive_c" / "cases" / "uninstall_locked"
    shutil.rmtree(work, ignore_errors=True)
    (work / "Kept").mkdir(parents=True)
    values = {"@DEST@": to_windows(work, prefix) + "\\Dest Dir",
              "@SETUP@": to_windows(work, prefix) + "\\setup",
              "@KEPT@": to_windows(work / "Kept", prefix), "@ID@": "SnapLocked"}
    case = {"setup_folder": "uninstall_snapshot", "args": ["/s"], "answers": []}
    prepare_setup_folder(case, HERE / "scenario.json", args, work / "setup", values)
    failures = []
    if run_setup(case, args.driver, work / "setup", env).returncode != 0:
        print("FAIL: the installation itself failed")
        return 1
    dest = work / "Dest Dir"
    record = parse_profile(decode((dest / "uninstall.ini").read_bytes())[0])
    later = record.get("language", {}).get("10")
    held = values["@DEST@"] + "\\core.txt"
    _, saved = export_renames(env)
    holder = subprocess.Popen([str(WINE_RUN), str(Path(args.driver).resolve().parent /
                                                  "holdopen.exe"), held],
                              stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, env=env)
    try:
        if holder.stdout.readline().strip() != b"READY":
            print(f"FAIL: holdopen.exe could not open {held}")
            return 1
        done = subprocess.run([str(WINE_RUN), str(Path(args.uninstaller_driver).resolve()),
                               values["@DEST@"] + "\\uninstall.exe"],
                              env=dict(env, PARCELKIT_GUI="1"), cwd=prefix / "drive_c",
                              capture_output=True, timeout=180)
        lines = done.stdout.decode("utf-8", "replace").splitlines()
        shown = dict(line.split(" ", 1) for line in lines if " " in line)
        if "FAIL" in shown:
            failures.append(f"driver: {shown['FAIL']}")
        if not later or not shown.get("OUTCOME", "").startswith(later):
            failures.append(f"outcome {shown.get('OUTCOME')!r} does not start with text 10 "
                            f"{later!r}")
        if shown.get("EXIT") != "3010":
            failures.append(f"exit code {shown.get('EXIT')}, expected 3010")
        # The file held open, the uninstaller itself (it waits for the restart too, rather
        # than racing its own copy) and then the directory that only they kept.
        renames, _ = export_renames(env)
        pairs = list(zip(renames[0::2], renames[1::2]))
        due = ["\\??\\" + held, "\\??\\" + values["@DEST@"] + "\\uninstall.exe",
               "\\??\\" + values["@DEST@"]]
        deletions = [source for source, target in pairs if target == ""]
        if [d for d in deletions if d in due] != due:
            failures.append(f"deletions at restart {deletions}, expected {due} in this order")
        left = sorted(str(p.relative_to(dest)) for p in dest.rglob("*")) if dest.exists() else []
        if left != ["core.txt", "uninstall.exe"]:
            failures.append(f"left: {left}, expected only what goes at the restart")
    finally:
        holder.stdin.close()
        holder.wait(timeout=60)
        restore_renames(saved, env)
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("ok uninstall_locked")
    shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
