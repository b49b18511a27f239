#!/usr/bin/python3
"""Builds data/objects.dat, the catalogue of named near-side formations.

Input: the IAU gazetteer (source-data/moon-features.tsv), the heights
(source-data/feature-heights.tsv) and our German notes (catalogue-notes.tsv).

Each formation's frame is its outline, a circle of the gazetteer's diameter
around its centre, projected with the map's view (lunar_geometry) and
widened to at least MIN_FRAME pixels. Extended formations (maria, ranges,
lakes, bays, rilles ...) get a frame around their central part only.

Records are grouped by kind in KINDS order and, inside a kind, ordered from
the smallest frame to the largest, because a click on the map picks the
first record whose frame holds the point.

The file is Windows-1252 with CR LF line ends; numbers use the decimal comma.
"""

import csv
import math
import pathlib
import sys
from dataclasses import dataclass

import numpy as np
from PIL import ImageFont

import lunar_geometry as geo

TOOLS = pathlib.Path(__file__).resolve().parent
FEATURES = TOOLS / "source-data" / "moon-features.tsv"
HEIGHTS = TOOLS / "source-data" / "feature-heights.tsv"
NOTES = TOOLS / "catalogue-notes.tsv"
OUTPUT = TOOLS.parent / "data" / "objects.dat"

# The program's text fields hold 30 characters, and the texts must fit where
# the main window shows them in Liberation Sans 8 pt (11 pixels): names in the
# object list (153 pixels less its button, bold) and in a 115-pixel label,
# description lines in 163-pixel labels. The limits leave a little room for
# the difference between this measure and the toolkit's.
MAX_LINE = 30
FONTS = "/usr/share/fonts/truetype/liberation2/"
FONT_PIXELS = 11
MAX_NAME_PIXELS_BOLD = 120
MAX_NAME_PIXELS = 112
MAX_DESCRIPTION_PIXELS = 160

MIN_FRAME = 5                           # smallest frame side, pixels
MIN_FACING = 0.1                        # centre at most ~84° from the disc centre
MIN_CRATER_KM = 15
MIN_CRATER_SHORT_AXIS = 1.3             # pixels: craters foreshortened to less are not shown
MIN_OTHER_KM = 5

# Well-known craters below the size limit that observers look for.
EXTRA_CRATERS = {"Linné", "Hyginus", "Messier", "Ariadaeus", "Censorinus"}

# The rilles an observer knows; the gazetteer names many more. Floor rilles of
# craters are left out: the crater's frame would always win the pick.
RILLES = {
    "Rima Hyginus", "Rima Ariadaeus", "Rimae Triesnecker", "Rima Hadley", "Rimae Sirsalis",
    "Rima Birt", "Rimae Hippalus", "Rima Marius", "Rimae Bode", "Rima Hesiodus",
    "Rimae Aristarchus", "Rimae Plinius", "Rimae Archimedes", "Rimae Littrow", "Rimae Mersenius",
    "Rima Sheepshanks", "Rimae Sosigenes", "Rimae Menelaus", "Rima Cauchy", "Rimae Ramsden",
    "Rimae Plato", "Rima Bradley", "Rima Diophantus", "Rimae Goclenius", "Rimae Hypatia",
    "Rimae Gutenberg", "Rima Draper", "Rimae Daniell", "Rima Brayley", "Rimae Maclear",
}

# Names that Windows-1252 cannot hold or that are too wide for the list; the
# full IAU name then goes into the third description line unless a note is given.
SHORT_NAMES = {
    "Anděl": "Andel",
    "Mons Gruithuisen Delta": "Gruithuisen Delta",
    "Mons Gruithuisen Gamma": "Gruithuisen Gamma",
}
SHORT_PREFIXES = {"Promontorium ": "Prom. "}


@dataclass(frozen=True)
class Kind:
    code: str                    # IAU type code; "Mons" and "Montes" split MO
    german: str                  # first description line
    size_word: str               # what the gazetteer's diameter measures
    central_share: float = 1.0   # part of the outline's radius the frame covers ...
    central_cap_km: float = 0.0  # ... but at most this radius (when share < 1)


