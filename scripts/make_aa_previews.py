#!/usr/bin/env python3
"""Makes the antialiasing preview pictures of the Direct3D antialiasing page.

data/aa/1/ holds the normal-size pictures, data/aa/2/ the zoomed ones: a
slanted edge drawn with the mode's samples per pixel, the sample pattern
and the mode's name. "auto.jpg" is the scene without antialiasing (it
stands beside every mode for comparison), "Disabled.jpg" the mode that
switches antialiasing off; every other picture is named by the mode text
the page's lists and the Direct3D reader show.

    python3 scripts/make_aa_previews.py [output folder, default data/aa]
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from imagelib import Canvas  # noqa: E402

WIDTH, HEIGHT = 209, 111  # the preview images' size on the page, in pixels
ZOOM = 4

# Mode text -> samples per pixel (1 = no antialiasing).
MODES = {
    "Disabled": 1,
    "2x": 2, "Quincunx": 5, "4x": 4, "4x 9-tap": 9, "4xS": 4, "6xS": 6, "8xS": 8, "8x": 8, "16x": 16,
    "6x": 6, "2x1": 2, "1x2": 2, "2x enh": 2, "4xSS": 4,
    "SLI 4x": 4, "SLI 4xQ": 5, "SLI 8x": 8, "SLI 8xG": 9, "SLI 8xS": 8, "SLI 12xS": 12, "SLI 16x": 16,
    "SLI 32x": 32,
}


def pattern(name, n):
    """Sample positions inside a pixel, (x, y) in 0..1."""
    if n == 1:
        return [(0.5, 0.5)]
    if name == "2x1":
        return [(0.25, 0.5), (0.75, 0.5)]
    if name == "1x2":
        return [(0.5, 0.25), (0.5, 0.75)]
    if name == "4xSS":
        return [(0.25, 0.25), (0.75, 0.25), (0.25, 0.75), (0.75, 0.75)]
    if n in (5, 9):  # a centre sample and its neighbours' shared ones
        side = 2 if n == 5 else 3
        points = [((i + 0.5) / side, (j + 0.5) / side) for i in range(side) for j in range(side)]
        if n == 5:
            points.append((0.5, 0.5))
        return points
    step = next(k for k in range(n // 2, n) if _gcd(k, n) == 1)  # a rotated grid
    return [((i + 0.5) / n, ((i * step) % n + 0.5) / n) for i in range(n)]


def _gcd(a, b):
    while b:
        a, b = b, a % b
    return a


def scene_colour(x, y):
    """The scene at a point (pixel units of the normal size): a dark wedge on a sky."""
    edge = 0.36 * x + 22  # the slanted edge
    if y > edge and x > 12:
        return (40, 52, 70)
    shade = int(150 + 80 * y / HEIGHT)
    return (min(255, shade - 40), min(255, shade - 10), 235)


def render(name, samples, zoom):
    c = Canvas(WIDTH, HEIGHT, (0, 0, 0))
    points = pattern(name, samples)
    scale = ZOOM if zoom else 1
    # The zoomed picture shows the middle of the edge, ZOOM times larger.
    ox, oy = (70, 30) if zoom else (0, 0)
    for py in range(HEIGHT):
        for px in range(WIDTH):
            sx, sy = ox + px // scale, oy + py // scale
            acc = [0, 0, 0]
            for fx, fy in points:
                col = scene_colour(sx + fx, sy + fy)
                for k in range(3):
                    acc[k] += col[k]
            c.set(px, py, tuple(v // len(points) for v in acc))
    # The sample pattern, in a box at the bottom right.
    box = 26
    bx, by = WIDTH - box - 4, HEIGHT - box - 4
    c.rect(bx, by, box, box, (245, 245, 245))
    c.frame(bx, by, box, box, (90, 90, 90))
    for fx, fy in points:
        c.rect(bx + 2 + int(fx * (box - 6)), by + 2 + int(fy * (box - 6)), 2, 2, (200, 30, 30))
    label = "No antialiasing" if name == "auto" else name
    c.rect(2, 2, Canvas.text_width(label) + 6, 11, (255, 255, 255))
    c.text(5, 4, label, (0, 0, 0))
    return c


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data", "aa")
    for size, zoom in (("1", False), ("2", True)):
        folder = os.path.join(out, size)
        os.makedirs(folder, exist_ok=True)
        render("auto", 1, zoom).save_jpeg(os.path.join(folder, "auto.jpg"), quality=85)
        for name, samples in MODES.items():
            render(name, samples, zoom).save_jpeg(os.path.join(folder, name + ".jpg"), quality=85)


if __name__ == "__main__":
    main()
