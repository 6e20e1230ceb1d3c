#!/usr/bin/env bash
# The token under the mouse at the end of one line of 4 MB, unwrapped and wrapped at 80 columns, in the
# control's Qt host (offscreen): per lookup, median and 99th percentile.
#   bench/bench-tokens.sh <build-dir>
set -euo pipefail
build=${1:-build/bench}
bin=$build/bin/qx_token_bench
[ -x "$bin" ] || { echo "bench-tokens: $bin is missing (make bench builds it)" >&2; exit 1; }
QT_QPA_PLATFORM=offscreen "$bin" "${MEGABYTES:-4}" "${LOOKUPS:-200}"
