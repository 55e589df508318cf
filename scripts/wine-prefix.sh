#!/usr/bin/env bash
# Makes a Wine prefix with code page 932 and legible Japanese fonts.
# Idempotent: a finished prefix carries a stamp and is left alone.
# Usage: scripts/wine-prefix.sh [prefix-dir]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/wine-env.sh" "${1:-}"
stamp="$WINEPREFIX/.plimsar-ready"
[ -f "$stamp" ] && exit 0

mkdir -p "$WINEPREFIX"
# A wineserver started under another locale would keep the wrong code page.
wineserver -k 2>/dev/null || true
wineboot -i >/dev/null 2>&1 </dev/null
wineserver -w

reg="$(mktemp --suffix=.reg)"
trap 'rm -f "$reg"' EXIT
font="IPAPGothic"
cat >"$reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"Tahoma"="$font"
"MS Shell Dlg"="$font"
"MS Shell Dlg 2"="$font"
"MS UI Gothic"="$font"
"ＭＳ Ｐゴシック"="$font"
"ＭＳ ゴシック"="$font"
"MS PGothic"="$font"

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"
"Decorated"="Y"

REG
# regedit reads the .reg file in the ANSI code page, which is 932 here.
iconv -f UTF-8 -t CP932 "$reg" >"$reg.932" && mv "$reg.932" "$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1 </dev/null
wineserver -w
touch "$stamp"
