#!/usr/bin/env bash
# Fuzzes every reader of outside text with libFuzzer (clang).
#
#   scripts/fuzz.sh SECONDS [TARGET...]     e.g. scripts/fuzz.sh 900 catalogue
#
# Each target runs for SECONDS (one after the other, at the lowest priority)
# from the committed corpus in tests/fuzz/corpus/<target>; afterwards the
# corpus is merged back (only inputs that add coverage are kept) and any
# input that made a target fail is kept in tests/fuzz/findings/<target>,
# where the ordinary test run replays it. Logs go to build-fuzz/logs/.
# Targets: catalogue site_list config number_text code_page angle_text
# new_object help_lookup journal (all when none is named).
set -euo pipefail
MIRELTA_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}"
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(catalogue site_list config number_text code_page angle_text new_object help_lookup journal)

build="$MIRELTA_ROOT/build-fuzz"
sanitizers="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -g -O1"
# MIRELTA_FUZZ_NO_BUILD=1 skips the build (for a second run in parallel).
if [ "${MIRELTA_FUZZ_NO_BUILD:-0}" != 1 ]; then
cmake -S "$MIRELTA_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRELTA_FUZZ=ON \
  -DMIRELTA_BUILD_BENCHMARKS=OFF -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$sanitizers" >/dev/null
nice -n 19 cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}" >/dev/null
fi
mkdir -p "$build/logs"

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1
for target in "${targets[@]}"; do
  corpus="$MIRELTA_ROOT/tests/fuzz/corpus/$target"
  findings="$MIRELTA_ROOT/tests/fuzz/findings/$target"
  work="$build/corpus/$target"
  mkdir -p "$corpus" "$findings" "$work"
  log="$build/logs/$target.log"
  echo "== $target: ${seconds}s"
  nice -n 19 "$build/tests/fuzz/fuzz_$target" "$work" "$corpus" -max_total_time="$seconds" \
    -max_len=8192 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" >"$log" 2>&1 || echo "   finding, see $log"
  grep -E '^#[0-9]+.*(DONE|pulse|NEW)' "$log" | tail -1 || true
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$log" || true
  # Keep what adds coverage, small enough to commit.
  merged="$build/merged/$target"
  rm -rf "$merged" && mkdir -p "$merged"
  nice -n 19 "$build/tests/fuzz/fuzz_$target" -merge=1 -max_len=8192 "$merged" "$corpus" "$work" \
    >>"$build/logs/$target.merge.log" 2>&1
  rm -rf "$corpus" && mv "$merged" "$corpus"
  echo "   corpus: $(ls "$corpus" | wc -l) inputs; findings: $(ls "$findings" | wc -l)"
done
