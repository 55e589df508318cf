#!/usr/bin/env bash
# Packs dist/plimsar-<version>.zip: the program, its help pages and a Japanese
# read-me in code page 932 with CR LF line ends.
# Usage: scripts/dist.sh [build-dir] [output-dir]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/mingw}"
out="${2:-$root/dist}"
version="$(sed -n 's/.*VALUE "FileVersion", "\([0-9.]*\)".*/\1/p' "$root/resources/version.rc")"
[ -n "$version" ] || { echo "no version in resources/version.rc" >&2; exit 1; }
name="plimsar-$version"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/$name"
cp "$build/plimsar.exe" "$stage/$name/"
cp -r "$root/help" "$stage/$name/"
iconv -f UTF-8 -t CP932 "$root/docs/README-ja.txt" | sed 's/$/\r/' >"$stage/$name/README-ja.txt"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
rm -f "$out/$name.zip"
(cd "$stage" && TZ=UTC zip -q -X -r "$out/$name.zip" "$name")
echo "$out/$name.zip"
