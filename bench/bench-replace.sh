#!/usr/bin/env bash
# Replace all, its undo and its redo on a large Shift-JIS text, against vim in the same rounds.
#   bench/bench-replace.sh <build-dir>
# The text: the manual-page prose of qx_editor_bench (MB megabytes, default 105, CR LF), in which FIND
# ("ファイル") is replaced by REPLACE ("ファイルズ"). Ours: the replace command over an editor on a window
# without a screen (qx_find_bench replace), timed in the process; the bytes after the undo are checked
# against the file. vim: `vim -u NONE -es -n` reading the file as cp932, three runs a round (the load
# alone, the load and `%s`, the load, `%s` and `undo`): its `%s` is the second less the first, its undo
# the third less the second. Peak memory of each whole process from /usr/bin/time. Each ratio is the
# median of the rounds' ratios (RUNS rounds, default 5), with the lowest and the highest.
set -euo pipefail
build=${1:-build/bench}
runs=${RUNS:-5}
mb=${MB:-105}
find_bin=$build/bin/qx_find_bench
editor_bin=$build/bin/qx_editor_bench
for b in "$find_bin" "$editor_bin"; do
    [ -x "$b" ] || { echo "bench-replace: $b is missing (make bench builds it)" >&2; exit 1; }
done
data=$build/bench-data/replace
mkdir -p "$data"
text=$data/prose-$mb.txt
[ -s "$text" ] || "$editor_bin" generate "$text" "$mb" prose

sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
find_utf8=${FIND:-ファイル}
repl_utf8=${REPLACE:-ファイルズ}
word=$(sjis "$find_utf8")
repl=$(sjis "$repl_utf8")

# Seconds and peak kB of one run: "SECONDS KB".
timed() {
    /usr/bin/time -f '%e %M' -o "$data/time.out" "$@" >/dev/null 2>&1
    cat "$data/time.out"
}
vim_run() { timed vim -u NONE -es -n --cmd 'set fencs=cp932' "$@" -c 'q!' "$text"; }
median() { tr ' ' '\n' | grep . | sort -g | sed -n "$(( (runs + 1) / 2 ))p"; }
lowest() { tr ' ' '\n' | grep . | sort -g | head -1; }
highest() { tr ' ' '\n' | grep . | sort -g | tail -1; }

declare -A v
for _ in $(seq "$runs"); do
    read -r t0 _ < <(vim_run)
    read -r t1 kb1 < <(vim_run -c "%s/$find_utf8/$repl_utf8/g")
    read -r t2 _ < <(vim_run -c "%s/$find_utf8/$repl_utf8/g" -c 'undo')
    vs=$(awk -v a="$t1" -v b="$t0" 'BEGIN { printf "%.3f", (a - b) * 1000 }')
    vu=$(awk -v a="$t2" -v b="$t1" 'BEGIN { printf "%.3f", (a - b) * 1000 }')
    out=$(/usr/bin/time -f '%M' -o "$data/time.out" "$find_bin" replace "$text" "$word" "$repl")
    read -r _ ms hits _ _ undo redo same <<<"$out"
    kb=$(cat "$data/time.out")
    [ "$same" = 1 ] || { echo "bench-replace: the text after the undo is not the file" >&2; exit 1; }
    v[vs]+="$vs "; v[vu]+="$vu "; v[vkb]+="$kb1 "
    v[ms]+="$ms "; v[undo]+="$undo "; v[redo]+="$redo "; v[kb]+="$kb "
    v[rs]+="$(awk -v a="$ms" -v b="$vs" 'BEGIN { print a / b }') "
    v[ru]+="$(awk -v a="$undo" -v b="$vu" 'BEGIN { print a / b }') "
    v[rr]+="$(awk -v a="$redo" -v b="$vu" 'BEGIN { print a / b }') "
    v[rk]+="$(awk -v a="$kb" -v b="$kb1" 'BEGIN { print a / b }') "
done
range() { printf '%.2f [%.2f-%.2f]' "$(median <<<"$1")" "$(lowest <<<"$1")" "$(highest <<<"$1")"; }
echo "$(du -mL "$text" | cut -f1) MB, $hits hits; median of $runs rounds, the bytes after each undo the file's"
printf '%-28s %10s %24s\n' "run" "ms" "x vim [lowest-highest]"
printf '%-28s %10.0f %24s\n' "vim %s" "$(median <<<"${v[vs]}")" "1.00"
printf '%-28s %10.0f %24s\n' "replace all" "$(median <<<"${v[ms]}")" "$(range "${v[rs]}")"
printf '%-28s %10.0f %24s\n' "vim undo" "$(median <<<"${v[vu]}")" "1.00"
printf '%-28s %10.0f %24s\n' "undo of the replace" "$(median <<<"${v[undo]}")" "$(range "${v[ru]}")"
printf '%-28s %10.0f %24s\n' "redo of the replace" "$(median <<<"${v[redo]}")" "$(range "${v[rr]}")"
printf '%-28s %10s %24s\n' "peak MB: vim load and %s" "$(( $(median <<<"${v[vkb]}") / 1000 ))" "1.00"
printf '%-28s %10s %24s\n' "peak MB: ours, all of it" "$(( $(median <<<"${v[kb]}") / 1000 ))" "$(range "${v[rk]}")"
