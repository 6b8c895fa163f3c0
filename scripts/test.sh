#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test layer:
# native unit tests, then the Windows tests and the end-to-end scenarios under Wine.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PELMORA_BUILD:-$root/build}
export PELMORA_BUILD=$build

bash "$root/scripts/deps.sh" || { echo "installing dependencies failed" >&2; exit 1; }
bash "$root/scripts/build.sh" native win32 || { echo "build failed" >&2; exit 1; }

passed=0
failed=0
broken=0
logs="$build/test-logs"
mkdir -p "$logs"

# Runs one GoogleTest program and adds its counts; a program that ends without
# its summary (a crash) counts as broken.
run_gtest() {
  local name=$1
  shift
  echo "=== $name"
  "$@" 2>&1 | tee "$logs/$name.log"
  local rc=${PIPESTATUS[0]}
  local p f
  p=$(tr -d '\r' <"$logs/$name.log" | sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' | tail -1)
  f=$(tr -d '\r' <"$logs/$name.log" | sed -n 's/^ *\([0-9]*\) FAILED TESTS\?$/\1/p' | tail -1)
  passed=$((passed + ${p:-0}))
  failed=$((failed + ${f:-0}))
  if [ "$rc" -ne 0 ] || [ -z "$p" ]; then broken=$((broken + 1)); fi
}

run_gtest unit "$build/native/pelmora_unit_tests"

# Pictures and folder trees for the Windows tests, made fresh each run.
fixtures="$build/fixtures"
mkdir -p "$fixtures"
bash "$root/scripts/make-tree-fixture.sh" "$fixtures" || { echo "making fixtures failed" >&2; exit 1; }
bash "$root/scripts/make-fixtures.sh" "$fixtures" || { echo "making fixtures failed" >&2; exit 1; }
export PELMORA_FIXTURES="Z:$(echo "$fixtures" | tr / '\\')"

source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
if wine_session_start "$build/wine"; then
  run_gtest win32 wine "$build/win32/pelmora_win32_tests.exe"
  # The end-to-end layer runs inside a Wine virtual desktop, whose wallpaper a
  # screenshot can show.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wineserver -w
  export PELMORA_EXE="Z:$(echo "$build/win32/Pelmora.exe" | tr / '\\')"
  export PELMORA_E2E_SCREENSHOT="Z:$(echo "$build/e2e-desktop.bmp" | tr / '\\')"
  export PELMORA_E2E_ABOUT_SCREENSHOT="Z:$(echo "$build/e2e-about.bmp" | tr / '\\')"
  run_gtest e2e wine "$build/win32/pelmora_e2e_tests.exe"
  for shot in e2e-desktop e2e-about; do
    [ -f "$build/$shot.bmp" ] && convert "$build/$shot.bmp" "$build/$shot.png" 2>/dev/null
  done
else
  broken=$((broken + 1))
fi
wine_session_stop

echo
echo "tests: $passed passed, $failed failed"
if [ "$failed" -ne 0 ] || [ "$broken" -ne 0 ] || [ "$passed" -eq 0 ]; then
  [ "$broken" -ne 0 ] && echo "$broken test program(s) did not finish cleanly" >&2
  exit 1
fi
