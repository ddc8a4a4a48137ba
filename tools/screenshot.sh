#!/usr/bin/env bash
# Starts Velmora under Xvfb (optionally with files on its command line), waits until its main
# window is shown, and writes a PNG of the screen.
#   tools/screenshot.sh OUT.png [FILE ...]
# VELMORA_SCREEN=WxHxD sets the screen; VELMORA_SHOT_DELAY seconds to wait after the window appears.
set -euo pipefail
out=${1:?usage: tools/screenshot.sh OUT.png [FILE ...]}
shift
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../scripts" && pwd)
bash "$here/setup.sh" >/dev/null
. "$here/env.sh"
bash "$here/build.sh" program >/dev/null
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac
. "$here/xsession.sh"
xsession_start
wine "$VELMORA_ROOT/${VELMORA_BUILD:-build}/$VELMORA_WINDOWS_BUILD/Velmora.exe" "$@" </dev/null >/dev/null 2>&1 &
app=$!
xsession_pids=("$app" "${xsession_pids[@]}")
for _ in $(seq 1 200); do
  xdotool search --name 'Velmora' >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --name 'Velmora' >/dev/null 2>&1 || { echo "the main window did not appear" >&2; exit 1; }
sleep "${VELMORA_SHOT_DELAY:-2}"
import -window root "$out"
echo "$out"
