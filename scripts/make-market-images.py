#!/usr/bin/env python3
"""Draws the market list's images (section header band, add tile, tile marks, direction arrows,
help pictures) into resources/images. Plain shapes only, with the PNG writer of
make-shell-images.py; the tile background and the row separator come from make-trade-images.py."""
import importlib.util
import math
import os

HERE = os.path.dirname(__file__)
spec = importlib.util.spec_from_file_location("shell_images", os.path.join(HERE, "make-shell-images.py"))
shell_images = importlib.util.module_from_spec(spec)
spec.loader.exec_module(shell_images)
png, mix, coverage, OUT = shell_images.png, shell_images.mix, shell_images.coverage, shell_images.OUT

CLEAR = bytes((0, 0, 0, 0))


def out(name):
    return os.path.join(OUT, name)


def header_band():
    # 320 x 50 points at scale 2: a blue band under the exchange line, a thin rule at its foot.
    def pixel(x, y):
        if y < 30:
            c = mix((38, 86, 168), (30, 64, 132), x / 640)
            return bytes((*c, 255))
        if y < 34:
            return bytes((70, 120, 200, 255))
        return bytes((*mix((52, 52, 64), (44, 44, 55), (y - 34) / 66), 255))
    png(out("left_blue_bgs@2x.png"), 640, 100, pixel)


def plus_minus():
    size = 60
    def inside(x, y):
        cx = cy = size / 2
        ring = abs(math.hypot(x - cx, y - cy) - 26) < 2.2
        bar = abs(y - cy) < 2.2 and abs(x - cx) < 15
        stem = abs(x - cx) < 2.2 and abs(y - cy) < 15
        return ring or bar or stem
    shell_images.shape_image(out("zengjian@2x.png"), size, inside, (230, 230, 236))


def delete_mark():
    size = 40
    def pixel(x, y):
        cx = cy = size / 2
        disc = coverage(lambda px, py: math.hypot(px - cx, py - cy) < 18, x, y)
        cross = coverage(lambda px, py: math.hypot(px - cx, py - cy) < 11 and
                         (abs((px - cx) - (py - cy)) < 2.6 or abs((px - cx) + (py - cy)) < 2.6), x, y)
        if disc == 0:
            return CLEAR
        c = mix((220, 40, 40), (255, 255, 255), cross)
        return bytes((*c, int(255 * disc)))
    png(out("delete@2x.png"), size, size, pixel)


def arrow(name, up, color):
    w, h = 14, 10
    def inside(x, y):
        t = y / h if up else 1 - y / h
        return abs(x - w / 2) <= t * w / 2
    def pixel(x, y):
        return bytes((*color, int(255 * coverage(inside, x, y))))
    png(out(name), w, h, pixel)


def help_picture(name, draw):
    w, h = 320, 568
    png(out(name), w, h, lambda x, y: draw(x + 0.5, y + 0.5))


def hand(px, py, cx, cy):
    # A finger tip and palm, pointing up.
    finger = abs(px - cx) < 9 and cy - 40 < py < cy + 5
    tip = math.hypot(px - cx, py - (cy - 40)) < 9
    palm = math.hypot((px - cx - 10) / 28, (py - cy - 25) / 24) < 1
    return finger or tip or palm


def push_picture(px, py):
    # The first commodity row outlined, a finger swiping it left and the arrow of the swipe.
    top, bottom = 212, 256
    mid = (top + bottom) / 2
    if top < py < bottom and 2 < px < 318:
        if abs(py - top - 1) < 1 or abs(py - bottom + 1) < 1:
            return bytes((255, 255, 255, 200))
    arrow_line = abs(py - mid) < 2 and 80 < px < 230
    head = px >= 70 and px < 95 and abs(py - mid) < (px - 70) * 0.6
    if arrow_line or head:
        return bytes((255, 200, 60, 255))
    if hand(px, py, 240, mid + 45):
        return bytes((255, 255, 255, 235))
    return CLEAR


def longpress_picture(px, py):
    # The first watch tile outlined, with rings of a finger held on it.
    x0, y0 = 5, 69
    cx, cy = x0 + 50, y0 + 50
    if x0 < px < x0 + 99 and y0 < py < y0 + 99:
        if min(px - x0, py - y0, x0 + 99 - px, y0 + 99 - py) < 2:
            return bytes((255, 255, 255, 220))
    d = math.hypot(px - cx, py - cy)
    if any(abs(d - r) < 1.5 for r in (18, 30)):
        return bytes((255, 200, 60, 255))
    if hand(px, py, cx + 5, cy + 50):
        return bytes((255, 255, 255, 235))
    return CLEAR


def main():
    os.makedirs(OUT, exist_ok=True)
    header_band()
    plus_minus()
    delete_mark()
    arrow("upLoad@2x.png", True, (255, 0, 0))
    arrow("downLoad@2x.png", False, (59, 210, 53))
    help_picture("push.png", push_picture)
    help_picture("longpress.png", longpress_picture)


if __name__ == "__main__":
    main()
