#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what clang-format makes of it
# (.clang-format at the top). Run from anywhere; prints the files to fix.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
bad=()
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  if ! clang-format --dry-run -Werror "$f" >/dev/null 2>&1; then bad+=("$f"); fi
done
if [ ${#bad[@]} -gt 0 ]; then
  echo "Not formatted (run: clang-format -i <file>):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "Format check: ${#files[@]} files formatted."
