#!/usr/bin/env bash
# Loading a Shift-JIS text of about 100 MB into the editor's row store, unwrapped and wrapped at 80
# columns (without line-break rules, and by those of the editor's default environment: words kept whole,
# punctuation hanging), against vim opening the same file as cp932; and the latency of typing one
# character at the start, the middle and the end of a text.
#   bench/bench-editor.sh <build-dir>
# Two texts: the generated one (random characters and words, lines of 0 to 96 bytes) and one shaped like
# manual-page prose (indented paragraphs filled to 78 columns, blank lines), both with CR LF. Wall time
# and peak memory come from /usr/bin/time. The programs run in turn, vim first, RUNS times (default 5):
# each time is the median of the runs, and each ratio is the median of the ratios of the same round,
# shown with the lowest and the highest, so that a machine whose speed drifts skews no ratio. The typing
# runs also on a text of 400 MB (the prose four times over), where the start is farthest from the end.
set -euo pipefail
build=${1:-build/bench}
runs=${RUNS:-5}
bin=$build/bin/qx_editor_bench
dir=$build/bench-data
[ -x "$bin" ] || { echo "bench-editor: $bin is missing (make bench builds it)" >&2; exit 1; }
command -v vim >/dev/null || { echo "bench-editor: vim is missing (scripts/install-deps.sh bench)" >&2; exit 1; }
mkdir -p "$dir"
[ -s "$dir/editor-sjis.txt" ] || "$bin" generate "$dir/editor-sjis.txt" 100
[ -s "$dir/editor-prose.txt" ] || "$bin" generate "$dir/editor-prose.txt" 100 prose
[ -s "$dir/editor-prose400.txt" ] || cat "$dir"/editor-prose.txt{,,,} >"$dir/editor-prose400.txt"

# Prints "seconds kilobytes" of one run.
measure() {
    local out
    out=$(mktemp)
    /usr/bin/time -f '%e %M' -o "$out" "$@" >/dev/null 2>&1
    cat "$out"
    rm -f "$out"
}
median() { tr ' ' '\n' <<<"$1" | grep . | sort -g | sed -n "$(( (runs + 1) / 2 ))p"; }
spread() { tr ' ' '\n' <<<"$1" | grep . | sort -g | sed -n '1p;$p' | paste -sd- | sed 's/-/–/'; }

for shape in sjis prose; do
    data=$dir/editor-$shape.txt
    declare -A times=() mems=() ratios=()
    for _ in $(seq "$runs"); do
        read -r vt vm < <(measure vim -u NONE -es -n --cmd 'set fencs=cp932' -c 'q!' "$data")
        times[vim]+="$vt "
        mems[vim]+="$vm "
        for wrap in 0 80 80r; do
            read -r t m < <(measure "$bin" load "$data" "$wrap")
            times[$wrap]+="$t "
            mems[$wrap]+="$m "
            ratios[$wrap]+="$(awk -v a="$t" -v b="$vt" 'BEGIN { printf "%.3f", a / b }') "
        done
    done
    echo "file: $(basename "$data"), $(du -m "$data" | cut -f1) MB, $(wc -l <"$data") lines; median of $runs rounds"
    vim_m=$(median "${mems[vim]}")
    printf '%-28s %8s %22s %10s %10s\n' "load" "seconds" "x vim [lowest-highest]" "peak MB" "x vim"
    printf '%-28s %8.2f %22s %10.0f %10s\n' "vim -u NONE -es (cp932)" "$(median "${times[vim]}")" "1.00" "$((vim_m / 1024))" "1.00"
    for wrap in 0 80 80r; do
        case $wrap in
        0) label="row store, wrap off" ;;
        *r) label="row store, wrap ${wrap%r}, rules" ;;
        *) label="row store, wrap at $wrap" ;;
        esac
        m=$(median "${mems[$wrap]}")
        printf '%-28s %8.2f %22s %10.0f %10.2f\n' "$label" "$(median "${times[$wrap]}")" \
            "$(median "${ratios[$wrap]}") [$(spread "${ratios[$wrap]}")]" "$((m / 1024))" \
            "$(awk -v a="$m" -v b="$vim_m" 'BEGIN { print a / b }')"
    done
    echo
done

for data in "$dir/editor-sjis.txt" "$dir/editor-prose400.txt"; do
    for wrap in 0 80 80r; do
        echo "one-character inserts in $(basename "$data"), 2000 at each place, wrap $wrap:"
        "$bin" insert "$data" "$wrap" 2000
        echo
    done
done
