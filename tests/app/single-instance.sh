#!/usr/bin/env bash
# Two real copies of the program, offscreen, over a temporary program folder: a later start hands its
# file to the running copy and ends; after the running copy is killed with -9 a new start becomes the
# first copy, and later starts hand over to it.
set -u
exe=$1
home=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done
    rm -rf "$home"
}
trap cleanup EXIT
export QXEDITOR_HOME=$home QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$home/run ASAN_OPTIONS=detect_leaks=0
mkdir -m 700 "$home/run"
printf 'hello\n' >"$home/a.txt"
fail() { echo "FAIL: $*"; exit 1; }

wait_for_door() {
    for _ in $(seq 300); do
        compgen -G "$home/run/QxEditor-*" >/dev/null && return 0
        sleep 0.1
    done
    return 1
}

"$exe" & a=$!; pids+=("$a")
wait_for_door || fail "the first copy never listened"
timeout 60 "$exe" "$home/a.txt" || fail "the later start did not hand over and end"
kill -0 "$a" || fail "the first copy ended"

kill -9 "$a"; wait "$a" 2>/dev/null
"$exe" & c=$!; pids+=("$c")
sleep 3
kill -0 "$c" 2>/dev/null || fail "after a killed copy a new start did not run as the first copy"
cd "$home" && timeout 60 "$exe" a.txt || fail "the new first copy does not take hand-overs"
echo "single instance: 1 passed, 0 failed"
