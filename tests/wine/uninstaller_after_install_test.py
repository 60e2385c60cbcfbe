#!/usr/bin/env python3
"""The installer's own record, taken apart: setup.exe /s installs the install_silent case,
then the installed uninstall.exe /s removes it. The installation directory goes; the setup
folder beside it and the folder that held both, which the record does not name, stay."""
import argparse
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from run_case import WINE_RUN, wait_until_gone, wine_env  # noqa: E402


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--setup-exe", required=True)
    parser.add_argument("--uninstall-exe", required=True)
    parser.add_argument("--driver", required=True)
    args = parser.parse_args()
    install = subprocess.run(
        [sys.executable, str(HERE / "run_case.py"), str(HERE / "cases" / "install_silent.json"),
         "--setup-exe", args.setup_exe, "--uninstall-exe", args.uninstall_exe,
         "--driver", args.driver], capture_output=True, timeout=240)
    if install.returncode != 0:
        print(install.stdout.decode("utf-8", "replace"))
        print("FAIL: the installation itself failed")
        return 1
    env = wine_env()
    work = Path(env["WINEPREFIX"]) / "drive_c" / "cases" / "install_silent"
    dest = work / "Dest Dir"
    failures = []
    if not (dest / "uninstall.exe").exists():
        failures.append("the installer did not copy uninstall.exe")
    else:
        done = subprocess.run([str(WINE_RUN), "C:\\cases\\install_silent\\Dest Dir\\uninstall.exe",
                               "/s"], env=env, cwd=work.parent.parent, capture_output=True,
                              timeout=120)
        if done.returncode != 0:
            failures.append(f"exit code {done.returncode}, expected 0")
        if not wait_until_gone(dest):
            failures.append(f"left: {sorted(str(p) for p in dest.rglob('*'))}")
    for kept in (work / "setup" / "setup.ini", work / "setup" / "uninstall.exe"):
        if not kept.exists():
            failures.append(f"should stay: {kept}")
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
