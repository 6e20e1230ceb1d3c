#!/usr/bin/env bash
# The text commands on the generated text of bench-editor.sh (about 2 million lines, 96 MB, Shift-JIS):
# quote marks before and line numbers in front of its first 100,000 lines, and the whole text converted
# to half width, each one replacement and one undo step; against sed ("> " before the same lines), nl
# (numbers on them) and nkf -Z1 (full-width ASCII and spaces to half width) on the same file.
#   bench/bench-textcommands.sh <build-dir>
# The control's times are measured in process, after the load; the tools' are whole runs over the file
# (they read and write it all, which the control's command does not), so a ratio below 1 is only fair
# to the tools in part. RUNS rounds (default 5), medians, each ratio the median of the same round's.
set -euo pipefail
build=${1:-build/bench}
runs=${RUNS:-5}
bin=$build/bin/qx_textcommands_bench
dir=$build/bench-data
data=$dir/editor-sjis.txt
[ -x "$bin" ] || { echo "bench-textcommands: $bin is missing (make bench builds it)" >&2; exit 1; }
command -v nkf >/dev/null || { echo "bench-textcommands: nkf is missing (scripts/install-deps.sh bench)" >&2; exit 1; }
mkdir -p "$dir"
[ -s "$data" ] || "$build/bin/qx_editor_bench" generate "$data" 100

seconds() {
    local out
    out=$(mktemp)
    /usr/bin/time -f '%e' -o "$out" "$@" >/dev/null 2>&1
    cat "$out"
    rm -f "$out"
}
median() { tr ' ' '\n' <<<"$1" | grep . | sort -g | sed -n "$(( (runs + 1) / 2 ))p"; }
spread() { tr ' ' '\n' <<<"$1" | grep . | sort -g | sed -n '1p;$p' | paste -sd- | sed 's/-/–/'; }

declare -A ours=() theirs=() ratios=() undo=()
for _ in $(seq "$runs"); do
    for step in quote number hankaku; do
        case $step in
        quote) read -r ms steps < <("$bin" quote "$data" 100000)
               tool=$(seconds env LC_ALL=C sed '1,100000s/^/> /' "$data") ;;
        number) read -r ms steps < <("$bin" number "$data" 100000)
                tool=$(seconds sh -c "head -n 100000 '$data' | nl -ba -w6 -nrz -s' '") ;;
        hankaku) read -r ms steps < <("$bin" hankaku "$data")
                 tool=$(seconds nkf -S -s -Z1 "$data") ;;
        esac
        tool_ms=$(awk -v t="$tool" 'BEGIN { v = t * 1000; if (v < 10) v = 10; printf "%.0f", v }')
        ours[$step]+="$ms "
        theirs[$step]+="$tool_ms "
        undo[$step]=$steps
        ratios[$step]+="$(awk -v a="$ms" -v b="$tool_ms" 'BEGIN { printf "%.3f", a / b }') "
    done
done
echo "file: $(basename "$data"), $(du -m "$data" | cut -f1) MB, $(wc -l <"$data") lines; median of $runs rounds"
printf '%-36s %10s %10s %6s %24s\n' "command" "ours ms" "tool ms" "undo" "x tool [lowest-highest]"
for step in quote number hankaku; do
    case $step in
    quote) label="quote 100,000 lines (sed)" ;;
    number) label="number 100,000 lines (nl)" ;;
    hankaku) label="half width, whole text (nkf -Z1)" ;;
    esac
    printf '%-36s %10s %10s %6s %24s\n' "$label" "$(median "${ours[$step]}")" "$(median "${theirs[$step]}")" \
        "${undo[$step]}" "$(median "${ratios[$step]}") [$(spread "${ratios[$step]}")]"
done
