#!/usr/bin/env bash
# Redraws the options dialog's banner (bitmap 203): renders examples/banner.json with
# inkline-render and converts the frame to a 730 x 130, 32-bit BMP for the resource script.
# Needs the default build (scripts/test.sh default, or cmake --preset default and a build)
# and ImageMagick (apt-get install imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."

renderer=build/default/cli/inkline-render
test -x "$renderer" || { echo "make-banner.sh: build $renderer first" >&2; exit 1; }
command -v convert >/dev/null || { echo "make-banner.sh: needs ImageMagick's convert" >&2; exit 1; }

frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
"$renderer" examples/banner.json -o "$frames" --jobs 1 >/dev/null
# BMP3 with an alpha channel: a BITMAPINFOHEADER bitmap of 32 bits a pixel, rows bottom-up,
# as LoadImageA reads it.
convert "$frames/frame_0000.png" -depth 8 -alpha set -define bmp3:alpha=true BMP3:src/resources/banner.bmp
echo "wrote src/resources/banner.bmp"
