#!/usr/bin/python3
"""Draws the map markers as 16-colour bitmaps whose white pixels are
transparent; each marker's centre pixel is (CENTRE, CENTRE).

  cursor1.bmp          dotted magenta/purple cross-hair with an open centre
                       (the pointer over the map)
  cursor2.bmp          square of corner and edge marks in magenta and purple
                       (the selected formation)
  cursor3.bmp          thin red cross-hair (outlining a new formation)
  crosshair_small.bmp  11 × 11 picture of that red cross-hair for the
                       new-object panel
"""

import pathlib

import numpy as np

import bmp

RESOURCES = pathlib.Path(__file__).resolve().parent.parent / "resources"

SIZE = 22
CENTRE = 11
PALETTE = [(255, 255, 255),     # 0 transparent
           (255, 0, 255),       # 1 magenta
           (128, 0, 128),       # 2 purple
           (255, 0, 0)]         # 3 red
TRANSPARENT, MAGENTA, PURPLE, RED = range(4)

ARM_END = 10          # arms reach CENTRE ± ARM_END
OPEN_CENTRE = 4       # cursor1 leaves CENTRE ± (OPEN_CENTRE - 1) empty
BOX = 8               # cursor2's square spans CENTRE ± BOX
CORNER = 4            # length of cursor2's corner marks
TICK = 3              # length of cursor2's edge marks


def blank(size=SIZE):
    return np.full((size, size), TRANSPARENT, dtype=np.uint8)


def pointer_cross():
    """Arms alternate magenta and purple pixel by pixel, so the marker shows
    on bright highland and dark mare alike."""
    image = blank()
    for distance in range(OPEN_CENTRE, ARM_END + 1):
        colour = MAGENTA if distance % 2 == 0 else PURPLE
        for dx, dy in ((distance, 0), (-distance, 0), (0, distance), (0, -distance)):
            image[CENTRE + dy, CENTRE + dx] = colour
    return image


def selection_square():
    """Corner brackets and mid-edge ticks of a square around the centre: a
    magenta outer line with a purple line inside it. The marks of the top
    left corner and the top edge are drawn in all four quarter turns."""
    marks = []
    for step in range(CORNER):
        marks += [(-BOX + step, -BOX, MAGENTA), (-BOX, -BOX + step, MAGENTA)]
    for step in range(1, CORNER):
        marks += [(-BOX + step, -BOX + 1, PURPLE), (-BOX + 1, -BOX + step, PURPLE)]
    marks += [(0, -BOX, MAGENTA)] + [(0, -BOX + step, PURPLE) for step in range(1, TICK)]
    image = blank()
    for dx, dy, colour in marks:
        for _ in range(4):
            image[CENTRE + dy, CENTRE + dx] = colour
            dx, dy = -dy, dx
    return image


def thin_cross(size, arm):
    image = blank(size)
    centre = size // 2
    image[centre, centre - arm:centre + arm + 1] = RED
    image[centre - arm:centre + arm + 1, centre] = RED
    return image


def main():
    bmp.write_indexed4(RESOURCES / "cursor1.bmp", pointer_cross(), PALETTE)
    bmp.write_indexed4(RESOURCES / "cursor2.bmp", selection_square(), PALETTE)
    bmp.write_indexed4(RESOURCES / "cursor3.bmp", thin_cross(SIZE, ARM_END), PALETTE)
    bmp.write_indexed4(RESOURCES / "crosshair_small.bmp", thin_cross(11, 5), PALETTE)
    print(f"wrote the markers in {RESOURCES}")


if __name__ == "__main__":
    main()
