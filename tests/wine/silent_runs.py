"""What every `setup.exe /s` must show, whatever its setup folder holds.

- It ends by itself: it runs under pkdriver with a display and no answers, so a message box
  is reported and the program ended; any other window that waits runs into the timeout.
- It does not crash: an exit code that is an exception code (the harness turns Wine's crash
  dialog off, so the debugger's report goes to standard error and the program ends).
- It ends with the exit code expected.
- Its uninstall record is true: every file that uninstall.ini [file] names is on the disk.

Leftovers removes what runs of arbitrary setup folders leave in the shared prefix outside
their own folders (shortcuts, installed-programs entries, registry keys), so that later
tests start clean.
"""
import argparse
import os
import re
import shutil
import subprocess
from pathlib import Path

from run_case import WINE_RUN, decode, run_setup
from system_checks import folder_values, unix_path

TAGS = {"<parcelkit_space>": " ", "<parcelkit_equals>": "=", "<parcelkit_comma>": ",",
        "<parcelkit_vline>": "|", "<parcelkit_num_sign>": "#", "<parcelkit_enter>": "\r\n"}


def arguments(extra=lambda parser: None) -> argparse.Namespace:
    """The programs under test and the demo's built payload, as WineTests.cmake passes them."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--setup-exe", required=True)
    parser.add_argument("--uninstall-exe", required=True)
    parser.add_argument("--driver", required=True, help="pkdriver.exe")
    parser.add_argument("--payload", nargs=2, action="append", default=[],
                        metavar=("EXE", "FOLDER"), help="built payload of the demo")
    extra(parser)
    return parser.parse_args()


def silent_run(setup: Path, driver: str, env: dict, expected: set,
               timeout: int = 120, more_args: tuple = ()) -> tuple[int, list]:
    """The exit code, and what went wrong: a box, no end, a crash, an unexpected code."""
    outcome = run_setup({"args": ["/s", *more_args], "answers": [], "timeout": timeout}, driver,
                        setup, env)
    code = outcome.returncode
    if outcome.boxes:
        return code, [f"a box waited for an answer: {outcome.boxes}"]
    if code < 0:
        return code, [f"did not end by itself within {timeout} s"]
    if code >= 0x80000000:
        return code, [f"crashed with exception {code:#x}"]
    if code not in expected:
        return code, [f"exit code {code}, expected {' or '.join(map(str, sorted(expected)))}"]
    return code, []


def on_disk(win_path: str, prefix: Path) -> Path | None:
    """The Linux path of a drive path, its parts matched without regard to case as Windows
    does; None for a path on no drive (a network path)."""
    if win_path.startswith("\\\\?\\"):
        win_path = win_path[4:]
    if not re.match(r"^[A-Za-z]:\\", win_path):
        return None
    here = prefix / "dosdevices" / (win_path[0].lower() + ":")
    for part in filter(None, win_path[3:].split("\\")):
        if not (here / part).exists() and here.is_dir():
            part = next((p.name for p in here.iterdir() if p.name.lower() == part.lower()), part)
        here = here / part
    return here


def recorded_files(record: Path) -> list:
    """The paths uninstall.ini [file] names, its escape tags undone."""
    files, section = [], None
    data = record.read_bytes()
    # A mutated component file can hand the record half a surrogate pair.
    text = data[2:].decode("utf-16-le", "surrogatepass") if data.startswith(b"\xff\xfe") \
        else decode(data)[0]
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("["):
            section = line[1:].split("]")[0].strip().lower()
        elif section == "file" and "=" in line:
            path = line.split("=", 1)[0].strip().rsplit("|", 1)[0]
            for tag, text in TAGS.items():
                path = re.sub(re.escape(tag), lambda _: text, path, flags=re.I)
            files.append(path)
    return files


def record_lies(record: Path, prefix: Path) -> list:
    """Each file the record names that is not on the disk."""
    if not record.is_file():
        return []

    def there(path: str) -> bool:
        try:
            return bool((found := on_disk(path, prefix)) and found.is_file())
        except OSError:  # a name longer than any the disk can hold
            return False

    return [f"{record} names {path}, which is not on the disk"
            for path in recorded_files(record) if not there(path)]


class Leftovers:
    """New entries of the folders shortcuts go to and new registry keys under Software and
    the installed-programs list, found by comparison with the state at the start."""
    UNINSTALL = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
    KEYS = [(UNINSTALL, "64"), (UNINSTALL, "32"), ("HKLM\\Software", "64"),
            ("HKLM\\Software", "32"), ("HKCU\\Software", "64")]

    def __init__(self, env: dict):
        self.env, self.prefix = env, Path(env["WINEPREFIX"])
        values = folder_values(self.prefix)
        self.folders = [Path(env["HOME"]), self.prefix / "drive_c" / "users" / "Public" / "Desktop"]
        self.folders += [unix_path(values[name], self.prefix)
                         for name in ("@PROGRAMS@", "@COMMON_PROGRAMS@")]
        roaming = unix_path(values["@PROFILE@"], self.prefix) / "AppData" / "Roaming" / "Microsoft"
        self.folders += [roaming / "Windows" / "SendTo",
                         roaming / "Internet Explorer" / "Quick Launch"]
        self.files = self._files()
        self.keys = {where: self._subkeys(*where) for where in self.KEYS}

    def _files(self) -> set:
        return {folder / name for folder in self.folders if folder.is_dir()
                for name in os.listdir(folder) if not name.startswith(".")}

    def _subkeys(self, key: str, view: str) -> set:
        done = subprocess.run([str(WINE_RUN), "reg", "query", key, f"/reg:{view}"],
                              capture_output=True, env=self.env, timeout=60)
        # The key itself is listed too, but only when it holds values.
        return {line.strip() for line in done.stdout.decode("utf-8", "replace").splitlines()
                if line.startswith("HKEY_") and line.count("\\") == key.count("\\") + 1}

    def remove_files(self):
        for path in self._files() - self.files:
            if path.is_dir() and not path.is_symlink():
                shutil.rmtree(path, ignore_errors=True)
            else:
                path.unlink(missing_ok=True)

    def remove(self):
        self.remove_files()
        for (key, view), before in self.keys.items():
            for subkey in self._subkeys(key, view) - before:
                subprocess.run([str(WINE_RUN), "reg", "delete", subkey, "/f", f"/reg:{view}"],
                               capture_output=True, env=self.env, timeout=60)
