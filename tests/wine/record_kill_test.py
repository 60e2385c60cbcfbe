#!/usr/bin/env python3
"""The uninstall record under stress, with one component of 3,000 files.

A reader: while `setup.exe /s` runs, the record is read over and over; once it is there it
is never missing, empty or torn, and it never loses a [file] entry it held before.

Kills: `setup.exe /s` is killed (as a power cut would) when a given number of the files
is on the disk. Then every file and directory on the disk is named by the record, which
parses; `setup.exe /s` again completes, and `uninstall.exe /s` leaves nothing behind:
neither the directory nor the installed-programs entry.

One run at a time: a second `setup.exe /s` of the product while the first one copies ends
at once with 1618, and the first one completes."""
import os
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from run_case import WINE_RUN, decode, parse_profile, reg_query, to_windows, wine_env  # noqa: E402

ID = "PkRecordKill"
ENTRY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + ID
FILES, PER_FOLDER = 3000, 100
# Payload files on the disk when the run is killed: at the first one, early, late.
KILL_AT = (1, 700, 2200)
# The record's own files: the record, the uninstaller, and a record write cut short.
OWN = ("uninstall.ini", "uninstall.exe")


def make_setup_folder(setup: Path, dest: str, setup_exe: str, uninstall_exe: str):
    core = setup / "core"
    lines = []
    for i in range(FILES):
        folder = f"d{i // PER_FOLDER:02d}"
        if i % PER_FOLDER == 0:
            (core / folder).mkdir(parents=True)
            lines.append(f"{folder}\\*.*=#setupdir#\\{folder}")
        (core / folder / f"f{i:04d}.txt").write_bytes(b"x" * (64 + i % 512))
    (setup / "setup.ini").write_text(
        f"[main]\r\nid={ID}\r\nname=Record Kill\r\nprogdir={dest}\r\n")
    (core / "parcelkit.ini").write_text(
        "[main]\r\ntitle=Core\r\nname=CORE\r\nchecked=2\r\n[file]\r\n" + "\r\n".join(lines) +
        "\r\n")
    shutil.copy(setup_exe, setup / "setup.exe")
    shutil.copy(uninstall_exe, setup / "uninstall.exe")


def start(program: str, cwd: Path, env: dict) -> subprocess.Popen:
    return subprocess.Popen([str(WINE_RUN), program, "/s"], cwd=cwd, env=env,
                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, start_new_session=True)


def payload_on_disk(dest: Path) -> int:
    count = 0
    for _, _, files in os.walk(dest):
        count += sum(1 for name in files if name.endswith(".txt"))
    return count


def read_record(dest: Path):
    """The record's sections, or None when there is no record; raises when it is torn."""
    try:
        data = (dest / "uninstall.ini").read_bytes()
    except FileNotFoundError:
        return None
    if not data.startswith(b"\xff\xfe") or len(data) % 2 != 0:
        raise ValueError(f"not whole UTF-16 text ({len(data)} bytes)")
    text = data[2:].decode("utf-16-le")
    if not text.endswith("\r\n") or "[main]" not in text:
        raise ValueError("cut short")
    return parse_profile(text)


def recorded_paths(record: dict) -> tuple[set, set]:
    files = {key.rsplit("|", 1)[0] for key in record.get("file", {})}
    return files, set(record.get("dir", {}))


def windows_names(root: Path, prefix: Path) -> tuple[set, set]:
    """Files and directories below root (root included), as lower-case Windows paths."""
    files, dirs = set(), {to_windows(root, prefix).lower()}
    for path in root.rglob("*"):
        name = to_windows(path, prefix).lower()
        if path.is_dir():
            dirs.add(name)
        elif path.parent != root or not (path.name in OWN or path.name.startswith(OWN[0] + ".")):
            files.add(name)
    return files, dirs


def check_reader(setup: Path, dest: Path, env: dict) -> list:
    failures, samples, held = [], 0, set()
    seen = False
    run = start("setup.exe", setup, env)
    while run.poll() is None:
        try:
            record = read_record(dest)
        except (ValueError, UnicodeDecodeError) as error:
            failures.append(f"reader: a torn record ({error})")
            continue
        if record is None:
            if seen:
                failures.append("reader: the record was missing after it had been there")
            continue
        seen, samples = True, samples + 1
        files, _ = recorded_paths(record)
        if not held <= files:
            failures.append(f"reader: {len(held - files)} [file] entries went away")
        held = files
    if run.returncode != 0:
        failures.append(f"reader: setup.exe /s exited {run.returncode}")
    if samples < 3:
        failures.append(f"reader: only {samples} readings while the record was written")
    print(f"reader: {samples} readings, the last with {len(held)} files")
    return failures[:5]


