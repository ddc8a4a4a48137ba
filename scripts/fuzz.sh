#!/usr/bin/env bash
# Runs the fuzz targets of the portable code (tests/fuzz/<target>_fuzz.cpp, built in build/fuzz
# by scripts/build.sh fuzz) from their seed corpora in tests/fuzz/corpus/<target>/.
#
#   scripts/fuzz.sh                    every target for a few seconds (the test command's step);
#                                      fails when one breaks a rule, crashes or hangs
#   scripts/fuzz.sh TARGET [SECONDS]   one target for longer (600 s by default); the inputs it
#                                      finds stay in build/fuzz/corpus/TARGET for the next run
#
# A failing input is written to build/fuzz/artifacts/; run it again with
# build/fuzz/fuzz_TARGET FILE, and once the fault is fixed, add it to the seed corpus.
# VELMORA_FUZZ_SECONDS sets the seconds per target of the short run (default 5).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/env.sh"
cd "$VELMORA_ROOT"
out=${VELMORA_BUILD:-build}/fuzz
artifacts=$out/artifacts
mkdir -p "$artifacts"

# Bounds that turn a hang or a runaway allocation into a failure.
limits=(-timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024)

targets() {
  for f in tests/fuzz/*_fuzz.cpp; do
    basename "$f" _fuzz.cpp
  done
}

need_target() {
  [ -x "$out/fuzz_$1" ] || { echo "fuzz: $out/fuzz_$1 is missing (scripts/build.sh fuzz)" >&2; exit 1; }
  [ -d "tests/fuzz/corpus/$1" ] || { echo "fuzz: tests/fuzz/corpus/$1 is missing" >&2; exit 1; }
}

if [ $# -ge 1 ]; then
  target=$1
  seconds=${2:-600}
  need_target "$target"
  mkdir -p "$out/corpus/$target"
  exec "$out/fuzz_$target" "${limits[@]}" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$artifacts/$target-" "$out/corpus/$target" "tests/fuzz/corpus/$target"
fi

seconds=${VELMORA_FUZZ_SECONDS:-5}
scratch=$(mktemp -d "$out/scratch.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
status=0
for target in $(targets); do
  need_target "$target"
  mkdir -p "$scratch/$target"
  log=$scratch/$target.log
  # New inputs go to the scratch folder: the committed corpus stays as it is.
  if "$out/fuzz_$target" "${limits[@]}" -max_total_time="$seconds" -artifact_prefix="$artifacts/$target-" \
    "$scratch/$target" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
    runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -n 1)
    echo "fuzz $target: ${runs:-?} runs, no fault"
  else
    status=1
    echo "fuzz $target: FAILED"
    grep -E 'broken:|ERROR:|SUMMARY:|runtime error|Test unit written' "$log" | head -n 20 || tail -n 30 "$log"
  fi
done
exit $status
