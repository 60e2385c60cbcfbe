#!/usr/bin/env python3
"""The installer's windows on screens of 96, 120, 144 and 192 dpi (100% to 200%), in English
and in the built-in Chinese texts.

For each resolution the screen's dpi is set in the prefix (HKCU\\Control Panel\\Desktop
LogPixels) before setup.exe starts; the driver then reads every visible control of the
language dialog and of pages 1, 2, 3 and 5:

- each control's place and size is the layout table's (src/presenters/layout.cpp, read here
  as the reference) scaled by dpi/96, within 2 pixels; a label that sizes itself to its text
  is checked by its place, and a control may be wider than that only where its text needs it;
- the tree's check boxes are 16 pixels wide scaled by dpi/96, within 2 pixels;
- no text is cut: a label's text, in the font it is drawn in, is no wider than the label
  (and, wrapped, no higher, when the label holds several lines); a button's or check box's
  ideal size, which the control computes in its own font, fits the control.

At 96 dpi the wizard is also told, as Windows tells a window dragged to another screen,
that it is now on a screen of 144 dpi (WM_DPICHANGED): page 1 must then have the 144-dpi
layout, and the 96-dpi one again when it is told so.

The texts are those a packager starts from: the bundled example's language.ini in English
and in Chinese, and the installer's built-in ones (a language section that names only its
font), each on the one-component folder dpi_layout/texts with the example's readme. The
pictures of the pages at 100% and 150% are left in build/screenshots as
dpi-<dpi>-<language>-<page>.png (the README's come from them).
"""
import argparse
import re
import shutil
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from run_case import (REPO, WINE_RUN, prepare_setup_folder, run_setup,  # noqa: E402
                      to_windows, wine_env)

DPIS = (96, 120, 144, 192)
PICTURES_AT = (96, 144)
PICTURED = ("en", "zh")
TOLERANCE = 2
DESKTOP = "HKCU\\Control Panel\\Desktop"
TITLE_FONT = "102=Tahoma/-14/0/bold"  # the page title keeps its own font
DIALOG_FONT = "Tahoma/9/0"  # the dialog's texts come from the system's language: English
# A push button's frame and focus rectangle, on each side, at 96 dpi.
BUTTON_MARGIN = 4
# The tree's check box images: a small icon's size at 96 dpi.
CHECK_IMAGE = 16

FOLDER = HERE / "dpi_layout" / "texts"
EXAMPLE = REPO / "examples" / "demo"
BUILT_IN_LANGUAGE = "[0804]\r\nLanguageName=中文(简体)\r\nfont=宋体\r\nsize=9\r\ncharset=134\r\n"
LANGUAGES = {
    "en": {"args": ["/id:0409"], "font": "Tahoma/9/0",
           "buttons": ["&OK", "&Next >", "< &Back", "&Install", "&Finish"]},
    "zh": {"args": ["/id:0804"], "font": "宋体/9/134",
           "buttons": ["&OK", "下一步", "上一步", "安装(&S)", "完成(&O)"]},
    "builtin": {"args": [], "font": "宋体/9/134", "language_ini": BUILT_IN_LANGUAGE,
                "buttons": ["&OK", "下一步", "上一步", "安装(&S)", "完成(&O)"]},
}
PAGES = ["0", "1", "2", "3", "5"]  # the language dialog, then the wizard's pages
MOVED_TO = 144  # the resolution the 96-dpi wizard is moved to, on page 1


def reference_layout() -> dict:
    """(window class, command id) -> the table's row: name, kind, place in the window's
    client area at 96 dpi, and whether it sizes itself to its text."""
    controls = (REPO / "src" / "presenters" / "controls.hpp").read_text(encoding="utf-8")
    order = {}
    for enum, body in re.findall(r"enum class (\w+) \{(.*?)\};", controls, re.S):
        order[enum] = re.findall(r"^\s*(\w+),", body, re.M)
    forms = {"W": ("ParcelkitWizard", "WizardControl"),
             "D": ("ParcelkitLanguage", "DialogControl"),
             "U": ("ParcelkitUninstaller", "UninstallerControl")}
    table = (REPO / "src" / "presenters" / "layout.cpp").read_text(encoding="utf-8")
    rows = {}
    pattern = (r'ControlLayout\{(\w),\s*id\(\w+::\w+\),\s*L"(\w+)",\s*K::(\w+),\s*(\d+),\s*'
               r'(\d+),\s*(\d+),\s*(\d+),\s*L"(\w*)",\s*L"[^"]*",\s*(true|false)')
    for form, name, kind, left, top, width, height, parent, auto in re.findall(pattern, table):
        rows[(form, name)] = {"name": name, "kind": kind, "auto": auto == "true",
                              "place": [int(left), int(top), int(width), int(height)],
                              "parent": parent}
    reference = {}
    for (form, name), row in rows.items():
        window, enum = forms[form]
        if row["parent"]:
            box = rows[(form, row["parent"])]["place"]
            row["place"][0] += box[0]
            row["place"][1] += box[1]
        reference[(window, 100 + order[enum].index(name))] = row
    return reference


def scaled(value: int, dpi: int) -> int:
    return (value * dpi + 48) // 96


