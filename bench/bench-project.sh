#!/usr/bin/env bash
# Projects: a generated project of 10,000 items (and 40,000, to show the growth) loaded, saved and its
# tree rebuilt (the manager's shape, and the Qt pane over it with every node expanded), each the median
# of nine rounds inside one process; against `iconv -f CP932 -t UTF-8` reading and decoding the same file
# (a whole process, median of nine wall-clock runs).
#   bench/bench-project.sh <build-dir>
set -euo pipefail
build=${1:-build/bench}
bin=$build/bin/qx_project_bench
data=$build/bench-data
[ -x "$bin" ] || { echo "bench-project: $bin is missing (make bench builds it)" >&2; exit 1; }
command -v iconv >/dev/null || { echo "bench-project: iconv is missing" >&2; exit 1; }
mkdir -p "$data"

. "$(dirname "$0")/common/milliseconds.sh"

for items in 10000 40000; do
  file=$data/project-$items.qxp
  [ -s "$file" ] || "$bin" generate "$file" "$items"
  echo "== $items items"
  out=$("$bin" run "$file" 9)
  echo "$out"
  iconv_ms=$(milliseconds iconv -f CP932 -t UTF-8 "$file")
  echo "iconv_ms $iconv_ms (whole process)"
  for step in load save pane_rebuild; do
    ms=$(awk -v k="${step}_ms" '$1 == k { print $2 }' <<<"$out")
    awk -v a="$ms" -v b="$iconv_ms" -v s="$step" 'BEGIN { if (b > 0) printf "%s / iconv: %.2f\n", s, a / b }'
  done
done
