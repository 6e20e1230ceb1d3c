#!/usr/bin/env python3
"""Times two commands in paired runs and prints the ratio of their times.

    paired-runs.py [--pairs N] [--output FILE] [--exit-codes 0,1] LABEL 'OUR COMMAND' 'THEIR COMMAND'

Each pair runs both commands once, one after the other (which goes first alternates from pair to pair),
with standard output to /dev/null (or to FILE, emptied before each run: a tool may stop early when it
sees its output thrown away). A run that exits with a code not listed (0 alone by default; a grep tool
answers 1 when nothing matched) stops the whole. For each pair the ratio theirs / ours is taken of the wall-clock time
and of the CPU time (user + system, from the kernel's accounting of the child); the medians of the
pairs' ratios are printed with their lowest and highest (our own times with theirs too), so that a
busy machine, which slows both commands of a pair alike, moves the figures less than it moves single
times.
"""
import argparse
import os
import shlex
import statistics
import subprocess
import time


def run(command, output, codes):
    """Wall and CPU seconds of one run of `command` (a shell-quoted string)."""
    with open(output, "wb") as out:
        start = time.perf_counter()
        process = subprocess.Popen(shlex.split(command), stdout=out)
        _, status, usage = os.wait4(process.pid, 0)
        wall = time.perf_counter() - start
    code = os.waitstatus_to_exitcode(status)
    if code not in codes:
        raise SystemExit("paired-runs: %r failed (exit code %d)" % (command, code))
    return wall, usage.ru_utime + usage.ru_stime


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pairs", type=int, default=9)
    parser.add_argument("--output", default=os.devnull)
    parser.add_argument("--exit-codes", default="0")
    parser.add_argument("label")
    parser.add_argument("ours")
    parser.add_argument("theirs")
    args = parser.parse_args()
    codes = {int(c) for c in args.exit_codes.split(",")}
    ours, theirs = [], []
    for i in range(args.pairs):
        if i % 2 == 0:
            ours.append(run(args.ours, args.output, codes))
            theirs.append(run(args.theirs, args.output, codes))
        else:
            theirs.append(run(args.theirs, args.output, codes))
            ours.append(run(args.ours, args.output, codes))
    line = "%-28s" % args.label
    for kind, index in (("wall", 0), ("CPU", 1)):
        ratios = [t[index] / max(o[index], 1e-6) for o, t in zip(ours, theirs)]
        line += "  %s: ours %.3f s [%.3f-%.3f], theirs %.3f s, ratio %.1fx [%.1f-%.1f]" % (
            kind, statistics.median(o[index] for o in ours), min(o[index] for o in ours),
            max(o[index] for o in ours), statistics.median(t[index] for t in theirs),
            statistics.median(ratios), min(ratios), max(ratios))
    print(line + "  (%d pairs)" % args.pairs, flush=True)


main()
