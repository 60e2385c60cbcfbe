#!/usr/bin/env python3
"""Install, then uninstall.exe /s: the prefix must be as it was before.

Before setup.exe /s runs, every file and directory under drive_c and $HOME (path, size),
HKLM and HKCU in both registry views and the keys of system.ini are listed; the same
after the silent uninstall, once the installation directory is gone. Every difference
must be one that the installation's record allows to stay, or Wine's own noise (below).

Scenarios: "demo" installs examples/demo; "records" and "records98" install the folder
uninstall_snapshot (files with the suffixes 0, 1, 2 and 3, shortcuts, directories that two
components share, registry files with undo files; system.ini entries on the 9x family).
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path, PureWindowsPath

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from run_case import (WINE_RUN, decode, parse_profile, prepare_setup_folder,  # noqa: E402
                      run_setup, substitute, to_windows, wine_env)
from system_checks import reg_view  # noqa: E402

# What the installation must have added (so that an empty comparison means something):
# files under the installation directory, file names anywhere (shortcuts), registry keys
# ending so, and the suffixes that uninstall.ini [file] must hold.
RECORDS = {"files": ["core.txt", "readme.txt", "unreg.reg", "bin/bin-one.dat",
                     "bin/reg-two.dat", "bin/reg-three.dat", "Shared/Empty",
                     "Shared/Data/shared-core.txt", "Shared/Data/shared-extra.txt",
                     "Extra/extra.txt"],
           "names": ["Snapshot Core.lnk", "Snapshot Extra.lnk"],
           "keys": ["\\Core", "\\Extra"], "suffixes": ["|0", "|1", "|2", "|3"]}
SCENARIOS = {
    "demo": {"folder": "@demo", "id": "NorthwindNotes", "windows": "nt",
             "files": ["nwnotes.exe", "Notebooks/Inbox.txt", "Themes/active.theme"],
             "names": ["Northwind Notes.lnk"], "keys": ["Northwind\\Notes"],
             "suffixes": ["|0"],
             # The starter notebook is copied with the record flag 1: the record does not
             # name it, so it stays with the directories that hold it, and the uninstaller
             # says that something is left.
             "stays": ["Notebooks/Inbox.txt"], "exit": 1603,
             # The undo file deletes the product's key only: the vendor key above it,
             # created by the import, may stay, empty (other products may share it).
             "empty_keys": ["HKEY_LOCAL_MACHINE\\Software\\Northwind",
                            "HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Northwind"],
             "leftover": "Program Files*/Northwind Notes"},
    "records": {"folder": "uninstall_snapshot", "id": "SnapRecords", "windows": "nt",
                **RECORDS},
    "records98": {"folder": "uninstall_snapshot", "id": "SnapRecords98", "windows": "win98",
                  "system.ini": ["core", "extra"], **RECORDS},
}
UNINSTALL_KEY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
SESSION_MANAGER = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Session Manager"

# Wine's own noise, and nothing more:
# - the temporary directory: the uninstaller's copy that removes the installation directory
#   after the uninstaller has ended waits there for the next restart (checked separately);
# - HKCU\Software\Wine: the harness's per-program Windows version for the 9x run;
# - HKCU\Console: Wine's console host stores its defaults when a console program first
#   runs (the demo's helper);
# - the display and device keys that Wine's graphics driver (re)writes whenever a program
#   with a window starts after a time without one.
NOISY_DIRS = ("drive_c/users/{user}/Temp", "drive_c/users/{user}/AppData/Local/Temp",
              "drive_c/windows/temp")
NOISY_KEYS = ("HKEY_CURRENT_USER\\Software\\Wine", "HKEY_CURRENT_USER\\Console",
              "HKEY_LOCAL_MACHINE\\Hardware",
              "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Class",
              "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\DeviceClasses",
              "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\ServiceCurrent",
              "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Video",
              "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles")


def list_files(roots: dict, skip: list) -> dict:
    """(root name, relative path) -> size, or -1 for a directory."""
    found = {}
    for name, root in roots.items():
        for folder, dirs, files in os.walk(root):
            rel_folder = os.path.relpath(folder, root)
            if any((name, rel_folder) == s or rel_folder.startswith(s[1] + "/")
                   for s in skip if s[0] == name):
                dirs[:] = []
                continue
            for d in dirs:
                found[(name, os.path.normpath(os.path.join(rel_folder, d)))] = -1
            for f in files:
                path = os.path.join(folder, f)
                found[(name, os.path.normpath(os.path.join(rel_folder, f)))] = \
                    os.lstat(path).st_size
    return found


def export_registry(env: dict) -> set:
    """Every key, and every value as key + its line, of HKLM and HKCU in both views."""
    entries = set()
    with tempfile.TemporaryDirectory() as tmp:
        for root in ("HKLM", "HKCU"):
            for view in ("32", "64"):
                out = Path(tmp) / f"{root}{view}.reg"
                subprocess.run([str(WINE_RUN), "reg", "export", root, str(out), "/y",
                                f"/reg:{view}"], env=env, capture_output=True, check=True,
                               timeout=120)
                text, _ = decode(out.read_bytes())
                key, pending = None, ""
                for raw in text.splitlines():
                    line = pending + raw.strip()
                    if line.endswith("\\"):
                        pending = line[:-1]
                        continue
                    pending = ""
                    if line.startswith("[") and line.endswith("]"):
                        key = line[1:-1]
                        entries.add((view, key, None))
                    elif line and key and not line.startswith(";"):
                        entries.add((view, key, line))
    return {e for e in entries if not any(e[1].lower().startswith(n.lower()) for n in NOISY_KEYS)}


def system_ini(prefix: Path) -> dict:
    """system.ini by its sections and keys: a profile write rewrites the whole file (blank
    lines dropped), so its size alone tells nothing."""
    path = prefix / "drive_c" / "windows" / "system.ini"
    if not path.exists():
        return {}
    return {s: k for s, k in parse_profile(decode(path.read_bytes())[0]).items() if k}


def snapshot(env: dict, user: str) -> dict:
    prefix = Path(env["WINEPREFIX"])
    skip = [("c", d.format(user=user)[len("drive_c/"):]) for d in NOISY_DIRS]
    files = list_files({"c": prefix / "drive_c", "home": Path(env["HOME"])}, skip)
    files.pop(("c", "windows/system.ini"), None)
    return {"files": files, "registry": export_registry(env), "system.ini": system_ini(prefix)}


def pending_renames(entries: set) -> list:
    """The paths of PendingFileRenameOperations (REG_MULTI_SZ, hex(7) in an export)."""
    for view, key, line in entries:
        if key == SESSION_MANAGER and line and line.startswith('"PendingFileRenameOperations"'):
            data = bytes.fromhex(line.split(":", 1)[1].replace(",", ""))
            return [p for p in data.decode("utf-16-le").split("\0") if p]
    return []


def compare(before: dict, after: dict, temp_dir: str, stays: set, empty_keys: list) -> list:
    failures = []
    for path in sorted(set(before["files"]) | set(after["files"])):
        was, now = before["files"].get(path), after["files"].get(path)
        if was != now and not (was is None and path in stays):
            failures.append(f"file {path}: before {was}, after {now}")
    if before["system.ini"] != after["system.ini"]:
        failures.append(f"system.ini: before {before['system.ini']}, after {after['system.ini']}")
    # The uninstaller's copy in the temporary directory is deleted at the next restart:
    # the renames due then may grow by entries that name nothing but files there.
    was, now = pending_renames(before["registry"]), pending_renames(after["registry"])
    if now[:len(was)] != was or not all(
            path.lower().startswith("\\??\\" + temp_dir.lower() + "\\")
            for path in now[len(was):]):
        failures.append(f"renames at restart: before {was}, after {now}")
    renames = {e for e in before["registry"] | after["registry"]
               if e[1] == SESSION_MANAGER and e[2]
               and e[2].startswith('"PendingFileRenameOperations"')}
    for entry in sorted(before["registry"] - after["registry"] - renames, key=str):
        failures.append(f"registry lost: {entry}")
    for entry in sorted(after["registry"] - before["registry"] - renames, key=str):
        if not (entry[2] is None and entry[1] in empty_keys and
                not any(key == entry[1] and line for _, key, line in after["registry"])):
            failures.append(f"registry gained: {entry}")
    return failures


def check_installed(scenario: dict, before: dict, mid: dict, dest_rel: str,
                    record: dict, kept: str) -> list:
    """The installation did what the scenario says; otherwise the comparison proves nothing."""
    failures = []
    gained = set(mid["files"]) - set(before["files"])
    for rel in scenario["files"]:
        if ("c", os.path.normpath(os.path.join(dest_rel, rel))) not in gained:
            failures.append(f"not installed: {rel}")
    for name in scenario["names"]:
        if not any(os.path.basename(path) == name for _, path in gained):
            failures.append(f"not installed anywhere: {name}")
    keys = {key for _, key, _ in mid["registry"] - before["registry"]}
    for ending in scenario["keys"]:
        if not any(key.endswith(ending) for key in keys):
            failures.append(f"no registry key ending in {ending}")
    files = record.get("file", {})
    for suffix in scenario["suffixes"]:
        if not any(key.endswith(suffix) for key in files):
            failures.append(f"uninstall.ini [file] has no entry with the suffix {suffix}")
    if "system.ini" in scenario:
        section = mid["system.ini"].get(scenario["id"].lower(), {})
        if sorted(section) != scenario["system.ini"]:
            failures.append(f"system.ini [{scenario['id']}]: {section}")
        if sorted(record.get("system.ini", {})) != [f"{scenario['id']},{k}".lower()
                                                    for k in scenario["system.ini"]]:
            failures.append(f"uninstall.ini [system.ini]: {record.get('system.ini')}")
    for rel in scenario.get("stays", []):
        named = (dest_rel + "/" + rel).replace("/", "\\").lower()
        if any(named in key for key in files):
            failures.append(f"{rel} should stay, but the record names it")
    if scenario["folder"] != "@demo" and files.get(kept.lower() + "\\kept-two.dat|2") is None:
        failures.append(f"the newer file kept in place is not recorded with the suffix 2: {files}")
    return failures


def query(key: str, name: str, env: dict) -> str | None:
    done = subprocess.run([str(WINE_RUN), "reg", "query", key, "/v", name, f"/reg:{reg_view('32')}"],
                          env=env, capture_output=True, timeout=60)
    for line in done.stdout.decode("utf-8", "replace").splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) == 3 and parts[0] == name:
            return parts[2]
    return None


def run_uninstaller(scenario: dict, dest: Path, env: dict) -> list:
    stays = [dest / rel for rel in scenario.get("stays", [])]
    cmd = [str(WINE_RUN), to_windows(dest / "uninstall.exe", Path(env["WINEPREFIX"])), "/s"]
    if scenario["windows"] == "win98":
        cmd = [str(HERE / "harness" / "with-windows-version.sh"), "uninstall.exe", "win98", *cmd]
    done = subprocess.run(cmd, env=env, cwd=Path(env["WINEPREFIX"]) / "drive_c",
                          capture_output=True, timeout=180)
    # Wine hands Linux the exit code's low byte only (1603 arrives as 67).
    want = scenario.get("exit", 0) % 256
    failures = [] if done.returncode == want else [f"uninstall.exe /s exit {done.returncode}"]
    # The installation directory goes last, by the uninstaller's copy after it has ended.
    def left() -> list:
        return [p for p in [dest, *dest.rglob("*")] if p.exists()
                and not any(p == s or s.is_relative_to(p) for s in stays)]
    for _ in range(150):
        if not left():
            break
        time.sleep(0.2)
    return failures + ([f"left: {sorted(str(p) for p in left())}"] if left() else [])


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    parser.add_argument("--setup-exe", required=True)
    parser.add_argument("--uninstall-exe", required=True)
    parser.add_argument("--driver", required=True)
    parser.add_argument("--payload", nargs=2, action="append", default=[],
                        metavar=("EXE", "FOLDER"))
    args = parser.parse_args()
    scenario = SCENARIOS[args.scenario]
    env = wine_env()
    prefix = Path(env["WINEPREFIX"])
    user = next(p.name for p in (prefix / "drive_c" / "users").iterdir()
                if p.name not in ("Public", "public") and not p.is_symlink())
    work = prefix / "drive_c" / "cases" / f"snapshot_{args.scenario}"
    shutil.rmtree(work, ignore_errors=True)
    # A folder that exists before the installation, holding a file newer than the one a
    # component brings with the flag 2: that file is recorded with the suffix 2 and stays.
    kept = work / "Kept"
    kept.mkdir(parents=True)
    (kept / "kept-two.dat").write_bytes(b"the user's newer copy\r\n")
    future = time.time() + 10 * 365 * 86400
    os.utime(kept / "kept-two.dat", (future, future))
    values = {"@DEST@": to_windows(work, prefix) + "\\Dest Dir",
              "@SETUP@": to_windows(work, prefix) + "\\setup",
              "@KEPT@": to_windows(kept, prefix), "@ID@": scenario["id"]}
    setup = work / "setup"
    case = {"setup_folder": scenario["folder"], "args": ["/s"], "answers": [],
            "windows": scenario["windows"]}
    # A generated folder lies beside this script; "@demo" is the shipped example.
    prepare_setup_folder(case, HERE / "scenario.json", args, setup, values)

    # An earlier installation of the same id (another test, an earlier run) would be
    # taken apart with this one: it goes first, directory and entry.
    earlier = query(UNINSTALL_KEY + scenario["id"], "UninstallString", env)
    if earlier:
        shutil.rmtree(prefix / "drive_c" / str(PureWindowsPath(earlier.strip('"')).parent)[3:]
                      .replace("\\", "/"), ignore_errors=True)
        subprocess.run([str(WINE_RUN), "reg", "delete", UNINSTALL_KEY + scenario["id"], "/f",
                        f"/reg:{reg_view('32')}"], env=env, capture_output=True, timeout=60)
    # What stays by design after an earlier run of the demo would change what this run
    # installs and records.
    for leftover in (prefix / "drive_c").glob(scenario.get("leftover", "-")):
        shutil.rmtree(leftover)
    before = snapshot(env, user)
    installed = run_setup(case, args.driver, setup, env)
    failures = [] if installed.returncode == 0 else [f"setup.exe /s exit {installed.returncode}"]
    command = query(UNINSTALL_KEY + scenario["id"], "UninstallString", env)
    if command is None:
        failures.append("no installed-programs entry after the installation")
    else:
        dest = prefix / "drive_c" / str(PureWindowsPath(command.strip('"')).parent)[3:] \
            .replace("\\", "/")
        mid = snapshot(env, user)
        record = parse_profile(decode((dest / "uninstall.ini").read_bytes())[0]) \
            if (dest / "uninstall.ini").exists() else {}
        failures += check_installed(scenario, before, mid,
                                    str(dest.relative_to(prefix / "drive_c")), record,
                                    values["@KEPT@"])
        failures += run_uninstaller(scenario, dest, env)
        after = snapshot(env, user)
        temp_dir = to_windows(prefix / "drive_c" / "users" / user / "Temp", prefix)
        dest_rel = dest.relative_to(prefix / "drive_c")
        stays = {("c", os.path.normpath(dest_rel / rel)) for rel in scenario.get("stays", [])}
        stays |= {("c", str(parent)) for _, rel in list(stays) for parent in Path(rel).parents
                  if parent.is_relative_to(dest_rel)}
        failures += compare(before, after, temp_dir, stays, scenario.get("empty_keys", []))
    for failure in failures:
        print(f"FAIL {args.scenario}: {failure}")
    if not failures:
        print(f"ok {args.scenario}")
    shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
