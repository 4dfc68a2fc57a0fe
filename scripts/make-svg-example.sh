#!/usr/bin/env bash
# Redraws the README's SVG example pictures: the last frame of examples/editor-export.json
# from inkline-render, and the same SVG file as librsvg draws it (rsvg-convert, Debian's
# librsvg2-bin) on white, to compare where the strokes fall. Needs the default build.
set -euo pipefail
cd "$(dirname "$0")/.."

renderer=build/default/cli/inkline-render
test -x "$renderer" || { echo "make-svg-example.sh: build $renderer first" >&2; exit 1; }
command -v rsvg-convert >/dev/null || { echo "make-svg-example.sh: needs rsvg-convert (librsvg2-bin)" >&2; exit 1; }

frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
"$renderer" examples/editor-export.json -o "$frames" --frames 23 --jobs 1 >/dev/null
cp "$frames/frame_0023.png" docs/editor-export-inkline.png
rsvg-convert --background-color=white examples/editor-export.svg -o docs/editor-export-rsvg.png
echo "wrote docs/editor-export-inkline.png and docs/editor-export-rsvg.png"
