#!/usr/bin/env python3
"""Counts the includes between the rooms of a subsystem that keeps its files in rooms.

    python3 scripts/room-includes.py [src/mainwindow]

A room is a subfolder with its qt/ beside it; the files of the subsystem's own folder and of its qt/
are the room that binds the others (here the main window itself), printed as "(window)". Prints how
many includes stay within the subsystem, how many cross between rooms, and each crossing pair.
"""
import collections
import os
import re
import sys

folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'src', 'mainwindow')
folder = os.path.normpath(folder)
subsystem = os.path.basename(folder)
include = re.compile(r'^\s*#\s*include\s*"' + re.escape(subsystem) + r'/([^"]+)"', re.M)


def room_of(rel):
    first = rel.split('/')[0]
    return '(window)' if first == 'qt' or '/' not in rel else first


within = 0
crossing = collections.Counter()
for root, _, names in os.walk(folder):
    for name in names:
        if not name.endswith(('.h', '.cpp')):
            continue
        rel = os.path.relpath(os.path.join(root, name), folder)
        with open(os.path.join(root, name), encoding='utf-8') as f:
            for header in include.findall(f.read()):
                a, b = room_of(rel), room_of(header)
                if a == b:
                    within += 1
                else:
                    crossing[(a, b)] += 1

print(f'{subsystem}: {within} includes within a room, {sum(crossing.values())} between rooms')
for (a, b), n in sorted(crossing.items(), key=lambda item: (-item[1], item[0])):
    print(f'  {a:>10} -> {b:<10} {n}')
