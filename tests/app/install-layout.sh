#!/usr/bin/env bash
# `cmake --install` of a build into a temporary prefix lays the program out as a distribution expects:
# the editor in bin, its desktop entry, its icon in the hicolor theme and the tips in share/qxeditor.
#   install-layout.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1
build=$2
prefix=$(mktemp -d "${TMPDIR:-/tmp}/qx-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install-layout: $*" >&2; exit 1; }
[ -x "$prefix/bin/QxEditor" ] || fail "bin/QxEditor is missing or not executable"
entry="$prefix/share/applications/QxEditor.desktop"
[ -f "$entry" ] || fail "the desktop entry is missing"
grep -qx 'Exec=QxEditor %F' "$entry" || fail "the desktop entry does not start QxEditor"
grep -qx 'Icon=QxEditor' "$entry" || fail "the desktop entry names no icon"
for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
  [ -f "$prefix/share/icons/hicolor/$size/apps/QxEditor.png" ] || fail "the $size icon is missing"
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/QxEditor.svg" ] || fail "the scalable icon is missing"
[ -f "$prefix/share/qxeditor/QxEditor.tip" ] || fail "the tips are missing"
echo "install-layout: ok"
