#!/usr/bin/env bash
# Configures and builds the configurations: build/native (Win32-free code, sanitizers),
# build/win32 (Velmora.exe; "program" builds it alone; the Windows test programs in
# build/win32/tests, each with the configuration file of its own folder, and the benchmarks in
# build/win32/bench) and build/fuzz (the fuzz targets of the Win32-free code, clang); on a machine
# that runs no 32-bit code, build/win64 holds the 64-bit build that runs there, and build/win32
# the program alone (scripts/env.sh). VELMORA_BUILD names another folder,
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
# windows FOLDER TOOLCHAIN-FILE JPEG-PREFIX TARGET...
windows() {
  local dir=$out/$1
  [ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="cmake/$2" -DVELMORA_JPEG_PREFIX="$3" >/dev/null
  shift 3
  cmake --build "$dir" -j "$jobs" "$@"
}
if [ "$what" = all ] || [ "$what" = win32 ] || [ "$what" = program ]; then
  only=()
  [ "$what" = program ] && only=(--target Velmora)
  if [ "$VELMORA_WINDOWS_BITS" = 64 ]; then
    # The 32-bit program users get, and the 64-bit build that runs here (scripts/env.sh).
    windows win32 mingw-i686.cmake "$VELMORA_JPEG_PREFIX" --target Velmora
    windows win64 mingw-x86_64.cmake "$VELMORA_JPEG64_PREFIX" "${only[@]}"
  else
    windows win32 mingw-i686.cmake "$VELMORA_JPEG_PREFIX" "${only[@]}"
  fi
fi
if [ "$what" = all ] || [ "$what" = fuzz ]; then
  [ -f $out/fuzz/build.ninja ] || cmake -S . -B $out/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build $out/fuzz -j "$jobs"
fi
