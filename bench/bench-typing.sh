#!/usr/bin/env bash
# Typing 1,000 characters at the end, the middle and the start of the generated text of bench-editor.sh
# (about 2 million lines), unwrapped and wrapped at 80 columns, in the control's Qt host (offscreen):
# per keystroke, the edit with its repaint requests, and the same with the repaint done; against Qt's
# QPlainTextEdit holding 200,000 lines of it.
#   bench/bench-typing.sh <build-dir>
set -euo pipefail
build=${1:-build/bench}
bin=$build/bin/qx_typing_bench
data=$build/bench-data/editor-sjis.txt
[ -x "$bin" ] || { echo "bench-typing: $bin is missing (make bench builds it)" >&2; exit 1; }
mkdir -p "$(dirname "$data")"
[ -s "$data" ] || "$build/bin/qx_editor_bench" generate "$data" 104
QT_QPA_PLATFORM=offscreen "$bin" "$data" "${CHARACTERS:-1000}" "${REFERENCE_LINES:-200000}"
