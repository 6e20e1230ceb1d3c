#!/usr/bin/env bash
# Long lines and big texts in the control's Qt host (offscreen): per keystroke on a 6 MB line and on the
# empty line under it, processor time per second while idle with the caret on a 6 MB and a 50 MB line,
# and the first Ctrl+End of a big text with the longest stall after it. The reference is vim on the
# same files: VIM_KEYS characters (20) typed at the same place (each `normal! ia` a keystroke of its own,
# with its undo step), against the same run typing none; the difference in processor time over the
# keys is vim's time a keystroke.
#   bench/bench-longline.sh <build-dir>       (BIG_MB: the big text's size, 105 by default)
set -euo pipefail
build=${1:-build/bench}
bin=$build/bin/qx_longline_bench
data=$build/bench-data
[ -x "$bin" ] || { echo "bench-longline: $bin is missing (make bench builds it)" >&2; exit 1; }
mkdir -p "$data"
[ -s "$data/line6.txt" ] || "$bin" generate "$data/line6.txt" 7 6
[ -s "$data/line50.txt" ] || "$bin" generate "$data/line50.txt" 51 50
big=$data/big-${BIG_MB:-105}.txt
[ -s "$big" ] || "$bin" generate "$big" "${BIG_MB:-105}" 0
export QT_QPA_PLATFORM=offscreen
"$bin" keys "$data/line6.txt" 0 1000 200
"$bin" keys "$data/line6.txt" 1 0 200
"$bin" idle "$data/line6.txt" 0 1000 5
"$bin" idle "$data/line50.txt" 0 1000 5
"$bin" end "$big" 10
if command -v vim >/dev/null; then
  python3 - "$data/line6.txt" "${VIM_KEYS:-20}" <<'PY'
import os, statistics, subprocess, sys
keys = int(sys.argv[2])
def run(line, col, n):
    """Processor time (user + system) of one vim run typing n characters at line:col."""
    cmd = ["vim", "-u", "NONE", "-i", "NONE", "-N", "-n", "-es", sys.argv[1], "-c", "call cursor(%d,%d)" % (line, col),
           "-c", "for i in range(%d) | exe 'normal! ia' | endfor" % n, "-c", "q!"]
    process = subprocess.Popen(cmd)
    _, _, usage = os.wait4(process.pid, 0)
    return usage.ru_utime + usage.ru_stime
for line, col, what in ((1, 1000, "on the 6 MB line"), (2, 1, "on the empty line under it")):
    per_key = statistics.median((run(line, col, keys) - run(line, col, 0)) / keys * 1000 for _ in range(3))
    print("vim, a keystroke %s: %.3f ms of processor time (median of 3 pairs of runs typing %d and none)"
          % (what, per_key, keys))
PY
fi
