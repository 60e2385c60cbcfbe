#!/usr/bin/env python3
"""Runs one end-to-end case: the real setup.exe under Wine on a fresh setup folder.

A case is a JSON file in tests/wine/cases:

  {
    "setup_folder": "usage",          # folder beside the case file, or "@demo"
    "args": ["/s"],                   # command line of setup.exe
    "windows": "nt",                  # or "win98": Wine's per-application Version
    "answers": ["ok"],                # with a display: message boxes answered in order
    "expect": {
      "exit_code": 0,
      "files": {"@DEST@\\\\notes.txt": "exact text, or null for 'exists'"},
      "absent": ["@DEST@\\\\extra.txt"],
      "registry": [{"key": "HKLM\\\\Software\\\\X", "name": "V", "data": "@DEST@", "view": "32"}],
      "registry_absent": [{"key": "HKLM\\\\Software\\\\X", "view": "64"}],
      "uninstall_ini": {"list": {"CORE": "Core"}},
      "boxes": [{"caption": "Error", "text": "..."}]   # the boxes shown, in order
    }
  }

@DEST@ (the destination, a path with a blank that does not exist before the run) and
@SETUP@ (the setup folder) are replaced in the expectations and in every .ini and .reg
file of the copied setup folder.
"""
import argparse
import json
import os
import shutil
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parent.parent
WINE_RUN = HERE / "harness" / "wine-run.sh"


def wine_env():
    out = subprocess.run(
        ["bash", "-c", f'source "{HERE}/harness/wine-env.sh" && env -0'],
        check=True, capture_output=True).stdout
    return dict(item.split("=", 1) for item in out.decode().split("\0") if "=" in item)


def to_windows(path: Path, prefix: Path) -> str:
    rel = path.resolve().relative_to((prefix / "drive_c").resolve())
    return "C:\\" + str(rel).replace("/", "\\")


def decode(data: bytes) -> tuple[str, str]:
    if data.startswith(b"\xff\xfe"):
        return data[2:].decode("utf-16-le"), "utf-16"
    if data.startswith(b"\xef\xbb\xbf"):
        return data[3:].decode("utf-8"), "utf-8-sig"
    return data.decode("cp1252"), "cp1252"


def encode(text: str, encoding: str) -> bytes:
    if encoding == "utf-16":
        return b"\xff\xfe" + text.encode("utf-16-le")
    return text.encode(encoding)


def substitute(text: str, values: dict) -> str:
    for token, value in values.items():
        text = text.replace(token, value)
    return text


def prepare_setup_folder(case: dict, case_file: Path, args, target: Path, values: dict):
    source = case["setup_folder"]
    if source == "@demo":
        shutil.copytree(REPO / "examples" / "demo", target)
        for exe, folder in args.payload:
            shutil.copy(exe, target / folder)
    else:
        shutil.copytree(case_file.parent / source, target)
    shutil.copy(args.setup_exe, target / "setup.exe")
    if args.uninstall_exe and Path(args.uninstall_exe).exists():
        shutil.copy(args.uninstall_exe, target / "uninstall.exe")
    for path in target.rglob("*"):
        if path.suffix.lower() in (".ini", ".reg") and path.is_file():
            text, encoding = decode(path.read_bytes())
            path.write_bytes(encode(substitute(text, values), encoding))


def parse_profile(text: str) -> dict:
    """Sections and keys with the private-profile rules: first occurrence wins."""
    sections: dict = {}
    current = None
    for raw in text.splitlines():
        line = raw.strip()
        if not line or line.startswith(";"):
            continue
        if line.startswith("["):
            name = line[1:line.index("]")].strip().lower() if "]" in line else line[1:].lower()
            current = sections.setdefault(name, {}) if name not in sections else None
            continue
        if current is not None and "=" in line:
            key, value = line.split("=", 1)
            current.setdefault(key.strip().lower(), value.strip())
    return sections


def reg_query(key: str, name: str | None, view: str, env: dict):
    cmd = [str(WINE_RUN), "reg", "query", key, f"/reg:{view}"]
    cmd += ["/v", name] if name else []
    done = subprocess.run(cmd, capture_output=True, env=env, timeout=60)
    if done.returncode != 0:
        return None
    if name is None:
        return ""
    text = done.stdout.decode("utf-8", "replace")
    for line in text.splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[0].lower() == name.lower() and parts[1].startswith("REG_"):
            return parts[2] if len(parts) == 3 else ""
    return None


