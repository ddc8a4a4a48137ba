#!/usr/bin/env bash
# Runs a command of the Windows suites in a lane of its own when the test command has prepared
# lanes (scripts/lanes.sh): a Wine prefix, an Xvfb display and a folder of the test programs
# that no other suite uses meanwhile (a test program named in the command runs from the lane's
# folder). Without lanes the command runs as it is, on the caller's prefix and display.
set -u
if [ -n "${VELMORA_LANES_DIR:-}" ] && [ -d "$VELMORA_LANES_DIR" ]; then
  lane=""
  while [ -z "$lane" ]; do
    for d in "$VELMORA_LANES_DIR"/*/; do
      exec 9>"$d/lock"
      if flock -n 9; then
        lane=${d%/}
        break
      fi
      exec 9>&-
    done
    [ -n "$lane" ] || sleep 0.2
  done
  export VELMORA_WINEPREFIX="$lane/prefix" WINEPREFIX="$lane/prefix"
  DISPLAY=$(cat "$lane/display")
  export DISPLAY
  args=()
  for a in "$@"; do
    case "$a" in
      "$VELMORA_LANE_PROGRAMS"/*) args+=("$lane/tests/${a#"$VELMORA_LANE_PROGRAMS"/}") ;;
      *) args+=("$a") ;;
    esac
  done
  # The lock stays with this script, not with what the suite starts (a program left running
  # would hold the lane for ever); it goes when the command has ended.
  "${args[@]}" 9>&-
  exit $?
fi
exec "$@"
