#!/usr/bin/env python3
"""Draws the icons of the suite's programs into programs/icons/.

Every icon is a rounded tile in the program's colour with its mark on it,
at 16, 32 and 48 pixels. Run from anywhere:  python3 scripts/make_icons.py
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from imagelib import Canvas, save_ico  # noqa: E402

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "programs", "icons")
SIZES = (16, 32, 48)
WHITE = (255, 255, 255)


def tile(size, top, bottom):
    """A transparent canvas with a rounded gradient tile and a dark rim."""
    c = Canvas(size, size, (0, 0, 0, 0), alpha=True)
    r = max(2, size // 6)
    for y in range(size):
        t = y / max(1, size - 1)
        colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
        for x in range(size):
            dx = max(r - x, x - (size - 1 - r), 0)
            dy = max(r - y, y - (size - 1 - r), 0)
            if dx * dx + dy * dy <= r * r:
                c.set(x, y, colour)
    rim = tuple(max(0, v - 70) for v in bottom)
    for y in range(size):
        for x in range(size):
            if c.get(x, y)[3] == 0:
                continue
            edge = any(not (0 <= x + ox < size and 0 <= y + oy < size) or c.get(x + ox, y + oy)[3] == 0
                       for ox, oy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if edge:
                c.set(x, y, rim)
    return c


def mark_text(c, text, colour=WHITE):
    """The program's letters, as large as the tile allows, centred."""
    size = c.width
    scale = max(1, min((size - 4) // max(1, Canvas.text_width(text)), (size - 4) // 7))
    y = (size - 7 * scale) // 2
    c.text_centred(size // 2, y, text, colour, scale)


def arrow_down(c, colour=WHITE):
    """A download arrow over a ground line."""
    s = c.width
    w = max(2, s // 6)
    head = s // 4
    top, neck = s // 6, s // 6 + s // 3
    c.rect(s // 2 - w // 2, top, w, neck - top, colour)
    for i in range(head + 1):
        c.rect(s // 2 - (head - i), neck + i, 2 * (head - i) + (w % 2), 1, colour)
    c.rect(s // 5, s - s // 6, s - 2 * (s // 5), max(1, s // 16), colour)


def tray_mark(c, colour=WHITE):
    """A taskbar strip with a small lit icon in its corner."""
    s = c.width
    h = max(3, s // 4)
    c.rect(s // 8, s - s // 8 - h, s - s // 4, h, (30, 30, 40, 255))
    c.rect(s - s // 8 - h, s - s // 8 - h + 1, h - 1, h - 2, (120, 220, 90, 255))
    scale = max(1, (s // 2) // 7)
    c.text_centred(s // 2, s // 8, "T", colour, scale)


def lens_mark(c, colour=WHITE):
    s = c.width
    r = max(2, s // 4)
    cx, cy = s // 2 - s // 10, s // 2 - s // 10
    c.circle(cx, cy, r, colour)
    c.circle(cx, cy, max(1, r - max(1, s // 12)), (0, 0, 0, 0))
    for i in range(max(2, s // 4)):
        for t in range(max(1, s // 16)):
            c.set(cx + r // 2 + i + t, cy + r // 2 + i, colour)


PROGRAMS = {
    # file name: (top colour, bottom colour, painter)
    "KestrelaneSE": ((140, 210, 60), (40, 110, 20), lambda c: mark_text(c, "K")),
    "travo": ((90, 150, 230), (30, 60, 150), lambda c: mark_text(c, "T")),
    "travo_tray": ((90, 150, 230), (30, 60, 150), tray_mark),
    "info": ((170, 120, 220), (80, 40, 140), lambda c: mark_text(c, "3D" if c.width >= 32 else "D")),
    "lumacap": ((240, 200, 80), (170, 110, 20), lambda c: mark_text(c, "L")),
    "tarrow": ((80, 200, 200), (20, 110, 120), lambda c: mark_text(c, "AF" if c.width >= 32 else "A")),
    "pvx": ((230, 90, 80), (140, 30, 30), lens_mark),
    "relayo": ((250, 160, 60), (180, 80, 10), arrow_down),
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, (top, bottom, paint) in PROGRAMS.items():
        canvases = []
        for size in SIZES:
            c = tile(size, top, bottom)
            paint(c)
            canvases.append(c)
        save_ico(os.path.join(OUT, name + ".ico"), canvases)


if __name__ == "__main__":
    main()
