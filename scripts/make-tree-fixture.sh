#!/usr/bin/env bash
# Makes the folder trees the Windows tests walk: DIR/tree (names, a hidden file,
# a subfolder named like a picture, a link loop) and DIR/apply (real pictures).
set -euo pipefail
dir=$1
rm -rf "$dir/tree" "$dir/apply"
mkdir -p "$dir/tree/pics.jpg" "$dir/tree/x/deep" "$dir/apply"
for f in a.JPG b.jpeg c.Tiff d.tif e.png f.bmp.txt pics.jpg/inner.gif x/y.gif x/deep/z.bmp; do
  echo "$f" >"$dir/tree/$f"
done
echo hidden >"$dir/tree/.hidden.jpg"  # Wine shows dot files as hidden
ln -s .. "$dir/tree/x/deep/up"        # back to x: a loop
ln -s ../.. "$dir/tree/x/deep/top"    # back to the root: a loop
convert -size 37x23 xc:'#3366cc' "BMP3:$dir/apply/a.BMP"
convert -size 41x29 gradient:red-blue "$dir/apply/b.jpg"
truncate -s 2500M "$dir/huge.jpg"
# Solid pictures for the end-to-end scenarios: blue, green, red in folder order.
rm -rf "$dir/e2e"
mkdir -p "$dir/e2e"
for c in red green blue; do
  convert -size 64x48 "xc:$c" -type TrueColor "BMP3:$dir/e2e/$c.bmp"
done
