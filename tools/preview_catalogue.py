#!/usr/bin/python3
"""Draws every frame of data/objects.dat on an enlarged copy of the map, to
check by eye that the frames sit on their formations. Not part of the
shipped files.

    /usr/bin/python3 tools/preview_catalogue.py /tmp/catalogue-preview.png [KIND ...]

KIND limits the drawing to formations whose first description line is one of
the given words (Krater, Berg, Meer ...).
"""

import pathlib
import sys

from PIL import Image, ImageDraw, ImageFont

TOOLS = pathlib.Path(__file__).resolve().parent
MAP = TOOLS.parent / "resources" / "moon_map.bmp"
CATALOGUE = TOOLS.parent / "data" / "objects.dat"
SCALE = 3
LABEL_FONT = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"
COLOURS = {"Krater": (255, 220, 0), "Berg": (255, 80, 80), "Gebirge": (255, 80, 80),
           "Meer": (0, 220, 255), "Ozean": (0, 220, 255)}
OTHER_COLOUR = (80, 255, 80)
LABELLED_WIDTH = 9            # frames at least this wide (map pixels) get their name


def read_records(path):
    lines = path.read_bytes().decode("cp1252").split("\r\n")
    if lines[-1] == "":
        lines.pop()
    if len(lines) % 12:
        sys.exit(f"{path}: {len(lines)} lines is not a whole number of 12-line records")
    return [lines[i:i + 12] for i in range(0, len(lines), 12)]


def main():
    output = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "/tmp/catalogue-preview.png")
    kinds = set(sys.argv[2:])
    base = Image.open(MAP).convert("RGB")
    picture = base.resize((base.width * SCALE, base.height * SCALE), Image.LANCZOS)
    draw = ImageDraw.Draw(picture)
    font = ImageFont.truetype(LABEL_FONT, 10)
    for record in read_records(CATALOGUE):
        left, right, top, bottom = (int(value) for value in record[:4])
        kind = record[8]
        if kinds and kind not in kinds:
            continue
        colour = COLOURS.get(kind, OTHER_COLOUR)
        box = (left * SCALE, top * SCALE, (right + 1) * SCALE - 1, (bottom + 1) * SCALE - 1)
        draw.rectangle(box, outline=colour)
        if right - left + 1 >= LABELLED_WIDTH:
            draw.text((box[0] + 2, box[1] + 1), record[4], fill=colour, font=font)
    picture.save(output)
    print(f"wrote {output}")


if __name__ == "__main__":
    main()
