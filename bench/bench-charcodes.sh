#!/usr/bin/env bash
# Character codes: the converters against nkf and iconv on the same ~100 MB of generated Japanese text, in
# two shapes: the generated mix (`generate`) and text shaped like manual pages (`generate-prose`), both
# Shift-JIS with CR LF. Each side is a whole process that reads the file, converts it and writes the
# result to /dev/null; the two sides run in pairs (bench/paired-runs.py: medians of the pairs' ratios,
# wall clock and CPU, with their spread), and one more run of each side writes files to check that both
# wrote the same bytes. Then the detectors' throughput over the whole text (Google Benchmark).
#   bench/bench-charcodes.sh <build-dir>        (a build with -DQX_BUILD_BENCH=ON, as `make bench` makes)
#   PAIRS=15 QX_CHARCODES_MB=100 bench/bench-charcodes.sh build/bench
set -euo pipefail
build=${1:-build/bench}
tool=$build/bin/qx_charcodes_tool
bench=$build/bin/qx_charcodes_bench
data=$build/charcodes-data
megabytes=${QX_CHARCODES_MB:-100}
pairs=${PAIRS:-9}
paired=$(dirname "$0")/paired-runs.py
mkdir -p "$data"
for program in nkf iconv python3; do
  command -v "$program" >/dev/null || { echo "bench-charcodes: $program is missing (scripts/install-deps.sh bench)" >&2; exit 2; }
done

# compare <label> <mode> <input> <outside command...>: our tool in <mode> against the outside command,
# which reads <input> and writes to standard output.
compare() {
  local label=$1 mode=$2 in=$3
  shift 3
  local same=identical
  "$tool" "$mode" "$in" "$data/ours.out"
  "$@" > "$data/theirs.out"
  cmp -s "$data/ours.out" "$data/theirs.out" || same=DIFFERENT
  rm -f "$data/ours.out" "$data/theirs.out"
  python3 "$paired" --pairs "$pairs" "$label ($same)" "$tool $mode $in /dev/stdout" "$*"
}

for shape in generate generate-prose; do
  input=$data/$shape-$megabytes.sjis
  utf8=$data/$shape-$megabytes.utf8
  [ -s "$input" ] || "$tool" "$shape" "$megabytes" "$input"
  [ -s "$utf8" ] || iconv -f CP932 -t UTF-8 "$input" > "$utf8"
  echo "== $shape: $(stat -c %s "$input") bytes of Shift-JIS text ($(stat -c %s "$utf8") as UTF-8), $pairs pairs"
  compare "SJIS -> EUC, nkf -S -e -x" sjis-euc "$input" nkf -S -e -x "$input"
  compare "SJIS -> JIS, nkf -S -j" sjis-jis "$input" nkf -S -j "$input"
  compare "SJIS -> UTF-8, iconv" sjis-utf8 "$input" iconv -f CP932 -t UTF-8 "$input"
  compare "UTF-8 -> SJIS, iconv" utf8-sjis "$utf8" iconv -f UTF-8 -t CP932 "$utf8"
  euc=$data/$shape-$megabytes.euc
  jis=$data/$shape-$megabytes.jis
  [ -s "$euc" ] || nkf -S -e -x "$input" > "$euc"
  [ -s "$jis" ] || nkf -S -j "$input" > "$jis"
  compare "EUC -> SJIS, nkf -E -s -x" euc-sjis "$euc" nkf -E -s -x "$euc"
  compare "JIS -> SJIS, nkf -J -s" jis-sjis "$jis" nkf -J -s "$jis"
done

QX_CHARCODES_INPUT=$data/generate-$megabytes.sjis "$bench" --benchmark_min_time=1
