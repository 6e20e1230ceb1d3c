#!/usr/bin/env bash
# Ini files: the settings files' reader and writer (TMemIniFile, through the program's own "History"
# and tool-bar roads) and setup's information file reader (TSetupInfFile), on generated files of N and
# 2N sections or entries, against git reading the same data in its config format (git config --list,
# a C parser of the same kind of file). The step from N to 2N shows the growth: about 2 is linear.
#
#   bench/bench-ini.sh <build-dir>      (make bench builds <build-dir> = build/bench)
#
# Each figure is the best wall time of five runs of the whole process, in milliseconds.
set -euo pipefail
build=${1:-build/bench}
tool=$build/bin/qx_ini_bench
data=${QX_BENCH_DATA:-$build/ini-data}
runs=${QX_BENCH_RUNS:-5}
command -v git >/dev/null || { echo "bench-ini: git is missing" >&2; exit 1; }
[ -x "$tool" ] || { echo "bench-ini: $tool is missing (make bench)" >&2; exit 1; }

# best <command...>: the best wall time of $runs runs in microseconds.
best() {
  local b=0 s e t
  for _ in $(seq "$runs"); do
    s=$(date +%s%N); "$@" >/dev/null 2>&1 || { echo "bench-ini: $* failed" >&2; exit 1; }; e=$(date +%s%N)
    t=$(( (e - s) / 1000 )); if [ "$b" -eq 0 ] || [ "$t" -lt "$b" ]; then b=$t; fi
  done
  echo "$b"
}
ms() { awk -v u="$1" 'BEGIN { printf "%.1f", u / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# A fresh copy of the History before each run: the run writes it back.
history_run() { cp "$1/History.orig" "$1/History"; "$tool" load-history "$1"; }

printf '%-44s %10s %10s %8s %10s\n' "case" "ours ms" "git ms" "/ git" "2N / N"
for kind in history inf toolbar; do
  case $kind in history) base=40000 ;; inf) base=80000 ;; toolbar) base=40000 ;; esac
  prev=0
  for n in $base $((base * 2)); do
    dir=$data/$kind-$n
    mkdir -p "$dir"
    case $kind in
      history)
        [ -f "$dir/History.orig" ] || { "$tool" history "$dir" "$n"; mv "$dir/History" "$dir/History.orig"; }
        ours=$(best history_run "$dir"); git_t=$(best git config -f "$dir/history.gitconfig" --list)
        label="History of $n sections: load, add, save" ;;
      inf)
        [ -f "$dir/SETUP.INF" ] || "$tool" inf "$dir" "$n"
        ours=$(best "$tool" load-inf "$dir"); git_t=$(best git config -f "$dir/inf.gitconfig" --list)
        label="setup information file of $n entries" ;;
      toolbar)
        [ -f "$dir/inf.gitconfig" ] || "$tool" inf "$dir" "$n"
        ours=$(best "$tool" toolbar "$dir" "$n"); git_t=$(best git config -f "$dir/inf.gitconfig" --list)
        label="tool bar of $n buttons: save" ;;
    esac
    growth="-"
    [ "$prev" -gt 0 ] && growth=$(ratio "$ours" "$prev")
    printf '%-44s %10s %10s %8s %10s\n' "$label" "$(ms "$ours")" "$(ms "$git_t")" "$(ratio "$ours" "$git_t")" "$growth"
    prev=$ours
  done
done
