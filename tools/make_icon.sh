#!/usr/bin/env bash
# Draws the program's icon and writes src/resources/velmora.ico (committed; the resource script
# takes it into Velmora.exe). Needs g++ and zlib's headers (zlib1g-dev).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
g++ -std=c++20 -O2 -Wall -Wextra -o "$tmp/make_icon" "$root/tools/art/make_icon.cpp" -lz
mkdir -p "$root/src/resources"
"$tmp/make_icon" "$root/src/resources/velmora.ico"
echo "$root/src/resources/velmora.ico"
