#!/usr/bin/env python3
"""Runs one end-to-end case: the real setup.exe under Wine on a fresh setup folder.

A case is a JSON file in tests/wine/cases:

  {
    "setup_folder": "usage",          # folder beside the case file, or "@demo"
    "args": ["/s"],                   # command line of setup.exe
    "start_in": "C:\\\\",              # the run's current directory, setup.exe then named by
                                      # its full path; default: the setup folder, by its name
    "windows": "nt",                  # or "win98": Wine's per-application Version
    "answers": ["ok"],                # with a display: message boxes answered in order
                                      # ("ok", "yes", "no", "default": what Enter presses),
                                      # and pkdriver's window steps (click:, texts, tree,
                                      # check:, hover:, snap, key:, focus, acc) in between
    "expect": {
      "exit_code": 0,
      "files": {"@DEST@\\\\notes.txt": "exact text, or null for 'exists'"},
      "absent": ["@DEST@\\\\extra.txt", "@SETUP@\\\\*.log"],  # "*": no such name
      "registry": [{"key": "HKLM\\\\Software\\\\X", "name": "V", "data": "@DEST@", "view": "32",
                    "type": "REG_SZ"}],  # type: as reg.exe names it, when given
      "registry_absent": [{"key": "HKLM\\\\Software\\\\X", "view": "64"}],
      "uninstall_ini": {"list": {"CORE": "Core"}},  # @DEST@ also in keys; null: key absent
      "pending_renames": ["@DEST@\\\\locked.dll"],  # moves at restart from $$$ copies
      "wininit_renames": ["LOCKED.DLL"],  # [rename] keys of wininit.ini, by their end; or
                                      # {"LOCKED.DLL": "text the $$$ copy must hold"}
      "uninstall_ini_absent": {"list": ["OFF"]},      # keys the record must not hold
      "boxes": [{"caption": "Error", "text": "..."}],  # the boxes shown, in order
      "trees": [["0\\tCore\\t2", "1\\tPart\\t1\\tbold"]],  # what each "tree" step printed
      "shown_texts": ["..."],           # each part of a text that a "texts" step printed
      "combos": [["0\\tEnglish\\tselected", "1\\tChinese"]],  # what each "combo" step printed
      "focus": ["Button\\t&Next >"],  # the focused control at each "focus" step, in order
      "accessible": [["Core\\toutline item\\tchecked"]],  # what each "acc" step read
      "log": ["copy file\\t@DEST@\\\\a.txt"]  # texts the log (args: /log:"@LOG@") must
                                      # hold, each within one line; its last line must be
                                      # the exit code
    },
    "screenshot": "name.png",         # build/screenshots/name.png, taken at the "snap" step;
                                      # a list of names: one per "snap" step, in order
    "pre_registry": [{"key": "HKLM\\\\Software\\\\X", "name": "V", "data": "1", "view": "32"}]
                                      # values written before the run, keys deleted after it
    "pre_files": {"@DEST@\\\\x.txt": "old", "01-core\\\\a.exe": "@payload:nwnotes.exe"},
                                      # files made before the run: text, a payload or a test
                                      # tool (@tool:pkmarker.exe); setup-folder paths relative
    "touch": {"01-core\\\\a.txt": "2001-01-01 00:00"},  # last-write times (UTC) set before the run
    "hold_open": "@DEST@\\\\locked.dll"  # held open without sharing during the run
    "dll_overrides": "version=n,b"  # added to WINEDLLOVERRIDES for setup.exe
  }

@DEST@ (the destination, a path with a blank that does not exist before the run) and
@SETUP@ (the setup folder) are replaced in the expectations and in every .ini and .reg
file of the copied setup folder; so is @CASE@, the case's name, which lets cases that share
a setup folder give it an id of their own. The expectations of system integration (links,
.ini entries, files kept and cleaned up) and their folder tokens are in system_checks.py.
"""
import argparse
import contextlib
import datetime
import fnmatch
import json
import re
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

import system_checks

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


