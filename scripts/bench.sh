#!/usr/bin/env bash
# Runs every benchmark program under Wine and Xvfb; each prints lines of the form
#   name: ratio X (tool A ms, reference B ms)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/wine-env.sh" ""
build="${1:-$root/build/mingw}"
shopt -s nullglob
benches=("$build"/bench_*.exe)
[ ${#benches[@]} -gt 0 ] || { echo "no benchmarks built" >&2; exit 1; }
workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT
cd "$workdir"
for b in "${benches[@]}"; do
  xvfb-run -a -s "-screen 0 1024x768x24" wine "$b" 2>&1 | tr -d '\r' | grep -E '^[A-Za-z0-9_ .-]+:' || echo "$(basename "$b"): failed" >&2
done
