#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine and prints their figures.
#   tools/bench.sh              the benchmarks inside the program's code
#   tools/bench.sh --user [N]   from outside, as a user: the packaged program started as a user
#                               starts it, beside Wine's notepad, in N rounds (5)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../scripts" && pwd)
bash "$here/setup.sh" >/dev/null
. "$here/env.sh"
bash "$here/build.sh" win32 >/dev/null
. "$here/xsession.sh"
xsession_start
echo "machine: $(nproc) cores, $(LC_ALL=C free -g | awk '/Mem:/{print $2}') GiB, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "wine: $(wine --version), the $VELMORA_WINDOWS_BUILD build"
if [ "${1:-}" = "--user" ]; then
  stage=$(mktemp -d)
  trap 'rm -rf "$stage"; xsession_cleanup' EXIT
  zip=$(VELMORA_PACKAGE_BUILD=$VELMORA_WINDOWS_BUILD bash "$here/package.sh" "$stage" | tail -n 1)
  (cd "$stage" && unzip -q "$zip")
  wine "$VELMORA_ROOT/${VELMORA_BUILD:-build}/$VELMORA_WINDOWS_BUILD/bench/velmora_user_bench.exe" "$(winepath -w "$stage/Velmora/Velmora.exe")" "${2:-5}"
  exit 0
fi
wine "$VELMORA_ROOT/${VELMORA_BUILD:-build}/$VELMORA_WINDOWS_BUILD/bench/velmora_open_bench.exe"
wine "$VELMORA_ROOT/${VELMORA_BUILD:-build}/$VELMORA_WINDOWS_BUILD/bench/velmora_boundary_bench.exe"
wine "$VELMORA_ROOT/${VELMORA_BUILD:-build}/$VELMORA_WINDOWS_BUILD/bench/velmora_memory_bench.exe"
echo
# The page feed beside the control's floor, and typing at the end of a long page beside bare edit
# controls (the README's tables).
wine "$VELMORA_ROOT/${VELMORA_BUILD:-build}/$VELMORA_WINDOWS_BUILD/bench/velmora_feed_bench.exe"
echo
wine "$VELMORA_ROOT/${VELMORA_BUILD:-build}/$VELMORA_WINDOWS_BUILD/bench/velmora_edit_bench.exe" --typing
echo
# The edit boxes side by side (the README's table); the rich edit control's slow actions make
# this take several minutes.
wine "$VELMORA_ROOT/${VELMORA_BUILD:-build}/$VELMORA_WINDOWS_BUILD/bench/velmora_edit_bench.exe"
