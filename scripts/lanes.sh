# Sourced: prepares lanes for the Windows suites to run side by side, each a copy of the prepared
# Wine prefix with a wineserver of its own, an Xvfb display that Xvfb picks itself (so that runs
# never collide on a display number) and a folder of the test programs of its own (they keep
# their configuration beside themselves; the programs are hard links). tests/harness/lane.sh
# gives each suite a free lane. Ended, with their displays and servers, when the shell exits.
lanes_pids=()
lanes_cleanup() {
  local d
  for d in "${VELMORA_LANES_DIR:-/nonexistent}"/*/; do
    [ -d "$d/prefix" ] && WINEPREFIX="$d/prefix" wineserver -k </dev/null >/dev/null 2>&1 || true
  done
  for p in "${lanes_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  [ -n "${VELMORA_LANES_DIR:-}" ] && rm -rf "$VELMORA_LANES_DIR"
  return 0
}
trap lanes_cleanup EXIT

# lanes_start COUNT TEST_PROGRAM_FOLDER
lanes_start() {
  local n=$1 programs=$2 i d display f
  VELMORA_LANES_DIR=$(mktemp -d "$VELMORA_CACHE/lanes.XXXXXX")
  VELMORA_LANE_PROGRAMS=$(cd "$programs" && pwd)
  export VELMORA_LANES_DIR VELMORA_LANE_PROGRAMS
  for i in $(seq 1 "$n"); do
    d="$VELMORA_LANES_DIR/$i"
    mkdir -p "$d"
    cp -a --reflink=auto "$WINEPREFIX" "$d/prefix"
    mkdir -p "$d/tests"
    for f in "$programs"/*; do
      case "$f" in
        *.exe | *.dll) ln "$f" "$d/tests/" 2>/dev/null || cp -a "$f" "$d/tests/" ;;
        *) [ -f "$f" ] && cp -a "$f" "$d/tests/" ;;
      esac
    done
    Xvfb -displayfd 3 -screen 0 "${VELMORA_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$d/display.n" </dev/null >/dev/null 2>&1 &
    lanes_pids+=($!)
  done
  local starting=()
  for i in $(seq 1 "$n"); do
    d="$VELMORA_LANES_DIR/$i"
    for _ in $(seq 1 100); do [ -s "$d/display.n" ] && break; sleep 0.1; done
    [ -s "$d/display.n" ] || { echo "lanes: Xvfb gave no display" >&2; return 1; }
    display=":$(tr -d '\n' <"$d/display.n")"
    echo "$display" >"$d/display"
    # The lane's server runs until the end of the run, so that no suite starts one that would
    # inherit its lock.
    (export WINEPREFIX="$d/prefix" DISPLAY="$display"
     wineserver -p </dev/null >/dev/null 2>&1 || true
     wine cmd /c exit </dev/null >/dev/null 2>&1 || true) &
    starting+=($!)
  done
  wait "${starting[@]}"
}
