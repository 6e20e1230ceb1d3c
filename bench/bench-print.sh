#!/usr/bin/env bash
# Printing: a generated document of 100,000 lines laid out into pages (the counting pass and the real
# pass of a job, every line-break rule on, line numbers, header and footer; A4 at 600 dpi) and one page
# drawn at the preview's scale, each the median of five rounds in one process; against `pr` paginating
# the same text (a whole process, median of nine wall-clock runs).
#   bench/bench-print.sh <build-dir>
set -euo pipefail
build=${1:-build/bench}
bin=$build/bin/qx_print_bench
data=$build/bench-data
[ -x "$bin" ] || { echo "bench-print: $bin is missing (make bench builds it)" >&2; exit 1; }
command -v pr >/dev/null || { echo "bench-print: pr is missing" >&2; exit 1; }
mkdir -p "$data"

. "$(dirname "$0")/common/milliseconds.sh"

file=$data/print-100000.txt
[ -s "$file" ] || "$bin" generate "$file" 100000
out=$("$bin" run "$file" 5)
echo "$out"
pr_ms=$(milliseconds pr -n -l 66 -W 80 -h header "$file")
echo "pr_ms $pr_ms (whole process)"
for step in layout layout_with_window; do
  ms=$(awk -v k="${step}_ms" '$1 == k { print $2 }' <<<"$out")
  awk -v a="$ms" -v b="$pr_ms" -v s="$step" 'BEGIN { if (b > 0) printf "%s / pr: %.2f\n", s, a / b }'
done
