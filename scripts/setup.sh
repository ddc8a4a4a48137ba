#!/usr/bin/env bash
# Installs what building, running and testing Velmora needs, and nothing that is already there.
# Idempotent: a second run on a ready machine only checks and returns.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/env.sh"

log() { printf '[setup] %s\n' "$*"; }
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(
  cmake ninja-build g++ pkg-config dpkg-dev locales
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev
  wine wine32:i386 xvfb xauth x11-utils xdotool imagemagick
  fonts-wqy-microhei fonts-wqy-zenhei
  libgcrypt20-dev libgcrypt-mingw-w64-dev libjpeg62-turbo-dev
  libgtest-dev googletest
  nasm zip unzip
  clang libclang-rt-14-dev
)
# Where the 32-bit program cannot run (scripts/env.sh), its 64-bit build runs the tests.
[ "$VELMORA_WINDOWS_BITS" = 64 ] &&
  packages+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine64)

apt_updated=0
apt_update() { [ "$apt_updated" = 1 ] || { as_root apt-get update -qq; apt_updated=1; }; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  log "adding the i386 architecture"
  as_root dpkg --add-architecture i386
  apt_updated=0; apt_update
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  log "installing: ${missing[*]}"
  apt_update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page from the locale; 936 needs a Chinese one.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  log "generating the zh_CN.UTF-8 locale"
  as_root localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
  { export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8; } 2>/dev/null
fi

# libjpeg for the Windows builds: cross-built from Debian's own source package.
# build_jpeg TARGET TOOLCHAIN-FILE PREFIX
build_jpeg() {
  [ -f "$3/lib/libjpeg.a" ] && return 0
  log "cross-building libjpeg-turbo for $1"
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    as_root tee /etc/apt/sources.list.d/velmora-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    apt_updated=0
  fi
  apt_update
  local src="$VELMORA_CACHE/src" dir
  rm -rf "$src" && mkdir -p "$src"
  (cd "$src" && apt-get source -qq libjpeg-turbo >/dev/null)
  dir=$(find "$src" -maxdepth 1 -mindepth 1 -type d -name 'libjpeg-turbo*' | head -n 1)
  cmake -S "$dir" -B "$src/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$VELMORA_ROOT/cmake/$2" \
    -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF -DCMAKE_INSTALL_PREFIX="$3" >/dev/null
  cmake --build "$src/build" >/dev/null
  cmake --install "$src/build" >/dev/null
  rm -rf "$src"
}
build_jpeg i686-w64-mingw32 mingw-i686.cmake "$VELMORA_JPEG_PREFIX"
[ "$VELMORA_WINDOWS_BITS" = 64 ] && build_jpeg x86_64-w64-mingw32 mingw-x86_64.cmake "$VELMORA_JPEG64_PREFIX"

# One Wine prefix for running and testing, Chinese locale, CJK font substitutes, and a Wine
# virtual desktop: Wine then manages the windows itself, as Windows does, instead of waiting on
# an X window manager that Xvfb does not have. The stamp names the settings' version.
prefix_stamp="$WINEPREFIX/.velmora-prefix-2"
if [ ! -f "$prefix_stamp" ]; then
  log "preparing the Wine prefix in $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || true
  timeout 60 wineserver -w || true
  fonts='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  for face in "宋体" "新宋体" "黑体" "微软雅黑" "SimSun" "NSimSun" "SimHei" "Microsoft YaHei" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma"; do
    wine reg add "$fonts" /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
  done
  # No crash dialog: a failing test must end, not wait for a click.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Velmora /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Velmora /t REG_SZ /d 1280x1024 /f >/dev/null 2>&1
  timeout 60 wineserver -w || true
  touch "$prefix_stamp"
fi
log "ready"
