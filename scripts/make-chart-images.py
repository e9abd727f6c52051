#!/usr/bin/env python3
"""Draws the chart's images into resources/images: the period panel's open and close arrows,
the wide screen's back chevron and commodity-list mark, and the live price's rise, fall and
level marks. Plain shapes only, with the PNG writer of make-shell-images.py."""
import importlib.util
import os

HERE = os.path.dirname(__file__)
spec = importlib.util.spec_from_file_location("shell_images", os.path.join(HERE, "make-shell-images.py"))
shell_images = importlib.util.module_from_spec(spec)
spec.loader.exec_module(shell_images)
OUT = shell_images.OUT


def triangle(name, size, up, color):
    # A filled triangle pointing up or down, a fifth of the size from each edge.
    def inside(x, y):
        m = size / 5
        t = (y - m) / (size - 2 * m)
        if t < 0 or t > 1:
            return False
        half = (t if up else 1 - t) * (size / 2 - m)
        return abs(x - size / 2) <= half
    shell_images.shape_image(os.path.join(OUT, name), size, inside, color)


def chevron(name, size, color):
    # A left-pointing chevron two tenths of the size thick.
    def inside(x, y):
        cy = size / 2
        arm = abs(y - cy)
        edge = size * 0.3 + arm
        return arm < size * 0.32 and edge <= x <= edge + size * 0.2
    shell_images.shape_image(os.path.join(OUT, name), size, inside, color)


def dash(name, size, color):
    def inside(x, y):
        return abs(y - size / 2) < size * 0.1 and size * 0.2 < x < size * 0.8
    shell_images.shape_image(os.path.join(OUT, name), size, inside, color)


def main():
    os.makedirs(OUT, exist_ok=True)
    triangle("hq_up.png", 24, True, (230, 230, 230))
    triangle("hq_down.png", 24, False, (230, 230, 230))
    triangle("caidan.png", 24, False, (220, 220, 220))
    chevron("hengping.png", 40, (235, 235, 235))
    triangle("yikoujiaUp.png", 24, True, (255, 0, 0))
    triangle("yikoujiaDown.png", 24, False, (59, 210, 53))
    dash("ping.png", 24, (255, 255, 255))


if __name__ == "__main__":
    main()
