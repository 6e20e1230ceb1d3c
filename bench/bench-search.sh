#!/usr/bin/env bash
# The editor's search over a generated Shift-JIS text of about 100 MB (the row-store benchmark's file),
# for a word it does not hold, against `LC_ALL=C grep -c -F` on the same file (a whole process reading
# the file from the page cache: the reference for raw speed).
#   bench/bench-search.sh <build-dir>
# Our figures are the searches alone, the text already loaded. Each round runs grep, then ours; each
# figure is the median of RUNS rounds (default 5), and each ratio the median of the ratios of a round.
set -euo pipefail
build=${1:-build/bench}
runs=${RUNS:-5}
bin=$build/bin/qx_search_bench
gen=$build/bin/qx_editor_bench
data=$build/bench-data/editor-sjis.txt
[ -x "$bin" ] || { echo "bench-search: $bin is missing (make bench builds it)" >&2; exit 1; }
mkdir -p "$(dirname "$data")"
[ -s "$data" ] || "$gen" generate "$data" 100
pattern=$(printf '存在しない語句' | iconv -f UTF-8 -t CP932)

now_ms() { date +%s%N | awk '{ printf "%.1f", $1 / 1e6 }'; }
median() { tr ' ' '\n' | grep . | sort -g | sed -n "$(( (runs + 1) / 2 ))p"; }

declare -A times ratios
names="literal-forward literal-backward word-width-forward word-width-backward"
for _ in $(seq "$runs"); do
    start=$(now_ms)
    LC_ALL=C grep -c -F "$pattern" "$data" >/dev/null || true
    g=$(awk -v a="$(now_ms)" -v b="$start" 'BEGIN { printf "%.1f", a - b }')
    times[grep]+="$g "
    while read -r name ms found; do
        [ "$found" = 0 ] || { echo "bench-search: $name found the word" >&2; exit 1; }
        times[$name]+="$ms "
        ratios[$name]+="$(awk -v a="$ms" -v b="$g" 'BEGIN { print a / b }') "
    done < <("$bin" "$data" "$pattern")
done

echo "file: $(du -m "$data" | cut -f1) MB; a word not in it; median of $runs rounds"
printf '%-28s %10s %10s\n' "search" "ms" "x grep"
printf '%-28s %10.1f %10s\n' "LC_ALL=C grep -c -F" "$(median <<<"${times[grep]}")" "1.00"
for name in $names; do
    printf '%-28s %10.1f %10.2f\n' "$name" "$(median <<<"${times[$name]}")" "$(median <<<"${ratios[$name]}")"
done
