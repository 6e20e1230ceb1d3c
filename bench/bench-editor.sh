#!/usr/bin/env bash
# Loading a generated Shift-JIS text of about 100 MB (about 2 million CR LF lines) into the editor's
# row store, unwrapped and wrapped at 80 columns, against vim opening the same file as cp932; and the
# latency of typing one character at the start, the middle and the end of that text.
#   bench/bench-editor.sh <build-dir>
# Wall time and peak memory come from /usr/bin/time. The programs run in turn, vim first, RUNS times
# (default 5): each figure is the median of the runs, and each time ratio is the median of the ratios
# of the same round, so that a machine whose speed drifts during the runs skews no ratio.
set -euo pipefail
build=${1:-build/bench}
runs=${RUNS:-5}
bin=$build/bin/qx_editor_bench
data=$build/bench-data/editor-sjis.txt
[ -x "$bin" ] || { echo "bench-editor: $bin is missing (make bench builds it)" >&2; exit 1; }
command -v vim >/dev/null || { echo "bench-editor: vim is missing (scripts/install-deps.sh bench)" >&2; exit 1; }
mkdir -p "$(dirname "$data")"
[ -s "$data" ] || "$bin" generate "$data" 100

# Prints "seconds kilobytes" of one run.
measure() {
    local out
    out=$(mktemp)
    /usr/bin/time -f '%e %M' -o "$out" "$@" >/dev/null 2>&1
    cat "$out"
    rm -f "$out"
}
median() { sort -g | sed -n "$(( (runs + 1) / 2 ))p"; }

declare -A times mems ratios
for _ in $(seq "$runs"); do
    read -r vt vm < <(measure vim -u NONE -es -n --cmd 'set fencs=cp932' -c 'q!' "$data")
    times[vim]+="$vt "
    mems[vim]+="$vm "
    for wrap in 0 80; do
        read -r t m < <(measure "$bin" load "$data" "$wrap")
        times[$wrap]+="$t "
        mems[$wrap]+="$m "
        ratios[$wrap]+="$(awk -v a="$t" -v b="$vt" 'BEGIN { print a / b }') "
    done
done
pick() { tr ' ' '\n' <<<"$1" | grep . | median; }

echo "file: $(du -m "$data" | cut -f1) MB, $(wc -l <"$data") lines; median of $runs rounds"
vim_m=$(pick "${mems[vim]}")
printf '%-28s %8s %10s %10s %10s\n' "load" "seconds" "x vim" "peak MB" "x vim"
printf '%-28s %8.2f %10s %10.0f %10s\n' "vim -u NONE -es (cp932)" "$(pick "${times[vim]}")" "1.00" "$((vim_m / 1024))" "1.00"
for wrap in 0 80; do
    label="row store, wrap off"
    [ "$wrap" -gt 0 ] && label="row store, wrap at $wrap"
    m=$(pick "${mems[$wrap]}")
    printf '%-28s %8.2f %10.2f %10.0f %10.2f\n' "$label" "$(pick "${times[$wrap]}")" "$(pick "${ratios[$wrap]}")" \
        "$((m / 1024))" "$(awk -v a="$m" -v b="$vim_m" 'BEGIN { print a / b }')"
done

for wrap in 0 80; do
    echo
    echo "one-character inserts, 2000 at each place, wrap $([ "$wrap" -gt 0 ] && echo "at $wrap" || echo off):"
    "$bin" insert "$data" "$wrap" 2000
done
