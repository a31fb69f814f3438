#!/usr/bin/env python3
"""Draws the list controls' bitmaps and icons into resources/data/.

The art is ours, drawn here from simple shapes (standard library only), in
the 16-pixel set and the 32-pixel set for high-resolution screens:
  BITMAP 166/273  small ABC bar backspace glyph (magenta is transparent)
  BITMAP 241/268  big ABC bar keypad, normal look
  BITMAP 242/269  big ABC bar keypad, pressed look
  BITMAP 368/369  splitter bar background
  ICON16/ICON32 200/301  search glyph (the search field's clear button)
  ICON16/ICON32 251-254/303-306  busy animation frames
  ICON16 184/186, ICON32 298/299  company header, expanded / collapsed
  ICON16/ICON32 42210/42211  stock picture of a person / a company
  ICON16 119, ICON32 300  the category button's down arrow
Run from anywhere: python3 scripts/make-list-art.py
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "resources", "data")
SAMPLES = 4  # supersampling per axis


def rgb(value):
    return ((value >> 16) & 255, (value >> 8) & 255, value & 255)


class Canvas:
    def __init__(self, width, height, background=None):
        self.width, self.height = width, height
        fill = (0.0, 0.0, 0.0, 0.0) if background is None else (*map(float, rgb(background)), 1.0)
        self.pixels = [list(fill) for _ in range(width * height)]

    def coverage(self, inside, x, y):
        hits = 0
        for sy in range(SAMPLES):
            for sx in range(SAMPLES):
                if inside(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES):
                    hits += 1
        return hits / (SAMPLES * SAMPLES)

    def fill(self, inside, colour, hard=False, box=None):
        """Paints `colour` (an int or a function of y) where `inside` holds."""
        x0, y0, x1, y1 = box if box else (0, 0, self.width, self.height)
        for y in range(max(0, int(y0)), min(self.height, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(self.width, int(math.ceil(x1)))):
                amount = self.coverage(inside, x, y)
                if hard:
                    amount = 1.0 if amount >= 0.5 else 0.0
                if amount > 0:
                    self.blend(x, y, colour(y + 0.5) if callable(colour) else rgb(colour), amount)

    def blend(self, x, y, colour, amount):
        pixel = self.pixels[y * self.width + x]
        alpha = pixel[3] + amount * (1 - pixel[3])
        for c in range(3):
            base = pixel[c] * pixel[3] * (1 - amount)
            pixel[c] = (colour[c] * amount + base) / alpha if alpha > 0 else 0.0
        pixel[3] = alpha

    def rows(self):
        for y in range(self.height):
            yield [tuple(int(round(v)) for v in self.pixels[y * self.width + x][:3])
                   + (int(round(self.pixels[y * self.width + x][3] * 255)),)
                   for x in range(self.width)]


# Shapes: functions (x, y) -> bool.
def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def ring(cx, cy, radius, thickness):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - radius) <= thickness / 2


def disc(cx, cy, radius):
    return lambda x, y: math.hypot(x - cx, y - cy) <= radius


def segment(ax, ay, bx, by, thickness):
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) <= thickness / 2
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def gradient(top_value, bottom_value, y0, y1):
    top, bottom = rgb(top_value), rgb(bottom_value)

    def colour(y):
        t = min(1.0, max(0.0, (y - y0) / max(1e-6, y1 - y0)))
        return tuple(top[c] + (bottom[c] - top[c]) * t for c in range(3))
    return colour


def backspace_glyph(canvas, left, top, s, ink, cut, hard=False):
    """A left-pointing key cap with an x cut out, 16 x 12 units of s pixels."""
    p = lambda x, y: (left + x * s, top + y * s)
    canvas.fill(polygon([p(0.5, 6), p(5.5, 1), p(15.5, 1), p(15.5, 11), p(5.5, 11)]), ink, hard)
    canvas.fill(segment(*p(7.5, 3.6), *p(12.5, 8.4), 1.7 * s), cut, hard)
    canvas.fill(segment(*p(12.5, 3.6), *p(7.5, 8.4), 1.7 * s), cut, hard)


def small_backspace(s):
    canvas = Canvas(16 * s, 12 * s, 0xFF00FF)
    backspace_glyph(canvas, 0, 0, s, 0x4A4A4A, 0xFF00FF, hard=True)
    return canvas


def keypad(s, pressed):
    cell_w, cell_h = 60 * s, 30 * s
    canvas = Canvas(3 * cell_w, 3 * cell_h, 0xD4D7DC)
    face = (0xA9ADB3, 0xC9CCD1) if pressed else (0xFFFFFF, 0xE2E4E8)
    edge = 0x6B7078 if pressed else 0x959AA2
    for cell in range(9):
        x0, y0 = (cell % 3) * cell_w, (cell // 3) * cell_h
        box = (x0, y0, x0 + cell_w, y0 + cell_h)
        inset = 1.5 * s
        outer = rounded_rect(x0 + inset, y0 + inset, x0 + cell_w - inset, y0 + cell_h - inset, 4 * s)
        inner = rounded_rect(x0 + inset + s, y0 + inset + s, x0 + cell_w - inset - s,
                             y0 + cell_h - inset - s, 3 * s)
        canvas.fill(outer, edge, box=box)
        canvas.fill(inner, gradient(face[0], face[1], y0, y0 + cell_h), box=box)
        if cell == 0:
            bottom = gradient(face[0], face[1], y0, y0 + cell_h)((y0 + cell_h) / 2)
            cut = int(bottom[0]) << 16 | int(bottom[1]) << 8 | int(bottom[2])
            backspace_glyph(canvas, x0 + 22 * s, y0 + 9 * s, s, 0x4A4A4A, cut)
    return canvas


def splitter_background(s):
    canvas = Canvas(16 * s, 18 * s)
    canvas.fill(lambda x, y: True, gradient(0xF4F5F7, 0xC9CDD3, 0, 18 * s))
    canvas.fill(lambda x, y: y < s, 0x8E939B)
    canvas.fill(lambda x, y: s <= y < 2 * s, 0xFFFFFF)
    canvas.fill(lambda x, y: y >= 17 * s, 0x7A7F87)
    return canvas


def search_glyph(s):
    canvas = Canvas(12 * s, 12 * s)
    canvas.fill(ring(4.8 * s, 4.8 * s, 3.3 * s, 1.4 * s), 0x4A4A4A)
    canvas.fill(segment(7.4 * s, 7.4 * s, 10.8 * s, 10.8 * s, 2.0 * s), 0x4A4A4A)
    return canvas


def busy_frame(s, frame):
    canvas = Canvas(12 * s, 12 * s)
    shades = [0x2B2B2B, 0x6A6A6A, 0x9A9A9A] + [0xC8C8C8] * 5
    for dot in range(8):
        angle = math.radians(dot * 45 - 90)
        cx = 6 * s + 4.2 * s * math.cos(angle)
        cy = 6 * s + 4.2 * s * math.sin(angle)
        canvas.fill(disc(cx, cy, 1.25 * s), shades[(2 * frame - dot) % 8])
    return canvas


def fold_icon(s, expanded):
    canvas = Canvas(16 * s, 16 * s)
    canvas.fill(rounded_rect(2 * s, 2 * s, 14 * s, 14 * s, 2 * s), 0x636363)
    canvas.fill(rounded_rect(3 * s, 3 * s, 13 * s, 13 * s, 1.5 * s), 0xFFFFFF)
    canvas.fill(segment(5 * s, 8 * s, 11 * s, 8 * s, 1.5 * s), 0x4285C6)
    if not expanded:
        canvas.fill(segment(8 * s, 5 * s, 8 * s, 11 * s, 1.5 * s), 0x4285C6)
    return canvas


def down_arrow(s):
    canvas = Canvas(8 * s, 8 * s)
    canvas.fill(polygon([(1 * s, 2.5 * s), (7 * s, 2.5 * s), (4 * s, 6 * s)]), 0x2B2B2B)
    return canvas


def person_icon(s):
    canvas = Canvas(16 * s, 16 * s)
    canvas.fill(disc(8 * s, 5 * s, 3 * s), 0x636363)
    canvas.fill(rounded_rect(2.5 * s, 9 * s, 13.5 * s, 15 * s, 3 * s), 0x636363)
    return canvas


def company_icon(s):
    canvas = Canvas(16 * s, 16 * s)
    canvas.fill(rounded_rect(3 * s, 2 * s, 13 * s, 15 * s, 0.5 * s), 0x636363)
    for row in range(3):
        for col in range(2):
            x, y = (5 + 4 * col) * s, (4 + 3.5 * row) * s
            canvas.fill(rounded_rect(x, y, x + 2 * s, y + 2 * s, 0.2 * s), 0xFFFFFF)
    return canvas


def write_bmp(path, canvas):
    stride = (canvas.width * 3 + 3) & ~3
    rows = list(canvas.rows())
    body = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b, _ in row:
            line += bytes((b, g, r))
        body += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(body),
                       3780, 3780, 0, 0)
    with open(path, "wb") as file:
        file.write(header + info + body)


def write_png(path, canvas):
    raw = bytearray()
    for row in canvas.rows():
        raw.append(0)
        for pixel in row:
            raw += bytes(pixel)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    with open(path, "wb") as file:
        file.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                   + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    bitmaps = os.path.join(DATA, "BITMAP")
    os.makedirs(bitmaps, exist_ok=True)
    for s, ids in ((1, (166, 241, 242, 368)), (2, (273, 268, 269, 369))):
        write_bmp(os.path.join(bitmaps, f"{ids[0]}.bmp"), small_backspace(s))
        write_bmp(os.path.join(bitmaps, f"{ids[1]}.bmp"), keypad(s, False))
        write_bmp(os.path.join(bitmaps, f"{ids[2]}.bmp"), keypad(s, True))
        write_bmp(os.path.join(bitmaps, f"{ids[3]}.bmp"), splitter_background(s))
    for s, glyph, first_busy in ((1, 200, 251), (2, 301, 303)):
        icons = os.path.join(DATA, "ICON16" if s == 1 else "ICON32")
        os.makedirs(icons, exist_ok=True)
        write_png(os.path.join(icons, f"{glyph}.png"), search_glyph(s))
        for frame in range(4):
            write_png(os.path.join(icons, f"{first_busy + frame}.png"), busy_frame(s, frame))
        write_png(os.path.join(icons, "42210.png"), person_icon(s))
        write_png(os.path.join(icons, "42211.png"), company_icon(s))
    for s, arrow in ((1, 119), (2, 300)):
        icons = os.path.join(DATA, "ICON16" if s == 1 else "ICON32")
        write_png(os.path.join(icons, f"{arrow}.png"), down_arrow(s))
    for s, ids in ((1, (184, 186)), (2, (298, 299))):
        icons = os.path.join(DATA, "ICON16" if s == 1 else "ICON32")
        write_png(os.path.join(icons, f"{ids[0]}.png"), fold_icon(s, True))
        write_png(os.path.join(icons, f"{ids[1]}.png"), fold_icon(s, False))


if __name__ == "__main__":
    main()
