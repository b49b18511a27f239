#!/usr/bin/python3
"""Draws the tool bar pictures (32 × 32), the window icon (64 × 64, and
256 × 256 for the desktop menu) and the about box's logo (220 × 90) as PNGs
with alpha.

The tool bar pictures share one style: flat shapes with a dark outline,
drawn at SCALE times the size and reduced, so edges are smooth at 32 pixels.
The icon and the logo use the rendered Moon map, so make_moon_map.py runs
first.
"""

import math
import pathlib

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

import lunar_geometry as geo

RESOURCES = pathlib.Path(__file__).resolve().parent.parent / "resources"
MAP = RESOURCES / "moon_map.bmp"
FONTS = pathlib.Path("/usr/share/fonts/truetype")
BOLD_FONT = FONTS / "dejavu" / "DejaVuSans-Bold.ttf"
TITLE_FONT = FONTS / "liberation2" / "LiberationSerif-Bold.ttf"
TEXT_FONT = FONTS / "liberation2" / "LiberationSans-Regular.ttf"

SIZE = 32
SCALE = 8
S = SIZE * SCALE           # drawing size

OUTLINE = (43, 52, 64, 255)
LINE = 12                  # outline width at drawing size (1.5 pixels)
MOON_LIGHT = (214, 212, 200, 255)
MOON_DARK = (120, 122, 128, 255)
CRATER = (170, 168, 158, 255)
BLUE = (47, 109, 181, 255)
RED = (200, 55, 45, 255)
GREEN = (58, 154, 68, 255)
GOLD = (232, 185, 35, 255)
WHITE = (255, 255, 255, 255)
PAPER = (250, 250, 246, 255)
WOOD = (150, 98, 52, 255)


def canvas():
    image = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    return image, ImageDraw.Draw(image)


def reduce(image, size=SIZE):
    return image.resize((size, size), Image.LANCZOS)


def box(cx, cy, r):
    """Bounding box of a circle, in 32-pixel units scaled to the drawing."""
    return [(cx - r) * SCALE, (cy - r) * SCALE, (cx + r) * SCALE, (cy + r) * SCALE]


def points(*xy):
    return [(x * SCALE, y * SCALE) for x, y in xy]


def moon(draw, cx, cy, r, craters=True):
    draw.ellipse(box(cx, cy, r), fill=MOON_LIGHT, outline=OUTLINE, width=LINE)
    if craters:
        for dx, dy, cr in ((-0.35, -0.3, 0.22), (0.3, 0.25, 0.16), (-0.1, 0.45, 0.1)):
            draw.ellipse(box(cx + dx * r, cy + dy * r, cr * r), fill=CRATER)


def centred_text(draw, text, font_path, size, cx, cy, fill):
    font = ImageFont.truetype(str(font_path), size * SCALE)
    draw.text((cx * SCALE, cy * SCALE), text, font=font, fill=fill, anchor="mm")


