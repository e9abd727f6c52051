#!/usr/bin/env python3
"""Draws the images of the trading screens (rules, frames, tabs, buttons, tick boxes, arrows)
into resources/images, with the drawing helpers of make-shell-images.py."""
import importlib.util
import math
import os

HERE = os.path.dirname(__file__)
_spec = importlib.util.spec_from_file_location("shell_images", os.path.join(HERE, "make-shell-images.py"))
shell = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(shell)
OUT = shell.OUT


def rounded_box(path, width, height, radius, fill, border=None, top=None):
    """A rounded rectangle; with top, the fill is a vertical gradient from top to fill."""
    def inside(x, y, inset=0.0):
        r = max(radius - inset, 0)
        cx = min(max(x, r + inset), width - r - inset)
        cy = min(max(y, r + inset), height - r - inset)
        if x < inset or y < inset or x > width - inset or y > height - inset:
            return False
        return math.hypot(x - cx, y - cy) <= r

    def pixel(x, y):
        a = shell.coverage(inside, x, y)
        color = shell.mix(top, fill, y / max(height - 1, 1)) if top else fill
        if border and not all(inside(x + dx, y + dy, 1.0) for dx in (0.25, 0.75) for dy in (0.25, 0.75)):
            color = border
        return bytes((*color, int(255 * a)))
    shell.png(os.path.join(OUT, path), width, height, pixel)


def solid(path, width, height, color):
    shell.png(os.path.join(OUT, path), width, height, lambda x, y: bytes((*color, 255)))


def shape(path, width, height, inside, color):
    def pixel(x, y):
        return bytes((*color, int(255 * shell.coverage(inside, x, y))))
    shell.png(os.path.join(OUT, path), width, height, pixel)


def tick_box(path, ticked):
    def pixel(x, y):
        box = shell.coverage(lambda px, py: 2 <= px <= 23 and 2 <= py <= 23, x, y)
        inner = shell.coverage(lambda px, py: 4 <= px <= 21 and 4 <= py <= 21, x, y)
        if ticked:
            mark = shell.coverage(lambda px, py: (abs(py - (px + 8)) < 2.2 and 6 <= px <= 11) or
                                  (abs(py - (27 - px)) < 2.2 and 10 <= px <= 20), x, y)
            if mark > 0:
                return bytes((255, 255, 255, int(255 * mark)))
            return bytes((214, 48, 49, int(255 * box)))
        if inner > 0.5:
            return bytes((59, 59, 71, 255))
        return bytes((170, 170, 180, int(255 * box)))
    shell.png(os.path.join(OUT, path), 25, 25, pixel)


def arrow(path, up, color):
    def inside(x, y):
        if up:
            return 3 <= y <= 17 and abs(x - 10) <= (y - 3) * 0.55 or (8 <= x <= 12 and 10 <= y <= 18)
        return 3 <= y <= 17 and abs(x - 10) <= (17 - y) * 0.55 or (8 <= x <= 12 and 2 <= y <= 10)
    shape(path, 20, 20, inside, color)


def polyline(points, width):
    def distance(px, py, ax, ay, bx, by):
        dx, dy = bx - ax, by - ay
        t = max(0, min(1, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(px - (ax + t * dx), py - (ay + t * dy))

    def inside(x, y):
        return any(distance(x, y, *points[i], *points[i + 1]) < width / 2 for i in range(len(points) - 1))
    return inside


def service_images():
    """The more menu's grouped rows, row arrows, line marks, account marks and buttons."""
    row_top, row = (59, 59, 71), (52, 52, 63)
    rounded_box("filletUP.png", 20, 20, 6, row, top=row_top)
    rounded_box("filletDown.png", 20, 20, 6, row, top=row_top)
    rounded_box("middle.png", 20, 20, 0, row, top=row_top)
    rounded_box("juselashen.png", 12, 12, 2, (186, 96, 26), top=(214, 120, 40))
    grey = (170, 170, 182)
    shape("JYzhankai.png", 15, 17, polyline([(4, 2), (11, 8.5), (4, 15)], 2.4), grey)
    shape("Arrow.png", 14, 21, polyline([(4, 3), (11, 10.5), (4, 18)], 2.4), grey)
    tick = polyline([(5, 10.5), (8.5, 14), (15, 6.5)], 2.4)
    shape("duihao.png", 20, 20, lambda x, y: math.hypot(x - 10, y - 10) < 9.5 and not tick(x, y),
          (226, 62, 58))
    shape("duihao2.png", 20, 20, lambda x, y: 8 < math.hypot(x - 10, y - 10) < 9.5, (120, 120, 132))
    shape("rightPassword.png", 24, 24, polyline([(5, 12.5), (10, 17.5), (19, 7)], 3.2), (59, 210, 53))
    shape("tianjia.png", 25, 25,
          lambda x, y: (abs(x - 12.5) < 1.6 and 6 < y < 19) or (abs(y - 12.5) < 1.6 and 6 < x < 19)
          or 10.5 < math.hypot(x - 12.5, y - 12.5) < 12.2, (255, 255, 255))
    rounded_box("quan.png", 52, 24, 12, (41, 41, 51), border=grey)
    rounded_box("quan_press.png", 52, 24, 12, (186, 34, 34), top=(226, 62, 58))


def main():
    rounded_box("lashen.png", 80, 80, 8, (30, 30, 38), border=(80, 80, 96), top=(58, 58, 72))
    rounded_box("lashen_x.png", 40, 30, 4, (255, 255, 255), border=(150, 150, 160))
    solid("xian-hengxian.png", 320, 1, (70, 70, 84))
    solid("xian-shuxian.png", 1, 85, (70, 70, 84))
    rounded_box("anniuhong.png", 40, 40, 5, (196, 36, 40), top=(236, 80, 80))
    rounded_box("anniu.png", 40, 40, 5, (70, 70, 84), border=(110, 110, 126), top=(96, 96, 112))
    rounded_box("zhouqi_press.png", 100, 38, 5, (150, 26, 30), top=(214, 60, 62))
    rounded_box("zhouqi.png", 100, 38, 5, (41, 41, 51), border=(96, 96, 112))
    rounded_box("fenshi_press.png", 100, 38, 5, (150, 26, 30), top=(214, 60, 62))
    rounded_box("fenshi.png", 100, 38, 5, (41, 41, 51), border=(96, 96, 112))
    shape("xiasanjiao.png", 14, 9, lambda x, y: y >= 1 and abs(x - 7) <= (8 - y) * 0.8, (220, 220, 230))
    tick_box("xuan.png", False)
    tick_box("xuan_press.png", True)
    arrow("mairu_press.png", True, (255, 255, 255))
    arrow("maichu_press.png", False, (255, 255, 255))

    service_images()


if __name__ == "__main__":
    main()