def unescape(text: str) -> str:
    """Undoes the driver's escapes of backslash, tab and line breaks."""
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            out.append({"r": "\r", "n": "\n", "t": "\t"}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


class Outcome:
    def __init__(self, returncode: int, boxes: list):
        self.returncode = returncode
        self.boxes = boxes


def run_setup(case: dict, driver: str, setup: Path, env: dict) -> Outcome:
    """setup.exe through the driver, which answers its boxes (with a display only when
    the case has answers: without one, boxes return at once)."""
    answers = case.get("answers")
    run_env = dict(os.environ, PARCELKIT_GUI="1" if answers is not None else "0")
    cmd = []
    if case.get("windows") == "win98":
        cmd = [str(HERE / "harness" / "with-windows-version.sh"), "setup.exe", "win98"]
    cmd += [str(WINE_RUN), str(Path(driver).resolve()), ",".join(answers) if answers else "-", "setup.exe",
           *case.get("args", [])]
    done = subprocess.run(cmd, cwd=setup, capture_output=True, env=run_env,
                          timeout=case.get("timeout", 120))
    boxes, code = [], None
    for line in done.stdout.decode("utf-8", "replace").split("\n"):
        if line.startswith("BOX "):
            caption, _, text = line[4:].partition("\t")
            boxes.append((unescape(caption), unescape(text)))
        elif line.startswith("EXIT "):
            code = int(line[5:])
        elif line.strip():
            print(line)
    if done.returncode != 0 or code is None:
        print(done.stdout.decode("utf-8", "replace"), done.stderr.decode("utf-8", "replace"))
        return Outcome(-1 if code is None else code, boxes)
    return Outcome(code, boxes)


def check(case: dict, values: dict, result, dest: Path, env: dict) -> list:
    failures = []
    expect = case.get("expect", {})
    want_code = expect.get("exit_code", 0)
    if result.returncode != want_code:
        failures.append(f"exit code {result.returncode}, expected {want_code}")

    def unix(win_path: str) -> Path:
        win_path = substitute(win_path, values)
        assert win_path[:3].upper() == "C:\\", win_path
        return Path(env["WINEPREFIX"]) / "drive_c" / win_path[3:].replace("\\", "/")

    for path, content in expect.get("files", {}).items():
        target = unix(path)
        if not target.exists():
            failures.append(f"missing: {substitute(path, values)}")
        elif content is not None:
            text, _ = decode(target.read_bytes())
            if text != substitute(content, values):
                failures.append(f"content of {path}: {text!r}")
    for path in expect.get("absent", []):
        if unix(path).exists():
            failures.append(f"should not exist: {substitute(path, values)}")
    for entry in expect.get("registry", []):
        got = reg_query(substitute(entry["key"], values), entry.get("name"),
                        entry.get("view", "64"), env)
        want = substitute(entry.get("data", ""), values) if "data" in entry else None
        if got is None:
            failures.append(f"registry value missing: {entry['key']} {entry.get('name')}")
        elif want is not None and got != want:
            failures.append(f"registry {entry['key']} {entry.get('name')}: {got!r}, expected {want!r}")
    for entry in expect.get("registry_absent", []):
        if reg_query(substitute(entry["key"], values), entry.get("name"),
                     entry.get("view", "64"), env) is not None:
            failures.append(f"registry entry should not exist: {entry['key']} {entry.get('name')}")
    if "boxes" in expect:
        wanted_boxes = [(substitute(b["caption"], values), substitute(b["text"], values))
                        for b in expect["boxes"]]
        if result.boxes != wanted_boxes:
            failures.append(f"message boxes {result.boxes}, expected {wanted_boxes}")
    wanted_record = expect.get("uninstall_ini")
    if wanted_record is not None:
        record_path = dest / "uninstall.ini"
        if not record_path.exists():
            failures.append("uninstall.ini missing")
        else:
            raw = record_path.read_bytes()
            if not raw.startswith(b"\xff\xfe"):
                failures.append("uninstall.ini is not UTF-16LE with a byte-order mark")
            record = parse_profile(decode(raw)[0])
            for section, keys in wanted_record.items():
                for key, value in keys.items():
                    got = record.get(section.lower(), {}).get(key.lower())
                    want = substitute(value, values)
                    if got != want:
                        failures.append(f"uninstall.ini [{section}] {key}: {got!r}, expected {want!r}")
    return failures


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("case")
    parser.add_argument("--setup-exe", required=True)
    parser.add_argument("--uninstall-exe")
    parser.add_argument("--driver", required=True, help="pkdriver.exe")
    parser.add_argument("--payload", nargs=2, action="append", default=[],
                        metavar=("EXE", "FOLDER"), help="built payload for @demo")
    args = parser.parse_args()

    case_file = Path(args.case).resolve()
    case = json.loads(case_file.read_text(encoding="utf-8"))
    env = wine_env()
    prefix = Path(env["WINEPREFIX"])
    work = prefix / "drive_c" / "cases" / case_file.stem
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    setup = work / "setup"
    dest = work / "Dest Dir"
    values = {"@DEST@": to_windows(work, prefix) + "\\Dest Dir",
              "@SETUP@": to_windows(work, prefix) + "\\setup"}
    prepare_setup_folder(case, case_file, args, setup, values)

    result = run_setup(case, args.driver, setup, env)
    failures = check(case, values, result, dest, env)
    for failure in failures:
        print(f"FAIL {case_file.stem}: {failure}")
    if not failures:
        print(f"ok {case_file.stem}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
