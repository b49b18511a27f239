#!/usr/bin/env bash
# Installs what is missing, builds and runs every test through ctest; then
# builds the whole suite a second time with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs it again, and checks the formatting.
# The suite includes the fuzz corpus replays, the file fault matrix and a
# short kill test (tests/fuzz, tests/reliability).
set -euo pipefail
MIRELTA_ROOT="$(cd "$(dirname "$0")" && pwd)"
source "$MIRELTA_ROOT/scripts/prepare.sh"

mirelta_install_missing
mirelta_build "$MIRELTA_ROOT/build"

cd "$MIRELTA_ROOT/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"

# The Debian package: it builds, holds the right files, passes the desktop
# and AppStream validators, and the program unpacked from it starts.
"$MIRELTA_ROOT/scripts/check_package.sh" "$MIRELTA_ROOT/build"

# The sanitizers stop a test at the first report (-fno-sanitize-recover=all),
# so any report fails the run. Leak detection is off: Qt and fontconfig keep
# caches until exit that LeakSanitizer would report on every window test.
mirelta_build_sanitized "$MIRELTA_ROOT/build-sanitize"
cd "$MIRELTA_ROOT/build-sanitize"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
  ctest --output-on-failure -j "$(nproc)"

# The tree keeps one formatting dialect (.clang-format).
"$MIRELTA_ROOT/scripts/check_format.sh"
