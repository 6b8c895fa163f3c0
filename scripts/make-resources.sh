#!/usr/bin/env bash
# Makes Pelmora's own pictures, icon, manifest and resource script into OUTDIR.
#   scripts/make-resources.sh OUTDIR
# Everything is drawn from fixed shapes (no randomness, no timestamps), so the
# same inputs give the same bytes. The resource script is written last: a run
# that fails part way leaves it older than this script, and the build retries.
set -euo pipefail
out=${1:?usage: make-resources.sh OUTDIR}
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)  # the resource script names its files by absolute path

# One font for Latin and CJK alike; deps.sh installs it.
font=$(fc-list -f '%{file}\n' 'WenQuanYi Micro Hei' | head -n 1)
if [ -z "$font" ]; then
  echo "make-resources: font WenQuanYi Micro Hei not found (fonts-wqy-microhei)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A mountain ridge as a closed polygon: a sum of two waves over the width,
# closed along the bottom edge.  ridge WIDTH HEIGHT BASE AMPLITUDE PHASE
ridge() {
  awk -v w="$1" -v h="$2" -v base="$3" -v amp="$4" -v ph="$5" 'BEGIN {
    step = w / 48
    for (i = 0; i <= 48; i++) {
      x = i * step
      y = base - amp * (0.6 * sin(x / w * 7.1 + ph) + 0.4 * sin(x / w * 17.3 + ph * 2.3))
      printf "%d,%d ", x, y
    }
    printf "%d,%d 0,%d", w, h, h
  }'
}

# A dusk landscape: sky gradient, a low sun with its glow, three ranges of hills
# fading into the haze, and a few stars.  scene WIDTH HEIGHT FILE
scene() {
  local w=$1 h=$2 file=$3
  local sx=$((w * 78 / 100)) sy=$((h * 60 / 100)) sr=$((h / 7))
  convert -size "${w}x${h}" gradient:'#16244f-#f1a66b' \
    \( -size "${w}x${h}" xc:none -fill '#ffd79acc' \
       -draw "circle $sx,$sy $((sx + sr * 3)),$sy" -blur 0x$((sr * 2)) \) -composite \
    -fill '#fff3d0' -draw "circle $sx,$sy $((sx + sr)),$sy" \
    -fill '#ffffffb0' \
    -draw "point $((w * 52 / 100)),$((h * 9 / 100))" -draw "point $((w * 61 / 100)),$((h * 20 / 100))" \
    -draw "point $((w * 70 / 100)),$((h * 7 / 100))" -draw "point $((w * 87 / 100)),$((h * 15 / 100))" \
    -draw "point $((w * 95 / 100)),$((h * 6 / 100))" -draw "point $((w * 44 / 100)),$((h * 17 / 100))" \
    -fill '#8f86aee0' -draw "polygon $(ridge "$w" "$h" $((h * 70 / 100)) $((h * 12 / 100)) 0.4)" \
    -fill '#4f5c8ef0' -draw "polygon $(ridge "$w" "$h" $((h * 82 / 100)) $((h * 9 / 100)) 2.1)" \
    -fill '#253256' -draw "polygon $(ridge "$w" "$h" $((h * 93 / 100)) $((h * 6 / 100)) 4.0)" \
    "$file"
}

# A rounded tile of the landscape: the program's emblem, on a transparent ground.
#   emblem SIZE FILE
emblem() {
  local s=$1 file=$2 big=$(($1 * 4))
  local r=$((big * 18 / 100)) m=$((big * 3 / 100))
  scene "$big" "$big" "$work/emblem-scene.png"
  convert "$work/emblem-scene.png" \
    \( -size "${big}x${big}" xc:none -fill white \
       -draw "roundrectangle $m,$m $((big - m - 1)),$((big - m - 1)) $r,$r" \) \
    -compose DstIn -composite -compose Over \
    -fill none -stroke '#ffffff90' -strokewidth $((big / 32 + 1)) \
    -draw "roundrectangle $((m * 2)),$((m * 2)) $((big - m * 2 - 1)),$((big - m * 2 - 1)) $r,$r" \
    -filter Lanczos -resize "${s}x${s}" "$file"
}

# GIFs hold one palette of 256 colours; dithering keeps the gradients smooth.
gif() { convert "$1" -background "${3:-white}" -alpha remove -alpha off -dither FloydSteinberg \
          -colors 256 "$2"; }

# Settings window banner, 490 x 140: the landscape with the name.
scene 490 140 "$work/banner.png"
convert "$work/banner.png" -font "$font" \
  -pointsize 50 -fill '#0c123060' -annotate +27+73 'Pelmora' \
  -fill white -annotate +24+70 'Pelmora' \
  -pointsize 16 -fill '#fff4e0' -annotate +28+100 '桌面壁纸自动更换  v1.03' \
  "$work/banner-text.png"
gif "$work/banner-text.png" "$out/banner.gif"

