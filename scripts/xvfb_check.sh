#!/bin/bash
# Drives the real program under Xvfb with xdotool, the way a user works with
# the keyboard and the mouse, and checks what can be seen from outside
# (windows and files): Enter and Escape in every dialog, Tab past the tool
# bar, a double click on "neuer Ort", " -5" with 30' in the coordinate
# dialog, 90° 30' refused for a new object, a viewer that cannot start, and
# a synthetic FITS picture opened in "Höhe aus Foto" through its file dialog
# (its moment read from DATE-OBS).
# Screenshots of the list after Down, of a completion and of a tooltip go
# to the folder given (needs imagemagick's import).
#
# Usage: scripts/xvfb_check.sh [SCREENSHOT_FOLDER]   (after a build in build/;
# needs xvfb and xdotool). Exits 1 when a check fails.
set -u
if [ -z "${MIRELTA_IN_XVFB:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" env MIRELTA_IN_XVFB=1 "$0" "$@"
fi
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
SHOTS="${1:-}"
shot() { [ -n "$SHOTS" ] && command -v import >/dev/null && mkdir -p "$SHOTS" && import -window root "$@"; }
WORK=$(mktemp -d) XDG=$(mktemp -d)
trap 'kill "$APID" 2>/dev/null; rm -rf "$WORK" "$XDG"' EXIT
cp "$ROOT"/data/* "$WORK"/
mkdir -p "$XDG/config" "$XDG/data/applications"
printf '[Default Applications]\napplication/pdf=kaputt.desktop\n' > "$XDG/config/mimeapps.list"
printf '[Desktop Entry]\nType=Application\nName=Kaputt\nExec="/opt/gibt-es-nicht/leser" "--opt mit Leerzeichen" %%U\n' \
  > "$XDG/data/applications/kaputt.desktop"

# German settings, so that numbers are written with a decimal comma.
(cd "$WORK" && LANG=de_DE.UTF-8 XDG_CONFIG_HOME="$XDG/config" XDG_CONFIG_DIRS="$XDG/none" XDG_DATA_HOME="$XDG/data" \
  XDG_DATA_DIRS="$XDG/none" exec "$ROOT/build/app/mirelta" >"$WORK/log" 2>&1) &
APID=$!
failures=0
ok() { echo "ok   $*"; }
bad() { echo "FAIL $*"; failures=$((failures + 1)); }
visible() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
wait_visible() { for _ in $(seq 50); do visible "$1" && return 0; sleep 0.1; done; return 1; }
wait_gone() { for _ in $(seq 50); do visible "$1" || return 0; sleep 0.1; done; return 1; }
main=""
for _ in $(seq 50); do main=$(xdotool search --onlyvisible --name '<<< Mirelta >>>' 2>/dev/null) && break; sleep 0.1; done
read -r MX MY < <(xdotool getwindowgeometry "$main" | awk '/Position/ {split($2, p, ","); print p[1], p[2]}')
CY=$((MY + 18))  # client area below the menu bar
focus_main() { xdotool windowfocus --sync "$main"; sleep 0.2; }

# Every dialog answers Enter and Escape (opened from the menu by keyboard).
for spec in "alt+d e Beobachtungsort" "alt+d a Beobachtungszeit" "alt+m s Sichtverh.*ltnisse" \
  "alt+m p Physische Ephemeriden" "alt+m o Mondposition" "alt+m l Lichtgrenze" "alt+m f H.*he.aus.Foto" \
  "alt+i o About..."; do
  read -r menu item title <<<"$spec"
  for key in Return Escape; do
    focus_main; xdotool key "$menu"; sleep 0.3; xdotool key "$item"
    if ! wait_visible "$title"; then bad "$title did not open"; continue; fi
    xdotool key "$key"
    if wait_gone "$title"; then ok "$title: $key"; else bad "$title: $key"; fi
  done
done

# Tab never stops on a tool bar button: Space after each Tab opens nothing.
focus_main
opened=0
for _ in $(seq 12); do
  xdotool key Tab; sleep 0.1; xdotool key space; sleep 0.3
  [ "$(xdotool search --onlyvisible --name . | wc -l)" -gt 1 ] && opened=1
done
[ $opened = 0 ] && ok "Tab: no tool bar button" || bad "Tab reached a tool bar button"

# Down after a reload ("nach Art sortieren"), then "Cope": screenshots.
focus_main; xdotool key alt+d; sleep 0.3; xdotool key Down Down Down Down Return; sleep 0.6
xdotool key Down; sleep 0.5
shot -crop 625x493+"$MX"+"$MY" "$SHOTS/down-after-reload.png"
xdotool key ctrl+a; xdotool type --delay 120 Cope; sleep 0.5
shot -crop 625x493+"$MX"+"$MY" "$SHOTS/completion-cope.png"

# The hint of the site dialog's Ok as a tooltip.
xdotool mousemove $((MX + 36)) $((CY + 20)) click 1   # SpeedButton1
wait_visible Beobachtungsort || bad "site dialog did not open"
read -r DX DY < <(xdotool getwindowgeometry "$(xdotool search --onlyvisible --name '^Beobachtungsort$')" |
  awk '/Position/ {split($2, p, ","); print p[1], p[2]}')
xdotool mousemove $((DX + 70)) $((DY + 250)); sleep 0.2; xdotool mousemove $((DX + 76)) $((DY + 252)); sleep 1.8
shot -crop 360x330+$((DX - 20))+$((DY - 20)) "$SHOTS/tooltip-site-ok.png"

# A double click on "neuer Ort" leaves the name prompt open; " -5" with 30'.
xdotool mousemove $((DX + 256)) $((DY + 114)) click --repeat 2 --delay 80 1
if wait_visible "Neuer Beobachtungsort" && sleep 0.5 && visible "Neuer Beobachtungsort"; then
  ok "double click on neuer Ort: prompt stays"
else
  bad "double click on neuer Ort closed the prompt"
fi
xdotool type --delay 60 Testort; xdotool key Return; sleep 0.8
xdotool type --delay 100 " -5"; xdotool key Tab; xdotool type --delay 100 30; xdotool key Return; sleep 0.8
xdotool type --delay 100 7; xdotool key Return; sleep 0.8
if tail -c 20 "$WORK/places.dat" | tr -d '\r' | grep -qx -- '-5,5'; then ok "' -5' with 30' stored as -5,5"; else
  bad "' -5' with 30': $(tail -c 20 "$WORK/places.dat" | tr '\r\n' '  ')"; fi
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Beobachtungsort$')"; xdotool key Escape
wait_gone Beobachtungsort

# 90° 30' is refused in the new-object panel.
xdotool mousemove $((MX + 116)) $((CY + 20)) click 1; sleep 0.6   # SpeedButton3
GX=$((MX + 424)) GY=$((CY + 48))                                  # GroupBox3
xdotool mousemove $((MX + 180)) $((CY + 225)); sleep 0.2; xdotool mousemove $((MX + 185)) $((CY + 230)); sleep 0.2
xdotool mousedown 1
for d in 5 15 25 35; do xdotool mousemove $((MX + 185 + d)) $((CY + 230 + d)); sleep 0.1; done
xdotool mouseup 1; sleep 0.3
xdotool mousemove $((GX + 96)) $((GY + 92)) click 1; sleep 0.3    # Auswahl bestätigen
xdotool mousemove $((GX + 96)) $((GY + 146)) click 1; xdotool type --delay 50 Polberg
xdotool mousemove $((GX + 72)) $((GY + 194)) click 1; xdotool key ctrl+a; xdotool type 90
xdotool mousemove $((GX + 111)) $((GY + 194)) click 1; xdotool key ctrl+a; xdotool type 30
xdotool mousemove $((GX + 96)) $((GY + 348)) click 1               # Neues Objekt speichern
if wait_visible Mirelta; then ok "90° 30' refused"; shot "$SHOTS/refused-90-30.png"; else
  bad "90° 30' not refused"; fi
xdotool key Return; sleep 0.3
xdotool mousemove $((GX + 96)) $((GY + 380)) click 1; sleep 0.3     # Abbrechen
grep -aq Polberg "$WORK/objects.dat" && bad "Polberg was stored"

# A viewer that cannot be started gives a message.
xdotool mousemove $((MX + 306)) $((CY + 20)) click 1               # SpeedButton7
if wait_visible Hinweis; then ok "broken viewer: message"; shot "$SHOTS/broken-viewer-message.png"; else
  bad "broken viewer: no message"; fi
xdotool key Return

# "Höhe aus Foto": a FITS picture chosen in the file dialog by its name.
"$ROOT/build/tools/synthetic_photo/make_synthetic_photo" "$WORK/mond.fits" >/dev/null 2>&1
focus_main; xdotool key alt+m; sleep 0.3; xdotool key f
if wait_visible "H.*he.aus.Foto"; then
  photo=$(xdotool search --onlyvisible --name '^H.*he.aus.Foto$')
  read -r PX PY < <(xdotool getwindowgeometry "$photo" | awk '/Position/ {split($2, p, ","); print p[1], p[2]}')
  xdotool mousemove $((PX + 768)) $((PY + 34)) click 1                # Öffnen...
  if wait_visible "Bild.*ffnen"; then
    xdotool type --delay 30 "$WORK/mond.fits"; xdotool key Return; sleep 2
    if visible "Bild.*ffnen"; then bad "the picture was not opened"; else ok "FITS picture opened"; fi
    shot -crop 1002x688+$((PX - 1))+$((PY - 1)) "$SHOTS/photo-opened.png"
  else
    bad "no file dialog"
  fi
  xdotool windowfocus --sync "$photo"; xdotool key Escape; wait_gone "H.*he.aus.Foto" || bad "photo window stayed"
else
  bad "Höhe aus Foto did not open"
fi

echo "$failures failure(s)"
exit $((failures > 0))
