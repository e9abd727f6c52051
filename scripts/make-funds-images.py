#!/usr/bin/env python3
"""Draws the images only the funds screens use (the detail panel's back arrow and its rule)
into resources/images, with the helpers of make-trade-images.py."""
import importlib.util
import os

HERE = os.path.dirname(__file__)
_spec = importlib.util.spec_from_file_location("trade_images",
                                               os.path.join(HERE, "make-trade-images.py"))
trade = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(trade)


def chevron_left(x, y):
    """A left-pointing chevron, 3 points thick, in a 16 x 27 box."""
    return abs(x - (3 + abs(y - 13.5) * 0.75)) <= 1.8 and 2 <= y <= 25


def main():
    trade.shape("fanhui.png", 16, 27, chevron_left, (255, 255, 255))
    trade.solid("click@2x.png", 320, 1, (70, 70, 84))


if __name__ == "__main__":
    main()