# About window banner, 435 x 80; its lower edge fades into the window's white,
# where the first labels overlap it.
scene 435 80 "$work/about.png"
convert "$work/about.png" \
  \( -size 435x18 gradient:'#ffffff00-#ffffff' \) -gravity south -composite +gravity \
  -font "$font" -pointsize 30 -fill '#0c123060' -annotate +22+41 'Pelmora' \
  -fill white -annotate +20+39 'Pelmora' \
  -pointsize 12 -fill '#fff4e0' -annotate +140+38 'v1.03' \
  "$work/about-text.png"
gif "$work/about-text.png" "$out/about-banner.gif"

# About picture box 1, 150 x 150: a stack of two photographs, the one behind
# turned aside, the rotation the program performs.
scene 104 78 "$work/photo.png"
convert -size 150x150 xc:white \
  \( -size 114x98 xc:'#d9dce6' -bordercolor '#c2c6d2' -border 1 \
     -background none -rotate -9 \) -gravity center -geometry -4-3 -composite \
  \( "$work/photo.png" -bordercolor white -border 5 -bordercolor '#b9bdc9' -border 1 \
     -gravity south -background white -splice 0x12 \
     -background none -rotate 4 \) -gravity center -geometry +3+3 -composite \
  "$work/picture.png"
gif "$work/picture.png" "$out/about-picture.gif"

# About picture box 2, 64 x 64: a note card with a folded corner, for the maker's note.
convert -size 256x256 xc:white \
  -fill '#fbe7a1' -stroke '#c9a74a' -strokewidth 6 \
  -draw 'polygon 40,28 176,28 220,72 220,228 40,228' \
  -fill '#e9cf78' -draw 'polygon 176,28 176,72 220,72' \
  -stroke '#b38f35' -strokewidth 10 \
  -draw 'line 72,110 188,110' -draw 'line 72,146 188,146' -draw 'line 72,182 148,182' \
  -filter Lanczos -resize 64x64 "$work/note.png"
gif "$work/note.png" "$out/about-note.gif"

# About picture box 3, 48 x 48: the emblem, beside the title link.
emblem 48 "$work/emblem-48.png"
gif "$work/emblem-48.png" "$out/about-emblem.gif"

# The icon: the emblem at each size Explorer and the notification area ask for.
emblem 16 "$work/emblem-16.png"
emblem 32 "$work/emblem-32.png"
convert "$work/emblem-16.png" "$work/emblem-32.png" "$work/emblem-48.png" "$out/pelmora.ico"

cat >"$out/pelmora.manifest" <<'EOF'
<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <assemblyIdentity type="win32" name="Pelmora" version="1.3.0.0" processorArchitecture="x86"/>
  <description>Pelmora wallpaper changer</description>
  <dependency>
    <dependentAssembly>
      <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"
                        processorArchitecture="x86" publicKeyToken="6595b64144ccf1df" language="*"/>
    </dependentAssembly>
  </dependency>
  <trustInfo xmlns="urn:schemas-microsoft-com:asm.v3">
    <security>
      <requestedPrivileges>
        <requestedExecutionLevel level="asInvoker" uiAccess="false"/>
      </requestedPrivileges>
    </security>
  </trustInfo>
  <compatibility xmlns="urn:schemas-microsoft-com:compatibility.v1">
    <application>
      <supportedOS Id="{e2011457-1546-43c5-a5fe-008deee3d3f0}"/>
      <supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/>
      <supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"/>
      <supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/>
      <supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>
    </application>
  </compatibility>
</assembly>
EOF

# ASCII only, so no code page is needed to read it. Numbers stand for the
# windows.h names (24 RT_MANIFEST, 0x40004 VOS_NT_WINDOWS32, 1 VFT_APP), so the
# script needs no system header.
cat >"$out/pelmora.rc.tmp" <<EOF
#include "$root/src/platform/win32/resource_ids.h"

IDI_PELMORA ICON "$out/pelmora.ico"

IDR_BANNER RCDATA "$out/banner.gif"
IDR_ABOUT_BANNER RCDATA "$out/about-banner.gif"
IDR_ABOUT_PICTURE RCDATA "$out/about-picture.gif"
IDR_ABOUT_NOTE RCDATA "$out/about-note.gif"
IDR_ABOUT_EMBLEM RCDATA "$out/about-emblem.gif"

1 24 "$out/pelmora.manifest"

1 VERSIONINFO
FILEVERSION 1,3,0,0
PRODUCTVERSION 1,3,0,0
FILEFLAGSMASK 0x3f
FILEFLAGS 0
FILEOS 0x40004
FILETYPE 1
FILESUBTYPE 0
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "080404b0"
    BEGIN
      VALUE "FileDescription", "Pelmora wallpaper changer"
      VALUE "FileVersion", "1.03"
      VALUE "InternalName", "Pelmora"
      VALUE "OriginalFilename", "Pelmora.exe"
      VALUE "ProductName", "Pelmora"
      VALUE "ProductVersion", "1.03"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x804, 1200
  END
END
EOF
mv -f "$out/pelmora.rc.tmp" "$out/pelmora.rc"
