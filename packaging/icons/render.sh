#!/usr/bin/env bash
# Renders the PNG sizes of the application icon from pelmora.svg. Run it after changing the
# SVG and commit the results; the build installs them as they are. Needs rsvg-convert
# (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "png/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" pelmora.svg -o "png/${size}x${size}/pelmora.png"
done
