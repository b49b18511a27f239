#!/usr/bin/env bash
# The long kill test: a process changing objects.dat, places.dat or
# mirelta.ini is killed with SIGKILL at random moments, RUNS times per file
# (default 500); prints runs, kills, files lost and mixed per file (both must
# be 0). Needs a build (./test.sh or cmake --build build).
#   scripts/kill_test.sh [RUNS] [BUILD_DIR]
set -euo pipefail
MIRELTA_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-500}"
build="${2:-$MIRELTA_ROOT/build}"
MIRELTA_KILL_RUNS="$runs" "$build/tests/reliability/reliability_kill_test" | grep -E 'runs|PASSED|FAILED|Failure'
