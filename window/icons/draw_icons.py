#!/usr/bin/env python3
"""Draws the program's icon, a crystal can on its leads, in the 16 VGA
colours: pixel by pixel at 32 x 32 and 16 x 16 (quenvale-32.png and
quenvale-16.png, the window's own), and from shapes on the same 32-unit grid
as quenvale.svg and at 48, 64, 128 and 256 pixels (quenvale-N.png) for
launchers and software centres. Run it after changing a drawing; the files
are checked in so that building needs no Python."""

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


# The 32-pixel drawing as shapes on a 32-unit grid (pixel i spans i to i + 1),
# painted in order: ("rect", x, y, w, h, colour), ("can", x, y, w, h, corner,
# colour) for a box with rounded top corners, ("wave", points, width, colour).
def _wave_points(left=10.5, right=21.5, steps=44):
    return [(left + (right - left) * i / steps,
             11 - 2 * math.sin(2 * math.pi * i / steps)) for i in range(steps + 1)]


SHAPES = [
    ("rect", 10, 25, 1, 7, SILVER), ("rect", 11, 25, 1, 7, GREY),
    ("rect", 20, 25, 1, 7, SILVER), ("rect", 21, 25, 1, 7, GREY),
    ("rect", 4, 22, 24, 3, BLACK), ("rect", 5, 23, 22, 1, GREY),
    ("can", 6, 2, 20, 20, 3, BLACK), ("can", 7, 3, 18, 19, 2, SILVER),
    ("rect", 8, 4, 2, 18, WHITE), ("rect", 22, 4, 3, 18, GREY),
    ("wave", _wave_points(), 1.0, BLUE),
] + [("rect", x, 16, w, 2, NAVY) for x, w in ((10, 1), (12, 2), (15, 1), (17, 2), (20, 2))]


def _inside(shape, x, y):
    kind = shape[0]
    if kind == "rect":
        _, left, top, w, h, _ = shape
        return left <= x < left + w and top <= y < top + h
    if kind == "can":
        _, left, top, w, h, r, _ = shape
        if not (left <= x < left + w and top <= y < top + h):
            return False
        cy = top + r
        for cx, outside in ((left + r, x < left + r), (left + w - r, x > left + w - r)):
            if y < cy and outside and (x - cx) ** 2 + (y - cy) ** 2 > r * r:
                return False
        return True
    _, points, width, _ = shape
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        if (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= (width / 2) ** 2:
            return True
    return False


def raster(size, samples=4):
    """The shapes at size x size pixels: each pixel takes the colour most of
    its samples fall on, so edges stay sharp in 16 colours."""
    scale = 32 / size
    px = []
    for row in range(size):
        line = []
        for col in range(size):
            votes = {}
            for sy in range(samples):
                for sx_ in range(samples):
                    x = (col + (sx_ + 0.5) / samples) * scale
                    y = (row + (sy + 0.5) / samples) * scale
                    colour = CLEAR
                    for shape in SHAPES:
                        if _inside(shape, x, y):
                            colour = shape[-1]
                    votes[colour] = votes.get(colour, 0) + 1
            line.append(max(votes, key=votes.get))
        px.append(line)
    return px


def svg():
    def fill(c):
        return "#%02x%02x%02x" % PALETTE[c]

    parts = []
    for shape in SHAPES:
        if shape[0] == "rect":
            _, x, y, w, h, c = shape
            parts.append(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="{fill(c)}"/>')
        elif shape[0] == "can":
            _, x, y, w, h, r, c = shape
            parts.append(f'<path d="M{x},{y + h}V{y + r}A{r},{r} 0 0 1 {x + r},{y}'
                         f'H{x + w - r}A{r},{r} 0 0 1 {x + w},{y + r}V{y + h}Z" '
                         f'fill="{fill(c)}"/>')
        else:
            _, points, width, c = shape
            coords = " ".join(f"{x:.3f},{y:.3f}" for x, y in points)
            parts.append(f'<polyline points="{coords}" fill="none" stroke="{fill(c)}" '
                         f'stroke-width="{width}" stroke-linecap="round"/>')
    body = "\n  ".join(parts)
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" '
            'viewBox="0 0 32 32">\n'
            '  <title>Quenvale</title>\n'
            f'  {body}\n</svg>\n')


if __name__ == "__main__":
    here = Path(__file__).resolve().parent
    for size in (32, 16):
        (here / f"quenvale-{size}.png").write_bytes(png(draw(size)))
    for size in (48, 64, 128, 256):
        (here / f"quenvale-{size}.png").write_bytes(png(raster(size)))
    (here / "quenvale.svg").write_text(svg())
