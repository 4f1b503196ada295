#!/usr/bin/env bash
# Renders the program's icon (data/icons/palvex.svg) into the PNG sizes the desktop's icon theme
# and the window use. Run it after changing the SVG, and commit the PNGs (the build does not
# need rsvg-convert, from Debian's librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" palvex.svg -o "palvex-$size.png"
done
