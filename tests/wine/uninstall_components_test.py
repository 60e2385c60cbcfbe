#!/usr/bin/env python3
"""Two components taken away one at a time through the uninstaller's window.

The folder uninstall_snapshot installs Core and Extra, which share Shared\\Data and the
Start Menu folder. Removing Extra alone takes its files, shortcut and registry key, keeps
Core's, the shared directories, the record, unreg.reg, the uninstaller and the
installed-programs entry. Removing Core afterwards takes everything that is left.
Each component's undo file removes only its own top key, as it must: a key that holds both
components' entries would go with whichever of them is removed first."""
import argparse
import shutil
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from run_case import (WINE_RUN, decode, parse_profile, prepare_setup_folder,  # noqa: E402
                      reg_query, run_setup, to_windows, wait_until_gone, wine_env)

ID = "SnapParts"
ENTRY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + ID


def key_exists(key: str, env: dict) -> bool:
    return any(reg_query(key, None, view, env) is not None for view in ("32", "64"))


def shortcuts(prefix: Path, home: Path, name: str) -> list:
    return [p for root in (prefix / "drive_c", home) for p in root.rglob(name)]


def drive(args, env: dict, program: str, *unchecked: str) -> dict:
    done = subprocess.run([str(WINE_RUN), str(Path(args.uninstaller_driver).resolve()), program,
                           *unchecked], env=dict(env, PARCELKIT_GUI="1"),
                          cwd=Path(env["WINEPREFIX"]) / "drive_c", capture_output=True,
                          timeout=180)
    lines = done.stdout.decode("utf-8", "replace").splitlines()
    return dict(line.split(" ", 1) for line in lines if " " in line)


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--setup-exe", required=True)
    parser.add_argument("--uninstall-exe", required=True)
    parser.add_argument("--driver", required=True)
    parser.add_argument("--uninstaller-driver", required=True)
    args = parser.parse_args()
    args.payload = []
    env = wine_env()
    prefix, home = Path(env["WINEPREFIX"]), Path(env["HOME"])
    work = prefix / "drive_c" / "cases" / "uninstall_components"
    shutil.rmtree(work, ignore_errors=True)
    (work / "Kept").mkdir(parents=True)
    values = {"@DEST@": to_windows(work, prefix) + "\\Dest Dir",
              "@SETUP@": to_windows(work, prefix) + "\\setup",
              "@KEPT@": to_windows(work / "Kept", prefix), "@ID@": ID}
    case = {"setup_folder": "uninstall_snapshot", "args": ["/s"], "answers": []}
    prepare_setup_folder(case, HERE / "scenario.json", args, work / "setup", values)
    if run_setup(case, args.driver, work / "setup", env).returncode != 0:
        print("FAIL: the installation itself failed")
        return 1
    dest = work / "Dest Dir"
    program = values["@DEST@"] + "\\uninstall.exe"
    failures = []
    listed = list(parse_profile(decode((dest / "uninstall.ini").read_bytes())[0])["list"])
    if listed != ["core", "extra"]:
        print(f"FAIL: components listed {listed}, expected core, extra")
        return 1

    # First pass: Core (position 0) unchecked, so only Extra goes.
    shown = drive(args, env, program, "0")
    if "FAIL" in shown or shown.get("EXIT") != "0":
        failures.append(f"removing Extra: {shown}")
    for gone in ("Extra", "Shared/Data/shared-extra.txt"):
        if (dest / gone).exists():
            failures.append(f"Extra's {gone} is still there")
    for kept in ("core.txt", "bin/bin-one.dat", "Shared/Data/shared-core.txt", "Shared/Empty",
                 "uninstall.ini", "unreg.reg", "uninstall.exe", "readme.txt"):
        if not (dest / kept).exists():
            failures.append(f"{kept} went with Extra")
    if shortcuts(prefix, home, "Snapshot Extra.lnk"):
        failures.append("Extra's shortcut is still there")
    core_links = shortcuts(prefix, home, "Snapshot Core.lnk")
    if len(core_links) != 2:
        failures.append(f"Core's shortcuts: {core_links}")
    if key_exists(f"HKLM\\Software\\{ID}-Extra\\Extra", env):
        failures.append("Extra's registry key is still there")
    if not key_exists(f"HKLM\\Software\\{ID}\\Core", env):
        failures.append("Core's registry key went with Extra")
    if reg_query(ENTRY, None, "32", env) is None:
        failures.append("the installed-programs entry went with Extra")
    if (dest / "uninstall.ini").exists():
        record = parse_profile(decode((dest / "uninstall.ini").read_bytes())[0])
        if list(record.get("list", {})) != ["core"]:
            failures.append(f"components left in the record: {record.get('list')}")
        if any(owner == "EXTRA" for owner in record.get("file", {}).values()):
            failures.append(f"Extra's files still recorded: {record.get('file')}")

    # Second pass: the last component, and with it the installation.
    shown = drive(args, env, program)
    if "FAIL" in shown or shown.get("EXIT") != "0":
        failures.append(f"removing Core: {shown}")
    if not wait_until_gone(dest):
        failures.append(f"left: {sorted(str(p) for p in dest.rglob('*'))}")
    if core_links and any(p.exists() or p.parent.exists() and p.parent.name == f"{ID} Menu"
                          for p in core_links):
        failures.append("Core's shortcuts or the shared Start Menu folder are still there")
    for key in (f"HKLM\\Software\\{ID}", f"HKLM\\Software\\{ID}-Extra",
                f"HKCU\\Software\\{ID}", ENTRY):
        if key_exists(key, env):
            failures.append(f"registry key left: {key}")
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("ok uninstall_components")
    shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
