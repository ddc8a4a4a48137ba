#!/usr/bin/env bash
# Sets up what is missing, builds the configurations and runs every test: the layer rule of the
# includes, the native suites (sanitizers), a short run of each fuzz target, and the Windows
# suites under Wine, side by side on private Xvfb displays and prefixes.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bash "$here/setup.sh"
. "$here/env.sh"
bash "$here/build.sh" all

cd "$VELMORA_ROOT"
# The Windows suites run side by side, each in a lane of its own (a copy of the prefix and a
# display); VELMORA_LANES sets how many, as many as the cores by default (the suites mostly wait
# for Wine and the display).
lanes=${VELMORA_LANES:-$(nproc)}
. "$here/lanes.sh"
out=${VELMORA_BUILD:-build}
lanes_start "$lanes" "$out/$VELMORA_WINDOWS_BUILD/tests"

status=0
# The layer rule: which folder of src/ may include which (ARCHITECTURE.md), and its own check.
bash "$here/check_layers.sh" --self-test || status=1
bash "$here/check_layers.sh" || status=1
python3 "$here/../tools/include_circles.py" --max 20 >/dev/null || status=1
ctest --test-dir $out/native --output-on-failure -j "$(nproc)" || status=1
# The fuzz targets' short run goes on beside the Windows suites; its report follows theirs.
fuzz_log=$(mktemp)
bash "$here/fuzz.sh" >"$fuzz_log" 2>&1 &
fuzz=$!
ctest --test-dir $out/$VELMORA_WINDOWS_BUILD --output-on-failure -j "$lanes" || status=1
wait "$fuzz" || status=1
cat "$fuzz_log"
rm -f "$fuzz_log"
exit $status
