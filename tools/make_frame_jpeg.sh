#!/usr/bin/env bash
# Draws the main window's frame pictures and stores them as JPEG data in src/common/frame_jpeg.inc.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../scripts" && pwd)
. "$here/env.sh"
bash "$here/build.sh" win32 >/dev/null
out="$VELMORA_ROOT/src/common/frame_jpeg.inc"
wine "$VELMORA_ROOT/${VELMORA_BUILD:-build}/$VELMORA_WINDOWS_BUILD/velmora_make_frame_jpeg.exe" "$(winepath -w "$out")"
echo "$out"
