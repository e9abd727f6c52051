#!/usr/bin/env python3
"""Draws the shell's images (splash, guide pages, tab icons, bar icons) for both brand
variants into resources/images. Plain shapes only, written as PNG with zlib; no other tool."""
import math
import os
import struct
import zlib

OUT = os.path.join(os.path.dirname(__file__), "..", "resources", "images")


def png(path, width, height, pixel):
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(pixel(x, y))
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(len(a)))


def coverage(inside, x, y, samples=3):
    hits = 0
    for i in range(samples):
        for j in range(samples):
            if inside(x + (i + 0.5) / samples, y + (j + 0.5) / samples):
                hits += 1
    return hits / (samples * samples)


def shape_image(path, size, inside, color):
    def pixel(x, y):
        a = coverage(inside, x, y)
        return bytes((*color, int(255 * a)))
    png(path, size, size, pixel)


def gradient_with_mark(path, width, height, top, bottom, mark, ring):
    cx, cy, r = width / 2, height * 0.36, width * 0.2
    def pixel(x, y):
        base = mix(top, bottom, y / height)
        d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
        if abs(d - r) < 3:
            base = ring
        elif d < r - 10 and ingot(x + 0.5 - cx, y + 0.5 - cy, r - 10):
            base = mark
        return bytes((*base, 255))
    png(path, width, height, pixel)


def ingot(dx, dy, r):
    # a trapezoid bar, wider at the bottom
    h = r * 0.45
    if dy < -h / 2 or dy > h / 2:
        return False
    half = r * 0.45 + (dy + h / 2) / h * r * 0.2
    return abs(dx) < half


BRANDS = {
    "VKDZ": {"top": (120, 20, 24), "bottom": (41, 41, 51), "mark": (230, 196, 110),
             "ring": (250, 226, 160), "accent": (230, 60, 60)},
    "RWDZ": {"top": (16, 52, 110), "bottom": (20, 24, 40), "mark": (212, 180, 100),
             "ring": (240, 214, 140), "accent": (220, 170, 60)},
}

ICONS = {
    # market: rising bars
    "hangqing": lambda x, y: any(x > 4 + i * 8 and x < 9 + i * 8 and y > 24 - (i + 1) * 5 and y < 26
                                 for i in range(3)),
    # trade: two arrows (up and down)
    "jiaoyi": lambda x, y: (abs(x - 10) < (y - 4) * 0.6 and 4 < y < 14) or (8 < x < 12 and 13 <= y < 26)
    or (abs(x - 20) < (26 - y) * 0.6 and 16 < y < 26) or (18 < x < 22 and 4 < y <= 17),
    # community: two circles
    "shequ": lambda x, y: math.hypot(x - 11, y - 11) < 6 or math.hypot(x - 20, y - 19) < 6,
    # service: a ring with a dot
    "fuwu": lambda x, y: 8 < math.hypot(x - 15, y - 15) < 11 or math.hypot(x - 15, y - 15) < 3,
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for brand, c in BRANDS.items():
        name = brand.lower()
        gradient_with_mark(os.path.join(OUT, f"{name}_welcome.png"), 320, 568, c["top"], c["bottom"],
                           c["mark"], c["ring"])
        for page in range(3):
            t = page / 2
            top = mix(c["top"], c["bottom"], t * 0.5)
            gradient_with_mark(os.path.join(OUT, f"{name}_guide{page + 1}.png"), 320, 568, top,
                               c["bottom"], mix(c["mark"], c["accent"], t), c["ring"])
        for icon, inside in ICONS.items():
            shape_image(os.path.join(OUT, f"{name}_tab_{icon}.png"), 30, inside, (150, 150, 160))
            shape_image(os.path.join(OUT, f"{name}_tab_{icon}_sel.png"), 30, inside, c["accent"])
    back = lambda x, y: abs(y - 11) < 9 and abs(x - (3 + abs(y - 11) * 0.8) - 3) < 2.2
    shape_image(os.path.join(OUT, "nav_back.png"), 22, back, (255, 255, 255))
    menu = lambda x, y: 3 < x < 19 and any(abs(y - r) < 1.3 for r in (6, 11, 16))
    shape_image(os.path.join(OUT, "nav_menu.png"), 22, menu, (255, 255, 255))


if __name__ == "__main__":
    main()