def reg_query_typed(key: str, name: str | None, view: str, env: dict):
    """(type, data) of a value as reg.exe prints them (a DWORD as 0x...); ("", "") for a
    key asked without a name; None when it is not there."""
    cmd = [str(WINE_RUN), "reg", "query", key, f"/reg:{system_checks.reg_view(view)}"]
    cmd += ["/v", name] if name else []
    done = subprocess.run(cmd, capture_output=True, env=env, timeout=60)
    if done.returncode != 0:
        return None
    if name is None:
        return "", ""
    text = done.stdout.decode("utf-8", "replace")
    for line in text.splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[0].lower() == name.lower() and parts[1].startswith("REG_"):
            return parts[1], parts[2] if len(parts) == 3 else ""
    return None


def reg_query(key: str, name: str | None, view: str, env: dict):
    found = reg_query_typed(key, name, view, env)
    return None if found is None else found[1]


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
    def __init__(self, returncode: int, boxes: list, trees: list, texts: list,
                 combos: list | None = None, steps: dict | None = None):
        self.returncode = returncode
        self.combos = combos or []  # one list of "index\ttext[\tselected]" per combo step
        self.boxes = boxes
        self.trees = trees    # one list of "depth\ttext\tstate image[\tbold]" per tree step
        self.texts = texts    # texts of the controls that texts steps printed
        steps = steps or {}
        self.focus = steps.get("focus", [])  # "class\ttext" per focus step
        self.accessible = steps.get("accessible", [])  # one list of "name\trole\tstates" per acc step
        self.layouts = steps.get("layouts", [])  # one list of CONTROL fields per layout step
        # per layout step: the width of the tree's check box, or None without one
        self.check_images = steps.get("check_images", [])


def screenshot_names(case: dict) -> list:
    """A name, or a list of names taken in order by the case's "snap" steps."""
    names = case.get("screenshot", [])
    return [names] if isinstance(names, str) else names


def take_screenshot(name: str, env: dict) -> str | None:
    """The whole display, as the program shows it now; None when that cannot be done."""
    display_file = Path(env["PARCELKIT_WINE_ROOT"]) / "display"
    if not display_file.exists():
        return "no display for the screenshot"
    SCREENSHOTS.mkdir(parents=True, exist_ok=True)
    shot = subprocess.run(["import", "-window", "root", str(SCREENSHOTS / name)],
                          env=dict(os.environ, DISPLAY=display_file.read_text().strip()),
                          capture_output=True, timeout=60)
    return None if shot.returncode == 0 else shot.stderr.decode("utf-8", "replace")


