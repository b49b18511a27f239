#!/usr/bin/python3
"""Writes data/places.dat (the observing sites) and data/mirelta.ini from
sites.tsv.

places.dat: records of three lines (name, latitude, longitude; decimal
degrees, north and east positive, decimal comma). mirelta.ini: the list
order "Art" and CURRENT_SITE as lines 2 to 4, exactly as in places.dat.
Both files are Windows-1252 with CR LF line ends.
"""

import csv
import pathlib
import sys

TOOLS = pathlib.Path(__file__).resolve().parent
SITES = TOOLS / "sites.tsv"
DATA = TOOLS.parent / "data"
CURRENT_SITE = "Berlin"
LIST_ORDER = "Art"


def number_text(text):
    """"52.5200" -> "52,52": trailing zeros dropped, decimal comma."""
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    return text.replace(".", ",")


def write_lines(path, lines):
    path.write_bytes("".join(line + "\r\n" for line in lines).encode("cp1252"))


def main():
    with open(SITES, encoding="utf-8", newline="") as source:
        sites = [(row["name"], number_text(row["latitude"]), number_text(row["longitude"]))
                 for row in csv.DictReader(source, delimiter="\t")]
    names = [name for name, _, _ in sites]
    if len(set(names)) != len(names):
        sys.exit("sites.tsv: duplicate site names")
    current = [site for site in sites if site[0] == CURRENT_SITE]
    if not current:
        sys.exit(f"sites.tsv: no site named {CURRENT_SITE}")
    write_lines(DATA / "places.dat", [line for site in sites for line in site])
    write_lines(DATA / "mirelta.ini", [LIST_ORDER, *current[0]])
    print(f"wrote {DATA / 'places.dat'} ({len(sites)} sites) and {DATA / 'mirelta.ini'}")


if __name__ == "__main__":
    main()
