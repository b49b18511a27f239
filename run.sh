#!/usr/bin/env bash
# Installs what is missing, builds, seeds the working folder and starts Mirelta.
# The working folder is ~/Mirelta unless MIRELTA_WORKDIR names another one.
set -euo pipefail
MIRELTA_ROOT="$(cd "$(dirname "$0")" && pwd)"
source "$MIRELTA_ROOT/scripts/prepare.sh"

mirelta_install_missing
mirelta_build "$MIRELTA_ROOT/build"

workdir="${MIRELTA_WORKDIR:-$HOME/Mirelta}"
mkdir -p "$workdir"
# Seed only what is not there yet: the user's catalogue, site list and
# settings are never overwritten.
for f in "$MIRELTA_ROOT"/data/*; do
  name="$(basename "$f")"
  [ -e "$workdir/$name" ] || cp "$f" "$workdir/$name"
done
cd "$workdir"
exec "$MIRELTA_ROOT/build/app/mirelta"
