#!/usr/bin/env bash
# Keeps the folders layered: every #include "..." of the product points down.
#   app      -> runner, filelist, settings, common
#   runner   -> filelist/file_list.h (row access only), settings, common
#   filelist -> settings headers, common
#   settings -> common
#   common   -> nothing above it
# resource.h (the resource ids) may be included from anywhere.
# Usage: scripts/check-includes.sh [source-root]
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
cd "$root"

allowed() {  # folder, include path
  case "$1:$2" in
    *:resource.h) return 0 ;;
    "$1:$1"/*) return 0 ;;
    app:runner/* | app:filelist/* | app:settings/* | app:common/*) return 0 ;;
    runner:filelist/file_list.h | runner:settings/* | runner:common/*) return 0 ;;
    filelist:settings/*.h | filelist:common/*) return 0 ;;
    settings:common/*) return 0 ;;
  esac
  return 1
}

bad=0
for folder in app runner filelist settings common; do
  while IFS=: read -r file line text; do
    include="$(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' <<<"$text")"
    [ -n "$include" ] || continue
    if ! allowed "$folder" "$include"; then
      echo "$file:$line: $folder may not include \"$include\"" >&2
      bad=1
    fi
  done < <(grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$folder"/*.cpp "$folder"/*.h 2>/dev/null || true)
done
[ "$bad" = 0 ] && echo "include rules kept"
exit "$bad"