def check_layout(controls: list, dpi: int, reference: dict, where: str) -> list:
    failures = []
    for window, ident, kind, left, top, width, height, need_w, need_h, text in controls:
        row = reference.get((window, int(ident)))
        if row is None:
            continue
        left, top, width, height = int(left), int(top), int(width), int(height)
        need_w, need_h = int(need_w), int(need_h)
        name = f"{where} {row['name']}"
        x, y, w, h = (scaled(v, dpi) for v in row["place"])
        # The separator line follows the branding text: its left edge is the text's end.
        if row["name"] != "Bevel1" and abs(left - x) > TOLERANCE:
            failures.append(f"{name}: left {left}, expected {x}")
        if abs(top - y) > TOLERANCE:
            failures.append(f"{name}: top {top}, expected {y}")
        if not row["auto"]:
            grew = width > w + TOLERANCE and need_w > w
            if abs(width - w) > TOLERANCE and not grew and row["kind"] != "Bevel":
                failures.append(f"{name}: width {width}, expected {w}")
            if abs(height - h) > TOLERANCE and row["kind"] != "DropDownList":
                failures.append(f"{name}: height {height}, expected {h}")
        if need_w < 0:
            failures.append(f"{name}: the control does not say what its text needs")
        elif text and kind == "Button" and row["kind"] == "Button":
            need_w += 2 * scaled(BUTTON_MARGIN, dpi)
        if text and (need_w > width or need_h > height):
            failures.append(f"{name}: {text!r} needs {need_w}x{need_h}, has {width}x{height}")
    return failures


def set_dpi(dpi: int | None, env: dict):
    cmd = (["delete", DESKTOP, "/v", "LogPixels", "/f"] if dpi is None else
           ["add", DESKTOP, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f"])
    subprocess.run([str(WINE_RUN), "reg", *cmd], capture_output=True, env=env, timeout=60)


def steps(language: dict, dpi: int, code: str) -> tuple[list, list, list]:
    """The driver's steps, the pictures they take and, per "layout" step, what it reads:
    a page and the resolution it must be laid out for."""
    ok, next_, back, install, finish = language["buttons"]
    after = {"0": ["click:" + ok, "wait:" + next_, f"fonts:{language['font']};{TITLE_FONT}"],
             "1": ["click:" + next_, "wait:" + back],
             "2": ["click:" + next_, "wait:" + install],
             "3": ["click:" + install, "wait:" + finish],
             "5": ["esc"]}
    answers = [f"fonts:{DIALOG_FONT}"]
    pictures, reads = [], []
    for page in PAGES:
        answers.append("layout")
        reads.append((page, dpi))
        if dpi in PICTURES_AT and code in PICTURED:
            answers.append("snap")
            pictures.append(f"dpi-{dpi}-{code}-{page}.png")
        if page == "1" and dpi == 96:
            answers += [f"dpi:{MOVED_TO}", "layout", f"dpi:{dpi}", "layout"]
            reads += [(f"1 moved to {MOVED_TO} dpi", MOVED_TO), ("1 moved back", dpi)]
        answers += after[page]
    return answers, pictures, reads


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--setup-exe", required=True)
    parser.add_argument("--driver", required=True)
    args = parser.parse_args()
    args.payload, args.uninstall_exe = [], None
    env = wine_env()
    prefix = Path(env["WINEPREFIX"])
    reference = reference_layout()
    failures = []
    try:
        for dpi in DPIS:
            set_dpi(dpi, env)
            for code, language in LANGUAGES.items():
                work = prefix / "drive_c" / "cases" / "dpi_layout" / f"{dpi}-{code}"
                shutil.rmtree(work, ignore_errors=True)
                work.mkdir(parents=True)
                values = {"@DEST@": to_windows(work, prefix) + "\\Dest Dir",
                          "@SETUP@": to_windows(work, prefix) + "\\setup",
                          "@CASE@": f"dpi{dpi}{code}"}
                answers, pictures, reads = steps(language, dpi, code)
                case = {"setup_folder": FOLDER.name, "answers": answers, "args": language["args"],
                        "screenshot": pictures, "timeout": 90}
                prepare_setup_folder(case, FOLDER.parent / "case.json", args, work / "setup",
                                     values)
                for readme in EXAMPLE.glob("readme-*.rtf"):
                    shutil.copy(readme, work / "setup")
                if "language_ini" in language:
                    (work / "setup" / "language.ini").write_bytes(
                        b"\xff\xfe" + language["language_ini"].encode("utf-16-le"))
                else:
                    shutil.copy(EXAMPLE / "language.ini", work / "setup")
                outcome = run_setup(case, args.driver, work / "setup", env)
                where = f"{dpi} dpi {code}"
                if outcome.returncode != 0 or outcome.boxes:
                    failures.append(f"{where}: exit {outcome.returncode}, boxes {outcome.boxes}")
                if len(outcome.layouts) != len(reads):
                    failures.append(f"{where}: {len(outcome.layouts)} pages read")
                for (page, laid_out_for), controls, check_image in zip(
                        reads, outcome.layouts, outcome.check_images):
                    failures += check_layout(controls, laid_out_for, reference,
                                             f"{where} page {page}:")
                    # Only page 3 shows the tree, with a box for its one component.
                    wanted = scaled(CHECK_IMAGE, laid_out_for) if page == "3" else None
                    if (check_image is None) != (wanted is None) or (
                            wanted and abs(check_image - wanted) > TOLERANCE):
                        failures.append(f"{where} page {page}: check box {check_image} wide, "
                                        f"expected {wanted}")
                shutil.rmtree(work, ignore_errors=True)
    finally:
        set_dpi(None, env)
    for failure in failures:
        print("FAIL", failure)
    if not failures:
        print(f"ok dpi_layout ({', '.join(map(str, DPIS))} dpi; {', '.join(LANGUAGES)})")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
