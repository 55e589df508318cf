#!/usr/bin/env bash
# Opens the tool on a copy of demo/ under build/, so the repository stays clean,
# with the demo files on its command line: the list is filled and ready to run.
# The demo settings launch Wine's Notepad for each file and close it after 3 s.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/wine-env.sh" ""
demo="$root/build/demo"
rm -rf "$demo"
cp -r "$root/demo" "$demo"
cp "$root/build/mingw/plimsar.exe" "$demo/"
# Point the current folder at the demo copy, in the tool's code page.
folder="$(winepath -w "$demo" 2>/dev/null | tr -d '\r')"
folder932="$(printf '%s' "$folder" | iconv -f UTF-8 -t CP932)"
tmp="$(mktemp)"
while IFS= read -r line || [ -n "$line" ]; do
  case "$line" in
    f=*) printf 'f=%s\r\n' "$folder932" ;;
    *) printf '%s\n' "$line" ;;
  esac
done <"$demo/plimsar.ini" >"$tmp"
mv "$tmp" "$demo/plimsar.ini"
cd "$demo"
echo "Plimsar: demo folder $folder"
echo "The demo files are listed: press 実行 on the toolbar (or 実行 > 全リスト実行印刷)."
files=(*.txt)
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: running under Xvfb (end it with Ctrl-C)."
  exec xvfb-run -a -s "-screen 0 1024x768x24" wine plimsar.exe "${files[@]}"
fi
exec wine plimsar.exe "${files[@]}"
