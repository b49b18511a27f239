#!/bin/sh
# Regenerates every shipped picture and data file from the tables in tools/
# and the source data in tools/source-data/. The map comes first: the icon
# and the logo are cut from it.
set -e
cd "$(dirname "$0")"
/usr/bin/python3 make_moon_map.py
/usr/bin/python3 make_eyepiece_texture.py
/usr/bin/python3 make_markers.py
/usr/bin/python3 make_pictures.py
/usr/bin/python3 make_catalogue.py
/usr/bin/python3 make_sites.py
