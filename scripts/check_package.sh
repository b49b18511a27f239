#!/usr/bin/env bash
# Builds the Debian package in a build folder and checks what can be checked
# without root: the package's file list, its library dependencies, lintian,
# the desktop entry and the AppStream data through their validators, and that
# the program unpacked from the package starts from the desktop entry's Exec
# line (offscreen) in a freshly seeded working folder.
#
#   scripts/check_package.sh build
#
# How the start is observed: the program has no option to quit by itself
# (nothing a user could trip over). It counts as started when it runs, as
# the unpacked bin/mirelta, in $HOME/Mirelta, seeded byte for byte from the
# unpacked share/mirelta, and is still running three seconds later with
# nothing on standard error. It is then ended with SIGTERM, as a session
# ends it, and must end of that signal (status 143), not of a crash or an
# exit of its own. scripts/check_installed_package.sh quits it through its
# menu on a virtual X display.
set -euo pipefail

build_dir="$(cd "${1:?usage: check_package.sh <build folder>}" && pwd)"
app_id=org.example.Mirelta

tmp="$(mktemp -d)"
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "Package check: $*" >&2
  exit 1
}

# --- the package ----------------------------------------------------------
rm -f "$build_dir"/mirelta_*.deb
(cd "$build_dir" && cpack -G DEB >"$tmp/cpack.log" 2>&1) || {
  cat "$tmp/cpack.log" >&2
  fail "cpack -G DEB failed"
}
debs=("$build_dir"/mirelta_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one mirelta_*.deb in $build_dir"
deb="${debs[0]}"

# --- its file list: every file with its mode, nothing more
# (packaging/package_files.txt) -------------------------------------------
expected_files="$(sed 's| /| ./|' "$(dirname "$0")/../packaging/package_files.txt" | LC_ALL=C sort -k2)"
actual_files="$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $6 }' | LC_ALL=C sort -k2)"
if [ "$actual_files" != "$expected_files" ]; then
  diff <(echo "$expected_files") <(echo "$actual_files") >&2 || true
  fail "the package's file list differs (< expected, > package)"
fi

# Dependencies come from the linked libraries (dpkg-shlibdeps), the image
# plugins are named by hand.
depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6 libcfitsio10 libexiv2-27 qt6-image-formats-plugins; do
  grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

# --- lintian: Debian's package checker, no error (warnings such as the
# missing manual pages are shown) -------------------------------------------
lintian --fail-on error "$deb" >"$tmp/lintian.log" 2>&1 || {
  cat "$tmp/lintian.log" >&2
  fail "lintian reports errors"
}
grep -v "root privileges" "$tmp/lintian.log" >&2 || true

# --- the validators on the files as packaged ------------------------------
root="$tmp/root"
dpkg-deb -x "$deb" "$root"
desktop_file="$root/usr/share/applications/$app_id.desktop"
desktop-file-validate "$desktop_file" || fail "desktop-file-validate failed"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" >"$tmp/appstream.log" 2>&1 || {
  cat "$tmp/appstream.log" >&2
  fail "appstreamcli validate failed"
}

# --- the start from the desktop entry -------------------------------------
exec_line="$(sed -n 's/^Exec=//p' "$desktop_file")"
[ "$exec_line" = "mirelta-start" ] || fail "unexpected Exec line: $exec_line"
home="$tmp/home"
mkdir -p "$home" "$tmp/runtime"
chmod 700 "$tmp/runtime"
env -u MIRELTA_WORKDIR -u MIRELTA_SEED_DIR -u MIRELTA_PROGRAM HOME="$home" XDG_RUNTIME_DIR="$tmp/runtime" \
  QT_QPA_PLATFORM=offscreen "$root/usr/bin/$exec_line" >"$tmp/stdout" 2>"$tmp/stderr" &
pid=$!
workdir="$home/Mirelta"
started=""
for _ in $(seq 50); do
  if [ "$(readlink "/proc/$pid/cwd" 2>/dev/null)" = "$workdir" ] &&
    [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$root/usr/bin/mirelta" ]; then
    started=yes
    break
  fi
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
[ -n "$started" ] || fail "the program did not start in $workdir: $(cat "$tmp/stderr")"
for f in "$root"/usr/share/mirelta/*; do
  cmp -s "$f" "$workdir/$(basename "$f")" || fail "$(basename "$f") not seeded into $workdir"
done
sleep 3
kill -0 "$pid" 2>/dev/null || fail "the program ended by itself: $(cat "$tmp/stderr")"
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 143 ] || fail "the program ended with status $status instead of 143 (SIGTERM)"
[ ! -s "$tmp/stderr" ] || fail "the program wrote to standard error: $(cat "$tmp/stderr")"

echo "Package check: $(basename "$deb") builds, holds the right files, validates, starts and ends."