def run_setup(case: dict, driver: str, setup: Path, env: dict, values: dict | None = None) -> Outcome:
    """setup.exe through the driver, which answers its boxes (with a display only when
    the case has answers: without one, boxes return at once). At a "snap" step the driver
    waits while the screenshot named by the case is taken."""
    answers = case.get("answers")
    run_env = dict(os.environ, PARCELKIT_GUI="1" if answers is not None else "0",
                   PARCELKIT_DLL_OVERRIDES=case.get("dll_overrides", ""))
    cmd = []
    if case.get("windows") == "win98":
        cmd = [str(HERE / "harness" / "with-windows-version.sh"), "setup.exe", "win98"]
    # Started elsewhere, the program is named by its full path, as a deployment tool names it.
    program, cwd = "setup.exe", setup
    if "start_in" in case:
        prefix = Path(env["WINEPREFIX"])
        program, cwd = to_windows(setup / "setup.exe", prefix), windows_to_unix(case["start_in"], env)
    cmd += [str(WINE_RUN), str(Path(driver).resolve()), ",".join(answers) if answers else "-", program,
           *[substitute(arg, values or {}) for arg in case.get("args", [])]]
    # Standard error goes to a file: a full pipe that nobody reads would stop Wine.
    errors = tempfile.TemporaryFile()
    proc = subprocess.Popen(cmd, cwd=cwd, env=run_env, stdin=subprocess.PIPE,
                            stdout=subprocess.PIPE, stderr=errors)
    boxes, trees, texts, lines, combos = [], [], [], [], []
    steps = {"focus": [], "accessible": [], "layouts": [], "check_images": []}
    shots = screenshot_names(case)
    for name in shots:
        # A picture left by an earlier run must not pass for this run's.
        (SCREENSHOTS / name).unlink(missing_ok=True)
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
            elif line == "COMBO":
                combos.append([])
            elif line.startswith("LINE ") and combos:
                combos[-1].append(unescape(line[5:]))
            elif line.startswith("FOCUS "):
                steps["focus"].append(unescape(line[6:]))
            elif line == "ACCTREE":
                steps["accessible"].append([])
            elif line.startswith("ACCITEM ") and steps["accessible"]:
                steps["accessible"][-1].append(unescape(line[8:]))
            elif line == "LAYOUT":
                steps["layouts"].append([])
                steps["check_images"].append(None)
            elif line.startswith("CHECKIMAGE ") and steps["check_images"]:
                steps["check_images"][-1] = int(line[11:])
            elif line.startswith("CONTROL ") and steps["layouts"]:
                steps["layouts"][-1].append([unescape(f) for f in line[8:].split("\t")])
            elif line.startswith("TEXT "):
                texts.append(unescape(line[5:].split("\t", 2)[-1]))
            elif line == "SNAP":
                problem = take_screenshot(shots.pop(0), env) if shots else None
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
        return Outcome(-1 if code is None else code, boxes, trees, texts, combos, steps)
    return Outcome(code, boxes, trees, texts, combos, steps)


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
        found = unix(path)
        # A "*" in the last part: no file of that pattern, such as a temporary file.
        if found.exists() or ("*" in found.name and found.parent.is_dir() and any(
                fnmatch.fnmatch(p.name.lower(), found.name.lower())
                for p in found.parent.iterdir())):
            failures.append(f"should not exist: {substitute(path, values)}")
    for entry in expect.get("registry", []):
        found = reg_query_typed(substitute(entry["key"], values), entry.get("name"),
                                entry.get("view", "64"), env)
        want = substitute(entry.get("data", ""), values) if "data" in entry else None
        if found is None:
            failures.append(f"registry value missing: {entry['key']} {entry.get('name')}")
            continue
        kind, got = found
        if want is not None and got != want:
            failures.append(f"registry {entry['key']} {entry.get('name')}: {got!r}, expected {want!r}")
        if "type" in entry and kind != entry["type"]:
            failures.append(f"registry {entry['key']} {entry.get('name')}: type {kind}, "
                            f"expected {entry['type']}")
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
    if "combos" in expect and result.combos != expect["combos"]:
        failures.append(f"drop-down lists {result.combos}, expected {expect['combos']}")
    if "focus" in expect:
        wanted_focus = [substitute(focus, values) for focus in expect["focus"]]
        if result.focus != wanted_focus:
            failures.append(f"focus {result.focus}, expected {wanted_focus}")
    if "accessible" in expect and result.accessible != expect["accessible"]:
        failures.append(f"accessible trees {result.accessible}, expected {expect['accessible']}")
    if "log" in expect:
        failures += check_log(expect["log"], want_code, values, env)
    for text in expect.get("shown_texts", []):
        if not any(substitute(text, values) in shown for shown in result.texts):
            failures.append(f"no control showed {text!r}; shown: {result.texts}")
    for name in screenshot_names(case):
        if not (SCREENSHOTS / name).exists():
            failures.append(f"screenshot {name} was not taken")
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
                    key = substitute(key, values)
                    got = record.get(section.lower(), {}).get(key.lower())
                    want = None if value is None else substitute(value, values)
                    if got != want:
                        failures.append(f"uninstall.ini [{section}] {key}: {got!r}, expected {want!r}")
    for section, keys in expect.get("uninstall_ini_absent", {}).items():
        record = parse_profile(decode((dest / "uninstall.ini").read_bytes())[0]) \
            if (dest / "uninstall.ini").exists() else {}
        for key in keys:
            if key.lower() in record.get(section.lower(), {}):
                failures.append(f"uninstall.ini [{section}] {key} should not be there")
    return failures


