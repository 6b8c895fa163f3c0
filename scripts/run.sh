#!/usr/bin/env bash
# Builds Pelmora.exe and runs it under Wine with a demo picture folder: on
# $DISPLAY when there is one, otherwise on a private Xvfb display inside a Wine
# virtual desktop, leaving a screenshot after the first change in build/screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PELMORA_BUILD:-$root/build}
bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" win32 >/dev/null

demo="$build/demo"
pictures="$demo/图片"
mkdir -p "$pictures"
cp -f "$build/win32/Pelmora.exe" "$demo/Pelmora.exe"
colours=(steelblue darkseagreen indianred goldenrod slateblue)
for i in 1 2 3 4 5; do
  f="$pictures/风景$i.jpg"
  [ -f "$f" ] || convert -size 1024x768 "gradient:${colours[$((i - 1))]}-white" \
    -font /usr/share/fonts/truetype/wqy/wqy-microhei.ttc -gravity center -pointsize 96 -fill white -annotate 0 "Pelmora $i" "$f"
done
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }
# The settings file is code page 936, as the program writes it.
printf '[图片设置]\r\n图片目录=%s\r\n随机显示=假\r\n间隔时间=5\r\n时间单位=0\r\n显示样式=2\r\n[选项]\r\n开启壁纸=真\r\n随系统启动=假\r\n后台托盘=真\r\n' \
  "$(winpath "$pictures")" | iconv -f UTF-8 -t CP936 >"$demo/Pelmora.ini"
rm -f "$demo/桌面背景文件.bmp"

source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
if [ -n "${DISPLAY:-}" ]; then
  WINE_SESSION_USE_DISPLAY=1 wine_session_start "$build/run-wine"
  wine "$(winpath "$demo/Pelmora.exe")"
  exit 0
fi

WINE_SESSION_SCREEN=1024x768x24 wine_session_start "$build/run-wine"
wine explorer /desktop=Pelmora,1024x768 "$(winpath "$demo/Pelmora.exe")" >/dev/null 2>&1 &
app=$!
for _ in $(seq 1 60); do
  [ -s "$demo/桌面背景文件.bmp" ] && break
  sleep 1
done
[ -s "$demo/桌面背景文件.bmp" ] || { echo "no wallpaper change within a minute" >&2; exit 1; }
sleep 2  # let the desktop repaint
import -display "$DISPLAY" -window root "$build/screenshot.png"
echo "first change done; screenshot: $build/screenshot.png"
kill "$app" 2>/dev/null || true
