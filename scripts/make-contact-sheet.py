#!/usr/bin/python3
"""Lays the acceptance run's snapshots (build/test/snapshots/acceptance/NN-name.png, in the
order of the day) out on one contact sheet, docs/screens.png, each picture at half size with
its number and name under it. Needs python3-pil (scripts/install-deps)."""
import glob
import os
import sys

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
SOURCE = os.path.join(ROOT, "build", "test", "snapshots", "acceptance",
                      "aTradingDayThroughTheScreens")
TARGET = os.path.join(ROOT, "docs", "screens.png")
COLUMNS = 8
SCALE = 2
LABEL = 18
GAP = 8
FONTS = ["/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
         "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"]


def font():
    for path in FONTS:
        if os.path.exists(path):
            return ImageFont.truetype(path, 11)
    return ImageFont.load_default()


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else SOURCE
    paths = sorted(glob.glob(os.path.join(source, "[0-9][0-9]-*.png")))
    if not paths:
        sys.exit("make-contact-sheet: no snapshots in %s (run the acceptance test first)" % source)
    cell_w, cell_h = 320 // SCALE, 568 // SCALE
    rows = (len(paths) + COLUMNS - 1) // COLUMNS
    sheet = Image.new("RGB", (GAP + COLUMNS * (cell_w + GAP), GAP + rows * (cell_h + LABEL + GAP)),
                      (236, 236, 236))
    draw = ImageDraw.Draw(sheet)
    label_font = font()
    for index, path in enumerate(paths):
        picture = Image.open(path).convert("RGB")
        picture.thumbnail((cell_w, cell_h), Image.LANCZOS)
        x = GAP + (index % COLUMNS) * (cell_w + GAP)
        y = GAP + (index // COLUMNS) * (cell_h + LABEL + GAP)
        sheet.paste(picture, (x + (cell_w - picture.width) // 2, y))
        name = os.path.splitext(os.path.basename(path))[0]
        draw.text((x, y + cell_h + 3), name, fill=(40, 40, 40), font=label_font)
    sheet.save(TARGET, optimize=True)
    print("make-contact-sheet: %d screens on %s" % (len(paths), os.path.relpath(TARGET, ROOT)))


if __name__ == "__main__":
    main()
