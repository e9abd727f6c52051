#!/usr/bin/env python3
"""Draws the quote screen's images (toolbar marks, watch toggle, hint arrow, commodity list
frame) into resources/images. Plain shapes only, with the PNG writer of make-shell-images.py."""
import importlib.util
import math
import os

HERE = os.path.dirname(__file__)
spec = importlib.util.spec_from_file_location("shell_images", os.path.join(HERE, "make-shell-images.py"))
shell_images = importlib.util.module_from_spec(spec)
spec.loader.exec_module(shell_images)
png, mix, coverage, OUT = shell_images.png, shell_images.mix, shell_images.coverage, shell_images.OUT

CLEAR = bytes((0, 0, 0, 0))
LIGHT = (230, 230, 236)


def out(name):
    return os.path.join(OUT, name)


def lightning(name, color):
    # A bolt in a ring: the quick-trade entries, red for delisting and blue for transfer.
    size = 60
    def inside(x, y):
        cx = cy = size / 2
        ring = abs(math.hypot(x - cx, y - cy) - 24) < 2.4
        upper = 14 <= y <= 31 and abs(x - (cx + 4 - (y - 14) * 0.55)) < 3.5
        lower = 29 <= y <= 46 and abs(x - (cx + 4 - (y - 29) * 0.55)) < 3.5
        bar = 28 <= y <= 32 and cx - 7 <= x <= cx + 7
        return ring or upper or lower or bar
    shell_images.shape_image(out(name), size, inside, color)


def refresh():
    size = 60
    def inside(x, y):
        cx = cy = size / 2
        angle = math.degrees(math.atan2(y - cy, x - cx)) % 360
        arc = abs(math.hypot(x - cx, y - cy) - 17) < 2.6 and not (300 < angle < 350)
        head = (x - 44) + (y - 14) * 0.2 > -9 and x < 48 and 10 < y < 26 and (y - 10) > (44 - x) * 0.3
        return arc or (head and abs(x - 44) < 8)
    shell_images.shape_image(out("shuaixin@2x.png"), size, inside, LIGHT)


def plus_in_circle():
    size = 52
    def pixel(x, y):
        cx = cy = size / 2
        disc = coverage(lambda px, py: math.hypot(px - cx, py - cy) < 24, x, y)
        plus = coverage(lambda px, py: (abs(px - cx) < 2.6 and abs(py - cy) < 13) or
                        (abs(py - cy) < 2.6 and abs(px - cx) < 13), x, y)
        if disc == 0:
            return CLEAR
        return bytes((*mix((214, 60, 46), (255, 255, 255), plus), int(255 * disc)))
    png(out("add@2x.png"), size, size, pixel)


def up_arrow():
    size = 40
    def inside(x, y):
        head = y < 20 and abs(x - 20) < (y - 2) * 0.9
        stem = 18 <= y < 38 and abs(x - 20) < 5
        return head or stem
    shell_images.shape_image(out("up@2x.png"), size, inside, (255, 200, 40))


def popover_frame():
    # 183 x 220 points at scale 2; stretched with caps of 9 points on top and 5 below.
    w, h = 366, 440
    def pixel(x, y):
        border = x < 2 or x >= w - 2 or y < 10 or y >= h - 2
        if y < 10:
            return bytes((*(250, 250, 250), 255)) if abs(x - w / 2) < (y + 1) * 1.2 else CLEAR
        if border:
            return bytes((250, 250, 250, 255))
        return bytes((*mix((58, 58, 70), (46, 46, 56), y / h), 255))
    png(out("shangpinpopover@2x.png"), w, h, pixel)


def main():
    lightning("kuaimai@2x.png", (236, 80, 60))
    lightning("kuaimai2@2x.png", (80, 150, 240))
    refresh()
    plus_in_circle()
    up_arrow()
    popover_frame()


if __name__ == "__main__":
    main()
