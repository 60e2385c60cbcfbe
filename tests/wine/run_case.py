#!/usr/bin/env python3
"""Runs one end-to-end case: the real setup.exe under Wine on a fresh setup folder.

A case is a JSON file in tests/wine/cases:

  {
    "setup_folder": "usage",          # folder beside the case file, or "@demo"
    "args": ["/s"],                   # command line of setup.exe
    "windows": "nt",                  # or "win98": Wine's per-application Version
    "answers": ["ok"],                # with a display: message boxes answered in order,
                                      # and pkdriver's window steps (click:, texts, tree,
                                      # check:, hover:, snap) in between
    "expect": {
      "exit_code": 0,
      "files": {"@DEST@\\\\notes.txt": "exact text, or null for 'exists'"},
      "absent": ["@DEST@\\\\extra.txt"],
      "registry": [{"key": "HKLM\\\\Software\\\\X", "name": "V", "data": "@DEST@", "view": "32"}],
      "registry_absent": [{"key": "HKLM\\\\Software\\\\X", "view": "64"}],
      "uninstall_ini": {"list": {"CORE": "Core"}},
      "boxes": [{"caption": "Error", "text": "..."}],  # the boxes shown, in order
      "trees": [["0\\tCore\\t2", "1\\tPart\\t1\\tbold"]],  # what each "tree" step printed
      "shown_texts": ["..."]            # each part of a text that a "texts" step printed
    },
    "screenshot": "name.png"          # build/screenshots/name.png, taken at the "snap" step
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
import tempfile
import threading
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parent.parent
WINE_RUN = HERE / "harness" / "wine-run.sh"
SCREENSHOTS = REPO / "build" / "screenshots"


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
    def __init__(self, returncode: int, boxes: list, trees: list, texts: list):
        self.returncode = returncode
        self.boxes = boxes
        self.trees = trees    # one list of "depth\ttext\tstate image[\tbold]" per tree step
        self.texts = texts    # texts of the controls that texts steps printed


def take_screenshot(case: dict, env: dict) -> str | None:
    """The whole display, as the program shows it now; None when that cannot be done."""
    display_file = Path(env["PARCELKIT_WINE_ROOT"]) / "display"
    if not display_file.exists():
        return "no display for the screenshot"
    SCREENSHOTS.mkdir(parents=True, exist_ok=True)
    shot = subprocess.run(["import", "-window", "root", str(SCREENSHOTS / case["screenshot"])],
                          env=dict(os.environ, DISPLAY=display_file.read_text().strip()),
                          capture_output=True, timeout=60)
    return None if shot.returncode == 0 else shot.stderr.decode("utf-8", "replace")


def run_setup(case: dict, driver: str, setup: Path, env: dict) -> Outcome:
    """setup.exe through the driver, which answers its boxes (with a display only when
    the case has answers: without one, boxes return at once). At a "snap" step the driver
    waits while the screenshot named by the case is taken."""
    answers = case.get("answers")
    run_env = dict(os.environ, PARCELKIT_GUI="1" if answers is not None else "0")
    cmd = []
    if case.get("windows") == "win98":
        cmd = [str(HERE / "harness" / "with-windows-version.sh"), "setup.exe", "win98"]
    cmd += [str(WINE_RUN), str(Path(driver).resolve()), ",".join(answers) if answers else "-", "setup.exe",
           *case.get("args", [])]
    # Standard error goes to a file: a full pipe that nobody reads would stop Wine.
    errors = tempfile.TemporaryFile()
    proc = subprocess.Popen(cmd, cwd=setup, env=run_env, stdin=subprocess.PIPE,
                            stdout=subprocess.PIPE, stderr=errors)
    boxes, trees, texts, lines = [], [], [], []
    code = None

    def read_output():
        nonlocal code
        for raw in proc.stdout:
            line = raw.decode("utf-8", "replace").rstrip("\r\n")
            lines.append(line)
            if line.startswith("BOX "):
                caption, _, text = line[4:].partition("\t")
                boxes.append((unescape(caption), unescape(text)))
            elif line == "TREE":
                trees.append([])
            elif line.startswith("NODE ") and trees:
                trees[-1].append(line[5:])
            elif line.startswith("TEXT "):
                texts.append(unescape(line[5:].split("\t", 2)[-1]))
            elif line == "SNAP":
                problem = take_screenshot(case, env) if "screenshot" in case else None
                if problem:
                    print(f"screenshot: {problem}")
                proc.stdin.write(b"\n")
                proc.stdin.flush()
            elif line.startswith("EXIT "):
                code = int(line[5:])
            elif line.strip():
                print(line)

    # The reader stops at the end of the output; a program left running after a timeout
    # may keep that end from coming, so the driver's own end is what is waited for.
    reader = threading.Thread(target=read_output, daemon=True)
    reader.start()
    try:
        proc.wait(timeout=case.get("timeout", 120))
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
        print("timed out")
        subprocess.run([str(WINE_RUN), "taskkill", "/f", "/im", "setup.exe"], env=env,
                       capture_output=True, timeout=60)
    reader.join(10)
    if proc.returncode != 0 or code is None:
        errors.seek(0)
        print("\n".join(lines), errors.read().decode("utf-8", "replace"))
        return Outcome(-1 if code is None else code, boxes, trees, texts)
    return Outcome(code, boxes, trees, texts)


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
    if "trees" in expect:
        wanted_trees = [[substitute(node, values) for node in tree] for tree in expect["trees"]]
        if result.trees != wanted_trees:
            failures.append(f"trees {result.trees}, expected {wanted_trees}")
    for text in expect.get("shown_texts", []):
        if not any(substitute(text, values) in shown for shown in result.texts):
            failures.append(f"no control showed {text!r}; shown: {result.texts}")
    if "screenshot" in case and not (SCREENSHOTS / case["screenshot"]).exists():
        failures.append(f"screenshot {case['screenshot']} was not taken")
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
