#!/usr/bin/env bash
# Runs one Windows test program under Wine in the project's prefix, on the tests' display.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/../../scripts/env.sh"
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-test: no DISPLAY; run the tests through scripts/test.sh, which starts Xvfb" >&2
  exit 2
fi
exe=$1; shift
# Bounded: a test that hangs is ended, not waited for.
exec timeout --kill-after=10 280 wine "$exe" --gtest_color=no "$@"
