#!/usr/bin/env bash
# Runs the interface tests with screenshots on and writes the pictures they take as PNG files.
#   tools/shots.sh OUT_DIR [TEST_PROGRAM_NAME [GTEST_FILTER]]
# (default: every Windows test program; the pictures are named by the tests)
set -euo pipefail
out=${1:?usage: tools/shots.sh OUT_DIR [TEST_PROGRAM [FILTER]]}
program=${2:-}
filter=${3:-*Screenshot*}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../scripts" && pwd)
bash "$here/setup.sh" >/dev/null
. "$here/env.sh"
bash "$here/build.sh" win32 >/dev/null
mkdir -p "$out"
out=$(cd "$out" && pwd)
. "$here/xsession.sh"
xsession_start
export VELMORA_SHOTS=$(winepath -w "$out")
export WINEDEBUG=-all
cd "$VELMORA_ROOT/${VELMORA_BUILD:-build}/$VELMORA_WINDOWS_BUILD/tests"
for exe in ${program:+$program.exe} $( [ -z "$program" ] && ls win_*_tests.exe ); do
  wine "$exe" --gtest_filter="$filter" >/dev/null 2>&1 || true
done
for bmp in "$out"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  echo "${bmp%.bmp}.png"
done
