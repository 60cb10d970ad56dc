#!/usr/bin/env bash
# Renders the committed PNG icons from zolvaric.svg, so the build itself needs
# no SVG renderer. Run again after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")"
../../scripts/install-deps.sh librsvg2-bin
for size in 16 32 48 64 128 256; do
    mkdir -p "$size"
    rsvg-convert -w "$size" -h "$size" zolvaric.svg -o "$size/zolvaric.png"
done