# File order "nach Art": compact formations first, the maria last. Linear
# formations (rilles, valleys, scarps) have no direction in the gazetteer, so
# their frame is a small box around their middle.
KINDS = [
    Kind("AA", "Krater", "Durchmesser"),
    Kind("Mons", "Berg", "Durchmesser"),
    Kind("PR", "Kap", "Ausdehnung"),
    Kind("RI", "Rille", "Länge", 0.3, 30),
    Kind("VA", "Tal", "Länge", 0.3, 30),
    Kind("RU", "Geländestufe", "Länge", 0.3, 30),
    Kind("PA", "Sumpf", "Durchmesser", 0.5, 110),
    Kind("LC", "See", "Durchmesser", 0.5, 110),
    Kind("SI", "Bucht", "Durchmesser", 0.5, 110),
    Kind("Montes", "Gebirge", "Länge", 0.3, 110),
    Kind("ME", "Meer", "Durchmesser", 0.3, 110),
    Kind("OC", "Ozean", "Durchmesser", 0.2, 110),
]
KIND_BY_CODE = {kind.code: kind for kind in KINDS}


@dataclass
class Formation:
    name: str
    kind: Kind
    latitude: float
    longitude: float
    diameter_km: float
    frame: tuple = ()            # left, right, top, bottom

    @property
    def frame_area(self):
        left, right, top, bottom = self.frame
        return (right - left + 1) * (bottom - top + 1)


def kind_of(row):
    if row["type"] == "MO":
        return KIND_BY_CODE["Montes" if row["name"].startswith("Montes") else "Mons"]
    return KIND_BY_CODE.get(row["type"])


def short_axis_pixels(row, facing):
    return float(row["diameter_km"]) * geo.DISC_RADIUS / geo.MOON_RADIUS_KM * facing


def chosen(row, kind):
    """Named near-side formations big enough to see on the map."""
    latitude, longitude = float(row["latitude"]), float(row["longitude"])
    diameter = float(row["diameter_km"])
    facing = float(geo.to_map(latitude, longitude)[2])
    if facing < MIN_FACING:
        return False
    if kind.code == "AA":
        if row["name"] in EXTRA_CRATERS:
            return True
        return diameter >= MIN_CRATER_KM and short_axis_pixels(row, facing) >= MIN_CRATER_SHORT_AXIS
    if kind.code == "RI":
        return row["name"] in RILLES
    return diameter >= MIN_OTHER_KM


def frame_of(latitude, longitude, diameter_km, kind):
    """Bounding box in map pixels of the projected outline, at least
    MIN_FRAME wide and high and kept inside the disc's square."""
    centre_x, centre_y, _ = geo.to_map(latitude, longitude)
    radius = diameter_km / 2.0
    if kind.central_share < 1.0:
        radius = min(kind.central_share * radius, kind.central_cap_km)
    lat, lon = geo.circle_outline(latitude, longitude, radius)
    x, y, facing = geo.to_map(lat, lon)
    # Outline points behind the limb are drawn onto it.
    dx, dy = x - geo.DISC_CENTRE_X, y - geo.DISC_CENTRE_Y
    scale = np.where(facing < 0, geo.DISC_RADIUS / np.maximum(np.hypot(dx, dy), 1e-9), 1.0)
    x = geo.DISC_CENTRE_X + dx * scale
    y = geo.DISC_CENTRE_Y + dy * scale
    low, high = geo.DISC_CENTRE_X - geo.DISC_RADIUS, geo.DISC_CENTRE_X + geo.DISC_RADIUS

    def span(values, centre):
        first, last = int(round(values.min())), int(round(values.max()))
        if last - first + 1 < MIN_FRAME:
            middle = int(round(centre))
            first, last = middle - MIN_FRAME // 2, middle + MIN_FRAME // 2
        # Shift rather than cut, so small frames at the limb keep their size.
        if first < low:
            first, last = low, max(last, low + MIN_FRAME - 1)
        if last > high:
            first, last = min(first, high - MIN_FRAME + 1), high
        return first, last

    left, right = span(x, centre_x)
    top, bottom = span(y, centre_y)
    return left, right, top, bottom


def read_tsv(path):
    with open(path, encoding="utf-8", newline="") as source:
        return list(csv.DictReader(source, delimiter="\t"))


def display_name(name):
    name = SHORT_NAMES.get(name, name)
    for prefix, short in SHORT_PREFIXES.items():
        if name.startswith(prefix):
            name = short + name[len(prefix):]
    return name


