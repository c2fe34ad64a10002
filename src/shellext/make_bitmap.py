#!/usr/bin/env python3
"""Draws the 16 x 16, 24-bit bitmap that Nobrel shows beside "Play with Zevrin": a play
triangle on a round badge. Usage: make_bitmap.py <output.bmp>. Computed here, so the art is
reproducible and needs no image tools."""
import struct
import sys

SIZE = 16
BACKGROUND = (255, 255, 255)
BADGE = (226, 120, 28)
RIM = (164, 78, 10)
GLYPH = (255, 255, 255)


def pixel(x, y):
    cx = cy = (SIZE - 1) / 2
    d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
    if d > 7.6:
        return BACKGROUND
    # A right-pointing triangle from (5, 4) to (5, 11) to (11, 7.5).
    if 5 <= x <= 11 and abs(y - 7.5) <= (11.5 - x) * 3.5 / 6.5:
        return GLYPH
    return RIM if d > 6.4 else BADGE


def bmp24(width, height):
    row_size = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        data += row + b"\0" * (row_size - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as f:
        f.write(bmp24(SIZE, SIZE))
