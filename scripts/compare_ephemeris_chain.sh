#!/usr/bin/env bash
# The program's ephemeris chain against astronomy-engine's same chain, in one
# run: bench/astronomy_bench (BM_Chain/EphemerisChain, .../ReportsEphemerisChain)
# and tools/terminator_check/time_ephemeris_chain.mjs, five repetitions
# each, median processor time per chain and the ratio. The target: the
# program at least 4 times quicker.
#
# Usage: scripts/compare_ephemeris_chain.sh [build folder]   (default: build)
# Needs the benchmark built (cmake --build build --target astronomy_bench),
# Node 20 and npm (npm install in tools/terminator_check on first use).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
cd "$root/tools/terminator_check"
[ -d node_modules/astronomy-engine ] || npm install --silent

program=$("$build/bench/astronomy_bench" --benchmark_filter='EphemerisChain' --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=json 2>/dev/null)
engine=$(node time_ephemeris_chain.mjs 5 50000)

node --input-type=module -e '
const [json, engineText] = [process.argv[1], process.argv[2]];
const medians = {};
for (const b of JSON.parse(json).benchmarks)
  if (b.aggregate_name === "median") medians[b.run_name] = b.cpu_time;  // ns
const engine = Object.fromEntries(engineText.trim().split("\n").map((l) => l.split(" ")).map(([k, v]) => [k, +v]));
const rows = [["chain (with the subsolar point)", medians["BM_Chain/EphemerisChain"], engine.chain],
              ["reports (without it)", medians["BM_Chain/ReportsEphemerisChain"], engine.reports]];
console.log("median processor time per chain, ns      program  astronomy-engine  ratio");
for (const [name, program, other] of rows)
  console.log(`${name.padEnd(40)} ${program.toFixed(0).padStart(7)} ${other.toFixed(0).padStart(17)} ${(other / program).toFixed(1).padStart(6)}`);
' "$program" "$engine"
