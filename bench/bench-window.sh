#!/usr/bin/env bash
# Typing 2,000 characters into the main window (offscreen), each keystroke sent to the document pane and
# handled until the window is idle, against the editing control alone and Qt's QPlainTextEdit with the
# same keys: the first 5,000 lines of the generated text of bench-editor.sh.
#   bench/bench-window.sh <build-dir>
set -euo pipefail
build=${1:-build/bench}
bin=$build/bin/qx_window_typing_bench
data=$build/bench-data/editor-sjis.txt
text=$build/bench-data/window-sjis.txt
[ -x "$bin" ] || { echo "bench-window: $bin is missing (make bench builds it)" >&2; exit 1; }
mkdir -p "$(dirname "$data")"
[ -s "$data" ] || "$build/bin/qx_editor_bench" generate "$data" 100
[ -s "$text" ] || head -n 5000 "$data" > "$text"
QT_QPA_PLATFORM=offscreen "$bin" "$text" "${CHARACTERS:-2000}"
