#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Draws the program's icon and its About picture (also at twice the size) as PNG files, and
the icon for the desktop at 48, 128 and 256 pixels and as SVG (no third-party modules).

Usage: tools/make_images.py IMAGES_FOLDER ICONS_FOLDER
  IMAGES_FOLDER gets quorvel.png, about.png and about@2x.png (src/app/images);
  ICONS_FOLDER gets quorvel-48.png, quorvel-128.png, quorvel-256.png and quorvel.svg (data/icons).
"""
import math
import struct
import sys
import zlib


def write_png(path, width, height, pixel):
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(bytes(rows), 9)))
        out.write(chunk(b"IEND", b""))


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(len(a)))


NAVY = (24, 46, 94, 255)
TEAL = (32, 150, 160, 255)
WHITE = (250, 250, 245, 255)
AMBER = (245, 180, 50, 255)
CLEAR = (0, 0, 0, 0)

# The icon's shapes, in a unit square: a tile inside a margin, shaded from navy at the top to
# teal at the bottom, and on it a "Q": a ring and a tail towards the lower right.
MARGIN = 0.06
RING_INNER, RING_OUTER = 0.24, 0.36
TAIL_FROM, TAIL_TO, TAIL_HALF_WIDTH = 0.55, 0.85, 0.06


def ring_with_tail(u, v):
    r = math.hypot(u - 0.5, v - 0.5)
    ring = RING_INNER < r < RING_OUTER
    tail = TAIL_FROM < u < TAIL_TO and TAIL_FROM < v < TAIL_TO and abs(u - v) < TAIL_HALF_WIDTH
    return ring or tail


def icon_at(u, v):
    if not (MARGIN <= u < 1 - MARGIN and MARGIN <= v < 1 - MARGIN):
        return CLEAR
    if ring_with_tail(u, v):
        return WHITE
    return mix(NAVY, TEAL, v)


def smooth_icon(size, samples=4):
    """The icon at size pixels, each pixel the mean of samples x samples points, so that the
    edges of the ring are smooth; colours are averaged weighted by their opacity."""

    def pixel(x, y):
        total = [0, 0, 0, 0]
        for i in range(samples):
            for j in range(samples):
                colour = icon_at((x + (i + 0.5) / samples) / size, (y + (j + 0.5) / samples) / size)
                for k in range(3):
                    total[k] += colour[k] * colour[3]
                total[3] += colour[3]
        if total[3] == 0:
            return CLEAR
        return tuple(round(total[k] / total[3]) for k in range(3)) + (round(total[3] / samples**2),)

    return pixel


def tail_outline():
    """The corners of the tail: the band |u - v| < half width cut by the square it lies in."""
    a, b, w = TAIL_FROM, TAIL_TO, TAIL_HALF_WIDTH
    return [(a, a), (a + w, a), (b, b - w), (b, b), (b - w, b), (a, a + w)]


def write_svg(path, size=256):
    """The same shapes as a vector drawing, scaled to a size x size view."""

    def n(value):
        return f"{value * size:g}"

    inner = 1 - 2 * MARGIN
    points = " ".join(f"{n(u)},{n(v)}" for u, v in tail_outline())
    colour = "#{:02x}{:02x}{:02x}".format
    svg = f"""<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" viewBox="0 0 {size} {size}">
  <defs>
    <linearGradient id="shade" gradientUnits="userSpaceOnUse" x1="0" y1="0" x2="0" y2="{size}">
      <stop offset="0" stop-color="{colour(*NAVY[:3])}"/>
      <stop offset="1" stop-color="{colour(*TEAL[:3])}"/>
    </linearGradient>
  </defs>
  <rect x="{n(MARGIN)}" y="{n(MARGIN)}" width="{n(inner)}" height="{n(inner)}" fill="url(#shade)"/>
  <circle cx="{n(0.5)}" cy="{n(0.5)}" r="{n((RING_INNER + RING_OUTER) / 2)}" fill="none" stroke="{colour(*WHITE[:3])}" stroke-width="{n(RING_OUTER - RING_INNER)}"/>
  <polygon points="{points}" fill="{colour(*WHITE[:3])}"/>
</svg>
"""
    with open(path, "w", encoding="utf-8") as out:
        out.write(svg)


def banner(x, y, size):
    base = mix(NAVY, TEAL, (x + y) / (2 * size))
    bars = [0.35, 0.6, 0.45, 0.8, 0.55]
    for i, height in enumerate(bars):
        left = 0.12 + i * 0.16
        if left * size <= x < (left + 0.1) * size and (0.9 - height * 0.7) * size <= y < 0.9 * size:
            return AMBER
    if ring_with_tail((x + 0.5) / size, (y + 0.5) / size):
        return WHITE
    return base


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    images, icons = sys.argv[1], sys.argv[2]
    write_png(f"{images}/quorvel.png", 64, 64, smooth_icon(64))
    # The About picture is 225 x 225 on screen; the @2x copy keeps it sharp on scaled screens.
    for scale, suffix in ((1, ""), (2, "@2x")):
        size = 225 * scale
        write_png(f"{images}/about{suffix}.png", size, size, lambda x, y, s=size: banner(x, y, s))
    for size in (48, 128, 256):
        write_png(f"{icons}/quorvel-{size}.png", size, size, smooth_icon(size))
    write_svg(f"{icons}/quorvel.svg")


if __name__ == "__main__":
    main()
