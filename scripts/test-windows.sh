#!/usr/bin/env bash
# Runs the Windows tests under Wine and Xvfb through ctest.
# Usage: scripts/test-windows.sh [build-dir] [ctest arguments]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/wine-env.sh" ""
build="${1:-$root/build/mingw}"
shift || true
cd "$build"
xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure "$@"
