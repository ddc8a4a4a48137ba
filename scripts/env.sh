# Shared settings of the scripts; sourced, not run.
VELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELMORA_CACHE=${VELMORA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/velmora}
VELMORA_JPEG_PREFIX="$VELMORA_CACHE/libjpeg-i686"
VELMORA_JPEG64_PREFIX="$VELMORA_CACHE/libjpeg-x86_64"
# The Windows build that runs here: the program is a 32-bit one, but a machine whose kernel runs
# no 32-bit code (its 32-bit emulation switched off) cannot start it under Wine. There the tests,
# the benchmarks and scripts/run.sh use a 64-bit build of the same sources under 64-bit Wine
# (build/win64), and the 32-bit program is still built and packed for users. Decided once a run.
if [ -z "${VELMORA_WINDOWS_BITS:-}" ]; then
  VELMORA_WINDOWS_BITS=32
  velmora_probe=$(mktemp -d)
  if printf '.globl _start\n_start: movl $1, %%eax\nxorl %%ebx, %%ebx\nint $0x80\n' >"$velmora_probe/p.s" &&
    as --32 -o "$velmora_probe/p.o" "$velmora_probe/p.s" 2>/dev/null &&
    ld -m elf_i386 -o "$velmora_probe/p" "$velmora_probe/p.o" 2>/dev/null &&
    ! "$velmora_probe/p" 2>/dev/null; then
    VELMORA_WINDOWS_BITS=64
  fi
  rm -rf "$velmora_probe"
  unset velmora_probe
fi
if [ "$VELMORA_WINDOWS_BITS" = 64 ]; then
  VELMORA_WINDOWS_BUILD=win64
  export WINEPREFIX=${VELMORA_WINEPREFIX:-$VELMORA_CACHE/wineprefix64}
  export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  # Debian's wine and wine-stable start the 32-bit loader whenever it is installed.
  case ":$PATH:" in *":$VELMORA_ROOT/scripts/wine64:"*) ;; *) export PATH="$VELMORA_ROOT/scripts/wine64:$PATH" ;; esac
else
  VELMORA_WINDOWS_BUILD=win32
  export WINEPREFIX=${VELMORA_WINEPREFIX:-$VELMORA_CACHE/wineprefix}
  export WINEARCH=win32
fi
export WINEDEBUG=${WINEDEBUG:--all}
# The ANSI code page of Wine follows the locale: zh_CN gives 936.
{ export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8; } 2>/dev/null
export VELMORA_ROOT VELMORA_CACHE VELMORA_JPEG_PREFIX VELMORA_JPEG64_PREFIX VELMORA_WINDOWS_BITS VELMORA_WINDOWS_BUILD
