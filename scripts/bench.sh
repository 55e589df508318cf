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
# One X server and one Wine session for all of them; each prints only its figures.
cat >run.sh <<'RUN'
set -o pipefail
status=0
for b in "$@"; do
  wine "$b" 2>/dev/null | tr -d '\r' || { echo "$(basename "$b"): failed" >&2; status=1; }
done
exit $status
RUN
xvfb-run -a -s "-screen 0 1024x768x24" bash run.sh "${benches[@]}"
