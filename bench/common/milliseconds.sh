# Sourced by the benchmark scripts: milliseconds CMD... prints the median wall-clock milliseconds of
# nine runs of a command, its output to /dev/null.
milliseconds() {
  local start end
  for _ in 1 2 3 4 5 6 7 8 9; do
    start=$EPOCHREALTIME
    "$@" > /dev/null
    end=$EPOCHREALTIME
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f\n", (b - a) * 1000 }'
  done | sort -g | sed -n 5p
}