def check_log(wanted: list, exit_code: int, values: dict, env: dict) -> list:
    """The log the case asked for with /log:"@LOG@": UTF-8, one line per step, the exit
    code last."""
    path = windows_to_unix(values["@LOG@"], env)
    if not path.is_file():
        return [f"no log at {values['@LOG@']}"]
    lines = path.read_text(encoding="utf-8").splitlines()
    failures = [f"log line without its text: {text!r}" for text in wanted
                if not any(substitute(text, values) in line for line in lines)]
    if not lines or not lines[-1].endswith(f"\texit code\t{exit_code}"):
        failures.append(f"log does not end with the exit code: {lines[-1:]!r}")
    if failures:
        failures.append("log:\n" + "\n".join(lines))
    return failures


def wait_until_gone(path: Path) -> bool:
    """Whether the path is gone, waiting up to 20 s: the uninstaller's copy in the temporary
    directory removes the program and its directories only after the program has ended."""
    for _ in range(100):
        if not path.exists():
            return True
        time.sleep(0.2)
    return not path.exists()


def windows_to_unix(win_path: str, env: dict) -> Path:
    assert win_path[:3].upper() == "C:\\", win_path
    return Path(env["WINEPREFIX"]) / "drive_c" / win_path[3:].replace("\\", "/")


def prepare_files(case: dict, args, setup: Path, values: dict, env: dict):
    """The case's files made before the run, and the last-write times it sets."""
    tools = Path(args.driver).resolve().parent
    payloads = {Path(exe).name.lower(): Path(exe) for exe, _ in args.payload}

    def place(path: str) -> Path:
        path = substitute(path, values)
        if path[1:3] == ":\\":
            return windows_to_unix(path, env)
        return setup / path.replace("\\", "/")

    for path, content in case.get("pre_files", {}).items():
        target = place(path)
        target.parent.mkdir(parents=True, exist_ok=True)
        if content.startswith("@payload:"):
            shutil.copy(payloads[content[9:].lower()], target)
        elif content.startswith("@tool:"):
            shutil.copy(tools / content[6:], target)
        else:
            target.write_bytes(substitute(content, values).encode("cp1252"))
    for path, stamp in case.get("touch", {}).items():
        when = datetime.datetime.strptime(stamp, "%Y-%m-%d %H:%M").replace(
            tzinfo=datetime.timezone.utc).timestamp()
        os.utime(place(path), (when, when))


