#!/usr/bin/env python3
"""Draws the application icon, a 32x32 16-colour floppy disk with a
folder tab, and writes it as an .ico file: python3 draw-icon.py out.ico"""
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128),
    (128, 0, 0), (128, 0, 128), (128, 128, 0), (192, 192, 192),
    (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255),
    (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255),
]
BLACK, NAVY, GREY, SILVER, WHITE, YELLOW, TRANSPARENT = 0, 1, 8, 7, 15, 14, None


def draw():
    """The picture as 32 rows of 32 colour indices, top row first."""
    px = [[TRANSPARENT] * 32 for _ in range(32)]

    def box(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                px[y][x] = colour

    box(3, 3, 28, 28, BLACK)          # outline of the disk
    box(4, 4, 27, 27, NAVY)           # the disk
    px[4][27] = px[3][28] = TRANSPARENT
    box(8, 4, 23, 13, WHITE)          # label
    for y in (6, 8, 10):
        box(10, y, 21, y, SILVER)     # lines on the label
    box(9, 18, 22, 27, SILVER)        # metal shutter
    box(17, 20, 20, 25, GREY)         # shutter window
    box(0, 22, 9, 31, BLACK)          # folder tab, lower left
    box(1, 24, 8, 30, YELLOW)
    box(1, 23, 4, 23, YELLOW)
    return px


def ico(px):
    """The icon file's bytes: one 4-bit image with its transparency mask."""
    xor = bytearray()
    mask = bytearray()
    for row in reversed(px):          # bitmaps run bottom-up
        for x in range(0, 32, 2):
            hi, lo = (c if c is not None else 0 for c in row[x:x + 2])
            xor.append(hi << 4 | lo)
        bits = 0
        for x, c in enumerate(row):
            if c is None:
                bits |= 1 << (31 - x)
        mask += bits.to_bytes(4, "big")
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(ico(draw()))
