#!/usr/bin/env bash
# Runs a Windows program in the project's Wine prefix with the screen at the
# given DPI, then puts the prefix's own setting back.
# Usage: scripts/run-at-dpi.sh DPI program.exe [arguments]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/wine-env.sh" ""
dpi="$1"
shift
key='HKCU\Control Panel\Desktop'
old="$(wine reg query "$key" /v LogPixels 2>/dev/null | tr -d '\r' | awk '$1 == "LogPixels" {print $3}')" || old=""
restore() {
  if [ -n "$old" ]; then
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$((old))" /f
  else
    wine reg delete "$key" /v LogPixels /f
  fi >/dev/null 2>&1 || true
}
trap restore EXIT
wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
PLIMSAR_TEST_DPI="$dpi" wine "$@"
