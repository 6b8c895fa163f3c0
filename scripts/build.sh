#!/usr/bin/env bash
# Builds the native logic with its unit tests and the i686 Windows program with its tests.
#   scripts/build.sh [native] [win32]     (both when none is named)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PELMORA_BUILD:-$root/build}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(native win32)
for t in "${targets[@]}"; do
  case $t in
    native)
      cmake -S "$root" -B "$build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
      cmake --build "$build/native" -j2 ;;
    win32)
      cmake -S "$root" -B "$build/win32" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
      cmake --build "$build/win32" -j2 ;;
    *) echo "unknown build: $t" >&2; exit 2 ;;
  esac
done
