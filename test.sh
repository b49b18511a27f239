#!/usr/bin/env bash
# Installs what is missing, builds and runs every test through ctest.
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

# The tree keeps one formatting dialect (.clang-format).
"$MIRELTA_ROOT/scripts/check_format.sh"
