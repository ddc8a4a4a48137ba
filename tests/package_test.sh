#!/usr/bin/env bash
# The package a user takes: scripts/package.sh's zip holds the stripped program and the readme,
# and the program from the zip starts under Wine (on the test run's display).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/scripts/env.sh"
work=$(mktemp -d)
app=""
cleanup() {
  [ -z "$app" ] || kill "$app" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "package test: $*" >&2; exit 1; }

zip=$(bash "$root/scripts/package.sh" "$work/dist" | tail -n 1)
[ -f "$zip" ] || fail "no zip written"
case "$(basename "$zip")" in Velmora-1.0.0.1.zip) ;; *) fail "unexpected name $(basename "$zip")" ;; esac
listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
[ "$listing" = "Velmora/ Velmora/README.txt Velmora/Velmora.exe " ] || fail "zip holds: $listing"

unzip -q "$zip" -d "$work/unpacked"
exe="$work/unpacked/Velmora/Velmora.exe"
if i686-w64-mingw32-objdump -h "$exe" | grep -q '\.debug_'; then fail "the program keeps debugging sections"; fi
size=$(stat -c %s "$exe")
[ "$size" -lt $((8 * 1024 * 1024)) ] || fail "the program is $size bytes"
echo "package: $(basename "$zip"), Velmora.exe $size bytes"

readme="$work/unpacked/Velmora/README.txt"
iconv -f GBK -t UTF-8 "$readme" >/dev/null || fail "the readme is not GBK"
grep -q "Velmora 1.0.0.1" <(iconv -f GBK -t UTF-8 "$readme") || fail "the readme does not name the version"
[ "$(grep -c $'\r$' "$readme")" -eq "$(wc -l <"$readme")" ] || fail "the readme's lines do not end in CR LF"

[ -n "${DISPLAY:-}" ] || { echo "package test: no display, the start is not tried"; exit 0; }
wine "$exe" </dev/null >/dev/null 2>&1 &
app=$!
for _ in $(seq 1 300); do
  xdotool search --name '^Velmora$' >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --name '^Velmora$' >/dev/null 2>&1 || fail "the packed program showed no main window"
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
app=""
echo "package: the unpacked program started"
