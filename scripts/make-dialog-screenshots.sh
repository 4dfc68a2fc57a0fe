#!/usr/bin/env bash
# Photographs the real options dialog of Inkline.aex under Wine on a virtual display, in
# English and in Japanese: docs/options-dialog-en.png and docs/options-dialog-ja.png.
# Needs the windows preset built, Wine, Xvfb, ImageMagick (import) and a Japanese font
# (fonts-ipafont-gothic), which stands in for the dialog's "MS UI Gothic".
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/wine-common.sh
on_virtual_display "$@"

preview=build/windows/tests/windows/inkline_dialog_preview.exe
test -f "$preview" || { echo "make-dialog-screenshots.sh: build the windows preset first" >&2; exit 1; }
command -v import >/dev/null || { echo "make-dialog-screenshots.sh: needs ImageMagick's import" >&2; exit 1; }
fc-list | grep -q IPAPGothic || { echo "make-dialog-screenshots.sh: needs fonts-ipafont-gothic" >&2; exit 1; }

export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fresh_wine_prefix "$prefix"
"$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
  /v "MS UI Gothic" /d IPAPGothic /f >/dev/null 2>&1
mkdir -p docs

for language in en_US:en ja_JP:ja; do
  tag=${language%%:*} name=${language##*:}
  exec {out}< <("$wine" "$preview" "$tag")
  read -r left top width height <&"$out"
  sleep 1.5  # painted
  import -window root -crop "${width}x${height}+${left}+${top}" +repage "docs/options-dialog-$name.png"
  cat <&"$out" >/dev/null
  exec {out}<&-
  echo "wrote docs/options-dialog-$name.png (${width} x ${height})"
done
stop_wine
