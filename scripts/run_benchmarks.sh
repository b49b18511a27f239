#!/usr/bin/env bash
# Installs what is missing and builds as ./test.sh does, then runs every
# benchmark program headless, five repetitions each, and prints the medians.
# windows_bench, which drives the real windows with three catalogues, ends
# with a summary: each median, its ratio to reading objects.dat into memory,
# and its target. Arguments go to every program (for example
# --benchmark_filter=Reload). See bench/README.md.
set -euo pipefail
MIRELTA_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$MIRELTA_ROOT/scripts/prepare.sh"

mirelta_install_missing
mirelta_build "$MIRELTA_ROOT/build"

cd "$MIRELTA_ROOT/build"
export QT_QPA_PLATFORM=offscreen
for program in bench/astronomy_bench bench/catalogue_bench bench/lit_map_bench bench/terminator_window_bench \
  bench/planner_bench bench/journal_bench bench/eyepiece_bench bench/photo_bench bench/windows_bench; do
  [ -x "$program" ] || continue
  echo "=== $program"
  "$program" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
done
