#!/usr/bin/env python3
"""Makes the hover pictures of the control-panel flags page: data/cpl/<tag>.jpg.

Each picture is a small sketch of the driver control-panel page that its
box unlocks: a window frame with the page's title, a few control shapes
and a caption. The size is that of Image1 on page 0 (2415 x 1815 twips).

    python3 scripts/make_cpl_pictures.py
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from imagelib import Canvas  # noqa: E402

WIDTH, HEIGHT = 161, 121
FACE = (212, 208, 200)
TITLE_TOP, TITLE_BOTTOM = (10, 36, 106), (166, 202, 240)
TEXT = (0, 0, 0)
WHITE = (255, 255, 255)
SHADOW = (128, 128, 128)
GREEN = (0, 160, 0)
RED = (200, 0, 0)

# tag, title line, caption lines, what the page holds
PAGES = [
    ("oc", "CLOCK FREQUENCIES", ["CORE 300 MHZ", "MEMORY 650 MHZ"], "sliders"),
    ("agp", "AGP SETTINGS", ["AGP RATE 8X", "FAST WRITES"], "checks"),
    ("additional", "ADDITIONAL INFO", ["BUS, BIOS, IRQ", "VIDEO MEMORY"], "list"),
    ("debug", "TROUBLESHOOTING", ["DISABLE FEATURES", "FOR TESTING"], "checks"),
    ("app", "APP PROFILES", ["PER GAME", "SETTINGS"], "list"),
    ("nview", "NVIEW", ["DUAL DISPLAY", "MODES"], "screens"),
    ("ovl", "OVERLAY CONTROLS", ["OVERLAY IN", "SPAN MODE"], "screens"),
    ("refresh", "REFRESH RATES", ["DIRECT3D", "OVERRIDE"], "list"),
]


def sunken(c, x, y, w, h, fill=WHITE):
    c.rect(x, y, w, h, fill)
    c.line(x, y, x + w - 1, y, SHADOW)
    c.line(x, y, x, y + h - 1, SHADOW)
    c.line(x, y + h - 1, x + w - 1, y + h - 1, WHITE)
    c.line(x + w - 1, y, x + w - 1, y + h - 1, WHITE)


def body(c, kind):
    if kind == "sliders":
        for i, pos in enumerate((70, 105)):
            y = 40 + i * 16
            sunken(c, 12, y + 3, 137, 4, FACE)
            c.rect(pos, y, 6, 10, FACE)
            c.frame(pos, y, 6, 10, SHADOW)
    elif kind == "checks":
        for i in range(3):
            y = 38 + i * 11
            sunken(c, 12, y, 8, 8)
            if i != 1:
                c.line(14, y + 4, 16, y + 6, TEXT)
                c.line(16, y + 6, 18, y + 2, TEXT)
            c.rect(25, y + 3, 50 + 20 * (i % 2), 2, SHADOW)
    elif kind == "list":
        sunken(c, 12, 36, 137, 34)
        for i in range(4):
            c.rect(16, 40 + i * 7, 60 + 15 * (i % 3), 2, SHADOW if i else TITLE_TOP)
    elif kind == "screens":
        for x in (30, 88):
            c.rect(x, 38, 44, 28, TEXT)
            c.gradient(x + 2, 40, 40, 24, TITLE_TOP, TITLE_BOTTOM)
            c.rect(x + 18, 66, 8, 4, SHADOW)


def picture(tag, title, caption, kind):
    c = Canvas(WIDTH, HEIGHT, FACE)
    c.frame(0, 0, WIDTH, HEIGHT, SHADOW)
    c.gradient(2, 2, WIDTH - 4, 14, TITLE_TOP, TITLE_BOTTOM)
    c.text(6, 5, title, WHITE)
    c.rect(WIDTH - 13, 4, 9, 9, FACE)
    c.line(WIDTH - 11, 6, WIDTH - 7, 10, TEXT)
    c.line(WIDTH - 7, 6, WIDTH - 11, 10, TEXT)
    c.rect(4, 20, 40, 10, WHITE)
    c.rect(46, 22, 30, 8, FACE)
    c.frame(4, 20, 40, 10, SHADOW)
    body(c, kind)
    for i, line in enumerate(caption):
        c.text_centred(WIDTH // 2, 84 + i * 11, line, GREEN if i == 0 else TEXT)
    c.rect(WIDTH - 46, HEIGHT - 16, 40, 11, FACE)
    c.frame(WIDTH - 46, HEIGHT - 16, 40, 11, SHADOW)
    c.text_centred(WIDTH - 26, HEIGHT - 14, "OK", TEXT)
    return c


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "cpl")
    os.makedirs(out, exist_ok=True)
    for tag, title, caption, kind in PAGES:
        picture(tag, title, caption, kind).save_jpeg(os.path.join(out, tag + ".jpg"))


if __name__ == "__main__":
    main()
