#!/usr/bin/env bash
# Replace-all and grep from its dialog.
#   bench/bench-find.sh <build-dir>
# Replace: a generated Shift-JIS text of about 10 MB with 100,000 hits; the replace command replaces
# every one (the text already loaded), against `LC_ALL=C sed s/.../.../g` on the same file.
# Grep: a generated tree of 1,000 files of about 100 KB (about 100 MB) in 10 folders; the grep dialog's
# run into a result document against the engine alone over the same files (the goal: within 1.5 x) and
# `LC_ALL=C grep -r` (the reference for raw speed); the longest stretch without a poll of the event loop.
# Each figure is the median of RUNS rounds (default 5), each ratio the median of the ratios of a round.
set -euo pipefail
build=${1:-build/bench}
runs=${RUNS:-5}
bin=$build/bin/qx_find_bench
[ -x "$bin" ] || { echo "bench-find: $bin is missing (make bench builds it)" >&2; exit 1; }
data=$build/bench-data/find
mkdir -p "$data"

sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
word=$(sjis '検索語')
repl=$(sjis '置換後の語')
text=$data/replace-sjis.txt
if [ ! -s "$text" ]; then
    awk 'BEGIN { for (i = 0; i < 200000; i++)
                   printf "%07d 日本語の文章の行です abc %s\r\n", i, (i % 2 == 0 ? "検索語 xyz" : "その他の語句") }' |
        iconv -f UTF-8 -t CP932 >"$text"
fi
tree=$data/tree
if [ ! -d "$tree/d9" ]; then
    base=$data/base.txt
    awk 'BEGIN { for (i = 0; i < 2000; i++)
                   printf "%05d 日本語のテキスト ASCII text for grep %s\r\n", i, (i % 500 == 7 ? "目印の語" : "普通の行") }' |
        iconv -f UTF-8 -t CP932 >"$base"
    for d in $(seq 0 9); do
        mkdir -p "$tree/d$d"
        for f in $(seq 0 99); do cp "$base" "$tree/d$d/f$f.txt"; done
    done
fi
mark=$(sjis '目印の語')

now_ms() { date +%s%N | awk '{ printf "%.1f", $1 / 1e6 }'; }
median() { tr ' ' '\n' | grep . | sort -g | sed -n "$(( (runs + 1) / 2 ))p"; }
since() { awk -v a="$(now_ms)" -v b="$1" 'BEGIN { printf "%.1f", a - b }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { print a / b }'; }

declare -A t r
for _ in $(seq "$runs"); do
    start=$(now_ms)
    LC_ALL=C sed "s/$word/$repl/g" "$text" >/dev/null
    s=$(since "$start"); t[sed]+="$s "
    read -r _ ms hits undo paints _ < <("$bin" replace "$text" "$word" "$repl")
    [ "$hits" = 100000 ] || { echo "bench-find: replaced $hits, not 100000" >&2; exit 1; }
    t[replace]+="$ms "; r[replace]+="$(ratio "$ms" "$s") "; steps=$undo; repaints=$paints

    start=$(now_ms)
    LC_ALL=C grep -r -F "$mark" "$tree" >/dev/null
    g=$(since "$start"); t[grep]+="$g "
    { read -r _; read -r _ ems elines; read -r _ dms dlines gap; read -r _ sms; } < <("$bin" grep "$tree/*.txt" "$mark")
    [ "$dlines" -ge "$elines" ] || { echo "bench-find: the dialog found $dlines lines, the engine $elines" >&2; exit 1; }
    run=$(awk -v a="$dms" -v b="$sms" 'BEGIN { printf "%.1f", a - b }')
    t[dialog]+="$dms "; t[engine]+="$ems "; t[gap]+="$gap "; t[settings]+="$sms "; t[run]+="$run "
    r[dialog]+="$(ratio "$dms" "$ems") "; r[dialog-grep]+="$(ratio "$dms" "$g") "; r[engine-grep]+="$(ratio "$ems" "$g") "
    r[run]+="$(ratio "$run" "$ems") "; r[run-grep]+="$(ratio "$run" "$g") "
done

echo "replace: $(du -m "$text" | cut -f1) MB, 100000 hits; undo steps $steps, repaint requests $repaints; median of $runs rounds"
printf '%-34s %10s %10s\n' "run" "ms" "x sed"
printf '%-34s %10.1f %10s\n' "LC_ALL=C sed s/../../g" "$(median <<<"${t[sed]}")" "1.00"
printf '%-34s %10.1f %10.2f\n' "replace all (the command)" "$(median <<<"${t[replace]}")" "$(median <<<"${r[replace]}")"
echo
echo "grep: $(find "$tree" -type f | wc -l) files, $(du -sm "$tree" | cut -f1) MB; median of $runs rounds"
printf '%-34s %10s %10s %10s\n' "run" "ms" "x engine" "x grep"
printf '%-34s %10.1f %10s %10s\n' "LC_ALL=C grep -r -F" "$(median <<<"${t[grep]}")" "" "1.00"
printf '%-34s %10.1f %10s %10.2f\n' "engine alone" "$(median <<<"${t[engine]}")" "1.00" "$(median <<<"${r[engine-grep]}")"
printf '%-34s %10.1f %10.2f %10.2f\n' "grep dialog's OK, all of it" "$(median <<<"${t[dialog]}")" \
    "$(median <<<"${r[dialog]}")" "$(median <<<"${r[dialog-grep]}")"
printf '%-34s %10.1f\n' "  of it: storing the settings" "$(median <<<"${t[settings]}")"
printf '%-34s %10.1f %10.2f %10.2f\n' "  the rest: list, search, document" "$(median <<<"${t[run]}")" \
    "$(median <<<"${r[run]}")" "$(median <<<"${r[run-grep]}")"
printf '%-34s %10.1f\n' "longest stretch without a poll" "$(median <<<"${t[gap]}")"
