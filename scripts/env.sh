# Shared settings of the scripts; sourced, not run.
VELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELMORA_CACHE=${VELMORA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/velmora}
VELMORA_JPEG_PREFIX="$VELMORA_CACHE/libjpeg-i686"
export WINEPREFIX=${VELMORA_WINEPREFIX:-$VELMORA_CACHE/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# The ANSI code page of Wine follows the locale: zh_CN gives 936.
{ export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8; } 2>/dev/null
export VELMORA_ROOT VELMORA_CACHE VELMORA_JPEG_PREFIX
