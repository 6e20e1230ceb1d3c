#!/usr/bin/env bash
# Grep benchmark: QxEditor's TGrep (through bench/regexp's qx_regexp_bench) against ripgrep reading
# Shift-JIS (rg -E shift_jis) and GNU grep on bytes (LC_ALL=C grep -F), on about 100 MB of generated
# Shift-JIS text with CR LF line ends, as one big file and as 1024 files of 100 KB; then one line of
# 1 MB against the same bytes in short lines, to show that a long line costs no more than its length.
#
#   bench/bench-regexp.sh <build-dir>      (make bench builds <build-dir> = build/bench)
#
# Every tool writes its matching lines with line numbers to a file, on one thread (rg -j1: TGrep
# runs on the user-interface thread). Each figure is the best wall time of five runs, in milliseconds.
set -euo pipefail
build=${1:-build/bench}
tool=$build/bin/qx_regexp_bench
data=${QX_BENCH_DATA:-$build/regexp-data}
runs=${QX_BENCH_RUNS:-5}
for t in rg grep iconv; do command -v $t >/dev/null || { echo "bench-regexp: $t is missing (scripts/install-deps.sh bench)" >&2; exit 1; }; done
[ -x "$tool" ] || { echo "bench-regexp: $tool is missing (make bench)" >&2; exit 1; }
[ -f "$data/longline16.txt" ] || "$tool" generate "$data" 100

# best <command...>: the best wall time of $runs runs in microseconds. The output goes to a file (GNU
# grep stops at the first match when its output is /dev/null).
out=$data/out.tmp
best() {
  local b=0 s e t
  for _ in $(seq "$runs"); do
    s=$(date +%s%N); "$@" >"$out" 2>/dev/null || true; e=$(date +%s%N)
    t=$(( (e - s) / 1000 )); if [ "$b" -eq 0 ] || [ "$t" -lt "$b" ]; then b=$t; fi
  done
  echo "$b"
}
ms() { awk -v u="$1" 'BEGIN { printf "%.1f", u / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / b }'; }

literal=正規表現
class='第[0-9０-９]+章'
dotstar='東京.*大阪'
fuzzy=ふぁいる
fuzzy_expanded=$("$tool" expand -f "$fuzzy")
literal_sjis=$(printf '%s' "$literal" | iconv -f UTF-8 -t CP932)
files=("$data"/many/*.txt)

echo "| pattern | input | TGrep ms | rg -E shift_jis ms | rg / TGrep | LC_ALL=C grep -F ms | grep / TGrep |"
echo "|---|---|---|---|---|---|---|"
for input in big many; do
  if [ $input = big ]; then qx_in=("$data/big.txt"); other_in=("$data/big.txt"); label="one file of 100 MB";
  else qx_in=("${files[@]}"); other_in=(-r "$data/many"); label="1024 files of 100 KB"; fi
  rg_in=("${other_in[@]/#-r/}")
  for kind in literal class dotstar fuzzy; do
    case $kind in
      literal) qx=$(best "$tool" grep "$literal" "${qx_in[@]}"); rg=$(best rg -n -j1 -E shift_jis "$literal" ${rg_in[@]});
               gr=$(best env LC_ALL=C grep -n -F "$literal_sjis" "${other_in[@]}"); shown=$literal ;;
      class)   qx=$(best "$tool" grep "$class" "${qx_in[@]}"); rg=$(best rg -n -j1 -E shift_jis "$class" ${rg_in[@]}); gr=; shown=$class ;;
      dotstar) qx=$(best "$tool" grep "$dotstar" "${qx_in[@]}"); rg=$(best rg -n -j1 -E shift_jis "$dotstar" ${rg_in[@]}); gr=; shown=$dotstar ;;
      fuzzy)   qx=$(best "$tool" grep -f "$fuzzy" "${qx_in[@]}"); rg=$(best rg -n -j1 -E shift_jis "$fuzzy_expanded" ${rg_in[@]}); gr=; shown="$fuzzy (fuzzy)" ;;
    esac
    if [ -n "$gr" ]; then gcol="$(ms "$gr") | $(ratio "$gr" "$qx")"; else gcol="- | -"; fi
    echo "| \`$shown\` | $label | $(ms "$qx") | $(ms "$rg") | $(ratio "$rg" "$qx") | $gcol |"
  done
done

echo
echo "| pattern | TGrep: 1 MB line / same bytes in short lines (ms) | rg: 1 MB line / short lines (ms) | TGrep: 16 MB line / 1 MB line (ms) |"
echo "|---|---|---|---|"
for kind in literal class dotstar fuzzy; do
  case $kind in
    literal) p=$literal; f=(); rp=$literal ;;
    class)   p=$class; f=(); rp=$class ;;
    dotstar) p=$dotstar; f=(); rp=$dotstar ;;
    fuzzy)   p=$fuzzy; f=(-f); rp=$fuzzy_expanded ;;
  esac
  ql=$(best "$tool" grep "${f[@]}" "$p" "$data/longline.txt"); qs=$(best "$tool" grep "${f[@]}" "$p" "$data/lines.txt")
  rl=$(best rg -n -j1 -E shift_jis "$rp" "$data/longline.txt"); rs=$(best rg -n -j1 -E shift_jis "$rp" "$data/lines.txt")
  q16=$(best "$tool" grep "${f[@]}" "$p" "$data/longline16.txt")
  echo "| \`$p\` | $(ms "$ql") / $(ms "$qs") = $(ratio "$ql" "$qs") | $(ms "$rl") / $(ms "$rs") = $(ratio "$rl" "$rs") | $(ms "$q16") / $(ms "$ql") = $(ratio "$q16" "$ql") |"
done
rm -f "$out"
