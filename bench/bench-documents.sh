#!/usr/bin/env bash
# Opening a document of about 100 MB in Shift-JIS (the generated text and manual-page prose), EUC, UTF-8
# and UTF-16LE (read in pieces, the code chosen from the first ones, each piece converted to Shift-JIS
# and laid out into rows, unwrapped, wrapped at 80, and wrapped at 80 by the line-break rules of the
# editor's default environment) against vim opening the same file with the matching 'fencs'; then
# saving that text in each code against iconv writing the same code from the Shift-JIS file.
#   bench/bench-documents.sh <build-dir>
# Wall time and peak memory come from /usr/bin/time. The programs run in turn, vim first, RUNS times
# (default 3): each figure is the median of the rounds, and each time ratio is the median of the ratios
# of the same round, so that a machine whose speed drifts during the runs skews no ratio.
set -euo pipefail
build=${1:-build/bench}
runs=${RUNS:-3}
bin=$build/bin/qx_editor_bench
data=$build/bench-data
[ -x "$bin" ] || { echo "bench-documents: $bin is missing (make bench builds it)" >&2; exit 1; }
for program in vim iconv /usr/bin/time; do
    command -v "$program" >/dev/null || { echo "bench-documents: $program is missing (scripts/install-deps.sh bench)" >&2; exit 1; }
done
mkdir -p "$data"
sjis=$data/editor-sjis.txt
[ -s "$sjis" ] || "$bin" generate "$sjis" 100
prose=$data/editor-prose.txt
[ -s "$prose" ] || "$bin" generate "$prose" 100 prose
[ -s "$data/doc.euc" ] || iconv -f CP932 -t EUC-JP "$sjis" > "$data/doc.euc"
[ -s "$data/doc.utf8" ] || iconv -f CP932 -t UTF-8 "$sjis" > "$data/doc.utf8"
[ -s "$data/doc.utf16" ] || { printf '\xff\xfe'; iconv -f CP932 -t UTF-16LE "$sjis"; } > "$data/doc.utf16"

# Prints "seconds kilobytes" of one run.
measure() {
    local out
    out=$(mktemp)
    /usr/bin/time -f '%e %M' -o "$out" "$@" >/dev/null 2>&1
    cat "$out"
    rm -f "$out"
}
median() { sort -g | sed -n "$(( (runs + 1) / 2 ))p"; }
pick() { tr ' ' '\n' <<<"$1" | grep . | median; }

echo "file: $(du -m "$sjis" | cut -f1) MB of Shift-JIS, $(wc -l <"$sjis") lines; median of $runs rounds"
printf '%-10s %-22s %8s %8s %8s %8s\n' "code" "open" "seconds" "x vim" "peak MB" "x vim"
for entry in "SJIS:$sjis:cp932" "SJIS-prose:$prose:cp932" "EUC:$data/doc.euc:euc-jp" "UTF-8:$data/doc.utf8:utf-8" "UTF-16LE:$data/doc.utf16:ucs-bom"; do
    IFS=: read -r code file fencs <<<"$entry"
    declare -A times=() mems=() ratios=()
    for _ in $(seq "$runs"); do
        read -r vt vm < <(measure vim -u NONE -es -n --cmd "set fencs=$fencs" -c 'q!' "$file")
        times[vim]+="$vt "
        mems[vim]+="$vm "
        for wrap in 0 80 80r; do
            read -r t m < <(measure "$bin" open "$file" "$wrap")
            times[$wrap]+="$t "
            mems[$wrap]+="$m "
            ratios[$wrap]+="$(awk -v a="$t" -v b="$vt" 'BEGIN { print a / b }') "
        done
    done
    vim_m=$(pick "${mems[vim]}")
    printf '%-10s %-22s %8.2f %8s %8.0f %8s\n' "$code" "vim (fencs=$fencs)" "$(pick "${times[vim]}")" "1.00" "$((vim_m / 1024))" "1.00"
    for wrap in 0 80 80r; do
        case $wrap in
        0) label="ours, wrap off" ;;
        *r) label="ours, wrap ${wrap%r}, rules" ;;
        *) label="ours, wrap at $wrap" ;;
        esac
        m=$(pick "${mems[$wrap]}")
        printf '%-10s %-22s %8.2f %8.2f %8.0f %8.2f\n' "$code" "$label" "$(pick "${times[$wrap]}")" \
            "$(pick "${ratios[$wrap]}")" "$((m / 1024))" "$(awk -v a="$m" -v b="$vim_m" 'BEGIN { print a / b }')"
    done
done

echo
echo "save (ours: the text in memory encoded and written safely; iconv: the Shift-JIS file converted to a file)"
printf '%-10s %10s %10s %8s\n' "code" "ours s" "iconv s" "x iconv"
out=$data/saved.out
for entry in "0:JIS:ISO-2022-JP" "1:EUC:EUC-JP" "2:SJIS:CP932" "3:UTF-16LE:UTF-16LE" "4:UTF-16BE:UTF-16BE" "5:UTF-8:UTF-8"; do
    IFS=: read -r number code target <<<"$entry"
    ours="" theirs="" ratio=""
    for _ in $(seq "$runs"); do
        s=$("$bin" save "$sjis" "$number" "$out")
        t=$( { /usr/bin/time -f %e sh -c "iconv -f CP932 -t $target '$sjis' > '$out'" ; } 2>&1 | tail -n 1)
        ours+="$s " theirs+="$t " ratio+="$(awk -v a="$s" -v b="$t" 'BEGIN { print (b > 0 ? a / b : 0) }') "
    done
    printf '%-10s %10.2f %10.2f %8.2f\n' "$code" "$(pick "$ours")" "$(pick "$theirs")" "$(pick "$ratio")"
done
rm -f "$out"