def check_second_run(setup: Path, dest: Path, env: dict) -> list:
    """A second setup.exe /s of the same product while the first copies ends at once."""
    first = start("setup.exe", setup, env)
    while first.poll() is None and payload_on_disk(dest) < 100:
        time.sleep(0.002)
    second = start("setup.exe", setup, env)
    second_code = second.wait(timeout=120)
    still_running = first.poll() is None
    failures = []
    # Wine hands the exit code to Linux, which keeps its low byte only.
    if second_code != 1618 % 256 or not still_running:
        failures.append(f"second run: exited {second_code} "
                        f"({'while' if still_running else 'after'} the first ran), expected 1618")
    if first.wait(timeout=300) != 0:
        failures.append(f"second run: the first one exited {first.returncode}")
    return failures


def check_kill(at: int, setup: Path, dest: Path, prefix: Path, env: dict) -> list:
    failures = []
    run = start("setup.exe", setup, env)
    while run.poll() is None and payload_on_disk(dest) < at:
        time.sleep(0.002)
    if run.poll() is not None:
        return [f"kill at {at}: setup.exe ended first (exit {run.returncode})"]
    os.killpg(run.pid, signal.SIGKILL)
    run.wait()
    on_disk = payload_on_disk(dest)
    try:
        record = read_record(dest)
    except (ValueError, UnicodeDecodeError) as error:
        return [f"kill at {at}: a torn record ({error})"]
    if record is None:
        return [f"kill at {at}: no record, {on_disk} files on the disk"]
    files, dirs = recorded_paths(record)
    disk_files, disk_dirs = windows_names(dest, prefix)
    unrecorded = sorted(disk_files - files) + sorted(disk_dirs - dirs)
    if unrecorded:
        failures.append(f"kill at {at}: {len(unrecorded)} on the disk and not in the record, "
                        f"e.g. {unrecorded[:3]}")
    print(f"kill at {at}: {on_disk} files on the disk, {len(files)} in the record")
    again = start("setup.exe", setup, env)
    if again.wait(timeout=300) != 0:
        failures.append(f"kill at {at}: setup.exe /s again exited {again.returncode}")
    failures += check_uninstall(f"kill at {at}", dest, env)
    return failures


def check_uninstall(label: str, dest: Path, env: dict) -> list:
    removal = start("uninstall.exe", dest, env)
    code = removal.wait(timeout=300)
    # The uninstaller's own file and the directory go when it has ended.
    deadline = time.monotonic() + 60
    while dest.exists() and time.monotonic() < deadline:
        time.sleep(0.05)
    failures = []
    if code != 0:
        failures.append(f"{label}: uninstall.exe /s exited {code}")
    if dest.exists():
        left = [str(p.relative_to(dest)) for p in dest.rglob("*")][:5]
        failures.append(f"{label}: the installation directory is still there: {left}")
    if reg_query(ENTRY, None, "32", env) is not None:
        failures.append(f"{label}: the installed-programs entry is still there")
    return failures


def main() -> int:
    setup_exe, uninstall_exe = sys.argv[1], sys.argv[2]
    env = dict(wine_env(), PARCELKIT_GUI="1")
    prefix = Path(env["WINEPREFIX"])
    work = prefix / "drive_c" / "cases" / "record_kill"
    shutil.rmtree(work, ignore_errors=True)
    dest = work / "Dest Dir"
    setup = work / "setup"
    make_setup_folder(setup, to_windows(work, prefix) + "\\Dest Dir", setup_exe, uninstall_exe)

    failures = check_reader(setup, dest, env)
    failures += check_uninstall("reader", dest, env)
    failures += check_second_run(setup, dest, env)
    failures += check_uninstall("second run", dest, env)
    for at in KILL_AT:
        failures += check_kill(at, setup, dest, prefix, env)
    for failure in failures:
        print("FAIL:", failure)
    shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
