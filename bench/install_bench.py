#!/usr/bin/env python3
"""Installs and uninstalls at scale under Wine, against a bare copy and a bare delete of the
same files measured in the same run. Not a test: it prints ratios, it asserts nothing.

    bench/install_bench.py [--files 1000,5000] [--big 20] [--rounds 3]

For each N: a setup folder of N small files (1-16 KB, 100 per folder, in nested folders),
`setup.exe /s` timed against `bare_copy` of the same payload, then `uninstall.exe /s`
against `bare_delete` of the same files; with --big, the same for 20 files of 10 MB. Every
time is the median of the rounds, from starting the program under Wine to its end. Wine
runs in a private prefix on a tmpfs (/dev/shm): a disk's own hiccups (ext4 without a journal
slows down when thousands of files are deleted and recreated) would drown the programs' own
costs. Needs what scripts/test.sh needs, and the build from scripts/build.sh.
"""
import argparse
import os
import random
import shutil
import statistics
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
HARNESS = ROOT / "tests" / "wine" / "harness"
BENCH_ROOT = Path("/dev/shm/parcelkit-bench")


def bits() -> str:
    return subprocess.run([str(HARNESS / "windows-bits.sh")], capture_output=True,
                          text=True, check=True).stdout.strip()


def wine_env() -> dict:
    # The installer shows its progress window: a display (the harness's Xvfb) is needed.
    env = dict(os.environ, PARCELKIT_WINE_ROOT=str(BENCH_ROOT), PARCELKIT_GUI="1")
    out = subprocess.run(["bash", "-c", f'source "{HARNESS}/wine-env.sh" && env -0'],
                         env=env, check=True, capture_output=True).stdout
    return dict(item.split("=", 1) for item in out.decode().split("\0") if "=" in item)


def timed(args: list, env: dict, cwd: Path) -> tuple:
    start = time.perf_counter()
    # Not through pipes: a process the program starts (Wine's desktop) may keep them open.
    done = subprocess.run([str(HARNESS / "wine-run.sh"), *args], env=env, cwd=cwd,
                          stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, timeout=600)
    return time.perf_counter() - start, done.returncode


def generate(setup: Path, small: int, big: int, build: Path):
    """A setup folder: setup.ini, one mandatory component with one file entry per folder."""
    shutil.rmtree(setup, ignore_errors=True)
    core = setup / "core"
    core.mkdir(parents=True)
    rnd = random.Random(small * 7 + big)
    folders = []
    for i in range(small):
        # Nested: two levels of folders, 100 files in each.
        folder = f"d{i // 1000:02d}\\s{(i // 100) % 10:02d}"
        if not folders or folders[-1] != folder:
            folders.append(folder)
        path = core / folder.replace("\\", "/") / f"f{i:05d}.dat"
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(rnd.randbytes(rnd.randint(1024, 16 * 1024)))
    for i in range(big):
        folder = "big"
        if folder not in folders:
            folders.append(folder)
        path = core / folder / f"b{i:02d}.bin"
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(rnd.randbytes(10 * 1024 * 1024))
    (setup / "setup.ini").write_text(
        "[main]\r\nid=ParcelkitBench\r\nname=Bench\r\nprogdir=#progdir#\\BenchApp\r\n")
    lines = "".join(f"{f}\\*.*=#setupdir#\\{f}\r\n" for f in folders)
    (core / "parcelkit.ini").write_text(
        "[main]\r\ntitle=Core\r\nname=CORE\r\nchecked=2\r\n[file]\r\n" + lines)
    shutil.copy(build / "src" / "setup.exe", setup)
    shutil.copy(build / "src" / "uninstall.exe", setup)


def count_files(path: Path) -> int:
    return sum(len(files) for _, _, files in os.walk(path)) if path.exists() else 0


