#!/usr/bin/env python3
"""Seeded mutations of the example setup folder under `setup.exe /s`.

Each copy of examples/demo (with its built payload) gets one to three mutations of its .ini
files: bytes flipped, the encoding swapped, lines or sections duplicated or removed, values
emptied or made huge, unknown macros, network and device paths, the component file name or
a component file removed. Every run must end by itself without a box, must not crash, must
end with 0 or 1603, and must leave a record that names only files on the disk
(silent_runs.py). The seed comes first in the output; --seed or PARCELKIT_MUTATION_SEED
replays a run."""
import os
import random
import re
import shutil
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from run_case import REPO, decode, encode, to_windows, wine_env  # noqa: E402
from silent_runs import Leftovers, arguments, record_lies, silent_run  # noqa: E402

ENCODINGS = ("utf-16", "utf-16-le", "utf-16-be", "utf-8", "utf-8-sig", "cp1252")
ODD_PATHS = ("\\\\nohost\\noshare\\dir", "\\\\?\\UNC\\nohost\\noshare", "NUL", "CON",
             "\\\\.\\NUL", "AUX\\dir", "#setupdir#\\CON", "#nosuchdir#\\dir", "#setupdir#\\#bogus#")


def read(path: Path) -> tuple[str, str]:
    """The text and its encoding; bytes that no encoding takes (after a flip) as Latin-1,
    which keeps every byte."""
    try:
        return decode(path.read_bytes())
    except UnicodeDecodeError:
        return path.read_bytes().decode("latin-1"), "latin-1"


def values(lines: list) -> list:
    return [i for i, line in enumerate(lines) if "=" in line and not line.startswith(";")]


def sections(lines: list) -> list:
    """(first, end) of each section's lines, header included."""
    starts = [i for i, line in enumerate(lines) if line.strip().startswith("[")]
    return list(zip(starts, starts[1:] + [len(lines)]))


def set_value(lines: list, index: int, value: str):
    lines[index] = lines[index].split("=", 1)[0] + "=" + value


def change_lines(rng: random.Random, lines: list) -> str:
    """One change of the lines, named for the output."""
    pick = rng.choice(values(lines) or [0])
    kind = rng.choice(["duplicate line", "remove line", "duplicate section", "remove section",
                       "empty value", "huge value", "unknown macro", "odd path"])
    if kind.endswith("section") and sections(lines):
        first, end = rng.choice(sections(lines))
        block = lines[first:end]
        lines[first:end] = block * 2 if kind.startswith("duplicate") else []
        return f"{kind} {block[0].strip()[:60]!r}"
    if kind == "duplicate line":
        lines.insert(rng.randrange(len(lines) + 1), lines[pick])
    elif kind == "remove line":
        del lines[pick]
        return f"{kind} {pick + 1}"
    elif kind == "empty value":
        set_value(lines, pick, "")
    elif kind == "huge value":
        value = lines[pick].split("=", 1)[1] or "x"
        set_value(lines, pick, (value * rng.choice([50, 5000]))[:rng.choice([300, 100000])])
    elif kind == "unknown macro":
        lines[pick] = re.sub(r"#\w+#", "#nosuchmacro#", lines[pick]) if "#" in lines[pick] \
            else lines[pick] + "#nosuchmacro#"
    else:
        set_value(lines, pick, rng.choice(ODD_PATHS))
    return f"{kind} at {lines[pick][:60]!r}" if pick < len(lines) else kind


def mutate(rng: random.Random, setup: Path) -> str:
    files = sorted(setup.rglob("*.ini"))
    path = rng.choice(files)
    kind = rng.choices(["flip bytes", "swap encoding", "lines", "component file gone",
                        "component file name gone"], weights=[4, 2, 12, 1, 1])[0]
    name = path.relative_to(setup).as_posix()
    if kind == "flip bytes":
        data = bytearray(path.read_bytes())
        for _ in range(rng.randint(1, 8)):
            data[rng.randrange(len(data))] = rng.randrange(256)
        path.write_bytes(data)
    elif kind == "component file gone" and path.name == "parcelkit.ini":
        path.unlink()
    elif kind == "component file name gone":
        name = "setup.ini"
        text, encoding = read(setup / name)
        (setup / name).write_bytes(encode(re.sub(r"(?im)^ininame=.*$", "ininame=", text),
                                          encoding))
    else:
        text, encoding = read(path)
        if kind == "swap encoding":
            encoding = rng.choice([e for e in ENCODINGS if e != encoding])
            kind += f" to {encoding}"
        else:
            lines = text.splitlines() or [""]
            kind = change_lines(rng, lines)
            text = "\r\n".join(lines)
        path.write_bytes(text.encode(encoding, "replace") if encoding != "utf-16"
                         else encode(text, encoding))
    return f"{name}: {kind}"


def main() -> int:
    args = arguments(lambda parser: (
        parser.add_argument("--count", type=int, default=40),
        parser.add_argument("--seed", type=int,
                            default=int(os.environ.get("PARCELKIT_MUTATION_SEED") or
                                        random.SystemRandom().randrange(10**9)))))
    print(f"seed {args.seed} (replay: PARCELKIT_MUTATION_SEED={args.seed})", flush=True)
    rng = random.Random(args.seed)
    env = wine_env()
    prefix = Path(env["WINEPREFIX"])
    drive_c = prefix / "drive_c"
    work_root = drive_c / "cases" / "mutations"
    shutil.rmtree(work_root, ignore_errors=True)
    # A flipped byte may move the destination anywhere on C:.
    drive_c_before = set(os.listdir(drive_c))
    leftovers = Leftovers(env)
    failures = []
    try:
        for n in range(args.count):
            work = work_root / f"{n:02d}"
            setup = work / "setup"
            shutil.copytree(REPO / "examples" / "demo", setup)
            for exe, folder in args.payload:
                shutil.copy(exe, setup / folder)
            shutil.copy(args.setup_exe, setup / "setup.exe")
            shutil.copy(args.uninstall_exe, setup / "uninstall.exe")
            # Each copy its own product and destination: no run finds another's installation.
            ini = (setup / "setup.ini").read_bytes().decode("cp1252")
            ini = re.sub(r"(?m)^id=.*$", f"id=PkMutation{n:02d}", ini)
            ini = re.sub(r"(?m)^progdir=.*$",
                         lambda _: f"progdir={to_windows(work, prefix)}\\Dest Dir", ini)
            (setup / "setup.ini").write_bytes(ini.encode("cp1252"))
            changes = [mutate(rng, setup) for _ in range(rng.randint(1, 3))]
            code, problems = silent_run(setup, args.driver, env, {0, 1603}, timeout=60)
            elsewhere = [drive_c / name for name in set(os.listdir(drive_c)) - drive_c_before]
            for folder in [work, *elsewhere]:
                for record in folder.rglob("uninstall.ini"):
                    problems += record_lies(record, prefix)
            print(f"{n:02d}: exit code {code}; " + "; ".join(changes) +
                  "".join(f"\n  FAIL {p}" for p in problems), flush=True)
            failures += [f"{n:02d} ({'; '.join(changes)}): {p}" for p in problems]
            for path in [work, *elsewhere]:
                if path.is_dir() and not path.is_symlink():
                    shutil.rmtree(path, ignore_errors=True)
                else:
                    path.unlink()
            leftovers.remove_files()
    finally:
        leftovers.remove()
    print(f"seed {args.seed}: {args.count} mutated copies, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
