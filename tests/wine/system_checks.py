"""What a case expects of system integration beyond files and registry values: shell links
read back with lnkinfo, entries of .ini files outside the installation, and what the case
must put back or remove so that later cases in the same prefix start clean.

  "expect": {
    "links": [{"path": "@DESKTOP@\\\\Dir\\\\X.lnk", "target": "...", "arguments": "",
               "workdir": "", "description": "", "icon": "", "icon_index": 0}],
    "ini": {"C:\\\\windows\\\\system.ini": {"386Enh": {"device": "value, or null: absent"}}}
  },
  "preserve": ["C:\\\\windows\\\\system.ini"],   # put back byte for byte after the case
  "set_registry": [{"key": "HKCU\\\\Environment", "name": "TEMP", "data": "...", "view": "64"}],
                                                # for the run only; the old data put back
  "cleanup": {"paths": ["@DESKTOP@\\\\Dir"],      # removed after the case
              "registry": [{"key": "HKLM\\\\Software\\\\X", "view": "32"}]}

Folder tokens: @PROFILE@ (the user's profile), @DESKTOP@, @PROGRAMS@ (the user's Start-menu
programs) and @COMMON_PROGRAMS@ (the all-users one), as Wine lays them out in the prefix.
"""
import os
import shutil
import subprocess
from pathlib import Path

# The Windows programs under test are the x86-64 build on machines that run no 32-bit code
# (harness/windows-bits.sh). A case's view "32" names the installer's own registry view and
# "64" the other one, so the same case holds for both builds.
WINE_BITS = os.environ.get("PARCELKIT_WINE_BITS") or subprocess.run(
    [str(Path(__file__).resolve().parent / "harness" / "windows-bits.sh")],
    capture_output=True, text=True).stdout.strip()


def reg_view(view: str) -> str:
    if WINE_BITS == "64":
        return {"32": "64", "64": "32"}.get(view, view)
    return view


START_PROGRAMS = "\\Microsoft\\Windows\\Start Menu\\Programs"


def folder_values(prefix: Path) -> dict:
    users = prefix / "drive_c" / "users"
    user = next(p.name for p in sorted(users.iterdir()) if p.name != "Public" and p.is_dir())
    profile = f"C:\\users\\{user}"
    return {"@PROFILE@": profile,
            "@DESKTOP@": profile + "\\Desktop",
            "@PROGRAMS@": profile + "\\AppData\\Roaming" + START_PROGRAMS,
            "@COMMON_PROGRAMS@": "C:\\ProgramData" + START_PROGRAMS}


def unix_path(win_path: str, prefix: Path) -> Path:
    """Desktop and Documents are symbolic links to the harness's home: kept as they are, the
    path reaches the file through them."""
    assert win_path[:3].upper() == "C:\\", win_path
    return prefix / "drive_c" / win_path[3:].replace("\\", "/")


LNKINFO_FIELDS = {"Local path": "target", "Command line arguments": "arguments",
                  "Working directory": "workdir", "Description": "description",
                  "Icon location": "icon", "Icon index": "icon_index"}


def read_link(path: Path) -> dict | str:
    """The link's fields as lnkinfo prints them; a text saying why when it cannot."""
    done = subprocess.run(["lnkinfo", str(path)], capture_output=True, timeout=60)
    if done.returncode != 0:
        return done.stderr.decode("utf-8", "replace").strip() or "lnkinfo failed"
    # A string the link does not hold is not printed: it reads back as empty.
    fields = {name: "" for name in LNKINFO_FIELDS.values()}
    for line in done.stdout.decode("utf-8", "replace").splitlines():
        label, sep, value = line.strip().partition(":")
        if sep and label.strip() in LNKINFO_FIELDS:
            fields[LNKINFO_FIELDS[label.strip()]] = value.strip()
    fields["icon_index"] = int(fields["icon_index"] or 0)
    return fields


