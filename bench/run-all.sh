#!/usr/bin/env bash
# Runs every benchmark script of bench/ against the given build folder.
set -euo pipefail
build=${1:-build/bench}
here=$(dirname "$0")
status=0
for script in "$here"/bench-*.sh; do
  [ -e "$script" ] || continue
  echo "== $(basename "$script")"
  "$script" "$build" || status=1
done
exit $status
