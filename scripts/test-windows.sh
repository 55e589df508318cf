#!/usr/bin/env bash
# Runs the Windows tests under Wine and Xvfb through ctest.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/wine-env.sh" ""
# The wineserver must start under the Japanese locale: restart it.
wineserver -k 2>/dev/null || true
cd "$root/build/mingw"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure "$@" || status=$?
wineserver -k 2>/dev/null || true
exit $status
