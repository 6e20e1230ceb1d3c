#!/usr/bin/env bash
# Character codes: the converters against nkf and iconv on the same ~100 MB of generated Japanese text.
# Each side is a whole process that reads the file, converts it and writes the result; the times are the
# best of three wall-clock runs (/usr/bin/time) with the output going to /dev/null, so that the disk is
# not timed; one more run of each side writes files and checks that both wrote the same bytes. Then the
# detectors' throughput over the whole text (Google Benchmark).
#   bench/bench-charcodes.sh <build-dir>        (a build with -DQX_BUILD_BENCH=ON, as `make bench` makes)
set -euo pipefail
build=${1:-build/bench}
tool=$build/bin/qx_charcodes_tool
bench=$build/bin/qx_charcodes_bench
data=$build/charcodes-data
megabytes=${QX_CHARCODES_MB:-100}
mkdir -p "$data"
for program in nkf iconv /usr/bin/time; do
  command -v "$program" >/dev/null || { echo "bench-charcodes: $program is missing (scripts/install-deps.sh bench)" >&2; exit 2; }
done

input=$data/ja-$megabytes.sjis
utf8=$data/ja-$megabytes.utf8
[ -s "$input" ] || "$tool" generate "$megabytes" "$input"
[ -s "$utf8" ] || iconv -f CP932 -t UTF-8 "$input" > "$utf8"
echo "input: $(stat -c %s "$input") bytes of Shift-JIS text ($(stat -c %s "$utf8") as UTF-8)"

# seconds <command...>: the least wall-clock seconds of three runs, output to /dev/null.
seconds() {
  local t best=
  for _ in 1 2 3; do
    t=$( { /usr/bin/time -f %e "$@" > /dev/null; } 2>&1 | tail -n 1)
    if [ -z "$best" ] || awk "BEGIN { exit !($t < $best) }"; then best=$t; fi
  done
  echo "$best"
}

# compare <label> <mode> <input> <outside command...>: our tool in <mode> against the outside command,
# which reads <input> and writes to standard output.
compare() {
  local label=$1 mode=$2 in=$3
  shift 3
  local ours theirs same=identical
  ours=$(seconds "$tool" "$mode" "$in" /dev/stdout)
  theirs=$(seconds "$@")
  "$tool" "$mode" "$in" "$data/ours.out"
  "$@" > "$data/theirs.out"
  cmp -s "$data/ours.out" "$data/theirs.out" || same=DIFFERENT
  rm -f "$data/ours.out" "$data/theirs.out"
  local name="${*:1:$#-1}"  # the outside command without its input file
  awk -v l="$label" -v o="$ours" -v t="$theirs" -v n="$name" -v s="$same" 'BEGIN {
    printf "%-14s ours %5.2f s   %-24s %5.2f s   ratio %5.1fx   output %s\n", l, o, n, t, (o > 0 ? t / o : 0), s }'
}

compare "SJIS -> EUC" sjis-euc "$input" nkf -S -e -x "$input"
compare "SJIS -> JIS" sjis-jis "$input" nkf -S -j "$input"
compare "SJIS -> UTF-8" sjis-utf8 "$input" iconv -f CP932 -t UTF-8 "$input"
compare "UTF-8 -> SJIS" utf8-sjis "$utf8" iconv -f UTF-8 -t CP932 "$utf8"

QX_CHARCODES_INPUT=$input "$bench" --benchmark_min_time=1
