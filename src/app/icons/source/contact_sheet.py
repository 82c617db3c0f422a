#!/usr/bin/python3
"""Lays the rendered tool bar icons out on light and dark tool bars for review.

Usage: contact_sheet.py OUT.png [MAGNIFY]   (needs python3-pil)
Each row shows every icon at 1x and 2x on a light and a dark bar; MAGNIFY > 1
enlarges the sheet with square pixels to inspect edges.
"""

import os
import sys

from PIL import Image, ImageDraw

ICON_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BARS = (("light", (240, 240, 240)), ("dark", (45, 45, 48)))


def icon_names():
    with open(os.path.join(ICON_DIR, "toolbar.qrc")) as qrc:
        return [line.strip()[6:-11] for line in qrc
                if line.strip().startswith("<file>") and "@2x" not in line]


def main():
    out = sys.argv[1]
    magnify = int(sys.argv[2]) if len(sys.argv) > 2 else 1
    names = icon_names()
    label_w, cell = 90, 56
    sheet = Image.new("RGB", (label_w + len(BARS) * 2 * cell, len(names) * cell), "white")
    draw = ImageDraw.Draw(sheet)
    for row, name in enumerate(names):
        y = row * cell
        draw.text((4, y + cell // 2 - 6), name, fill=(0, 0, 0))
        for b, (_, colour) in enumerate(BARS):
            for s, suffix in enumerate(("", "@2x")):
                x = label_w + (b * 2 + s) * cell
                draw.rectangle((x, y, x + cell - 1, y + cell - 1), fill=colour)
                icon = Image.open(os.path.join(ICON_DIR, name + suffix + ".png")).convert("RGBA")
                sheet.paste(icon, (x + (cell - icon.width) // 2, y + (cell - icon.height) // 2), icon)
    if magnify > 1:
        sheet = sheet.resize((sheet.width * magnify, sheet.height * magnify), Image.NEAREST)
    sheet.save(out)


if __name__ == "__main__":
    main()
