#!/usr/bin/env bash
# Builds the fuzzers with clang (libFuzzer, ASan, UBSan), replays each one's
# committed corpus, then fuzzes each for the given time:
#   settings   the settings file reader (tests/fuzz/corpus)
#   path_args  the forwarded block, the command line and list files (tests/fuzz/path_args_corpus)
# Usage: scripts/fuzz.sh [seconds] [target...]
#   (default 60 seconds each, every target; 0 only replays the corpora, as make test does)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=(settings path_args)
out="$root/build/fuzz"
mkdir -p "$out"
status=0
for target in "${targets[@]}"; do
  case "$target" in
    settings)
      sources=("$root/tests/fuzz/settings_fuzz.cpp" "$root/settings/settings_codec.cpp"
               "$root/settings/lenient_number.cpp" "$root/common/cp932.cpp")
      watched=("$root/settings" "$root/common")
      corpus="$root/tests/fuzz/corpus" ;;
    path_args)
      sources=("$root/tests/fuzz/path_args_fuzz.cpp" "$root/filelist/path_args.cpp" "$root/common/cp932.cpp")
      watched=("$root/filelist" "$root/common")
      corpus="$root/tests/fuzz/path_args_corpus" ;;
    *) echo "unknown fuzz target $target" >&2; exit 2 ;;
  esac
  bin="$out/${target}_fuzz"
  # Rebuilt only when a source or header is newer than the binary.
  if [ ! -x "$bin" ] || [ -n "$(find "${sources[@]}" "${watched[@]}" -newer "$bin" -name '*.[ch]*' | head -n 1)" ]; then
    clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I"$root" "${sources[@]}" \
      -o "$bin"
  fi
  # Replay the committed corpus: every seed must pass.
  echo "$target: $("$bin" -runs=0 -artifact_prefix="$out/$target-" "$corpus" 2>&1 | tail -n 1)"
  [ "$seconds" -gt 0 ] || continue
  # Then fuzz for a bounded time; new inputs go to a scratch corpus under build/.
  scratch="$out/${target}_corpus"
  log="$out/$target-last-run.log"
  mkdir -p "$scratch"
  run=0
  "$bin" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 -artifact_prefix="$out/$target-" \
    "$scratch" "$corpus" >"$log" 2>&1 || run=$?
  grep -E '^(stat::number_of_executed_units|Done|==[0-9]+==|SUMMARY)' "$log" || true
  if [ "$run" -ne 0 ]; then
    tail -n 40 "$log"
    echo "$target fuzzer found a failure (exit $run); reproducer in $out/" >&2
    status=$run
  fi
done
exit "$status"
