#!/usr/bin/env bash
# Regenerates the manual in one command: builds the two programs, takes the
# pictures of every window (tools/manual/screenshots/), writes
# data/manual.pdf from tools/manual/chapters/, and renders every page to PNG
# for a look (pdftoppm, Debian package poppler-utils).
#
#   tools/manual/make_manual.sh [build folder] [page folder]
#
# Defaults: build/ and /tmp/mirelta-manual-pages/. Look at the pages, then
# commit the chapters, the pictures and data/manual.pdf together.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build}"
pages="${2:-/tmp/mirelta-manual-pages}"

[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release
QT_QPA_PLATFORM=offscreen cmake --build "$build" --target manual -j "$(nproc)"

if command -v pdftoppm >/dev/null 2>&1; then
  rm -rf "$pages"
  mkdir -p "$pages"
  pdftoppm -r 60 -png "$root/data/manual.pdf" "$pages/seite"
  echo "$(ls "$pages" | wc -l) pages rendered to $pages"
else
  echo "pdftoppm not found (apt-get install poppler-utils): pages not rendered" >&2
fi
