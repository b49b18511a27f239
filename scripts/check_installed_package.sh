#!/usr/bin/env bash
# Installs the Debian package for real and takes it out again; run as root
# on a machine where Mirelta is not installed (it changes the system, so
# ./test.sh does not run it):
#
#   scripts/check_installed_package.sh build/mirelta_2.1_amd64.deb
#
# 1. apt-get install ./mirelta_*.deb, then the installed file list
#    (dpkg -L) against packaging/package_files.txt and the validators on
#    the installed desktop entry and AppStream file;
# 2. as a test user (created for the check and removed after it), the
#    desktop entry's Exec line under xvfb-run: the main window must appear,
#    the program must run in ~/Mirelta seeded from /usr/share/mirelta, and
#    "Beenden" in its menu "Datei" (Alt+D, B) must end it with status 0;
# 3. apt-get remove mirelta: afterwards no file of the list is left.
# Needs xvfb, xauth and xdotool.
set -euo pipefail

deb="$(readlink -f "${1:?usage: check_installed_package.sh <mirelta_*.deb>}")"
root_dir="$(cd "$(dirname "$0")/.." && pwd)"
list="$root_dir/packaging/package_files.txt"
app_id=org.example.Mirelta
user=mirelta-check

[ "$(id -u)" -eq 0 ] || {
  echo "run as root" >&2
  exit 1
}
if dpkg-query -W -f='${Status}' mirelta 2>/dev/null | grep -q "install ok installed"; then
  echo "mirelta is installed already; remove it first" >&2
  exit 1
fi
fail() {
  echo "Install check: $*" >&2
  exit 1
}

echo "== apt-get install $deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb"

created_user=""
cleanup() {
  if [ -n "$created_user" ]; then userdel -r "$user" 2>/dev/null || true; fi
  if dpkg-query -W -f='${Status}' mirelta 2>/dev/null | grep -q "install ok installed"; then
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -q mirelta >/dev/null || true
  fi
}
trap cleanup EXIT

echo "== installed files"
installed="$(dpkg -L mirelta | while read -r path; do
  [ -f "$path" ] && echo "$(stat -c %A "$path") $path"
done | LC_ALL=C sort -k2)"
echo "$installed"
[ "$installed" = "$(LC_ALL=C sort -k2 "$list")" ] || fail "installed files differ from $list"

echo "== validators"
desktop-file-validate "/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml"

echo "== start from the desktop entry as user $user"
if ! id "$user" >/dev/null 2>&1; then
  useradd --create-home --shell /bin/bash "$user"
  created_user=yes
fi
exec_line="$(sed -n 's/^Exec=//p' "/usr/share/applications/$app_id.desktop")"
# Inside the virtual display: start, wait for the main window, quit
# through the menu, report the program's exit status.
session='
  '"$exec_line"' 2>"$HOME/stderr.txt" &
  pid=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "<<< Mirelta >>>" | head -n 1)
  [ -n "$window" ] || { echo "no main window"; kill $pid; exit 1; }
  echo "main window $window, working folder $(readlink /proc/$pid/cwd)"
  sleep 1
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers alt+d
  sleep 0.5
  xdotool key b
  status=0
  timeout 10 tail --pid=$pid -f /dev/null || { echo "still running"; kill $pid; exit 1; }
  wait $pid || status=$?
  echo "exit status $status"
  [ ! -s "$HOME/stderr.txt" ] || { echo "standard error:"; cat "$HOME/stderr.txt"; }
  exit $status'
su - "$user" -c "xvfb-run -a sh -c '$session'" || fail "the program did not start and quit as expected"
home="$(getent passwd "$user" | cut -d: -f6)"
for f in /usr/share/mirelta/*; do
  cmp -s "$f" "$home/Mirelta/$(basename "$f")" || fail "$(basename "$f") not seeded into $home/Mirelta"
done
echo "seeded: $(ls "$home/Mirelta" | tr '\n' ' ')"

echo "== apt-get remove mirelta"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -q mirelta
left=""
while read -r _ path; do
  [ -e "$path" ] && left+=" $path"
done <"$list"
[ -z "$left" ] || fail "left after removal:$left"
# No configuration files: nothing of the package stays known to dpkg.
state="$(dpkg-query -W -f='${db:Status-Abbrev}' mirelta 2>/dev/null || true)"
case "$state" in "" | un*) ;; *) fail "dpkg still knows mirelta: $state" ;; esac
echo "Install check: installed, listed, validated, started from the menu entry, quit, removed."
