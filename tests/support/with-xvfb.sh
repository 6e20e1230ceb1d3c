#!/usr/bin/env bash
# Runs a command on a virtual X server of its own: Xvfb picks a free display number itself (so tests that
# run side by side never share or fight over one), and goes when the command ends. No session bus is
# reachable from it: the desktop services the tests meet (the tray) are the X11 ones.
#   tests/support/with-xvfb.sh COMMAND [ARGS...]
set -euo pipefail

if ! command -v Xvfb >/dev/null 2>&1; then
  echo "with-xvfb: Xvfb is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
dir=$(mktemp -d "${TMPDIR:-/tmp}/qx-xvfb.XXXXXX")
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
server=$!
cleanup() {
  kill "$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT

# The server writes its display number once it accepts clients.
for _ in $(seq 200); do
  if grep -q '^[0-9][0-9]*$' "$dir/display" 2>/dev/null; then break; fi
  if ! kill -0 "$server" 2>/dev/null; then break; fi
  sleep 0.05
done
if ! grep -q '^[0-9][0-9]*$' "$dir/display" 2>/dev/null; then
  echo "with-xvfb: Xvfb did not start" >&2
  cat "$dir/log" >&2
  exit 1
fi

export DISPLAY=":$(head -n1 "$dir/display")"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/no-session-bus"
"$@"