def check_system(expect: dict, substitute, prefix: Path) -> list:
    failures = []
    for wanted in expect.get("links", []):
        path = substitute(wanted["path"])
        link = unix_path(path, prefix)
        if not link.exists():
            failures.append(f"link missing: {path}")
            continue
        got = read_link(link)
        if isinstance(got, str):
            failures.append(f"link {path} unreadable: {got}")
            continue
        for field, value in wanted.items():
            if field == "path":
                continue
            want = substitute(value) if isinstance(value, str) else value
            if got.get(field) != want:
                failures.append(f"link {path} {field}: {got.get(field)!r}, expected {want!r}")
    for file, sections in expect.get("ini", {}).items():
        target = unix_path(substitute(file), prefix)
        text = target.read_bytes().decode("cp1252") if target.exists() else ""
        profile = parse_profile(text)
        for section, keys in sections.items():
            for key in profile.get(section.lower(), {}).get(DUPLICATES, []):
                failures.append(f"{file} [{section}] {key} appears more than once")
            for key, value in keys.items():
                got = profile.get(section.lower(), {}).get(key.lower())
                want = None if value is None else substitute(value)
                if got != want:
                    failures.append(f"{file} [{section}] {key}: {got!r}, expected {want!r}")
    return failures


DUPLICATES = "\0duplicates"


def parse_profile(text: str) -> dict:
    """Sections of keys, first occurrence winning; a key written twice is listed apart."""
    sections: dict = {}
    current: dict = {}
    for raw in text.splitlines():
        line = raw.strip()
        if line.startswith("["):
            current = sections.setdefault(line[1:].split("]")[0].strip().lower(), {})
        elif "=" in line and not line.startswith(";"):
            key, value = line.split("=", 1)
            key = key.strip().lower()
            if key in current:
                current.setdefault(DUPLICATES, []).append(key)
            current.setdefault(key, value.strip())
    return sections


def reg_value(wine_run: Path, env: dict, key: str, name: str, view: str) -> str | None:
    done = subprocess.run([str(wine_run), "reg", "query", key, "/v", name, f"/reg:{reg_view(view)}"],
                          capture_output=True, env=env, timeout=60)
    for line in done.stdout.decode("utf-8", "replace").splitlines():
        parts = line.strip().split(None, 2)
        if done.returncode == 0 and len(parts) >= 2 and parts[0].lower() == name.lower():
            return parts[2] if len(parts) == 3 else ""
    return None


def set_reg_value(wine_run: Path, env: dict, key: str, name: str, view: str, data: str | None):
    cmd = ["delete", key, "/v", name] if data is None else ["add", key, "/v", name, "/d", data]
    subprocess.run([str(wine_run), "reg", *cmd, "/f", f"/reg:{reg_view(view)}"], capture_output=True,
                   env=env, timeout=60)


def keep(case: dict, substitute, prefix: Path, wine_run: Path, env: dict) -> dict:
    """The case's preserved files as they are before the run (None: there is none), and
    the old data of the registry values it sets for the run."""
    saved = {}
    for file in case.get("preserve", []):
        path = unix_path(substitute(file), prefix)
        saved[path] = path.read_bytes() if path.exists() else None
    for entry in case.get("set_registry", []):
        where = (substitute(entry["key"]), entry["name"], entry.get("view", "64"))
        saved[where] = reg_value(wine_run, env, *where)
        set_reg_value(wine_run, env, *where, substitute(entry["data"]))
    return saved


def restore_and_clean(case: dict, saved: dict, substitute, prefix: Path, wine_run: Path,
                      env: dict):
    """Puts the preserved files back and removes the case's leftovers outside its folder."""
    for path, content in saved.items():
        if isinstance(path, tuple):
            set_reg_value(wine_run, env, *path, content)
        elif content is None:
            path.unlink(missing_ok=True)
        else:
            path.write_bytes(content)
    cleanup = case.get("cleanup", {})
    for file in cleanup.get("paths", []):
        path = unix_path(substitute(file), prefix)
        if path.is_dir() and not path.is_symlink():
            shutil.rmtree(path, ignore_errors=True)
        else:
            path.unlink(missing_ok=True)
    for entry in cleanup.get("registry", []):
        subprocess.run([str(wine_run), "reg", "delete", substitute(entry["key"]), "/f",
                        f"/reg:{reg_view(entry.get('view', '64'))}"],
                       capture_output=True, env=env, timeout=60)