@contextlib.contextmanager
def held_open(case: dict, args, values: dict, env: dict):
    """holdopen.exe keeps the case's file open without sharing until the run is over."""
    if "hold_open" not in case:
        yield
        return
    holder = subprocess.Popen(
        [str(WINE_RUN), str(Path(args.driver).resolve().parent / "holdopen.exe"),
         substitute(case["hold_open"], values)],
        stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    try:
        if holder.stdout.readline().strip() != b"READY":
            raise RuntimeError("holdopen.exe could not open " + case["hold_open"])
        yield
    finally:
        holder.stdin.close()
        holder.wait(timeout=60)


SESSION_MANAGER = "HKLM\\System\\CurrentControlSet\\Control\\Session Manager"


def check_restart(case: dict, values: dict, env: dict) -> list:
    """Moves scheduled for the restart: each from a $$$ copy in the temporary folder."""
    failures = []
    expect = case.get("expect", {})
    if "pending_renames" in expect:
        done = subprocess.run([str(WINE_RUN), "reg", "query", SESSION_MANAGER, "/v",
                               "PendingFileRenameOperations"], capture_output=True, env=env,
                              timeout=60)
        text = done.stdout.decode("utf-8", "replace")
        for target in expect["pending_renames"]:
            target = substitute(target, values)
            if target.lower() not in text.lower() or "$$$" not in text:
                failures.append(f"no move at restart onto {target}: {text!r}")
        stand_ins = re.findall(r"C:\\[^\r\n]*?\$\$\$[0-9A-F]+\.TMP", text, re.I)
        if not stand_ins:
            failures.append(f"no $$$ copy among the moves at restart: {text!r}")
        for stand_in in stand_ins:
            if not windows_to_unix(stand_in, env).exists():
                failures.append(f"the copy to be moved at restart is missing: {stand_in}")
    if "wininit_renames" in expect:
        wininit = windows_to_unix("C:\\windows\\wininit.ini", env)
        renames = parse_profile(decode(wininit.read_bytes())[0]).get("rename", {}) \
            if wininit.exists() else {}
        wanted = expect["wininit_renames"]
        for ending in wanted:
            hits = [(k, v) for k, v in renames.items() if k.endswith(ending.lower())]
            if len(hits) != 1 or "$$$" not in hits[0][1].upper() or \
                    not windows_to_unix(hits[0][1], env).exists():
                failures.append(f"wininit.ini [rename] for {ending}: {renames}")
            elif isinstance(wanted, dict) and \
                    decode(windows_to_unix(hits[0][1], env).read_bytes())[0] != wanted[ending]:
                failures.append(f"the copy to be moved onto {ending} is not the new file")
    return failures


def clean_restart(case: dict, env: dict):
    """Later cases in the prefix must not find this case's moves at restart."""
    if "hold_open" in case:
        subprocess.run([str(WINE_RUN), "reg", "delete", SESSION_MANAGER, "/v",
                        "PendingFileRenameOperations", "/f"], capture_output=True, env=env,
                       timeout=60)
        windows_to_unix("C:\\windows\\wininit.ini", env).unlink(missing_ok=True)


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
              "@SETUP@": to_windows(work, prefix) + "\\setup",
              "@CASE@": case_file.stem,
              "@LOG@": to_windows(work, prefix) + "\\log dir\\run.log"}
    (work / "log dir").mkdir()
    values.update(system_checks.folder_values(prefix))
    prepare_setup_folder(case, case_file, args, setup, values)

    # Values the case needs before the run (a component's detection value); removed
    # afterwards so that later cases in the same prefix do not see them.
    pre_keys = {(substitute(e["key"], values), e.get("view", "64"))
                for e in case.get("pre_registry", [])}
    saved = system_checks.keep(case, lambda text: substitute(text, values), prefix,
                                WINE_RUN, env)
    try:
        for entry in case.get("pre_registry", []):
            subprocess.run([str(WINE_RUN), "reg", "add", substitute(entry["key"], values),
                            "/v", entry["name"], "/d", substitute(entry["data"], values), "/f",
                            f"/reg:{system_checks.reg_view(entry.get('view', '64'))}"],
                           check=True, capture_output=True, env=env, timeout=60)
        prepare_files(case, args, setup, values, env)
        with held_open(case, args, values, env):
            result = run_setup(case, args.driver, setup, env, values)
        failures = check(case, values, result, dest, env)
        failures += check_restart(case, values, env)
        failures += system_checks.check_system(case.get("expect", {}),
                                               lambda text: substitute(text, values), prefix)
    finally:
        clean_restart(case, env)
        system_checks.restore_and_clean(case, saved, lambda text: substitute(text, values),
                                        prefix, WINE_RUN, env)
        for key, view in pre_keys:
            subprocess.run([str(WINE_RUN), "reg", "delete", key, "/f", f"/reg:{system_checks.reg_view(view)}"],
                           capture_output=True, env=env, timeout=60)
    # PARCELKIT_RECORD_DUMP=DIR keeps each case's uninstall.ini, to compare the records of
    # two versions of the installer.
    dump = os.environ.get("PARCELKIT_RECORD_DUMP")
    if dump and (dest / "uninstall.ini").is_file():
        Path(dump).mkdir(parents=True, exist_ok=True)
        shutil.copy(dest / "uninstall.ini", Path(dump) / f"{case_file.stem}.ini")
    for failure in failures:
        print(f"FAIL {case_file.stem}: {failure}")
    if not failures:
        print(f"ok {case_file.stem}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
