#!/usr/bin/env bash
# Makes the pictures the Windows tests decode, with ImageMagick, into DIR.
#   scripts/make-fixtures.sh DIR
# Each picture is 37x23 (odd, so row padding shows): red on the left, blue from
# column 19, so a decoder that mixes up rows, columns or channels is caught.
# A picture already newer than this script is kept.
set -euo pipefail
dir=${1:?usage: make-fixtures.sh DIR}
mkdir -p "$dir"
for ext in bmp jpg gif tif; do
  out="$dir/two-colours.$ext"
  [ "$out" -nt "$0" ] && continue
  # BMP3: the plain BITMAPINFOHEADER form every reader knows.
  case $ext in bmp) target="BMP3:$out.tmp" ;; *) target="$ext:$out.tmp" ;; esac
  convert -size 37x23 xc:red -fill blue -draw 'rectangle 19,0 36,22' -depth 8 "$target"
  mv -f "$out.tmp" "$out"
done
