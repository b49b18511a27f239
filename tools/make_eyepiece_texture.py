#!/usr/bin/python3
"""Writes resources/moon_albedo.jpg, the albedo map the window "Mond im
Okular" draws the Moon from: the whole Moon, equirectangular (longitude -180
at the left edge to +180 at the right, east positive; latitude +90 at the top),
one grey level per pixel, stretched to the brightness of a full-Moon
photograph as the atlas map is (make_moon_map.py), without its limb darkening.

The size is the source's, 4096 x 2048: 11.4 pixels per degree. At zoom 1
the window's picture (640 pixels) shows the disc's centre at 5.1 screen pixels
per degree, an 800-pixel picture at 6.4, and the largest zoom (8) at 41 and
51. A map of 2048 x 1024 (5.7 per degree) would be enlarged from zoom 1.2 on;
the full map only from zoom 2.2 (1.8 in 800 pixels). No source here holds
more: the stronger zooms enlarge it, bilinearly, for finding small formations
and reading their names.
"""

import pathlib

import numpy as np
from PIL import Image

import make_moon_map as atlas

TOOLS = pathlib.Path(__file__).resolve().parent
OUTPUT = TOOLS.parent / "resources" / "moon_albedo.jpg"

# The JPEG quality: at 92, 99 % of the pixels lie within 5 grey levels of the
# stretched source (itself a JPEG), at half the size of a PNG (2.5 against
# 5.1 MB), and Qt decodes it in about 60 ms instead of 180.
QUALITY = 92


def texture():
    albedo = np.asarray(Image.open(atlas.ALBEDO).convert("L"), dtype=np.float64)
    level = np.clip((albedo - atlas.ALBEDO_BLACK) / (atlas.ALBEDO_WHITE - atlas.ALBEDO_BLACK), 0.0, 1.0) ** atlas.GAMMA
    brightness = atlas.BRIGHTNESS_DARK + (atlas.BRIGHTNESS_BRIGHT - atlas.BRIGHTNESS_DARK) * level
    return np.clip(np.rint(brightness), 0, 255).astype(np.uint8)


def main():
    grey = texture()
    Image.fromarray(grey, mode="L").save(OUTPUT, quality=QUALITY, optimize=True)
    written = np.asarray(Image.open(OUTPUT), dtype=np.int16)
    off = np.abs(written - grey)
    print(f"wrote {OUTPUT}: {grey.shape[1]} x {grey.shape[0]}, {OUTPUT.stat().st_size} bytes, "
          f"99 % of pixels within {np.percentile(off, 99):.0f} grey levels")


if __name__ == "__main__":
    main()
