#!/usr/bin/env python3
"""`setup.exe /s` onto a full disk: a tmpfs of 2 MB mapped as drive P: in the harness's
prefix, and a component of eight files of 768 KB, of which one or two fit.

The run must end by itself with 1603 (no box, no crash); every file the record names must be
there whole, byte for byte its source, so a file that did not fit is not in it; afterwards
`uninstall.exe /s` must end with 0 and leave the drive empty, and take the installed-programs
entry with it. Where no tmpfs may be mounted, the test says so and ends with 77, which ctest
reports as skipped."""
import random
import shutil
import subprocess
import sys
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from run_case import WINE_RUN, reg_query, wine_env  # noqa: E402
from silent_runs import arguments, on_disk, record_lies, recorded_files, silent_run  # noqa: E402

SKIPPED = 77
ID = "PkFullDisk"
FILES, SIZE = 8, 768 * 1024


def make_setup_folder(setup: Path, setup_exe: str, uninstall_exe: str):
    payload = setup / "01-big"
    payload.mkdir(parents=True)
    data = random.Random(8).randbytes(FILES * SIZE)
    for i in range(FILES):
        (payload / f"big{i}.bin").write_bytes(data[i * SIZE:(i + 1) * SIZE])
    (setup / "setup.ini").write_text(f"[main]\r\nid={ID}\r\nname=Full Disk\r\n"
                                     "progdir=P:\\Full Disk\r\n", newline="")
    (payload / "parcelkit.ini").write_text(
        "[main]\r\ntitle=Big\r\nname=BIG\r\nchecked=2\r\n[file]\r\n*.bin=#setupdir#\r\n",
        newline="")
    shutil.copy(setup_exe, setup / "setup.exe")
    shutil.copy(uninstall_exe, setup / "uninstall.exe")


def check_install(setup: Path, drive: Path, args, env: dict) -> list:
    prefix = Path(env["WINEPREFIX"])
    log = setup.parent / "setup.log"
    code, problems = silent_run(setup, args.driver, env, {1603},
                                more_args=('/log:"C:\\cases\\full_disk\\setup.log"',))
    # The log names the file the disk had no room for, with the system's reason.
    lines = log.read_text(encoding="utf-8").splitlines() if log.is_file() else []
    if not any("\tcopy file\tP:\\Full Disk\\big" in line and "failed (112)" in line
               for line in lines) or not lines[-1].endswith("\texit code\t1603"):
        problems.append("the log does not name the copy that failed, or the exit code:\n" +
                        "\n".join(lines))
    record = drive / "Full Disk" / "uninstall.ini"
    if not record.is_file():
        return problems + ["no record on the drive"]
    problems += record_lies(record, prefix)
    named = [on_disk(path, prefix) for path in recorded_files(record)]
    for found in named:
        if found and found.is_file() and found.suffix == ".bin" and \
                found.read_bytes() != (setup / "01-big" / found.name).read_bytes():
            problems.append(f"the record names {found.name}, which is not whole "
                            f"({found.stat().st_size} bytes)")
    print(f"setup.exe /s: exit code {code}; the record names {len(named)} files; on the drive: "
          f"{sorted(p.name for p in (drive / 'Full Disk').iterdir())}")
    return problems


def check_uninstall(drive: Path, env: dict) -> list:
    done = subprocess.run([str(WINE_RUN), "P:\\Full Disk\\uninstall.exe", "/s"], env=env,
                          capture_output=True, timeout=120)
    # The uninstaller's own file and the directory go once it has ended.
    deadline = time.monotonic() + 60
    while any(drive.iterdir()) and time.monotonic() < deadline:
        time.sleep(0.1)
    problems = [] if done.returncode == 0 else [f"uninstall.exe /s exited {done.returncode}"]
    if any(drive.iterdir()):
        problems.append(f"left on the drive: {sorted(str(p) for p in drive.rglob('*'))}")
    if reg_query("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + ID, None,
                 "32", env) is not None:
        problems.append("the installed-programs entry is still there")
    return problems


def main() -> int:
    args = arguments()
    env = wine_env()
    prefix = Path(env["WINEPREFIX"])
    mount_point = Path(env["PARCELKIT_WINE_ROOT"]) / "full-disk"
    mount_point.mkdir(exist_ok=True)
    mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=2m", "tmpfs", str(mount_point)],
                             capture_output=True, text=True)
    if mounted.returncode != 0:
        print(f"SKIP: no tmpfs may be mounted here: {mounted.stderr.strip()}")
        return SKIPPED
    drive = prefix / "dosdevices" / "p:"
    work = prefix / "drive_c" / "cases" / "full_disk"
    try:
        drive.unlink(missing_ok=True)
        drive.symlink_to(mount_point)
        shutil.rmtree(work, ignore_errors=True)
        make_setup_folder(work / "setup", args.setup_exe, args.uninstall_exe)
        problems = check_install(work / "setup", drive, args, env)
        if (drive / "Full Disk" / "uninstall.exe").is_file():
            problems += check_uninstall(drive, env)
        else:
            problems.append("no uninstall.exe on the drive")
    finally:
        drive.unlink(missing_ok=True)
        if subprocess.run(["umount", str(mount_point)], capture_output=True).returncode != 0:
            # Wine may still hold a handle on the drive: detached now, gone when it lets go.
            subprocess.run(["umount", "-l", str(mount_point)], capture_output=True)
        shutil.rmtree(work, ignore_errors=True)
    for problem in problems:
        print("FAIL:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
