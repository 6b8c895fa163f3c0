#!/usr/bin/env bash
# Builds the Windows programs, makes a tree of 20,000 pictures in 200 folders and
# runs the catalogue benchmark on it under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PELMORA_BUILD:-$root/build}
bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" win32 >/dev/null
tree="$build/bench/tree"
if [ ! -f "$tree/.complete" ]; then
  rm -rf "$tree"
  for d in $(seq -w 1 20); do
    for s in $(seq -w 1 9); do
      mkdir -p "$tree/d$d/s$s"
      (cd "$tree/d$d/s$s" && touch $(printf 'p%03d.jpg ' $(seq 1 100)))
    done
    (cd "$tree/d$d" && touch $(printf 'p%03d.jpg ' $(seq 1 100)))
  done
  touch "$tree/.complete"
fi
source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$build/bench/wine"
wine "$build/win32/pelmora_catalogue_bench.exe" "Z:$(echo "$tree" | tr / '\\')" "${ROUNDS:-5}"
