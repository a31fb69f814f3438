#!/usr/bin/env python3
"""Draws the contact card's line icons into resources/data/.

The icons stand at the right of the card's lines that act when tapped, in
the 16-pixel set and the 32-pixel set for high-resolution screens:
  ICON16/ICON32 42220  telephone (calls the number)
  ICON16/ICON32 42221  envelope (writes an e-mail)
  ICON16/ICON32 42222  globe (opens the web page)
  ICON16/ICON32 42223  page (opens the linked file)
Drawn with the shapes of make-list-art.py (standard library only).
Run from anywhere: python3 scripts/make-card-art.py
"""
import importlib.util
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("list_art", os.path.join(HERE, "make-list-art.py"))
art = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(art)

INK = 0x4285C6  # the contact list's tag colour


def ellipse_ring(cx, cy, rx, ry, thickness):
    def inside(x, y):
        d = math.hypot((x - cx) / rx, (y - cy) / ry)
        return abs(d - 1.0) * min(rx, ry) <= thickness / 2
    return inside


def phone(s):
    canvas = art.Canvas(16 * s, 16 * s)
    # A handset lying on its back: the handle curves round the lower left,
    # the ear cap at the top, the mouth cap at the right.
    cx, cy, r = 12.5 * s, 3.5 * s, 8.5 * s

    def handle(x, y):
        angle = math.degrees(math.atan2(y - cy, x - cx)) % 360
        return abs(math.hypot(x - cx, y - cy) - r) <= 1.6 * s and 95 <= angle <= 175
    canvas.fill(handle, INK)
    canvas.fill(art.polygon([(1.5 * s, 1.5 * s), (6 * s, 1.5 * s), (6.5 * s, 5.5 * s),
                             (3 * s, 6.5 * s)]), INK)
    canvas.fill(art.polygon([(10 * s, 9.5 * s), (14.5 * s, 10 * s), (14.5 * s, 14.5 * s),
                             (9.5 * s, 13.5 * s)]), INK)
    return canvas


def envelope(s):
    canvas = art.Canvas(16 * s, 16 * s)
    canvas.fill(art.rounded_rect(1.5 * s, 3.5 * s, 14.5 * s, 12.5 * s, 1 * s), INK)
    canvas.fill(art.rounded_rect(2.7 * s, 4.7 * s, 13.3 * s, 11.3 * s, 0.5 * s), 0xFFFFFF)
    canvas.fill(art.segment(2.5 * s, 4.8 * s, 8 * s, 9 * s, 1.2 * s), INK)
    canvas.fill(art.segment(13.5 * s, 4.8 * s, 8 * s, 9 * s, 1.2 * s), INK)
    return canvas


def globe(s):
    canvas = art.Canvas(16 * s, 16 * s)
    canvas.fill(art.ring(8 * s, 8 * s, 6 * s, 1.3 * s), INK)
    canvas.fill(ellipse_ring(8 * s, 8 * s, 2.6 * s, 6 * s, 1.1 * s), INK)
    canvas.fill(art.segment(2.5 * s, 8 * s, 13.5 * s, 8 * s, 1.1 * s), INK)
    canvas.fill(art.segment(8 * s, 2 * s, 8 * s, 14 * s, 1.1 * s), INK)
    return canvas


def page(s):
    canvas = art.Canvas(16 * s, 16 * s)
    outline = art.polygon([(3 * s, 1.5 * s), (10 * s, 1.5 * s), (13 * s, 4.5 * s),
                           (13 * s, 14.5 * s), (3 * s, 14.5 * s)])
    inner = art.polygon([(4.2 * s, 2.7 * s), (9.5 * s, 2.7 * s), (11.8 * s, 5 * s),
                         (11.8 * s, 13.3 * s), (4.2 * s, 13.3 * s)])
    canvas.fill(outline, INK)
    canvas.fill(inner, 0xFFFFFF)
    canvas.fill(art.polygon([(9.5 * s, 1.5 * s), (13 * s, 5 * s), (9.5 * s, 5 * s)]), INK)
    for row in range(3):
        y = (7.5 + 2 * row) * s
        canvas.fill(art.segment(5.5 * s, y, 10.5 * s, y, 0.9 * s), INK)
    return canvas


def main():
    for s, folder in ((1, "ICON16"), (2, "ICON32")):
        icons = os.path.join(art.DATA, folder)
        os.makedirs(icons, exist_ok=True)
        for number, draw in ((42220, phone), (42221, envelope), (42222, globe), (42223, page)):
            art.write_png(os.path.join(icons, f"{number}.png"), draw(s))


if __name__ == "__main__":
    main()