def is_storable(text):
    try:
        text.encode("cp1252")
    except UnicodeEncodeError:
        return False
    return True


def number_text(value, decimals):
    text = f"{value:.{decimals}f}".rstrip("0").rstrip(".")
    return ("0" if text in ("-0", "") else text).replace(".", ",")


def description(formation, notes):
    kind = formation.kind
    size = f"{kind.size_word} {formation.diameter_km:.0f} km"
    note = notes.get(formation.name, "")
    if display_name(formation.name) != formation.name and is_storable(formation.name):
        note = formation.name       # a shortened name keeps its full form here
    return kind.german, size, note


def collect():
    heights = {row["name"]: row["height_m"] for row in read_tsv(HEIGHTS)}
    notes = {row["name"]: row["note"] for row in read_tsv(NOTES)}
    formations = []
    for row in read_tsv(FEATURES):
        kind = kind_of(row)
        if kind is None or not chosen(row, kind):
            continue
        formation = Formation(row["name"], kind, float(row["latitude"]), float(row["longitude"]),
                              float(row["diameter_km"]))
        formation.frame = frame_of(formation.latitude, formation.longitude, formation.diameter_km, kind)
        formations.append(formation)
    order = {kind.code: index for index, kind in enumerate(KINDS)}
    formations.sort(key=lambda f: (order[f.kind.code], f.frame_area, f.diameter_km, f.name))
    return formations, heights, notes


def check(formations, heights, notes):
    """Stops the build on texts the program cannot store or show."""
    bold = ImageFont.truetype(FONTS + "LiberationSans-Bold.ttf", FONT_PIXELS)
    regular = ImageFont.truetype(FONTS + "LiberationSans-Regular.ttf", FONT_PIXELS)
    known = {f.name for f in formations}
    problems = [f"height for unknown formation {name}" for name in heights if name not in known]
    problems += [f"note for unknown formation {name}" for name in notes if name not in known]
    shown = set()
    for formation in formations:
        name = display_name(formation.name)
        if name in shown:
            problems.append(f"duplicate name {name}")
        shown.add(name)
        if bold.getlength(name) > MAX_NAME_PIXELS_BOLD or regular.getlength(name) > MAX_NAME_PIXELS:
            problems.append(f"name too wide for the list: {name}")
        for line in description(formation, notes):
            if regular.getlength(line) > MAX_DESCRIPTION_PIXELS:
                problems.append(f"description too wide for its label: {line}")
        for line in (name,) + description(formation, notes):
            if len(line) > MAX_LINE:
                problems.append(f"line longer than {MAX_LINE} characters: {line}")
            if not is_storable(line):
                problems.append(f"not in Windows-1252: {line}")
    if problems:
        sys.exit("\n".join(problems))


def list_only(formations):
    """Formations whose frame is covered completely by frames earlier in the
    file: a click never reaches them, only the list does."""
    owner = np.full((geo.MAP_SIZE, geo.MAP_SIZE), -1)
    for index in range(len(formations) - 1, -1, -1):
        left, right, top, bottom = formations[index].frame
        owner[top:bottom + 1, left:right + 1] = index
    reached = set(np.unique(owner).tolist())
    return [f.name for index, f in enumerate(formations) if index not in reached]


def record_lines(formation, heights, notes):
    height = heights.get(formation.name, "")
    origin = "1" if height else "0"
    return [str(value) for value in formation.frame] + [
        display_name(formation.name),
        number_text(formation.latitude, 4),
        number_text(formation.longitude, 4),
        height,
        *description(formation, notes),
        origin,
    ]


def main():
    formations, heights, notes = collect()
    check(formations, heights, notes)
    lines = [line for f in formations for line in record_lines(f, heights, notes)]
    OUTPUT.write_bytes("".join(line + "\r\n" for line in lines).encode("cp1252"))
    counts = {}
    for formation in formations:
        counts[formation.kind.german] = counts.get(formation.kind.german, 0) + 1
    summary = ", ".join(f"{count} {kind}" for kind, count in counts.items())
    print(f"wrote {OUTPUT}: {len(formations)} formations ({summary})")
    hidden = list_only(formations)
    if hidden:
        print("covered by smaller frames, chosen from the list only: " + ", ".join(hidden))


if __name__ == "__main__":
    main()
