#!/usr/bin/env bash
# Renders the scalable icon into the PNG sizes that are installed and built into the editor.
# Run after changing desktop/icons/org.example.tintora.svg and commit the PNGs with it.
# Needs rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../desktop/icons"
for size in 16 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" org.example.tintora.svg -o "org.example.tintora-$size.png"
done
