#!/usr/bin/env python3
"""Draws the main window's tool bar icons and renders them for the Qt resource.

Every icon is drawn on a 24-unit grid: one unit is one pixel of NAME.png and two
pixels of NAME@2x.png. One-unit strokes sit on half units and two-unit strokes on
whole units, so both sizes stay crisp. Bodies (pages, windows, lenses) are light
with a mid-slate edge and marks are mid-tone colours, so an icon reads on light
and dark tool bars alike.

Usage: make_icons.py [--svg-dir DIR]   (needs rsvg-convert from librsvg2-bin)
"""

import argparse
import os
import subprocess
import sys
import tempfile

ICON_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

PALETTE = {
    "ink": "#687890",      # edges, neutral marks
    "inkDark": "#55657c",  # heavy parts (printer body, lens handle)
    "body": "#f6f8fb",     # pages, windows, lenses
    "bodyBack": "#dfe5ee", # surfaces behind a body
    "blue": "#2f7ff0",
    "green": "#1ea35f",
    "red": "#e5484d",
    "amber": "#f2a313",
    "amberDark": "#d08606",
    "violet": "#8b5cf6",
    "pink": "#f0708a",
    "white": "#ffffff",
}

# Shared pieces, in 24-unit coordinates.


def anchor(x, y):
    """A square drag handle on a drawn line, centred on the whole unit x, y."""
    return (f'<rect x="{x - 1.5}" y="{y - 1.5}" width="3" height="3" fill="{{body}}" '
            f'stroke="{{ink}}" stroke-width="1"/>')


def candle(x, top, body_top, body_bottom, bottom, colour):
    """A candle whose one-unit wick is centred on the half unit x."""
    return (f'<path d="M{x} {top}V{bottom}" stroke="{{{colour}}}" stroke-width="1"/>'
            f'<rect x="{x - 1.5}" y="{body_top}" width="3" height="{body_bottom - body_top}" '
            f'fill="{{{colour}}}"/>')


def tile(x, y, w, h):
    """A small chart window: a body with a title strip, outer box x..x+w, y..y+h."""
    return (f'<rect x="{x + .5}" y="{y + .5}" width="{w - 1}" height="{h - 1}" rx="1" '
            f'fill="{{body}}" stroke="{{ink}}"/>'
            f'<path d="M{x + 1} {y + 1}h{w - 2}v2h-{w - 2}z" fill="{{blue}}"/>')


def badge_mask(name, x, y, w, h, r=2.5):
    """A mask that cuts a one-unit gap around a badge at x, y, w, h."""
    return (f'<mask id="{name}"><rect width="24" height="24" fill="#fff"/>'
            f'<rect x="{x - 1}" y="{y - 1}" width="{w + 2}" height="{h + 2}" rx="{r + 1}" '
            f'fill="#000"/></mask>')


def zigzag(points, colour="green", width=1.25):
    """A price line through the given points."""
    d = "M" + "L".join(f"{x} {y}" for x, y in points)
    return (f'<path d="{d}" fill="none" stroke="{{{colour}}}" stroke-width="{width}" '
            'stroke-linecap="round" stroke-linejoin="round"/>')


FOLDER_BACK = '<path d="M2 20V5a1 1 0 0 1 1-1h5.5l2 2H21a1 1 0 0 1 1 1v13z" fill="{amberDark}"/>'
FOLDER_FRONT = '<path d="M2 21l3-10h17l-3 10z" fill="{amber}"/>'


def small_folder(x, y):
    """An open folder badge, 12x10, top left at x, y."""
    return (f'<g transform="translate({x} {y})">'
            '<path d="M0 10V1a1 1 0 0 1 1-1h3l2 2h5a1 1 0 0 1 1 1V10z" fill="{amberDark}"/>'
            '<path d="M0 10l2-6h10l-2 6z" fill="{amber}"/></g>')


def small_floppy(x, y):
    """A floppy disk badge, 11x11, top left at x, y."""
    return (f'<g transform="translate({x} {y})">'
            '<path d="M0 1.5a1.5 1.5 0 0 1 1.5-1.5h6.5l3 3v6.5a1.5 1.5 0 0 1-1.5 1.5h-8a1.5 1.5 0 0 1-1.5-1.5z" '
            'fill="{blue}"/>'
            '<rect x="3" y="0" width="5" height="3" fill="{body}"/>'
            '<rect x="2" y="6" width="7" height="5" fill="{body}"/></g>')


ARROW_STROKE = 'fill="none" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"'
GROUP = tile(1, 2, 10, 9) + tile(13, 2, 10, 9) + tile(1, 13, 10, 9) + tile(13, 13, 10, 9)

