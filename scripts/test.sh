#!/usr/bin/env bash
# The whole test suite, both tiers: native unit tests (sanitizers) and the Wine tests of
# the real Windows programs. Installs what it needs first (as root, on Debian 12).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup-machine.sh"
"$root/scripts/build.sh"
exec ctest --test-dir "$root/build/native" --output-on-failure "$@"
