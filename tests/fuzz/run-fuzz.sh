#!/usr/bin/env bash
# Runs every libFuzzer target of a `make fuzz` build for a while, each on its own growing corpus seeded
# from tests/fuzz/seeds. Stops at the first target that finds a fault (its crash file is kept).
#   tests/fuzz/run-fuzz.sh <build-dir> [seconds per target]
set -euo pipefail
build=${1:?build folder}
seconds=${2:-60}
seeds=$(cd "$(dirname "$0")" && pwd)/seeds
shopt -s nullglob
targets=("$build"/bin/fuzz_*)
[ ${#targets[@]} -gt 0 ] || { echo "run-fuzz: no fuzz targets in $build/bin" >&2; exit 2; }
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus" "$build/crashes"
  echo "== $name (${seconds}s)"
  log="$build/crashes/$name.log"
  status=0
  "$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/crashes/$name-" \
    "$corpus" "$seeds" >"$log" 2>&1 || status=$?
  grep -E "^stat::(number_of_executed_units|new_units_added)" "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log" >&2
    echo "run-fuzz: $name found a fault (log: $log)" >&2
    exit 1
  fi
done
echo "run-fuzz: no faults found"
