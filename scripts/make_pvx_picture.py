#!/usr/bin/env python3
"""Draws the picture pvx shows in its main window and about box:
data/cleaner/pvx.bmp, a red tile with the program's name.
Run from anywhere:  python3 scripts/make_pvx_picture.py
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from imagelib import Canvas  # noqa: E402

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "cleaner", "pvx.bmp")


def main():
    size = 96
    c = Canvas(size, size, (255, 255, 255))
    c.gradient(4, 4, size - 8, size - 8, (230, 90, 80), (140, 30, 30))
    c.frame(4, 4, size - 8, size - 8, (90, 20, 20), thickness=2)
    c.text_centred(size // 2, 22, "PVX", (255, 255, 255), scale=4)
    # A file sheet with its corner turned, going into the backup box below.
    c.rect(36, 58, 24, 26, (255, 255, 255))
    c.rect(52, 58, 8, 8, (200, 70, 60))
    c.line(52, 58, 59, 65, (255, 255, 255))
    for y in (66, 71, 76):
        c.line(40, y, 55, y, (150, 150, 150))
    c.save_bmp(OUT)


if __name__ == "__main__":
    main()
