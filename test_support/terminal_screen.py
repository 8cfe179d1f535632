#!/usr/bin/python3
# What a terminal shows after the bytes on standard input were written to
# it: one line of text for each row, right blanks removed. Arguments: the
# window's columns and rows.
import sys

import pyte

columns, rows = int(sys.argv[1]), int(sys.argv[2])
screen = pyte.Screen(columns, rows)
pyte.ByteStream(screen).feed(sys.stdin.buffer.read())
for line in screen.display:
    print(line.rstrip())
