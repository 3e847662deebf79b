#!/usr/bin/env python3
"""Makes the preview textures of info and tarrow in data/.

ksln.jpg (256x256, JPEG through imagelib) and four DDS files written here:
p128.dds (128x128 X8R8G8B8 with its mip levels), p128dx1.dds (128x128 DXT1,
the top level only: the viewer makes the rest), p256dx1.dds and p512dx1.dds
(DXT1 with every mip level). Each picture is a checkerboard under a grid of
coloured lines with the product name, so texture filtering and mip levels
show plainly.

    python3 scripts/make_viewer_textures.py
"""

import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from imagelib import Canvas  # noqa: E402

DATA = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "data")


def picture(size, tint):
    c = Canvas(size, size, (255, 255, 255))
    cell = max(4, size // 16)
    for y in range(0, size, cell):
        for x in range(0, size, cell):
            if (x // cell + y // cell) % 2:
                c.rect(x, y, cell, cell, tint)
    step = max(8, size // 8)
    for i in range(0, size, step):
        c.line(i, 0, i, size - 1, (200, 30, 30))
        c.line(0, i, size - 1, i, (30, 30, 200))
    scale = max(1, size // 96)
    c.rect(0, size // 2 - 6 * scale, size, 12 * scale, (20, 20, 20))
    c.text_centred(size // 2, size // 2 - 4 * scale, "KESTRELANE", (255, 220, 0), scale)
    return [[c.get(x, y)[:3] for x in range(size)] for y in range(size)]


def halve(rows):
    h, w = len(rows), len(rows[0])
    nh, nw = max(1, h // 2), max(1, w // 2)
    out = []
    for y in range(nh):
        row = []
        for x in range(nw):
            px = [rows[sy][sx] for sy in (2 * y, 2 * y + 1) for sx in (2 * x, 2 * x + 1) if sy < h and sx < w]
            row.append(tuple((sum(p[i] for p in px) + len(px) // 2) // len(px) for i in range(3)))
        out.append(row)
    return out


def chain(rows):
    levels = [rows]
    while len(levels[-1]) > 1 or len(levels[-1][0]) > 1:
        levels.append(halve(levels[-1]))
    return levels


def to565(p):
    r, g, b = p
    return ((r * 31 + 127) // 255) << 11 | ((g * 63 + 127) // 255) << 5 | ((b * 31 + 127) // 255)


def from565(c):
    r, g, b = (c >> 11) & 31, (c >> 5) & 63, c & 31
    return ((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2))


def dxt1(rows):
    h, w = len(rows), len(rows[0])
    out = bytearray()
    for by in range(0, max(h, 4), 4):
        if by >= h and by > 0:
            break
        for bx in range(0, max(w, 4), 4):
            if bx >= w and bx > 0:
                break
            block = [rows[min(by + i // 4, h - 1)][min(bx + i % 4, w - 1)] for i in range(16)]
            # End points: the two colours of the block farthest apart.
            colours = sorted(set(block))
            hi, lo = colours[0], colours[-1]
            widest = -1
            for i, a in enumerate(colours):
                for b in colours[i + 1:]:
                    d = sum((a[k] - b[k]) ** 2 for k in range(3))
                    if d > widest:
                        widest, hi, lo = d, a, b
            c0, c1 = to565(hi), to565(lo)
            if c0 < c1:
                c0, c1 = c1, c0
            indices = 0
            if c0 != c1:
                a, b = from565(c0), from565(c1)
                pal = [a, b, tuple((2 * a[i] + b[i]) // 3 for i in range(3)),
                       tuple((a[i] + 2 * b[i]) // 3 for i in range(3))]
                for i, p in enumerate(block):
                    best = min(range(4), key=lambda k: sum((p[j] - pal[k][j]) ** 2 for j in range(3)))
                    indices |= best << (2 * i)
            out += struct.pack("<HHI", c0, c1, indices)
    return bytes(out)


def x8r8g8b8(rows):
    return b"".join(struct.pack("<BBBB", p[2], p[1], p[0], 255) for row in rows for p in row)


def dds(levels, compressed):
    h, w = len(levels[0]), len(levels[0][0])
    mips = len(levels) > 1
    flags = 0x1 | 0x2 | 0x4 | 0x1000 | (0x20000 if mips else 0) | (0x80000 if compressed else 0x8)
    pitch = max(1, (w + 3) // 4) * max(1, (h + 3) // 4) * 8 if compressed else w * 4
    if compressed:
        pf = struct.pack("<II4s20x", 32, 0x4, b"DXT1")
    else:
        pf = struct.pack("<IIIIIIII", 32, 0x40, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0)
    caps = 0x1000 | (0x400008 if mips else 0)
    header = struct.pack("<4sIIIIIII44x", b"DDS ", 124, flags, h, w, pitch, 0, len(levels)) + pf
    header += struct.pack("<IIII4x", caps, 0, 0, 0)
    assert len(header) == 128
    body = b"".join(dxt1(level) if compressed else x8r8g8b8(level) for level in levels)
    return header + body


def main():
    jpeg = Canvas(256, 256, (255, 255, 255))
    rows = picture(256, (40, 120, 200))
    for y in range(256):
        for x in range(256):
            jpeg.set(x, y, rows[y][x])
    jpeg.save_jpeg(os.path.join(DATA, "ksln.jpg"), 90)

    files = [
        ("p128.dds", 128, (60, 160, 60), False, True),
        ("p128dx1.dds", 128, (160, 60, 160), True, False),
        ("p256dx1.dds", 256, (200, 120, 40), True, True),
        ("p512dx1.dds", 512, (40, 120, 200), True, True),
    ]
    for name, size, tint, compressed, mips in files:
        levels = chain(picture(size, tint)) if mips else [picture(size, tint)]
        with open(os.path.join(DATA, name), "wb") as f:
            f.write(dds(levels, compressed))


if __name__ == "__main__":
    main()
