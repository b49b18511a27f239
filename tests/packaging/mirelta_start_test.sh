#!/bin/sh
# mirelta-start: a new working folder is seeded; in an existing one the
# user's three data files stay as they are while a different manual.pdf of
# the package replaces the old one; the program starts in the folder with
# the arguments given.
#
#   sh mirelta_start_test.sh path/to/mirelta-start
set -eu
start="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() {
  echo "mirelta-start test: $*" >&2
  exit 1
}

seed="$tmp/seed"
work="$tmp/Mirelta"
mkdir -p "$seed"
for f in mirelta.ini places.dat objects.dat manual.pdf; do echo "package $f" >"$seed/$f"; done
# The "program" notes where it ran and with what.
cat >"$tmp/program" <<'PROGRAM'
#!/bin/sh
pwd >"$MIRELTA_TEST_NOTE"
echo "$@" >>"$MIRELTA_TEST_NOTE"
PROGRAM
chmod +x "$tmp/program"
run() {
  env MIRELTA_SEED_DIR="$seed" MIRELTA_PROGRAM="$tmp/program" MIRELTA_WORKDIR="$work" \
    MIRELTA_TEST_NOTE="$tmp/note" sh "$start" "$@"
}

run --version
[ "$(sed -n 1p "$tmp/note")" = "$(cd "$work" && pwd)" ] || fail "not started in the working folder"
[ "$(sed -n 2p "$tmp/note")" = "--version" ] || fail "arguments not passed on"
for f in mirelta.ini places.dat objects.dat manual.pdf; do
  cmp -s "$seed/$f" "$work/$f" || fail "$f not seeded"
done

# The user's files, and a manual of an older package.
for f in mirelta.ini places.dat objects.dat manual.pdf; do echo "user $f" >"$work/$f"; done
echo "newer manual" >"$seed/manual.pdf"
run
for f in mirelta.ini places.dat objects.dat; do
  [ "$(cat "$work/$f")" = "user $f" ] || fail "$f was overwritten"
done
cmp -s "$seed/manual.pdf" "$work/manual.pdf" || fail "the newer manual did not reach the working folder"
[ ! -e "$work/manual.pdf.neu" ] || fail "a half copy of the manual was left"

# A folder the manual cannot be written to: the old one stays, the program
# starts all the same (as root every folder is writable: skipped there).
if [ "$(id -u)" != 0 ]; then
  echo "newest manual" >"$seed/manual.pdf"
  chmod a-w "$work"
  rm -f "$tmp/note"
  run 2>/dev/null || fail "did not start with a write-protected working folder"
  chmod u+w "$work"
  [ -f "$tmp/note" ] || fail "the program did not start"
  [ "$(cat "$work/manual.pdf")" = "newer manual" ] || fail "the manual changed in a write-protected folder"
fi
echo "mirelta-start test: passed"
