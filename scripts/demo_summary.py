#!/usr/bin/env python3
"""Prints what an installation of a setup folder left behind under the harness's Wine."""
import os
import subprocess
import sys
from pathlib import Path

HARNESS = Path(__file__).resolve().parent.parent / "tests" / "wine" / "harness"


def read_profile_value(path: Path, section: str, key: str, default: str) -> str:
    data = path.read_bytes()
    text = data[2:].decode("utf-16-le") if data.startswith(b"\xff\xfe") else data.decode("cp1252")
    current = None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("["):
            current = line[1:line.find("]")].strip().lower()
        elif current == section.lower() and "=" in line:
            k, v = line.split("=", 1)
            if k.strip().lower() == key.lower():
                return v.strip().strip('"')
    return default


def registry_view() -> str:
    """The installer's own view: the 32-bit one, unless the harness runs its x86-64 build."""
    return "/reg:64" if os.environ.get("PARCELKIT_WINE_BITS", "32") == "64" else "/reg:32"


def registry_keys(setup: Path) -> list:
    """The keys that the setup folder's registry files write (not those they delete)."""
    keys = []
    for reg in sorted(setup.rglob("*.reg")):
        data = reg.read_bytes()
        text = data[2:].decode("utf-16-le") if data.startswith(b"\xff\xfe") else data.decode("cp1252")
        for line in text.splitlines():
            line = line.strip()
            if line.startswith("[") and not line.startswith("[-") and line.endswith("]"):
                keys.append(line[1:-1])
    return list(dict.fromkeys(keys))


def windows_to_unix(prefix: Path, path: str) -> Path:
    return prefix / "drive_c" / path[3:].replace("\\", "/")


def main() -> int:
    setup = Path(sys.argv[1])
    prefix = Path(os.environ["WINEPREFIX"])
    setup_ini = setup / "setup.ini"
    progdir = read_profile_value(setup_ini, "main", "progdir", "")
    appid = read_profile_value(setup_ini, "main", "id", "")
    destination = progdir
    for macro, value in (("#windir#", "C:\\windows"), ("#progdir#", "C:\\Program Files"),
                         ("#allusers#", "C:\\ProgramData")):
        destination = destination.replace(macro, value).replace(macro.upper(), value)
    dest = windows_to_unix(prefix, destination)

    print(f"\nDestination {destination}:")
    if not dest.exists():
        print("  (nothing installed)")
    else:
        for path in sorted(dest.rglob("*")):
            kind = "dir " if path.is_dir() else f"{path.stat().st_size:>7}"
            print(f"  {kind}  {path.relative_to(dest)}")
        record = dest / "uninstall.ini"
        if record.exists():
            data = record.read_bytes()
            text = data[2:].decode("utf-16-le") if data.startswith(b"\xff\xfe") else data.decode("cp1252")
            print("\nuninstall.ini:")
            for line in text.splitlines():
                print(f"  {line}")

    for reg_key in registry_keys(setup):
        print(f"\nRegistry key {reg_key}:")
        done = subprocess.run([str(HARNESS / "wine-run.sh"), "reg", "query", reg_key, registry_view()],
                              capture_output=True)
        lines = [l for l in done.stdout.decode("utf-8", "replace").splitlines() if "REG_" in l]
        print("\n".join(f"  {l.strip()}" for l in lines) if lines else "  (not there)")

    key = f"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{appid}"
    print(f"\nInstalled-programs entry {key}:")
    done = subprocess.run([str(HARNESS / "wine-run.sh"), "reg", "query", key, registry_view()],
                          capture_output=True)
    lines = [l for l in done.stdout.decode("utf-8", "replace").splitlines() if "REG_" in l]
    print("\n".join(f"  {l.strip()}" for l in lines) if lines else "  (none)")

    print("\nShortcuts:")
    links = [p for root in (prefix / "drive_c" / "users", Path(os.environ["HOME"]))
             for p in root.rglob("*.lnk")]
    print("\n".join(f"  {p}" for p in sorted(set(links))) if links else "  (none)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
