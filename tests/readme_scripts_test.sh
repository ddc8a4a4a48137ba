#!/usr/bin/env bash
# Every script the README tells a user to run (scripts/NAME.sh, tools/NAME.sh) runs as it is
# written there: it exists and has its run bit, in the tree and, in a checkout, as git keeps it
# (a fresh clone takes the mode from git, not from this tree).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
named=$(grep -o '\b\(scripts\|tools\)/[A-Za-z0-9_.-]*\.sh\b' README.md | sort -u)
[ -n "$named" ] || { echo "README.md names no script" >&2; exit 1; }
in_git=0
git rev-parse --is-inside-work-tree >/dev/null 2>&1 && in_git=1
status=0
for script in $named; do
  if [ ! -f "$script" ]; then
    echo "README.md names $script, which is not there" >&2
    status=1
    continue
  fi
  [ -x "$script" ] || { echo "$script has no run bit" >&2; status=1; }
  if [ $in_git = 1 ]; then
    mode=$(git ls-files -s -- "$script" | cut -d' ' -f1)
    [ "$mode" = 100755 ] || { echo "git keeps $script as ${mode:-untracked}, not 100755" >&2; status=1; }
  fi
done
exit $status
