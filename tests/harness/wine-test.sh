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
# The program's output goes through a file: Wine processes the suite starts that live on (a
# console host, the desktop) would keep a pipe open, and the caller would wait for them.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Bounded: a test that hangs is ended, not waited for.
timeout --kill-after=10 280 wine "$exe" --gtest_color=no "$@" </dev/null >"$log" 2>&1
status=$?
cat "$log"
exit $status