def site():
    """A map pin on a patch of ground."""
    image, draw = canvas()
    draw.ellipse(points((6, 25), (26, 30)), fill=(150, 170, 120, 255), outline=OUTLINE, width=LINE)
    # Pin: a circle running into a point at the bottom.
    cx, cy, r = 16, 11.5, 8
    tip = (16, 27)
    draw.polygon(points((cx - r * 0.78, cy + r * 0.62), tip, (cx + r * 0.78, cy + r * 0.62)),
                 fill=RED, outline=OUTLINE)
    draw.line(points((cx - r * 0.8, cy + r * 0.6), tip, (cx + r * 0.8, cy + r * 0.6)),
              fill=OUTLINE, width=LINE, joint="curve")
    draw.ellipse(box(cx, cy, r), fill=RED, outline=OUTLINE, width=LINE)
    draw.polygon(points((cx - r * 0.62, cy + r * 0.45), (16, 25), (cx + r * 0.62, cy + r * 0.45)), fill=RED)
    draw.ellipse(box(cx, cy, 3.2), fill=WHITE, outline=OUTLINE, width=LINE // 2)
    return image


def time():
    """A calendar page behind a clock."""
    image, draw = canvas()
    draw.rounded_rectangle(points((2, 4), (20, 22)), radius=2 * SCALE, fill=PAPER, outline=OUTLINE, width=LINE)
    draw.rectangle(points((3, 5), (19, 9)), fill=RED)
    draw.line(points((2, 9.5), (20, 9.5)), fill=OUTLINE, width=LINE // 2)
    for row in range(2):
        for column in range(3):
            x, y = 5 + column * 4.5, 12.5 + row * 4
            draw.rectangle(points((x, y), (x + 2, y + 2)), fill=MOON_DARK)
    cx, cy, r = 21, 21, 9.5
    draw.ellipse(box(cx, cy, r), fill=WHITE, outline=OUTLINE, width=LINE)
    for hour in range(12):
        angle = math.radians(hour * 30)
        inner = r - (2.6 if hour % 3 == 0 else 1.8)
        draw.line(points((cx + inner * math.sin(angle), cy - inner * math.cos(angle)),
                         (cx + (r - 1.2) * math.sin(angle), cy - (r - 1.2) * math.cos(angle))),
                  fill=OUTLINE, width=SCALE)
    draw.line(points((cx, cy), (cx - 3.5, cy - 3.2)), fill=OUTLINE, width=2 * SCALE)   # hour hand
    draw.line(points((cx, cy), (cx + 4.2, cy - 5.5)), fill=OUTLINE, width=SCALE + 4)   # minute hand
    draw.ellipse(box(cx, cy, 1.2), fill=RED)
    return image


def new_object():
    """The Moon with a marked formation and a plus sign."""
    image, draw = canvas()
    moon(draw, 14, 14, 12)
    # The outline drawn around a formation, in the red of the drawing cross-hair.
    draw.ellipse(box(10.5, 10.5, 4.2), outline=(220, 30, 30, 255), width=SCALE + 4)
    cx, cy = 24, 24
    draw.ellipse(box(cx, cy, 7), fill=GREEN, outline=OUTLINE, width=LINE)
    draw.line(points((cx - 4, cy), (cx + 4, cy)), fill=WHITE, width=2 * SCALE + 4)
    draw.line(points((cx, cy - 4), (cx, cy + 4)), fill=WHITE, width=2 * SCALE + 4)
    return image


def conditions():
    """A crescent Moon with a cloud passing in front of it."""
    image, draw = canvas()
    cx, cy, r = 13, 12, 10
    crescent = Image.new("L", (S, S), 0)
    mask = ImageDraw.Draw(crescent)
    mask.ellipse(box(cx, cy, r), fill=255)
    mask.ellipse(box(cx + 6, cy - 3, r - 1), fill=0)
    fill = Image.new("RGBA", (S, S), GOLD)
    image.paste(fill, (0, 0), crescent)
    edge = crescent.filter(ImageFilter.FIND_EDGES).filter(ImageFilter.MaxFilter(LINE - 1))
    image.paste(Image.new("RGBA", (S, S), OUTLINE), (0, 0), edge)
    # Cloud: three overlapping circles on a flat base.
    parts = [(13, 23, 5), (19, 20, 6.5), (25.5, 23.5, 4.5)]
    for x, y, radius in parts:
        draw.ellipse(box(x, y, radius), fill=OUTLINE)
    draw.rounded_rectangle(points((8.5, 22), (29.5, 28.5)), radius=3 * SCALE, fill=OUTLINE)
    inset = LINE / SCALE
    for x, y, radius in parts:
        draw.ellipse(box(x, y, radius - inset), fill=WHITE)
    draw.rounded_rectangle(points((8.5 + inset, 22), (29.5 - inset, 28.5 - inset)),
                           radius=2 * SCALE, fill=WHITE)
    return image


def ephemerides():
    """The Moon with its terminator and its tilted axis."""
    image, draw = canvas()
    cx, cy, r = 15, 17.5, 10.5
    draw.ellipse(box(cx, cy, r), fill=MOON_LIGHT)
    draw.pieslice(box(cx, cy, r), 90, 270, fill=MOON_DARK)
    draw.ellipse(box(cx + 4, cy + 3.5, 2.2), fill=CRATER)
    draw.ellipse(box(cx + 3, cy - 5, 1.6), fill=CRATER)
    draw.ellipse(box(cx, cy, r), outline=OUTLINE, width=LINE)
    tilt = math.radians(20)
    reach = r + 3
    top = (cx + reach * math.sin(tilt), cy - reach * math.cos(tilt))
    bottom = (cx - reach * math.sin(tilt), cy + reach * math.cos(tilt))
    draw.line(points(bottom, top), fill=RED, width=2 * SCALE)
    # Libration: a short curved arrow around the upper end of the axis.
    draw.arc(box(top[0], top[1] + 2, 4.5), 200, 340, fill=BLUE, width=SCALE + 4)
    tip = (top[0] + 4.5 * math.cos(math.radians(340)), top[1] + 2 + 4.5 * math.sin(math.radians(340)))
    draw.polygon(points((tip[0] + 1.8, tip[1] - 0.2), (tip[0] - 1.2, tip[1] - 1.8), (tip[0] - 0.2, tip[1] + 1.6)),
                 fill=BLUE)
    return image


def moon_position():
    """The Moon above the horizon with its altitude angle."""
    image, draw = canvas()
    draw.rectangle(points((1, 24), (31, 31)), fill=(120, 170, 90, 255))
    draw.line(points((1, 24), (31, 24)), fill=OUTLINE, width=LINE)
    observer = (6, 24)
    target = (22, 9)
    for step in range(0, 10, 2):                        # dashed line of sight
        a, b = step / 10, (step + 1) / 10
        draw.line(points((observer[0] + (target[0] - observer[0]) * a, observer[1] + (target[1] - observer[1]) * a),
                         (observer[0] + (target[0] - observer[0]) * b, observer[1] + (target[1] - observer[1]) * b)),
                  fill=OUTLINE, width=SCALE + 4)
    altitude = math.degrees(math.atan2(observer[1] - target[1], target[0] - observer[0]))
    draw.arc(box(observer[0], observer[1], 9), -altitude, 0, fill=RED, width=2 * SCALE)
    moon(draw, target[0], target[1], 7)
    draw.ellipse(box(observer[0], observer[1], 1.8), fill=OUTLINE)
    return image


def round_sign(text, offset=0.0):
    image, draw = canvas()
    draw.ellipse(box(16, 16, 14), fill=BLUE, outline=OUTLINE, width=LINE)
    centred_text(draw, text, BOLD_FONT, 20, 16, 16.5 + offset, WHITE)
    return image


def quit_door():
    """An open door with an arrow leading out."""
    image, draw = canvas()
    draw.rectangle(points((4, 3), (20, 29)), fill=(60, 60, 60, 255), outline=OUTLINE, width=LINE)
    draw.polygon(points((4, 3), (13, 6), (13, 31), (4, 29)), fill=WOOD, outline=OUTLINE)
    draw.line(points((4, 3), (13, 6), (13, 31), (4, 29), (4, 3)), fill=OUTLINE, width=LINE, joint="curve")
    draw.ellipse(box(11, 18, 1.1), fill=GOLD)
    draw.line(points((16, 16), (25, 16)), fill=RED, width=3 * SCALE)
    draw.polygon(points((24, 10.5), (31, 16), (24, 21.5)), fill=RED, outline=OUTLINE)
    return image


TOOLBAR = {
    "toolbar_site.png": site,
    "toolbar_time.png": time,
    "toolbar_new_object.png": new_object,
    "toolbar_conditions.png": conditions,
    "toolbar_ephemerides.png": ephemerides,
    "toolbar_moon_position.png": moon_position,
    "toolbar_help.png": lambda: round_sign("?"),
    "toolbar_about.png": lambda: round_sign("i"),
    "toolbar_quit.png": quit_door,
}


def moon_disc(size):
    """The Moon of the map cut out round, with alpha, `size` pixels wide."""
    full = Image.open(MAP).convert("RGB")
    left = geo.DISC_CENTRE_X - geo.DISC_RADIUS
    disc = full.crop((left, left, left + 2 * geo.DISC_RADIUS + 1, left + 2 * geo.DISC_RADIUS + 1))
    disc = disc.resize((size, size), Image.LANCZOS)
    mask = Image.new("L", (size * SCALE, size * SCALE), 0)
    ImageDraw.Draw(mask).ellipse((0, 0, size * SCALE - 1, size * SCALE - 1), fill=255)
    disc.putalpha(mask.resize((size, size), Image.LANCZOS))
    return disc


def icon(size=64):
    """The window icon; the desktop menu takes it at 64 and 256 pixels."""
    return moon_disc(size)


def logo():
    """Night sky with the Moon, the program's name and what it does."""
    width, height = 220, 90
    rows = np.linspace(0.0, 1.0, height)[:, np.newaxis, np.newaxis]
    sky = (np.array([14, 22, 48]) * (1 - rows) + np.array([36, 58, 104]) * rows) * np.ones((1, width, 1))
    image = Image.fromarray(sky.astype(np.uint8), "RGB").convert("RGBA")
    draw = ImageDraw.Draw(image)
    generator = np.random.default_rng(7)             # fixed seed: the same stars every time
    for _ in range(40):
        x, y = generator.integers(0, width), generator.integers(0, height)
        level = int(generator.integers(110, 230))
        draw.point((int(x), int(y)), fill=(level, level, level, 255))
    disc = moon_disc(74)
    image.alpha_composite(disc, (8, 8))
    draw.text((94, 18), "Mirelta", font=ImageFont.truetype(str(TITLE_FONT), 34), fill=(245, 240, 220, 255))
    small = ImageFont.truetype(str(TEXT_FONT), 11)
    draw.text((96, 58), "Mondatlas und", font=small, fill=(190, 200, 220, 255))
    draw.text((96, 71), "Mond-Ephemeriden", font=small, fill=(190, 200, 220, 255))
    mask = Image.new("L", (width, height), 0)
    ImageDraw.Draw(mask).rounded_rectangle((0, 0, width - 1, height - 1), radius=8, fill=255)
    image.putalpha(mask)
    return image


def main():
    for name, draw in TOOLBAR.items():
        reduce(draw()).save(RESOURCES / name)
    icon().save(RESOURCES / "icon.png")
    icon(256).save(RESOURCES / "icon_256.png")
    logo().save(RESOURCES / "logo.png")
    print(f"wrote the tool bar pictures, icon.png, icon_256.png and logo.png in {RESOURCES}")


if __name__ == "__main__":
    main()
