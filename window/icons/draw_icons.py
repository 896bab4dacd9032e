#!/usr/bin/env python3
"""Draws the program's icon, a crystal can on its leads, at 32 x 32 and
16 x 16 pixels in the 16 VGA colours, and writes quenvale-32.png and
quenvale-16.png next to this script. Run it after changing a drawing; the
PNG files are checked in so that building needs no Python."""

import math
import struct
import zlib
from pathlib import Path

# The 16 VGA colours. Magenta is not drawn with: it stands for transparency.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, NAVY, SILVER, GREY, BLUE, CLEAR, WHITE = 0, 4, 7, 8, 12, 13, 15


def draw(size):
    s = size / 32  # the drawing is made on a 32-pixel grid
    px = [[CLEAR] * size for _ in range(size)]

    def put(x, y, c):
        if 0 <= x < size and 0 <= y < size:
            px[y][x] = c

    def sx(v):
        return int(round(v * s))

    left, right = sx(6), sx(25) if size == 32 else sx(25) - 0
    top, bottom = sx(2), sx(22)
    # Can: black outline, rounded top corners, lit from the left.
    for y in range(top, bottom):
        inset = 0
        if y == top:
            inset = 3 if size == 32 else 1
        elif y == top + 1 and size == 32:
            inset = 1
        for x in range(left + inset, right + 1 - inset):
            edge = x in (left + inset, right - inset) or y == top
            if edge:
                c = BLACK
            elif x <= left + (3 if size == 32 else 1):
                c = WHITE if x > left + 1 or size == 16 else SILVER
            elif x >= right - (3 if size == 32 else 1):
                c = GREY
            else:
                c = SILVER
            put(x, y, c)
    # Seal ring at the foot of the can, a little wider than the can.
    ring_top, ring_bottom = bottom, bottom + 3
    for y in range(ring_top, ring_bottom):
        for x in range(left - sx(2), right + sx(2) + 1):
            edge = y in (ring_top, ring_bottom - 1) or x in (left - sx(2), right + sx(2))
            put(x, y, BLACK if edge else GREY)
    # Two leads.
    for lead in (sx(10.5), sx(20.5)):
        for y in range(ring_bottom, size):
            put(lead, y, SILVER)
            if size == 32:
                put(lead + 1, y, GREY)
    # A blue sine wave across the can, and a printed frequency below it.
    if size == 32:
        wave_left, wave_right = left + 4, right - 4
        for x in range(wave_left, wave_right + 1):
            phase = 2 * math.pi * (x - wave_left) / (wave_right - wave_left)
            put(x, int(round(10.5 - 2 * math.sin(phase))), BLUE)
        for x in (10, 12, 13, 15, 17, 18, 20, 21):
            put(x, 16, NAVY)
            put(x, 17, NAVY)
    else:
        for x, y in ((5, 5), (6, 4), (7, 4), (8, 5), (9, 6), (10, 6), (11, 5)):
            put(x, y, BLUE)
        for x in (5, 7, 8, 10):
            put(x, 8, NAVY)
    return px


def png(pixels):
    height, width = len(pixels), len(pixels[0])
    rows = b""
    for row in pixels:
        packed = bytes((row[i] << 4) | (row[i + 1] if i + 1 < width else 0)
                       for i in range(0, width, 2))
        rows += b"\x00" + packed

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 4, 3, 0, 0, 0)
    plte = b"".join(bytes(c) for c in PALETTE)
    trns = bytes(0 if i == CLEAR else 255 for i in range(len(PALETTE)))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", plte) +
            chunk(b"tRNS", trns) + chunk(b"IDAT", zlib.compress(rows, 9)) +
            chunk(b"IEND", b""))


if __name__ == "__main__":
    here = Path(__file__).resolve().parent
    for size in (32, 16):
        (here / f"quenvale-{size}.png").write_bytes(png(draw(size)))