def measure(name: str, small: int, big: int, rounds: int, env: dict, build: Path) -> dict:
    drive_c = Path(env["WINEPREFIX"]) / "drive_c"
    setup = drive_c / "bench" / name / "setup"
    generate(setup, small, big, build)
    dest = drive_c / "Program Files" / "BenchApp"
    copy_dest = drive_c / "bench" / name / "copy"
    payload = count_files(setup / "core") - 1
    results = {"setup": [], "copy": [], "uninstall": [], "delete": []}
    tools = build / "bench"
    for _ in range(rounds):
        shutil.rmtree(dest, ignore_errors=True)
        seconds, code = timed(["setup.exe", "/s"], env, setup)
        installed = count_files(dest) - 2  # the record and the uninstaller
        if code != 0 or installed != payload:
            sys.exit(f"{name}: setup.exe /s exited {code} and installed {installed} of {payload}")
        results["setup"].append(seconds)

        seconds, code = timed(["uninstall.exe", "/s"], env, dest)
        # The uninstaller's own file and folder go once it has ended, by a copy of it that
        # waits for that: the removal is done when the folder is gone.
        start = time.perf_counter()
        while dest.exists() and time.perf_counter() - start < 30:
            time.sleep(0.01)
        seconds += time.perf_counter() - start
        if code != 0 or dest.exists():
            sys.exit(f"{name}: uninstall.exe /s exited {code}; left {count_files(dest)} files")
        results["uninstall"].append(seconds)

        shutil.rmtree(copy_dest, ignore_errors=True)
        seconds, code = timed([str(tools / "bare_copy.exe"), "C:\\bench\\" + name + "\\setup\\core",
                               "C:\\bench\\" + name + "\\copy"], env, setup)
        if code != 0:
            sys.exit(f"{name}: bare_copy exited {code}")
        results["copy"].append(seconds)
        seconds, code = timed([str(tools / "bare_delete.exe"), "C:\\bench\\" + name + "\\copy"],
                              env, setup)
        if code != 0 or copy_dest.exists():
            sys.exit(f"{name}: bare_delete exited {code}")
        results["delete"].append(seconds)
    shutil.rmtree(setup.parent, ignore_errors=True)
    return {key: statistics.median(values) for key, values in results.items()}


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--files", default="1000,5000")
    parser.add_argument("--big", type=int, default=20, help="files of 10 MB (0: none)")
    parser.add_argument("--rounds", type=int, default=3)
    args = parser.parse_args()
    build = ROOT / "build" / f"win{bits()}"
    env = wine_env()
    BENCH_ROOT.mkdir(parents=True, exist_ok=True)
    subprocess.run([str(HARNESS / "start-wine.sh")], env=env, check=True, capture_output=True)
    # On Windows the desktop is always there. Under Wine the first window of a run starts
    # it (about a second) and it lingers a second after the last window: a program kept
    # open for the whole benchmark keeps it, as the shell does on Windows.
    desktop = subprocess.Popen([str(HARNESS / "wine-run.sh"), "notepad.exe"], env=env,
                               stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        # A first run starts Wine's services and loads the programs' libraries.
        measure("warmup", 20, 0, 1, env, build)
        print(f"# Windows programs: {build.name}; Wine prefix on {BENCH_ROOT}; "
              f"median of {args.rounds} rounds; seconds")
        sizes = [int(n) for n in args.files.split(",")]
        runs = {}
        for n in sizes:
            runs[f"N={n}"] = measure(f"n{n}", n, 0, args.rounds, env, build)
        if args.big:
            runs[f"{args.big}x10MB"] = measure("big", 0, args.big, args.rounds, env, build)
        print(f"{'payload':>10} {'setup':>8} {'copy':>8} {'setup/copy':>11} "
              f"{'uninstall':>10} {'delete':>8} {'uninst/delete':>14}")
        for name, r in runs.items():
            print(f"{name:>10} {r['setup']:8.2f} {r['copy']:8.2f} {r['setup'] / r['copy']:11.2f} "
                  f"{r['uninstall']:10.2f} {r['delete']:8.2f} {r['uninstall'] / r['delete']:14.2f}")
        if len(sizes) > 1:
            first, last = f"N={sizes[0]}", f"N={sizes[-1]}"
            growth = lambda key: runs[last][key] / runs[first][key] / (sizes[-1] / sizes[0])
            print(f"growth {first} -> {last} (1.00 = linear): setup {growth('setup'):.2f}, "
                  f"copy {growth('copy'):.2f}, uninstall {growth('uninstall'):.2f}, "
                  f"delete {growth('delete'):.2f}")
    finally:
        desktop.kill()
        subprocess.run([str(HARNESS / "stop-wine.sh")], env=env, capture_output=True)
        shutil.rmtree(BENCH_ROOT, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
