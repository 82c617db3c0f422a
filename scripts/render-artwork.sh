#!/usr/bin/env bash
# Renders the program's artwork from its SVG sources into the PNG files kept beside them: the
# twelve mouse cursors at 32 and 64 pixels, and the application icon at each size of the hicolor
# theme (16 to 32 from their own pixel-aligned drawings, larger sizes from the full one).
# Run it after changing an SVG, and commit the PNG files with it. Needs rsvg-convert
# (librsvg2-bin).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2; exit 1; }

cursors=$root/src/platform/cursors
for svg in "$cursors"/*.svg; do
    name=$(basename "$svg" .svg)
    rsvg-convert -w 32 -h 32 -o "$cursors/$name.png" "$svg"
    rsvg-convert -w 64 -h 64 -o "$cursors/$name@2x.png" "$svg"
done

icons=$root/data/icons
mkdir -p "$icons/png"
for size in 16 24 32 48 64 128 256; do
    source=$icons/quillmar.svg
    [[ -f $icons/quillmar-$size.svg ]] && source=$icons/quillmar-$size.svg
    rsvg-convert -w "$size" -h "$size" -o "$icons/png/quillmar-$size.png" "$source"
done
