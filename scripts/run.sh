#!/usr/bin/env bash
# Sets up what is missing, builds Velmora.exe and starts it under Wine: on the desktop's
# display when there is one, otherwise on a private Xvfb display. Arguments are passed on
# (files to open).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bash "$here/setup.sh"
. "$here/env.sh"
bash "$here/build.sh" program
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  # On a real desktop the windows belong to its window manager: a prefix without Wine's
  # virtual desktop, copied once from the prepared one.
  desk="$WINEPREFIX-desktop"
  if [ ! -f "$desk/.velmora-desktop-1" ]; then
    rm -rf "$desk" && cp -a "$WINEPREFIX" "$desk"
    WINEPREFIX="$desk" wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
    WINEPREFIX="$desk" timeout 60 wineserver -w || true
    touch "$desk/.velmora-desktop-1"
  fi
  WINEPREFIX="$desk" exec wine "$VELMORA_ROOT/${VELMORA_BUILD:-build}/$VELMORA_WINDOWS_BUILD/Velmora.exe" "$@"
fi
echo "no display: starting Velmora on a private Xvfb display (tools/screenshot.sh shows it)" >&2
. "$here/xsession.sh"
xsession_start
wine "$VELMORA_ROOT/${VELMORA_BUILD:-build}/$VELMORA_WINDOWS_BUILD/Velmora.exe" "$@"
