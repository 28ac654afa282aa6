#!/usr/bin/env bash
# Renders the hicolor sizes of the programs' icons from their SVGs (run by hand after a change to an
# SVG; needs rsvg-convert from librsvg2-bin). The PNGs are kept in the repository, so the build does
# not need it.
set -euo pipefail
cd "$(dirname "$0")"
for svg in *.svg; do
    name=${svg%.svg}
    for size in 16 22 24 32 48 64 128 256; do
        mkdir -p "${size}x${size}"
        rsvg-convert -w "$size" -h "$size" "$svg" -o "${size}x${size}/$name.png"
    done
done
