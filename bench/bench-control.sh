#!/usr/bin/env bash
# The editing control's paint and page-down times in its Qt host (offscreen), on the generated text of
# bench-editor.sh (about 2 million lines), against Qt's QPlainTextEdit holding 200,000 lines of it.
#   bench/bench-control.sh <build-dir>
set -euo pipefail
build=${1:-build/bench}
bin=$build/bin/qx_control_bench
data=$build/bench-data/editor-sjis.txt
[ -x "$bin" ] || { echo "bench-control: $bin is missing (make bench builds it)" >&2; exit 1; }
mkdir -p "$(dirname "$data")"
[ -s "$data" ] || "$build/bin/qx_editor_bench" generate "$data" 104
QT_QPA_PLATFORM=offscreen "$bin" "$data" "${FRAMES:-300}" "${STEPS:-1000}" "${REFERENCE_LINES:-200000}"
