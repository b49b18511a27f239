#!/usr/bin/env bash
# Installs what is missing, builds, seeds the working folder and starts Mirelta.
# The working folder is ~/Mirelta unless MIRELTA_WORKDIR names another one.
set -euo pipefail
MIRELTA_ROOT="$(cd "$(dirname "$0")" && pwd)"
source "$MIRELTA_ROOT/scripts/prepare.sh"

mirelta_install_missing
mirelta_build "$MIRELTA_ROOT/build"

# The same start as the desktop menu's: mirelta-start seeds the working folder
# with what is not there yet (the user's catalogue, site list and settings are
# never overwritten) and starts the program in it.
MIRELTA_SEED_DIR="$MIRELTA_ROOT/data" MIRELTA_PROGRAM="$MIRELTA_ROOT/build/app/mirelta" \
  exec "$MIRELTA_ROOT/packaging/mirelta-start" "$@"
