#!/usr/bin/env bash
# Runs a command while Wine tells one program (by file name) that it runs on another
# Windows version, e.g. win98 for the 9x family; the setting is removed afterwards.
#   with-windows-version.sh <program.exe> <version> <command...>
set -uo pipefail
harness=$(dirname "${BASH_SOURCE[0]}")
program=$1 version=$2
shift 2
key="HKCU\\Software\\Wine\\AppDefaults\\$program"
"$harness/wine-run.sh" reg add "$key" /v Version /d "$version" /f >/dev/null 2>&1
"$@"
status=$?
"$harness/wine-run.sh" reg delete "$key" /f >/dev/null 2>&1
exit $status
