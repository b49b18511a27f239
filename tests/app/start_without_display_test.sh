#!/bin/sh
# Started without any display, the program says so in German and ends with
# status 1 (not with the toolkit's abort); -h still prints the help.
#
#   sh start_without_display_test.sh path/to/mirelta
set -u
program="$1"
err="$(mktemp)"
trap 'rm -f "$err"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_SESSION_TYPE= "$program" 2>"$err" >/dev/null
status=$?
if [ "$status" -ne 1 ]; then
  echo "status $status instead of 1" >&2
  cat "$err" >&2
  exit 1
fi
grep -q "keine grafische Anzeige" "$err" || {
  echo "no German message:" >&2
  cat "$err" >&2
  exit 1
}
env -u DISPLAY -u WAYLAND_DISPLAY "$program" -h | grep -q "^Aufruf:" || {
  echo "-h did not print the help" >&2
  exit 1
}
echo "start without display: passed"
