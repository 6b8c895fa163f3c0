#!/usr/bin/env bash
# Times Imaging::transcodeToBmp against the bare GDI+ calls on a 4000x3000 JPEG, under Wine.
#   scripts/bench-transcode.sh [REPETITIONS]      (per child process; 10 when not given)
# Builds the Windows targets, makes the picture once (ImageMagick), runs the
# benchmark in a private Wine session and prints its figures.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PELMORA_BUILD:-$root/build}
export PELMORA_BUILD=$build
repetitions=${1:-10}

bash "$root/scripts/build.sh" win32

dir="$build/bench"
picture="$dir/photo-4000x3000.jpg"
mkdir -p "$dir"
if [ ! -s "$picture" ]; then
  # A fixed seed: the same photograph-like picture every time.
  convert -seed 7 -size 4000x3000 plasma:fractal -quality 90 "$picture.tmp.jpg"
  mv -f "$picture.tmp.jpg" "$picture"
fi

source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$dir/wine"
wine "$build/win32/pelmora_transcode_bench.exe" "Z:${picture//\//\\}" "$repetitions" | tr -d '\r'
