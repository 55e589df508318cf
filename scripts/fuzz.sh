#!/usr/bin/env bash
# Builds the settings-file fuzzer with clang (libFuzzer, ASan, UBSan), replays
# the committed corpus, then fuzzes for the given time.
# Usage: scripts/fuzz.sh [seconds]   (default 60; 0 only replays the corpus, as make test does)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
out="$root/build/fuzz"
mkdir -p "$out/corpus"
bin="$out/settings_fuzz"
sources=("$root/tests/fuzz/settings_fuzz.cpp" "$root/settings/settings_codec.cpp" "$root/settings/lenient_number.cpp"
         "$root/common/cp932.cpp")
# Rebuilt only when a source or header is newer than the binary.
if [ ! -x "$bin" ] || [ -n "$(find "${sources[@]}" "$root/settings" "$root/common" -newer "$bin" -name '*.[ch]*' | head -n 1)" ]; then
  clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I"$root" "${sources[@]}" -o "$bin"
fi
# Replay the committed corpus: every seed must pass.
"$bin" -runs=0 -artifact_prefix="$out/" "$root/tests/fuzz/corpus" 2>&1 | tail -n 1
[ "$seconds" -gt 0 ] || exit 0
# Then fuzz for a bounded time; new inputs go to the scratch corpus under build/.
log="$out/last-run.log"
status=0
"$bin" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 -artifact_prefix="$out/" \
  "$out/corpus" "$root/tests/fuzz/corpus" >"$log" 2>&1 || status=$?
grep -E '^(stat::number_of_executed_units|Done|==[0-9]+==|SUMMARY)' "$log" || true
if [ "$status" -ne 0 ]; then
  tail -n 40 "$log"
  echo "fuzzer found a failure (exit $status); reproducer in $out/" >&2
fi
exit "$status"
