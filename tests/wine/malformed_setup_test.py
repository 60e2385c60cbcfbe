#!/usr/bin/env python3
"""Malformed setup folders under `setup.exe /s`, one row each, made by the test.

Each row's run must end by itself without a box, must not crash, must end with the row's
exit code (1603 when it fails, 0 when it installs what is sound, and then the row's files are
there), and its uninstall record must name only files that are on the disk
(silent_runs.py)."""
import random
import shutil
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from run_case import to_windows, wine_env  # noqa: E402
from silent_runs import Leftovers, arguments, record_lies, silent_run  # noqa: E402

FAILED, DONE = 1603, 0
LONG = "L" * 300  # longer than any file or folder name may be
DEEP = "\\".join(["d" * 60] * 5)  # a path past 260 characters


def write(path: Path, text: str, encoding: str = "utf-16"):
    """UTF-16 with a byte-order mark unless told otherwise, with Windows line ends."""
    path.parent.mkdir(parents=True, exist_ok=True)
    data = text.replace("\n", "\r\n")
    path.write_bytes(b"\xff\xfe" + data.encode("utf-16-le") if encoding == "utf-16"
                     else data.encode(encoding))


def setup_ini(dest: str, extra: str = "", progdir: str | None = None) -> str:
    # Each row is a product of its own, named after its folder: no row finds another's
    # installation.
    row = dest.split("\\")[-2]
    return f"[main]\nid=PkMalformed.{row}\nname={row}\nprogdir={progdir or dest}\n{extra}"


def component(folder: Path, name: str, lines: str = "", main: str = "checked=1",
              files: tuple = ("core.txt",)):
    """A component whose files hold their own names, installed into #setupdir#."""
    entries = "".join(f"{file}=#setupdir#\n" for file in files)
    write(folder / name / "parcelkit.ini",
          f"[main]\ntitle={name}\nname={name}\n{main}\n[file]\n{entries}{lines}")
    for file in files:
        (folder / name / file).write_text(file)


def sound(folder: Path, dest: str, extra: str = "", **kwargs):
    write(folder / "setup.ini", setup_ini(dest, extra, **kwargs))
    component(folder, "01-core")


def nested(folder: Path, dest: str):
    write(folder / "setup.ini", setup_ini(dest))
    group = folder
    for level in range(40):
        write(group / f"g{level:02d}" / "parcelkit.ini",
              f"[main]\ntitle=Group {level}\nname=g{level}\ntype=group\nchecked=1\n")
        group = group / f"g{level:02d}"
    component(group, "leaf", files=("deep.txt",))


def long_names(folder: Path, dest: str):
    sound(folder, dest)
    component(folder, "02-long", files=("long.txt",), lines=(
        f"long.txt,x.txt,0=#setupdir#\\{LONG}\n[shortcut]\n"
        f"{LONG}|DESKTOP=#setupdir#\\core.txt\nShort|DESKTOP|{LONG}=#setupdir#\\core.txt\n"))


def named(folder: Path, dest: str, letters: str):
    write(folder / "setup.ini", setup_ini(dest, progdir=f"{dest}\\{letters}"))
    component(folder, f"01-{letters}", files=(f"{letters}.txt",),
              lines=f"{letters}.txt,{letters}-copy.txt,0=#setupdir#\\{letters}\n")


# name: (setup folder, exit code, files that must be installed, relative to the destination)
ROWS = {
    "random_bytes": (lambda f, d: (component(f, "01-core"), (f / "setup.ini").write_bytes(
        random.Random(12).randbytes(4096))), FAILED, []),
    "utf16_without_bom": (lambda f, d: (component(f, "01-core"), write(
        f / "setup.ini", setup_ini(d), "utf-16-le")), FAILED, []),
    "line_of_200000": (lambda f, d: sound(f, d, "x=" + "y" * 200000 + "\n"), DONE, ["core.txt"]),
    "separators_only": (lambda f, d: (sound(f, d), component(
        f, "02-separators", files=(), lines=",,=,,\n|=|\n" * 5000)), FAILED, ["core.txt"]),
    "nested_40_groups": (nested, DONE, ["deep.txt"]),
    "names_too_long": (long_names, FAILED, ["core.txt", "long.txt"]),
    # Wine, unlike Windows, takes paths past 260 characters: there the run installs.
    "destination_past_260": (lambda f, d: sound(f, d, progdir=f"{d}\\{DEEP}"), DONE,
                             [f"{DEEP}\\core.txt"]),
    "chinese_paths": (lambda f, d: named(f, d, "中文路径"), DONE,
                      ["中文路径\\中文路径.txt", "中文路径\\中文路径\\中文路径-copy.txt"]),
    "beyond_the_bmp": (lambda f, d: named(f, d, "𝄞😀"), DONE,
                       ["𝄞😀\\𝄞😀.txt", "𝄞😀\\𝄞😀\\𝄞😀-copy.txt"]),
    "no_component_file_name": (lambda f, d: sound(f, d, "ininame=\n"), FAILED, []),
    "unknown_macro": (lambda f, d: (sound(f, d), component(
        f, "02-macro", files=("macro.txt",), lines="macro.txt,m2.txt,0=#nosuchdir#\\x\n")),
        FAILED, ["core.txt"]),
    "unc_destination": (lambda f, d: sound(f, d, progdir="\\\\nohost\\noshare\\dir"),
                        FAILED, []),
    "no_component": (lambda f, d: write(f / "setup.ini", setup_ini(d)), FAILED, []),
    "none_for_this_family": (lambda f, d: (write(f / "setup.ini", setup_ini(d)), component(
        f, "01-old", main="checked=1\nsystem=98")), FAILED, []),
    "none_chosen": (lambda f, d: (write(f / "setup.ini", setup_ini(d)), component(
        f, "01-off", main="checked=0")), DONE, []),
}


def main() -> int:
    args = arguments(lambda parser: parser.add_argument("rows", nargs="*", help="only these rows"))
    env = wine_env()
    prefix = Path(env["WINEPREFIX"])
    work_root = prefix / "drive_c" / "cases" / "malformed"
    shutil.rmtree(work_root, ignore_errors=True)
    leftovers = Leftovers(env)
    failures = []
    try:
        for name in args.rows or ROWS:
            make, code, installed = ROWS[name]
            work = work_root / name
            dest = to_windows(work, prefix) + "\\Dest Dir"
            make(work / "setup", dest)
            shutil.copy(args.setup_exe, work / "setup" / "setup.exe")
            got, problems = silent_run(work / "setup", args.driver, env, {code})
            problems += record_lies(work / "Dest Dir" / "uninstall.ini", prefix)
            problems += [f"not installed: {file}" for file in installed
                         if not (work / "Dest Dir" / file.replace("\\", "/")).is_file()]
            print(f"{name}: exit code {got}" + "".join(f"\n  FAIL {p}" for p in problems))
            failures += [f"{name}: {p}" for p in problems]
            leftovers.remove_files()
    finally:
        leftovers.remove()
    shutil.rmtree(work_root, ignore_errors=True)
    print(f"{len(args.rows or ROWS)} rows, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
