#!/usr/bin/env bash
# Sets up what is missing, builds the configurations and runs every test: the native suites
# (sanitizers), a short run of each fuzz target, and the Windows suites under Wine on a private
# Xvfb display.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bash "$here/setup.sh"
. "$here/env.sh"
bash "$here/build.sh" all

cd "$VELMORA_ROOT"
. "$here/xsession.sh"
xsession_start

out=${VELMORA_BUILD:-build}
status=0
ctest --test-dir $out/native --output-on-failure -j "$(nproc)" || status=1
bash "$here/fuzz.sh" || status=1
ctest --test-dir $out/win32 --output-on-failure || status=1
exit $status
