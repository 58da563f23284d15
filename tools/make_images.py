#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Draws the program's icon and its About picture (also at twice the size) as PNG files
(no third-party modules).

Usage: tools/make_images.py OUTPUT_FOLDER
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


def ring_with_tail(x, y, size):
    """A "Q": a ring with a tail towards the lower right, in a unit square scaled to size."""
    cx = cy = size / 2
    r = math.hypot(x + 0.5 - cx, y + 0.5 - cy) / size
    ring = 0.24 < r < 0.36
    u, v = (x + 0.5) / size, (y + 0.5) / size
    tail = 0.55 < u < 0.85 and 0.55 < v < 0.85 and abs(u - v) < 0.06
    return ring or tail


def icon(x, y, size=64):
    margin = size * 0.06
    if not (margin <= x < size - margin and margin <= y < size - margin):
        return CLEAR
    if ring_with_tail(x, y, size):
        return WHITE
    return mix(NAVY, TEAL, y / size)


def banner(x, y, size):
    base = mix(NAVY, TEAL, (x + y) / (2 * size))
    bars = [0.35, 0.6, 0.45, 0.8, 0.55]
    for i, height in enumerate(bars):
        left = 0.12 + i * 0.16
        if left * size <= x < (left + 0.1) * size and (0.9 - height * 0.7) * size <= y < 0.9 * size:
            return AMBER
    if ring_with_tail(x, y, size):
        return WHITE
    return base


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    write_png(f"{folder}/quorvel.png", 64, 64, icon)
    # The About picture is 225 x 225 on screen; the @2x copy keeps it sharp on scaled screens.
    for scale, suffix in ((1, ""), (2, "@2x")):
        size = 225 * scale
        write_png(f"{folder}/about{suffix}.png", size, size, lambda x, y, s=size: banner(x, y, s))


if __name__ == "__main__":
    main()
