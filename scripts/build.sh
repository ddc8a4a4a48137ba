#!/usr/bin/env bash
# Configures and builds the configurations: build/native (Win32-free code, sanitizers),
# build/win32 (Velmora.exe; "program" builds it alone; the Windows test programs in
# build/win32/tests, each with the configuration file of its own folder, and the benchmarks in
# build/win32/bench) and build/fuzz (the fuzz targets of the Win32-free code, clang). VELMORA_BUILD names another folder,
# VELMORA_JOBS the number of compile jobs (all cores by default).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/env.sh"
cd "$VELMORA_ROOT"
what=${1:-all}
out=${VELMORA_BUILD:-build}
jobs=${VELMORA_JOBS:-$(nproc)}
if [ "$what" = all ] || [ "$what" = native ]; then
  [ -f $out/native/build.ninja ] || cmake -S . -B $out/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build $out/native -j "$jobs"
fi
if [ "$what" = all ] || [ "$what" = win32 ] || [ "$what" = program ]; then
  [ -f $out/win32/build.ninja ] || cmake -S . -B $out/win32 -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DVELMORA_JPEG_PREFIX="$VELMORA_JPEG_PREFIX" >/dev/null
  if [ "$what" = program ]; then
    cmake --build $out/win32 -j "$jobs" --target Velmora
  else
    cmake --build $out/win32 -j "$jobs"
  fi
fi
if [ "$what" = all ] || [ "$what" = fuzz ]; then
  [ -f $out/fuzz/build.ninja ] || cmake -S . -B $out/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build $out/fuzz -j "$jobs"
fi
