#!/usr/bin/env bash
# The editing control's select-all + copy of the generated text of bench-editor.sh (about 2 million
# lines, 96 MB) and the paste of 10 MB of it in the text's middle, against vim doing the same on the
# same file as cp932 (`%y`, and `r` of the 10 MB file at the middle line).
#   bench/bench-selection.sh <build-dir>
# The control's times are measured in process, after the load. vim's are the time of a run that loads
# and does the step less the time of a run that only loads, in the same round; RUNS rounds (default 5),
# medians, each ratio the median of the ratios of the same round with the lowest and the highest.
# The same again in processor time (the control's step in process; vim's user + system time of the run
# with the step less that of the run that only loads), which a busy machine disturbs far less.
set -euo pipefail
build=${1:-build/bench}
runs=${RUNS:-5}
bin=$build/bin/qx_selection_bench
dir=$build/bench-data
data=$dir/editor-sjis.txt
paste=$dir/selection-paste10.txt
[ -x "$bin" ] || { echo "bench-selection: $bin is missing (make bench builds it)" >&2; exit 1; }
command -v vim >/dev/null || { echo "bench-selection: vim is missing (scripts/install-deps.sh bench)" >&2; exit 1; }
mkdir -p "$dir"
[ -s "$data" ] || "$build/bin/qx_editor_bench" generate "$data" 100
# 10 MB of whole lines.
[ -s "$paste" ] || head -c 10485760 "$data" | LC_ALL=C sed '$d' >"$paste"

# Prints the wall seconds and the processor seconds (user + system) of one run.
seconds() {
    local out
    out=$(mktemp)
    /usr/bin/time -f '%e %U %S' -o "$out" "$@" >/dev/null 2>&1
    awk '{ printf "%s %.2f\n", $1, $2 + $3 }' "$out"
    rm -f "$out"
}
median() { tr ' ' '\n' <<<"$1" | grep . | sort -g | sed -n "$(( (runs + 1) / 2 ))p"; }
spread() { tr ' ' '\n' <<<"$1" | grep . | sort -g | sed -n '1p;$p' | paste -sd- | sed 's/-/–/'; }
vim=(vim -u NONE -es -n --cmd 'set fencs=cp932')

declare -A ours=() cpus=() theirs=() vimcpus=() ratios=() cpuratios=()
for _ in $(seq "$runs"); do
    read -r load loadcpu < <(seconds "${vim[@]}" -c 'q!' "$data")
    for step in select paste; do
        if [ "$step" = select ]; then
            read -r total totalcpu < <(seconds "${vim[@]}" -c 'silent %y' -c 'q!' "$data")
            read -r ms _ cpu < <("$bin" select "$data")
        else
            read -r total totalcpu < <(seconds "${vim[@]}" -c 'exe (line("$") / 2)' -c "silent r $paste" -c 'q!' "$data")
            read -r ms _ cpu < <("$bin" paste "$data" "$paste")
        fi
        vim_ms=$(awk -v t="$total" -v l="$load" 'BEGIN { v = (t - l) * 1000; if (v < 10) v = 10; printf "%.0f", v }')
        vim_cpu=$(awk -v t="$totalcpu" -v l="$loadcpu" 'BEGIN { v = (t - l) * 1000; if (v < 10) v = 10; printf "%.0f", v }')
        ours[$step]+="$ms "
        cpus[$step]+="$cpu "
        theirs[$step]+="$vim_ms "
        vimcpus[$step]+="$vim_cpu "
        ratios[$step]+="$(awk -v a="$ms" -v b="$vim_ms" 'BEGIN { printf "%.3f", a / b }') "
        cpuratios[$step]+="$(awk -v a="$cpu" -v b="$vim_cpu" 'BEGIN { printf "%.3f", a / b }') "
    done
done
echo "file: $(basename "$data"), $(du -m "$data" | cut -f1) MB, $(wc -l <"$data") lines; paste: $(du -m "$paste" | cut -f1) MB; median of $runs rounds"
printf '%-26s %11s %11s %24s %11s %11s %24s\n' "step" "control ms" "vim ms" "x vim [lowest-highest]" \
    "control cpu" "vim cpu" "x vim, cpu [low-high]"
for step in select paste; do
    label="select all + copy"
    [ "$step" = paste ] && label="paste 10 MB at the middle"
    printf '%-26s %11s %11s %24s %11s %11s %24s\n' "$label" "$(median "${ours[$step]}")" "$(median "${theirs[$step]}")" \
        "$(median "${ratios[$step]}") [$(spread "${ratios[$step]}")]" "$(median "${cpus[$step]}")" \
        "$(median "${vimcpus[$step]}")" "$(median "${cpuratios[$step]}") [$(spread "${cpuratios[$step]}")]"
done
