#!/usr/bin/env bash
# Loading a generated Shift-JIS text of about 100 MB (about 2 million CR LF lines) into the editor's
# row store, unwrapped and wrapped at 80 columns, against vim opening the same file as cp932; and the
# latency of typing one character at the start, the middle and the end of that text.
#   bench/bench-editor.sh <build-dir>
# Wall time and peak memory come from /usr/bin/time; each figure is the median of RUNS runs (default 3).
set -euo pipefail
build=${1:-build/bench}
runs=${RUNS:-3}
bin=$build/bin/qx_editor_bench
data=$build/bench-data/editor-sjis.txt
[ -x "$bin" ] || { echo "bench-editor: $bin is missing (make bench builds it)" >&2; exit 1; }
command -v vim >/dev/null || { echo "bench-editor: vim is missing (scripts/install-deps.sh bench)" >&2; exit 1; }
mkdir -p "$(dirname "$data")"
[ -s "$data" ] || "$bin" generate "$data" 100

# Prints "seconds kilobytes": the median wall time and the median peak memory of the runs.
measure() {
    local out times=() mems=()
    out=$(mktemp)
    for _ in $(seq "$runs"); do
        /usr/bin/time -f '%e %M' -o "$out" "$@" >/dev/null 2>&1
        read -r t m <"$out"
        times+=("$t")
        mems+=("$m")
    done
    rm -f "$out"
    printf '%s %s\n' "$(printf '%s\n' "${times[@]}" | sort -g | sed -n "$(( (runs + 1) / 2 ))p")" \
        "$(printf '%s\n' "${mems[@]}" | sort -g | sed -n "$(( (runs + 1) / 2 ))p")"
}

echo "file: $(du -m "$data" | cut -f1) MB, $(wc -l <"$data") lines; median of $runs runs"
read -r vim_t vim_m < <(measure vim -u NONE -es -n --cmd 'set fencs=cp932' -c 'q!' "$data")
printf '%-28s %8s %10s %10s %10s\n' "load" "seconds" "x vim" "peak MB" "x vim"
printf '%-28s %8.2f %10s %10.0f %10s\n' "vim -u NONE -es (cp932)" "$vim_t" "1.00" "$((vim_m / 1024))" "1.00"
for wrap in 0 80; do
    read -r t m < <(measure "$bin" load "$data" "$wrap")
    label="row store, wrap off"
    [ "$wrap" -gt 0 ] && label="row store, wrap at $wrap"
    printf '%-28s %8.2f %10.2f %10.0f %10.2f\n' "$label" "$t" "$(awk -v a="$t" -v b="$vim_t" 'BEGIN { print a / b }')" \
        "$((m / 1024))" "$(awk -v a="$m" -v b="$vim_m" 'BEGIN { print a / b }')"
done

for wrap in 0 80; do
    echo
    echo "one-character inserts, 2000 at each place, wrap $([ "$wrap" -gt 0 ] && echo "at $wrap" || echo off):"
    "$bin" insert "$data" "$wrap" 2000
done
