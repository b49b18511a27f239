"""Uncompressed Windows bitmaps (BITMAPINFOHEADER, rows bottom-up).

PIL writes palette images as 8-bit bitmaps only; the markers are 16-colour
(4-bit) bitmaps, so both depths the program uses are written here.
"""

import struct

import numpy as np

_FILE_HEADER_SIZE = 14
_INFO_HEADER_SIZE = 40
_PIXELS_PER_METRE = 3780                # 96 dpi


def _row_stride(width, bits):
    return (width * bits + 31) // 32 * 4


def _write(path, width, height, bits, palette, rows):
    palette_bytes = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    pixel_bytes = b"".join(rows)
    offset = _FILE_HEADER_SIZE + _INFO_HEADER_SIZE + len(palette_bytes)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixel_bytes), 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", _INFO_HEADER_SIZE, width, height, 1, bits, 0,
                              len(pixel_bytes), _PIXELS_PER_METRE, _PIXELS_PER_METRE,
                              len(palette), len(palette))
    with open(path, "wb") as out:
        out.write(file_header + info_header + palette_bytes + pixel_bytes)


def write_rgb24(path, rgb):
    """rgb: uint8 array of shape (height, width, 3)."""
    height, width, _ = rgb.shape
    stride = _row_stride(width, 24)
    padding = bytes(stride - width * 3)
    rows = [np.ascontiguousarray(rgb[y, :, ::-1]).tobytes() + padding for y in range(height - 1, -1, -1)]
    _write(path, width, height, 24, [], rows)


def write_indexed4(path, indices, palette):
    """indices: integer array (height, width) of values below 16;
    palette: list of at most 16 (r, g, b) tuples."""
    if len(palette) > 16 or int(indices.max()) >= len(palette):
        raise ValueError("a 16-colour bitmap holds at most 16 palette entries")
    palette = list(palette) + [(0, 0, 0)] * (16 - len(palette))   # readers expect all 16
    height, width = indices.shape
    stride = _row_stride(width, 4)
    rows = []
    for y in range(height - 1, -1, -1):
        row = list(int(v) for v in indices[y])
        if width % 2:
            row.append(0)
        packed = bytes((row[i] << 4) | row[i + 1] for i in range(0, len(row), 2))
        rows.append(packed + bytes(stride - len(packed)))
    _write(path, width, height, 4, palette, rows)
