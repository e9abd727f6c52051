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

def refresh_mark(x, y):
    # a broken ring with an arrow head: "tap for a new captcha"
    d = math.hypot(x - 70, y - 40)
    angle = math.degrees(math.atan2(y - 40, x - 70)) % 360
    ring = 11 < d < 15 and not (300 < angle < 350)
    head = abs(x - 84) < (y - 22) * 0.7 and 22 < y < 32
    return ring or head


def captcha_placeholder(path):
    def box(x, y):
        cx = min(max(x, 6), 134)
        cy = min(max(y, 6), 74)
        return math.hypot(x - cx, y - cy) <= 6

    def pixel(x, y):
        if not box(x + 0.5, y + 0.5):
            return bytes((0, 0, 0, 0))
        if shell.coverage(refresh_mark, x, y) > 0.4:
            return bytes((230, 230, 235, 255))
        return bytes((90, 90, 104, 255))
    shell.png(os.path.join(OUT, path), 140, 80, pixel)


def band(path):
    def pixel(x, y):
        return bytes((*shell.mix((40, 92, 160), (28, 54, 98), x / 320), 255))
    shell.png(os.path.join(OUT, path), 320, 25, pixel)


GLYPHS = {
    # delist: arrow down into a tray
    "zhaiPaiA": lambda x, y: (abs(x - 75) < 5 and 30 < y < 55) or (abs(x - 75) < (68 - y) * 0.9 and 52 <= y < 68),
    # transfer: arrow up
    "tuiPaiA": lambda x, y: (abs(x - 75) < 5 and 45 < y < 72) or (abs(x - 75) < (y - 28) * 0.9 and 28 < y <= 48),
    # list: a plus
    "guaPaiA": lambda x, y: (abs(x - 75) < 5 and 28 < y < 70) or (abs(y - 49) < 5 and 54 < x < 96),
    # announcements: a bell
    "JYgonggao": lambda x, y: (math.hypot(x - 75, y - 50) < 18 and y < 58) or (abs(y - 60) < 3 and abs(x - 75) < 24)
    or math.hypot(x - 75, y - 68) < 5,
    # queries: a magnifier
    "JYchaXun": lambda x, y: 11 < math.hypot(x - 70, y - 45) < 17 or (abs((x - 70) - (y - 45)) < 6 and 17 < x - 70 < 32),
    # funds: two arrows left and right
    "JYchurujin": lambda x, y: (abs(y - 40) < 4 and 55 < x < 95) or (abs(y - 40) < (x - 88) * 0.0 + (98 - x) * 0.8 and 88 < x < 98)
    or (abs(y - 60) < 4 and 55 < x < 95) or (abs(y - 60) < (x - 52) * 0.8 and 52 < x < 62),
    # reports: bars
    "JYbaobiao": lambda x, y: any(abs(x - (58 + 17 * i)) < 5 and 70 - 12 * (i + 1) < y < 70 for i in range(3)),
    # account: a person
    "JYzhanghu": lambda x, y: math.hypot(x - 75, y - 38) < 10 or (math.hypot(x - 75, y - 72) < 22 and 54 < y < 70),
    # more: three dots
    "JYmore": lambda x, y: any(math.hypot(x - (57 + 18 * i), y - 50) < 6 for i in range(3)),
}

COLOURS = {
    "zhaiPaiA": (200, 52, 48), "tuiPaiA": (46, 140, 86), "guaPaiA": (214, 128, 40),
    "JYgonggao": (186, 60, 130), "JYchaXun": (52, 110, 190), "JYchurujin": (176, 146, 40),
    "JYbaobiao": (90, 90, 190), "JYzhanghu": (40, 150, 160), "JYmore": (110, 110, 124),
}


def menu_icon(path, glyph, colour):
    def pixel(x, y):
        d = math.hypot(x + 0.5 - 75, y + 0.5 - 75)
        if d > 75:
            return bytes((0, 0, 0, 0))
        base = shell.mix(tuple(min(255, c + 50) for c in colour), colour, (y / 150))
        if d > 71:
            base = shell.mix(base, (255, 255, 255), 0.35)
        if shell.coverage(glyph, x, y) > 0.5:
            base = (255, 255, 255)
        return bytes((*base, 255))
    shell.png(os.path.join(OUT, path), 150, 150, pixel)


def login_images():
    """The trade tab's captcha placeholder, account band and the nine menu icons."""
    captcha_placeholder("failcode.png")
    band("left_blue_bgs.png")
    for name, glyph in GLYPHS.items():
        menu_icon(f"{name}.png", glyph, COLOURS[name])


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
    login_images()


if __name__ == "__main__":
    main()
