#!/usr/bin/python3
"""Renders resources/moon_map.bmp: the full Moon as seen from the map's
centre point (lunar_geometry), from the equirectangular albedo map.

Each map pixel averages SUPERSAMPLING² samples, which also antialiases the
limb against the background. The albedo is stretched to the brightness of a
full-Moon photograph, with a little limb darkening and no terminator.
"""

import pathlib

import numpy as np
from PIL import Image, ImageFilter

import bmp
import lunar_geometry as geo

TOOLS = pathlib.Path(__file__).resolve().parent
ALBEDO = TOOLS / "source-data" / "moon-albedo-4k.jpg"
OUTPUT = TOOLS.parent / "resources" / "moon_map.bmp"

SUPERSAMPLING = 4
BACKGROUND = 16                 # red = green = blue of the map outside the disc
ALBEDO_BLACK = 52               # albedo value shown as BRIGHTNESS_DARK
ALBEDO_WHITE = 205              # albedo value shown as BRIGHTNESS_BRIGHT
BRIGHTNESS_DARK = 38
BRIGHTNESS_BRIGHT = 246
GAMMA = 1.1                     # >1 deepens the maria a little
LIMB_DARKENING = 0.16           # brightness lost at the very limb
TINT = np.array([1.0, 0.985, 0.95])   # the faintly warm grey of the full Moon


def sample_bilinear(image, latitude, longitude):
    """Albedo (float array) at selenographic positions, wrapping in longitude."""
    height, width = image.shape
    x = (longitude + 180.0) / 360.0 * width - 0.5
    y = (90.0 - latitude) / 180.0 * height - 0.5
    x0 = np.floor(x).astype(int)
    y0 = np.floor(y).astype(int)
    fx = x - x0
    fy = y - y0
    x1 = (x0 + 1) % width
    x0 %= width
    y1 = np.clip(y0 + 1, 0, height - 1)
    y0 = np.clip(y0, 0, height - 1)
    top = image[y0, x0] * (1 - fx) + image[y0, x1] * fx
    bottom = image[y1, x0] * (1 - fx) + image[y1, x1] * fx
    return top * (1 - fy) + bottom * fy


def render():
    albedo = np.asarray(Image.open(ALBEDO).convert("L"), dtype=np.float64)

    size = geo.MAP_SIZE * SUPERSAMPLING
    offsets = (np.arange(size) + 0.5) / SUPERSAMPLING - 0.5       # map pixel coordinates
    east = (offsets[np.newaxis, :] - geo.DISC_CENTRE_X) / geo.DISC_RADIUS
    north = (geo.DISC_CENTRE_Y - offsets[:, np.newaxis]) / geo.DISC_RADIUS
    east, north = np.broadcast_arrays(east, north)
    inside = east * east + north * north <= 1.0

    latitude, longitude = geo.from_disc(east[inside], north[inside])
    value = sample_bilinear(albedo, latitude, longitude)
    level = np.clip((value - ALBEDO_BLACK) / (ALBEDO_WHITE - ALBEDO_BLACK), 0.0, 1.0) ** GAMMA
    brightness = BRIGHTNESS_DARK + (BRIGHTNESS_BRIGHT - BRIGHTNESS_DARK) * level
    towards = np.sqrt(np.clip(1.0 - east[inside] ** 2 - north[inside] ** 2, 0.0, None))
    brightness *= 1.0 - LIMB_DARKENING * (1.0 - towards) ** 2

    # Average the samples of each map pixel; coverage antialiases the limb.
    fine = np.zeros((size, size))
    fine[inside] = brightness
    blocks = (geo.MAP_SIZE, SUPERSAMPLING, geo.MAP_SIZE, SUPERSAMPLING)
    coverage = inside.reshape(blocks).mean(axis=(1, 3))
    moon_sum = fine.reshape(blocks).mean(axis=(1, 3))
    moon = np.divide(moon_sum, coverage, out=np.zeros_like(moon_sum), where=coverage > 0)

    # A light unsharp mask restores the crispness the averaging took away.
    sharpened = Image.fromarray(np.clip(moon, 0, 255).astype(np.uint8)).filter(
        ImageFilter.UnsharpMask(radius=1.2, percent=60, threshold=2))
    # Near the limb the mask would pull in the background, so it stops short of it.
    pixel = np.arange(geo.MAP_SIZE)
    distance = np.hypot(pixel[np.newaxis, :] - geo.DISC_CENTRE_X, pixel[:, np.newaxis] - geo.DISC_CENTRE_Y)
    moon = np.where(distance < geo.DISC_RADIUS - 3, np.asarray(sharpened, dtype=np.float64), moon)

    rgb = moon[:, :, np.newaxis] * TINT
    rgb = coverage[:, :, np.newaxis] * rgb + (1.0 - coverage[:, :, np.newaxis]) * BACKGROUND
    return np.clip(np.rint(rgb), 0, 255).astype(np.uint8)


def main():
    rgb = render()
    bmp.write_rgb24(OUTPUT, rgb)
    print(f"wrote {OUTPUT}")


if __name__ == "__main__":
    main()