ICONS = {
    "updater": (
        # An arrow dropping price data into a tray.
        '<path d="M2.5 11v7.5a2 2 0 0 0 2 2h15a2 2 0 0 0 2-2V11" fill="{body}" stroke="{ink}"/>'
        + candle(6.5, 13, 14, 18, 19, "green") + candle(17.5, 11, 12, 17, 18, "green") +
        '<path d="M12 2v12M8 10l4 4 4-4" stroke="{blue}" ' + ARROW_STROKE + '/>'
    ),
    "open": (
        FOLDER_BACK +
        '<rect x="6.5" y="3.5" width="13" height="11" rx="1" fill="{body}" stroke="{ink}"/>' +
        zigzag([(8.5, 12.5), (11.5, 9.5), (13.5, 11.5), (17.5, 7.5)]) + FOLDER_FRONT
    ),
    "previous": (
        '<circle cx="12" cy="12" r="10" fill="{blue}"/>'
        '<path d="M17 12H7M12 7l-5 5 5 5" stroke="{white}" ' + ARROW_STROKE + '/>'
    ),
    "next": (
        '<circle cx="12" cy="12" r="10" fill="{blue}"/>'
        '<path d="M7 12h10M12 7l5 5-5 5" stroke="{white}" ' + ARROW_STROKE + '/>'
    ),
    "openGroup": (
        badge_mask("cut", 12, 12, 12, 10) + '<g mask="url(#cut)">' + GROUP + '</g>' +
        small_folder(12, 12)
    ),
    "saveGroup": (
        badge_mask("cut", 12, 12, 11, 11) + '<g mask="url(#cut)">' + GROUP + '</g>' +
        small_floppy(12, 12)
    ),
    "print": (
        '<rect x="6.5" y="2.5" width="11" height="6" fill="{body}" stroke="{ink}"/>'
        '<rect x="2" y="8" width="20" height="10" rx="2" fill="{inkDark}"/>'
        '<rect x="17" y="10" width="2" height="2" fill="{green}"/>'
        '<rect x="5.5" y="13.5" width="13" height="8" fill="{body}" stroke="{ink}"/>' +
        zigzag([(7.5, 19.5), (9.5, 17.5), (11.5, 19.5), (15.5, 15.5)])
    ),
    "copy": (
        '<rect x="2.5" y="2.5" width="12" height="14" rx="1.5" fill="{bodyBack}" stroke="{ink}"/>'
        '<rect x="8.5" y="7.5" width="13" height="14" rx="1.5" fill="{body}" stroke="{ink}"/>' +
        zigzag([(10.5, 18.5), (13.5, 15.5), (15.5, 17.5), (19.5, 13.5)])
    ),
    "putIndicators": (
        # A paint roller repeating a chart's indicator line.
        '<path d="M2 20c2-5 4-5 6-2s4 3 6-2" fill="none" stroke="{violet}" stroke-width="2" '
        'stroke-linecap="round"/>'
        '<rect x="9" y="2" width="12" height="5" rx="1.5" fill="{violet}"/>'
        '<path d="M21 4.5h1.5v5h-7V12" fill="none" stroke="{inkDark}" stroke-width="1"/>'
        '<rect x="14" y="12" width="3" height="9" rx="1" fill="{inkDark}"/>'
    ),
    "editor": (
        '<mask id="knobs"><rect width="24" height="24" fill="#fff"/>'
        '<circle cx="8" cy="6" r="4" fill="#000"/><circle cx="16" cy="12" r="4" fill="#000"/>'
        '<circle cx="10" cy="18" r="4" fill="#000"/></mask>'
        '<path d="M3 6h18M3 12h18M3 18h18" stroke="{ink}" stroke-width="2" stroke-linecap="round" '
        'mask="url(#knobs)"/>'
        '<circle cx="8" cy="6" r="3" fill="{blue}"/>'
        '<circle cx="16" cy="12" r="3" fill="{violet}"/>'
        '<circle cx="10" cy="18" r="3" fill="{green}"/>'
    ),
    "zoom": (
        '<path d="M15 15l6 6" stroke="{inkDark}" stroke-width="3.5" stroke-linecap="round"/>'
        '<circle cx="10" cy="10" r="7" fill="{body}" stroke="{inkDark}" stroke-width="2"/>'
        '<path d="M6.5 10h7M10 6.5v7" stroke="{blue}" stroke-width="2"/>'
    ),
    "clear": (
        # An eraser taking indicator lines off a chart.
        '<path d="M2 13c2-3 4-3 6-1" fill="none" stroke="{amber}" stroke-width="2" '
        'stroke-linecap="round"/>'
        '<path d="M2 20c2-4 5-5 8-3" fill="none" stroke="{violet}" stroke-width="2" '
        'stroke-linecap="round"/>'
        '<g transform="rotate(-45 15 11)">'
        '<rect x="7.5" y="7.5" width="15" height="8" rx="1.5" fill="{body}" stroke="{ink}"/>'
        '<path d="M8 8h5v7h-5z" fill="{pink}"/>'
        '</g>'
    ),
    "expand": (
        '<path d="M3 4h18M6 1L3 4l3 3M18 1l3 3-3 3" stroke="{blue}" ' + ARROW_STROKE + '/>' +
        candle(4.5, 10, 12, 19, 22, "green") + candle(11.5, 9, 11, 16, 20, "red") +
        candle(18.5, 11, 13, 20, 23, "green")
    ),
    "compress": (
        '<path d="M1 4h6M4 1l3 3-3 3M23 4h-6M20 1l-3 3 3 3" stroke="{blue}" ' + ARROW_STROKE + '/>' +
        candle(8.5, 10, 12, 19, 22, "green") + candle(12.5, 9, 11, 16, 20, "red") +
        candle(16.5, 11, 13, 20, 23, "green")
    ),
    "pitchfork": (
        '<path d="M3 17L22 9.2M9 8L22 2.8M11 20L22 15.6" fill="none" stroke="{blue}" '
        'stroke-width="1.5" stroke-linecap="round"/>'
        '<path d="M9 8L11 20" stroke="{ink}" stroke-width="1" stroke-dasharray="1.5 1"/>' +
        anchor(3, 17) + anchor(9, 8) + anchor(11, 20)
    ),
    "channel": (
        '<path d="M3 13L21 4V11L3 20z" fill="{blue}" opacity=".18"/>'
        '<path d="M3 13L21 4M3 20L21 11" stroke="{blue}" stroke-width="2" stroke-linecap="round"/>' +
        anchor(4, 19) + anchor(20, 11)
    ),
    "trendline": (
        '<path d="M5 19L19 5" stroke="{blue}" stroke-width="2"/>' + anchor(5, 19) + anchor(19, 5)
    ),
    "fibonacci": (
        '<path d="M2 4.5h20" stroke="{ink}" stroke-width="1"/>'
        '<path d="M2 10.5h20" stroke="{green}" stroke-width="1"/>'
        '<path d="M2 14.5h20" stroke="{amber}" stroke-width="1"/>'
        '<path d="M2 16.5h20" stroke="{red}" stroke-width="1"/>'
        '<path d="M2 20.5h20" stroke="{ink}" stroke-width="1"/>'
        '<path d="M5 20L19 5" stroke="{blue}" stroke-width="1.5" stroke-dasharray="2 1.5"/>' +
        anchor(5, 20) + anchor(19, 5)
    ),
    "readValues": (
        # A crosshair on an OHLC bar, its value shown in a readout.
        '<path d="M13.5 1v22M1 9.5h12" stroke="{blue}" stroke-width="1"/>'
        '<path d="M7 3v18M3 16h4M7 10h4" stroke="{green}" stroke-width="2"/>'
        '<rect x="14" y="6" width="9" height="7" rx="1" fill="{blue}"/>'
        '<path d="M16 9.5h2m1 0h2" stroke="{white}" stroke-width="1"/>'
    ),
    "help": (
        '<circle cx="12" cy="12" r="10" fill="{blue}"/>'
        '<path d="M8.9 9.3a3.2 3.2 0 1 1 4.5 2.9c-.9.45-1.4 1.1-1.4 2.1v.6" fill="none" '
        'stroke="{white}" stroke-width="2.3" stroke-linecap="round" stroke-linejoin="round"/>'
        '<circle cx="12" cy="17.6" r="1.4" fill="{white}"/>'
    ),
}


def svg(name):
    body = ICONS[name].format(**PALETTE)
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" '
            f'viewBox="0 0 24 24">{body}</svg>\n')


def render(svg_path, png_path, size):
    subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o", png_path,
                    svg_path], check=True)


def write_qrc(names):
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '<qresource prefix="/toolbar">']
    for name in names:
        lines.append(f'    <file>{name}.png</file>')
        lines.append(f'    <file>{name}@2x.png</file>')
    lines += ['</qresource>', '</RCC>', '']
    with open(os.path.join(ICON_DIR, "toolbar.qrc"), "w") as out:
        out.write("\n".join(lines))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--svg-dir", help="keep the drawn SVG files here")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as scratch:
        svg_dir = args.svg_dir or scratch
        os.makedirs(svg_dir, exist_ok=True)
        for name in ICONS:
            svg_path = os.path.join(svg_dir, name + ".svg")
            with open(svg_path, "w") as out:
                out.write(svg(name))
            render(svg_path, os.path.join(ICON_DIR, name + ".png"), 24)
            render(svg_path, os.path.join(ICON_DIR, name + "@2x.png"), 48)
    write_qrc(ICONS)
    return 0


if __name__ == "__main__":
    sys.exit(main())
