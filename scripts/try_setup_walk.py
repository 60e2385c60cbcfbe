#!/usr/bin/env python3
"""Prints an end-to-end case (tests/wine/run_case.py) that walks a setup folder's wizard
with its default choices and takes a picture of each page: the language dialog when there
is a language.ini, then readme, destination, components and finish. The buttons are found
by the texts of the language section the dialog preselects on the harness's English
system ([0409], else the file's first section)."""
import json
import sys
from pathlib import Path


def profile_sections(path: Path) -> dict:
    data = path.read_bytes()
    text = data[2:].decode("utf-16-le") if data.startswith(b"\xff\xfe") else data.decode("cp1252")
    sections: dict = {}
    current = None
    for raw in text.splitlines():
        line = raw.strip()
        if line.startswith("["):
            name = line[1:line.find("]")].strip().upper()
            current = sections.setdefault(name, {}) if name not in sections else None
        elif current is not None and "=" in line and not line.startswith(";"):
            key, value = line.split("=", 1)
            value = value.strip()
            if len(value) >= 2 and value[0] in "\"'" and value[-1] == value[0]:
                value = value[1:-1]
            current.setdefault(key.strip().lower(), value)
    return sections


def main() -> int:
    folder = Path(sys.argv[1]).resolve()
    setup = profile_sections(folder / "setup.ini")
    language_ini = folder / "language.ini"
    if language_ini.exists():
        sections = profile_sections(language_ini)
        texts = sections.get("0409") or next(iter(sections.values()), {})
    else:
        texts = setup.get("LANGUAGE", {})
    update = setup.get("MAIN", {}).get("mode", "setup").lower() != "setup"

    def text(key: str, builtin: str) -> str:
        return texts.get(key, builtin)

    answers = []
    if language_ini.exists():
        answers += ["snap", "click:" + text("64", "&OK")]
    answers += ["wait:" + text("3", "下一步"), "snap", "click:" + text("3", "下一步"),
                "wait:" + text("2", "上一步"), "snap", "click:" + text("3", "下一步"),
                "wait:" + text("16" if not update else "69", "安装(&S)" if not update else "升级(&U)"),
                "snap", "click:" + text("16" if not update else "69", "安装(&S)" if not update else "升级(&U)"),
                "wait:" + text("28", "完成(&O)"), "snap", "esc"]
    # Named by page, as scripts/demo.sh names its pictures: 0 is the language dialog, and
    # the progress page (4) passes while the files are copied.
    shots = (["try-0.png"] if language_ini.exists() else []) + [
        f"try-{page}.png" for page in (1, 2, 3, 5)]
    case = {
        "description": f"walk of {folder}",
        "setup_folder": str(folder),
        "answers": answers,
        "screenshot": shots,
        "timeout": 120,
        "expect": {"exit_code": 0},
    }
    json.dump(case, sys.stdout, ensure_ascii=False, indent=2)
    return 0


if __name__ == "__main__":
    sys.exit(main())
