#!/usr/bin/env bash
# Grep benchmark: QxEditor's TGrep (through bench/regexp's qx_regexp_bench) against ripgrep reading
# Shift-JIS (rg -E shift_jis) and GNU grep on bytes (LC_ALL=C grep -F), on Shift-JIS texts of four
# shapes: the generated text (100 MB, CR LF) as one file and as 1024 files of 100 KB, 100 MB shaped like
# manual-page prose (CR LF) and 31 MB shaped like a word list of short LF lines; the prose and the word
# list also as UTF-8 and EUC-JP copies (iconv), which TGrep reads in their own code and rg is told
# (rg -E utf-8, rg -E euc-jp); then one line of 1 MB against the same bytes in short lines, to show that
# a long line costs no more than its length.
#
#   bench/bench-regexp.sh <build-dir>      (make bench builds <build-dir> = build/bench)
#
# Every tool writes its matching lines with line numbers to a file, on one thread (rg -j1: TGrep runs on
# the user-interface thread). The main table runs TGrep and the other tool in pairs (bench/paired-runs.py,
# RUNS pairs, default 9, which goes first alternating), and gives the median times and the medians of
# the pairs' ratios of wall-clock and of processor time with the lowest and the highest, so that a
# machine whose speed drifts skews no ratio; its last column says whether both reported the same line
# numbers. The long-line table gives the best of RUNS runs.
set -euo pipefail
build=${1:-build/bench}
tool=$build/bin/qx_regexp_bench
data=${QX_BENCH_DATA:-$build/regexp-data}
runs=${QX_BENCH_RUNS:-${RUNS:-9}}
pairs_tool=$(dirname "$0")/paired-runs.py
for t in rg grep iconv; do command -v $t >/dev/null || { echo "bench-regexp: $t is missing (scripts/install-deps.sh bench)" >&2; exit 1; }; done
[ -x "$tool" ] || { echo "bench-regexp: $tool is missing (make bench)" >&2; exit 1; }
[ -f "$data/dict.txt" ] || "$tool" generate "$data" 100
for base in prose dict; do
  [ -f "$data/$base-utf8.txt" ] || iconv -c -f CP932 -t UTF-8 "$data/$base.txt" >"$data/$base-utf8.txt"
  [ -f "$data/$base-euc.txt" ] || iconv -c -f CP932 -t EUC-JP "$data/$base.txt" >"$data/$base-euc.txt" || true
done

# The output goes to a file (GNU grep stops at the first match when its output is /dev/null).
out=$data/out.tmp
micros() { local s e; s=$(date +%s%N); "$@" >"$out" 2>/dev/null || true; e=$(date +%s%N); echo $(( (e - s) / 1000 )); }
# best <command...>: the best wall time of $runs runs in microseconds.
best() {
  local b=0 t
  for _ in $(seq "$runs"); do
    t=$(micros "$@"); if [ "$b" -eq 0 ] || [ "$t" -lt "$b" ]; then b=$t; fi
  done
  echo "$b"
}
ms() { awk -v u="$1" 'BEGIN { printf "%.1f", u / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / b }'; }
# paired OURS... -- THEIRS...: "ours-ms | theirs-ms | wall ratio [lowest–highest] | cpu ratio [...]" over
# $runs pairs, the ratio being their time over ours.
# quote WORD...: the words as one shell-quoted string (bytes kept as they are: a Shift-JIS pattern too).
quote() { python3 -c 'import os, shlex, sys; sys.stdout.buffer.write(os.fsencode(" ".join(shlex.quote(a) for a in sys.argv[1:])))' "$@"; }
paired() {
  local ours=() theirs=() side=0 a
  for a in "$@"; do
    if [ "$a" = -- ]; then side=1; elif [ $side = 0 ]; then ours+=("$a"); else theirs+=("$a"); fi
  done
  python3 "$pairs_tool" --pairs "$runs" --output "$out" --exit-codes 0,1 - "$(quote "${ours[@]}")" "$(quote "${theirs[@]}")" |
    sed -E 's/.*wall: ours ([0-9.]+) s, theirs ([0-9.]+) s, ratio ([0-9.]+)x \[([0-9.]+)-([0-9.]+)\].*CPU: ours [0-9.]+ s, theirs [0-9.]+ s, ratio ([0-9.]+)x \[([0-9.]+)-([0-9.]+)\].*/\1 \2 \3 \4 \5 \6 \7 \8/' |
    awk '{ printf "%.1f | %.1f | %s [%s–%s] | %s [%s–%s]", $1 * 1000, $2 * 1000, $3, $4, $5, $6, $7, $8 }'
}
# same OURS... -- THEIRS...: whether both report the same line numbers in one file.
same() {
  local ours=() theirs=() side=0 a
  for a in "$@"; do
    if [ "$a" = -- ]; then side=1; elif [ $side = 0 ]; then ours+=("$a"); else theirs+=("$a"); fi
  done
  if cmp -s <("${ours[@]}" 2>/dev/null | cut -d: -f1) <("${theirs[@]}" 2>/dev/null | cut -d: -f1); then echo yes; else echo NO; fi
}
sj() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }

fuzzy=ふぁいる
fuzzy_expanded=$("$tool" expand -f "$fuzzy")
files=("$data"/many/*.txt)

# Rows: input, kind (literal, class, dotstar, fuzzy, crossing) and pattern, apart by blanks.
rows=(
  "big literal 正規表現" "big class 第[0-9０-９]+章" "big dotstar 東京.*大阪" "big fuzzy $fuzzy"
  "many literal 正規表現" "many class 第[0-9０-９]+章" "many dotstar 東京.*大阪" "many fuzzy $fuzzy"
  "prose literal ファイル" "prose literal 正規表現" "prose class [０-９]+行" "prose dotstar 東京.*大阪"
  "prose crossing する(.|\n)*XYZ"
  "dict literal 固有名詞" "dict literal 正規表現" "dict class [０-９]+行" "dict dotstar 東京.*大阪"
  "prose-utf8 literal ファイル" "prose-utf8 class [０-９]+行" "prose-euc literal ファイル" "prose-euc class [０-９]+行"
  "dict-utf8 literal 固有名詞" "dict-utf8 class [０-９]+行" "dict-euc literal 固有名詞" "dict-euc class [０-９]+行"
)
echo "| pattern | input | TGrep ms | rg -E CODE ms | rg / TGrep, wall [lowest–highest] | rg / TGrep, cpu | LC_ALL=C grep -F ms | grep / TGrep, wall | same lines |"
echo "|---|---|---|---|---|---|---|---|---|"
for row in "${rows[@]}"; do
  read -r input kind pattern <<<"$row"
  code=shift_jis
  case $input in
    big) qx_in=("$data/big.txt"); rg_in=("$data/big.txt"); gr_in=("$data/big.txt"); label="generated, one file of 100 MB" ;;
    many) qx_in=("${files[@]}"); rg_in=("$data/many"); gr_in=(-r "$data/many"); label="generated, 1024 files of 100 KB" ;;
    prose) qx_in=("$data/prose.txt"); rg_in=("$data/prose.txt"); gr_in=("$data/prose.txt"); label="manual-page prose, 100 MB" ;;
    dict) qx_in=("$data/dict.txt"); rg_in=("$data/dict.txt"); gr_in=("$data/dict.txt"); label="word list, 31 MB" ;;
    *-utf8|*-euc)
      qx_in=("$data/$input.txt"); rg_in=("$data/$input.txt"); gr_in=()
      case $input in prose*) label="manual-page prose" ;; *) label="word list" ;; esac
      case $input in *-utf8) code=utf-8; label="$label, UTF-8" ;; *) code=euc-jp; label="$label, EUC-JP" ;; esac ;;
  esac
  qx=("$tool" grep "$pattern" "${qx_in[@]}"); rg=(rg -n -j1 -E $code "$pattern" "${rg_in[@]}"); shown=$pattern
  case $kind in
    fuzzy) qx=("$tool" grep -f "$pattern" "${qx_in[@]}"); rg=(rg -n -j1 -E shift_jis "$fuzzy_expanded" "${rg_in[@]}"); shown="$pattern (fuzzy)" ;;
    crossing) rg=(rg -n -j1 -U -E shift_jis "$pattern" "${rg_in[@]}") ;;
  esac
  figures=$(paired "${qx[@]}" -- "${rg[@]}")
  if [ $kind = literal ] && [ ${#gr_in[@]} -gt 0 ]; then
    g=$(paired "${qx[@]}" -- env LC_ALL=C grep -n -F "$(sj "$pattern")" "${gr_in[@]}")
    gcol="$(cut -d'|' -f2 <<<"$g" | xargs) | $(cut -d'|' -f3 <<<"$g" | xargs)"
  else
    gcol="- | -"
  fi
  check=-
  [ $input = many ] || check=$(same "${qx[@]}" -- "${rg[@]}")
  echo "| \`${shown//|/\\|}\` | $label | $figures | $gcol | $check |"
done

literal=正規表現
class='第[0-9０-９]+章'
dotstar='東京.*大阪'
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
