#!/usr/bin/env python3
"""Draws the test host's icon, a program window holding a K8055 board with
its lamps, and writes it as a Windows icon file with one uncompressed
32-bit image per size (every Windows from XP on reads those), so that
Explorer shows it crisp at each display scaling. The bytes depend on
nothing but this script.

    make_host_icon.py OUTPUT.ico
"""
import struct
import sys

SIZES = (16, 20, 24, 32, 40, 48, 64, 128)
SUBSAMPLES = 8  # per pixel and axis, for smooth edges

FRAME = (64, 64, 64)
TITLE = (45, 108, 192)
CLIENT = (240, 240, 240)
BOARD = (31, 110, 61)
LAMP_ON = (230, 40, 40)
LAMP_OFF = (240, 200, 0)

# (shape, colour, geometry in units of the icon's width), painted in order.
SHAPES = (
    ("rect", FRAME, (0.02, 0.07, 0.98, 0.93)),
    ("rect", TITLE, (0.07, 0.12, 0.93, 0.28)),
    ("rect", CLIENT, (0.07, 0.28, 0.93, 0.88)),
    ("rect", BOARD, (0.15, 0.36, 0.85, 0.82)),
    ("circle", LAMP_OFF, (0.32, 0.59, 0.075)),
    ("circle", LAMP_OFF, (0.50, 0.59, 0.075)),
    ("circle", LAMP_ON, (0.68, 0.59, 0.075)),
)


def snapped(shape, geometry, size):
    """Rectangles on whole pixels, so that small sizes keep sharp edges."""
    if shape != "rect":
        return geometry
    return tuple(round(v * size) / size for v in geometry)


def inside(shape, geometry, x, y):
    if shape == "rect":
        left, top, right, bottom = geometry
        return left <= x < right and top <= y < bottom
    cx, cy, radius = geometry
    return (x - cx) ** 2 + (y - cy) ** 2 < radius ** 2


def pixel(size, px, py):
    """The pixel's colour and alpha, 0 ... 255 each, from its subsamples."""
    shapes = [(shape, fill, snapped(shape, geometry, size)) for shape, fill, geometry in SHAPES]
    totals = [0, 0, 0, 0]
    for sy in range(SUBSAMPLES):
        for sx in range(SUBSAMPLES):
            x = (px + (sx + 0.5) / SUBSAMPLES) / size
            y = (py + (sy + 0.5) / SUBSAMPLES) / size
            colour = None
            for shape, fill, geometry in shapes:
                if inside(shape, geometry, x, y):
                    colour = fill
            if colour is not None:
                for i in range(3):
                    totals[i] += colour[i]
                totals[3] += 1
    covered = totals[3]
    if covered == 0:
        return (0, 0, 0, 0)
    return tuple(round(totals[i] / covered) for i in range(3)) + (round(255 * covered / SUBSAMPLES ** 2),)


def image(size):
    """A DIB as an icon holds it: the header with twice the height, the
    BGRA rows bottom up, then the AND mask (1 bit a pixel, rows of whole
    32-bit words), set where the pixel is fully transparent."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = [[pixel(size, x, y) for x in range(size)] for y in range(size)]
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row_bytes = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row_bytes)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def icon():
    images = [image(size) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data in zip(SIZES, images):
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(images)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip())
    with open(sys.argv[1], "wb") as output:
        output.write(icon())
