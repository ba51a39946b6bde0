#!/usr/bin/env bash
# Converts the driver's screenshots (DIR/NN-NAME.bmp) into PNG files (DIR/NN-NAME.png).
#   bmp-to-png.sh DIR
set -euo pipefail
shopt -s nullglob
for bmp in "$1"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
