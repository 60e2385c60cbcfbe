#!/usr/bin/env python3
"""Runs parcelkit-check over the demo and over broken setup folders, each given as data.

  check_folders.py CASES.json --checker build/native/src/parcelkit-check
      every case: the checker's --json findings are exactly the expected ones (or, with
      "includes", contain them)
  check_folders.py CASES.json --checker ... --windows-checker build/win64/src/parcelkit-check.exe
      every case: the Windows build under Wine prints byte for byte what the Linux build
      prints, with the same exit code

A case in CASES.json:

  {"name": "unknown key",
   "base": "@demo",                  # examples/demo with placeholder payload files, or a
                                     # folder relative to the repository
   "edits": [{"file": "01-core/parcelkit.ini", "replace": ["checked=2", "chekced=2"]},
             {"file": "01-core/extra.ini", "write": "text", "encoding": "utf-16"},
             {"file": "readme-en.rtf", "delete": true}],
   "expect": [{"at": "01-core/parcelkit.ini:4", "severity": "warning",
               "id": "unknown-key", "says": "did you mean 'checked'"}],
   "includes": false}                # true: other findings may come as well

A file keeps its encoding across "replace" (UTF-16 LE with its mark, else Windows-1252);
"write" takes "utf-16", "utf-8-sig" or "cp1252" (the default). In a replacement, @LONG@
stands for 2,100 characters and @LONGDIR@ for a folder name of 230.
"""
import argparse
import json
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parent.parent
WINE_RUN = REPO / "tests" / "wine" / "harness" / "wine-run.sh"
# The demo's programs are built from examples/payload; the checker only asks that they exist.
DEMO_PAYLOAD = ["01-core/nwnotes.exe", "01-core/nwhelper.exe"]
# Stand-ins in "replace" texts for what would be unwieldy to write out.
TOKENS = {"@LONG@": "x" * 2100, "@LONGDIR@": "d" * 230}


def decode(data: bytes) -> tuple[str, str]:
    if data.startswith(b"\xff\xfe"):
        return data[2:].decode("utf-16-le"), "utf-16"
    return data.decode("cp1252"), "cp1252"


def encode(text: str, encoding: str) -> bytes:
    if encoding == "utf-16":
        return b"\xff\xfe" + text.encode("utf-16-le")
    return text.encode(encoding)


def lay_out(case: dict, target: Path):
    base = case.get("base", "@demo")
    if base == "@demo":
        shutil.copytree(REPO / "examples" / "demo", target)
        for name in DEMO_PAYLOAD:
            (target / name).write_bytes(b"MZ")
    else:
        shutil.copytree(REPO / base, target)
    for edit in case.get("edits", []):
        path = target / edit["file"]
        if edit.get("delete"):
            path.unlink()
        elif "write" in edit:
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(encode(edit["write"], edit.get("encoding", "cp1252")))
        else:
            text, encoding = decode(path.read_bytes())
            old, new = edit["replace"]
            for token, value in TOKENS.items():
                new = new.replace(token, value)
            if old not in text:
                raise SystemExit(f"{case['name']}: '{old}' is not in {edit['file']}")
            path.write_bytes(encode(text.replace(old, new, 1), encoding))


def run(command: list, cwd: Path) -> tuple[int, str]:
    done = subprocess.run(command, cwd=cwd, capture_output=True, timeout=120)
    return done.returncode, done.stdout.decode("utf-8")


def matches(finding: dict, expected: dict) -> bool:
    at = finding["file"] + (f":{finding['line']}" if finding["line"] else "")
    return (at == expected["at"] and finding["severity"] == expected["severity"]
            and finding["id"] == expected["id"] and expected.get("says", "") in finding["text"])


def check_findings(case: dict, checker: str, work: Path) -> list:
    code, out = run([checker, "--json", "folder"], work)
    report = json.loads(out)
    found = report["findings"]
    problems = []
    for expected in case["expect"]:
        if not any(matches(f, expected) for f in found):
            problems.append(f"missing {expected}")
    if not case.get("includes"):
        for finding in found:
            if not any(matches(finding, e) for e in case["expect"]):
                problems.append(f"unexpected {finding}")
    errors = sum(f["severity"] == "error" for f in found)
    wanted = 2 if errors else 1 if found else 0
    if code != wanted:
        problems.append(f"exit code {code}, expected {wanted}")
    return problems


def compare_builds(checker: str, windows_checker: str, work: Path) -> list:
    problems = []
    for extra in ([], ["--json"]):
        native = run([checker, *extra, "folder"], work)
        windows = run([str(WINE_RUN), windows_checker, *extra, "folder"], work)
        if native != windows:
            problems.append(f"builds differ{' (--json)' if extra else ''}:\n--- Linux\n"
                            f"{native[1]}(exit {native[0]})\n--- Windows\n{windows[1]}"
                            f"(exit {windows[0]})")
    return problems


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("cases")
    parser.add_argument("--checker", required=True)
    parser.add_argument("--windows-checker")
    args = parser.parse_args()
    # The checkers run inside each case's own directory.
    args.checker = str(Path(args.checker).resolve())
    if args.windows_checker:
        args.windows_checker = str(Path(args.windows_checker).resolve())
    cases = json.loads(Path(args.cases).read_text(encoding="utf-8"))
    failed = 0
    for case in cases:
        with tempfile.TemporaryDirectory(prefix="pkcheck-") as temp:
            work = Path(temp)
            lay_out(case, work / "folder")
            if args.windows_checker:
                problems = compare_builds(args.checker, args.windows_checker, work)
            else:
                problems = check_findings(case, args.checker, work)
        if problems:
            failed += 1
            print(f"FAIL {case['name']}")
            for problem in problems:
                print(f"    {problem}")
        else:
            print(f"ok   {case['name']}")
    print(f"{len(cases) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
