#!/usr/bin/env bash
# Takes the documentation's screenshots under Xvfb and writes them as
# docs/<file>.png. Needs a built shots.exe (cmake target "shots").
# Usage: scripts/screenshots.sh [build-dir] [shot-name ...]   (default: every shot)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/wine-env.sh" ""
bash "$root/scripts/wine-prefix.sh" "$WINEPREFIX"
build="$(cd "${1:-$root/build/mingw}" && pwd)"
shift || true
shots="$build/shots.exe"
[ -f "$shots" ] || { echo "no $shots: build the target shots first" >&2; exit 1; }
command -v convert >/dev/null || { echo "ImageMagick convert is needed" >&2; exit 1; }

workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT
cd "$workdir"
# One X server for every shot, so the shots share one Wine session.
cat >run.sh <<'RUN'
#!/usr/bin/env bash
set -euo pipefail
root="$1"; shots="$2"; shift 2
wine "$shots" --list | tr -d '\r' >list.txt
status=0
while read -r name file; do
  [ -n "$name" ] || continue
  if [ "$#" -gt 0 ] && ! printf '%s\n' "$@" | grep -qx "$name"; then continue; fi
  # A shot named for 144 DPI runs with the prefix's screen at 144 DPI.
  run=(wine)
  case "$file" in *-144dpi) run=(bash "$root/scripts/run-at-dpi.sh" 144) ;; esac
  if "${run[@]}" "$shots" "$name" "$file.bmp"; then
    echo "$file" >>taken.txt
  else
    echo "shot $name failed" >&2
    status=1
  fi
done <list.txt
exit $status
RUN
status=0
xvfb-run -a -s "-screen 0 1024x768x24" bash run.sh "$root" "$shots" "$@" || status=$?
mkdir -p "$root/docs"
if [ -f taken.txt ]; then
  while read -r file; do
    # -strip leaves out the time stamps, so an unchanged window gives the same file.
    convert "$file.bmp" -strip "$root/docs/$file.png"
    echo "docs/$file.png"
  done <taken.txt
fi
exit $status
