#!/usr/bin/env bash
# Builds Velmora.exe and packs it for users: dist/Velmora-<version>.zip holds the program,
# stripped of its debugging information, and a short readme in GBK with CR LF, as Notepad on a
# Chinese Windows reads it. The version is the one of the resource script.
#   scripts/package.sh [OUTPUT-FOLDER]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bash "$here/setup.sh"
. "$here/env.sh"
bash "$here/build.sh" program
cd "$VELMORA_ROOT"
out=${1:-dist}
mkdir -p "$out"
out=$(cd "$out" && pwd)
version=$(sed -n 's/^FILEVERSION *\([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1.\2.\3.\4/p' src/resources/velmora.rc)
[ -n "$version" ] || { echo "package: no FILEVERSION in src/resources/velmora.rc" >&2; exit 1; }
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/Velmora"
# What users get is the 32-bit program; VELMORA_PACKAGE_BUILD=win64 packs the 64-bit build
# instead, for the tests and benchmarks of a machine that runs no 32-bit code (scripts/env.sh).
from=${VELMORA_PACKAGE_BUILD:-win32}
case "$from" in win64) target=x86_64-w64-mingw32 ;; *) target=i686-w64-mingw32 ;; esac
"$target-strip" -o "$stage/Velmora/Velmora.exe" "${VELMORA_BUILD:-build}/$from/Velmora.exe"
iconv -f UTF-8 -t GBK tools/package/README.txt | sed 's/$/\r/' >"$stage/Velmora/README.txt"
zip="$out/Velmora-$version.zip"
rm -f "$zip"
(cd "$stage" && TZ=UTC zip -q -X -r "$zip" Velmora)
echo "$zip"
