#!/usr/bin/env bash
# The package a user takes: scripts/package.sh's zip holds the stripped program and the readme,
# and the program from the zip starts under Wine (on the test run's display).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/scripts/env.sh"
work=$(mktemp -d)
app=""
# Ends the started program: a Wine process may outlive its first signal while it starts or ends,
# and one left running would take over the next start as its single instance.
stop_app() {
  [ -n "$app" ] || return 0
  kill "$app" 2>/dev/null || true
  for _ in $(seq 1 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  app=""
}
cleanup() {
  stop_app
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
format=$(LC_ALL=C i686-w64-mingw32-objdump -f "$exe")
[[ $format == *"file format pei-i386"* ]] || fail "the program is not a 32-bit one"
sections=$(LC_ALL=C i686-w64-mingw32-objdump -h "$exe")
[[ $sections != *.debug_* ]] || fail "the program keeps debugging sections"
size=$(stat -c %s "$exe")
[ "$size" -lt $((8 * 1024 * 1024)) ] || fail "the program is $size bytes"
echo "package: $(basename "$zip"), Velmora.exe $size bytes"

readme="$work/unpacked/Velmora/README.txt"
iconv -f GBK -t UTF-8 "$readme" >/dev/null || fail "the readme is not GBK"
grep -q "Velmora 1.0.0.1" <(iconv -f GBK -t UTF-8 "$readme") || fail "the readme does not name the version"
[ "$(grep -c $'\r$' "$readme")" -eq "$(wc -l <"$readme")" ] || fail "the readme's lines do not end in CR LF"

[ -n "${DISPLAY:-}" ] || { echo "package test: no display, the start is not tried"; exit 0; }
# Waits as long as any interface test may take (the bound of tests/harness/wine-test.sh), ending
# as soon as what it waits for is there: a busy machine only makes it slower.
bound=280
end=$((SECONDS + bound))
main_window() { xdotool search --all --pid "$1" --name '^   Velmora—' 2>/dev/null | head -n 1 || true; }
# Every Velmora main window on the display, as "pid window-name" lines.
instances() {
  local w
  for w in $(xdotool search --name '^   Velmora—' 2>/dev/null); do
    echo "$(xdotool getwindowpid "$w" 2>/dev/null || echo '?') $(xdotool getwindowname "$w" 2>/dev/null)"
  done
}
# A second start hands its arguments over to a running instance of the prefix and ends: the
# start is tried only when no other instance is left (one still ending is waited for).
while [ -n "$(instances)" ] && [ $SECONDS -lt $end ]; do sleep 0.2; done
[ -z "$(instances)" ] || fail "another Velmora keeps running on this display, a start would hand over to it: $(instances | tr '\n' ';')"

# A machine that runs no 32-bit code starts the same package of the 64-bit build (scripts/env.sh).
if [ "$VELMORA_WINDOWS_BUILD" != win32 ]; then
  zip=$(VELMORA_PACKAGE_BUILD=$VELMORA_WINDOWS_BUILD bash "$root/scripts/package.sh" "$work/dist64" | tail -n 1)
  unzip -q "$zip" -d "$work/unpacked64"
  exe="$work/unpacked64/Velmora/Velmora.exe"
  echo "package: this machine runs no 32-bit code, the start is tried with the $VELMORA_WINDOWS_BUILD build's package"
fi
wine "$exe" </dev/null >/dev/null 2>&1 &
app=$!
window=""
while [ $SECONDS -lt $end ]; do
  window=$(main_window "$app")
  [ -n "$window" ] && break
  kill -0 "$app" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$window" ]; then
  if ! kill -0 "$app" 2>/dev/null; then
    code=0
    wait "$app" 2>/dev/null || code=$?
    app=""
    others=$(instances | tr '\n' ';')
    fail "the packed program ended (exit code $code) without a main window${others:+; running meanwhile: $others}"
  fi
  xdotool search --name 'Wine desktop' >/dev/null 2>&1 ||
    fail "the packed program showed no main window: the Wine desktop of this prefix is not on display $DISPLAY (its wineserver belongs to another display)"
  fail "the packed program showed no main window within ${bound} s"
fi
caption=$(xdotool getwindowname "$window" 2>/dev/null || true)
stop_app
echo "package: the unpacked program started and showed \"$caption\""
