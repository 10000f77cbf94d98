#!/usr/bin/env python3
"""Writes RTF files that are large in one dimension each, to show that loading
grows with the size of the file and with nothing else.

usage: make-shapes.py FOLDER

Each shape comes in a small and a ten times larger size, so that the two
times can be compared: many empty paragraphs, a font table with many fonts
and text switching among them, a colour table with many colours in use, a
long table (a timetable), a wide table, a long table with a table in each
row, and deeply nested groups.
"""
import os
import sys

HEAD = b"{\\rtf1\\ansi\\ansicpg1252\\deff0"


def paragraphs(n):
    return HEAD + b"{\\fonttbl{\\f0 Times;}}\n" + b"\\par\n" * n + b"}"


def fonts(n, used):
    table = b"".join(b"{\\f%d F%d;}" % (i, i) for i in range(n))
    body = b"".join(b"\\f%d x " % ((i * 7919) % n) for i in range(used))
    return HEAD + b"{\\fonttbl" + table + b"}\n" + body + b"}"


def colours(n, used):
    table = b"".join(b"\\red%d\\green%d\\blue%d;" % (i % 256, (i // 256) % 256, (i // 65536) % 256) for i in range(n))
    body = b"".join(b"\\cf%d x " % (1 + (i * 7919) % n) for i in range(used))
    return HEAD + b"{\\fonttbl{\\f0 Times;}}{\\colortbl;" + table + b"}\n" + body + b"}"


def table(rows, cells):
    widths = b"".join(b"\\cellx%d" % (1000 * (c + 1)) for c in range(cells))
    out = [HEAD, b"{\\fonttbl{\\f0 Times;}}\n"]
    for r in range(rows):
        out.append(b"\\trowd\\trgaph108" + widths + b"\n")
        out.append(b"".join(b"\\pard\\intbl %02d:%02d stop %d\\cell " % (r % 24, c % 60, c) for c in range(cells)))
        out.append(b"\\row\n")
    out.append(b"\\pard}")
    return b"".join(out)


def nested_tables(rows):
    out = [HEAD, b"{\\fonttbl{\\f0 Times;}}\n"]
    inner = b"".join(
        b"\\pard\\intbl\\itap2 %s\\nestcell %s\\nestcell{\\*\\nesttableprops\\trowd\\cellx900\\cellx1800\\nestrow}"
        b"{\\nonesttables\\par}\n" % (a, b) for a, b in ((b"dep", b"arr"), (b"08:10", b"09:55")))
    for r in range(rows):
        out.append(b"\\trowd\\cellx2000\\cellx4000\n\\pard\\intbl route %d\\par\n" % r + inner)
        out.append(b"\\pard\\intbl\\itap1 \\cell note %d\\cell\\row\n" % r)
    out.append(b"\\pard}")
    return b"".join(out)


def nesting(depth):
    return HEAD + b"{\\fonttbl{\\f0 Times;}}" + b"{\\b " * depth + b"x" + b"}" * depth + b"}"


SHAPES = {
    "paragraphs-300k": lambda: paragraphs(300_000),
    "paragraphs-3m": lambda: paragraphs(3_000_000),
    "fonts-20k": lambda: fonts(20_000, 2_800),
    "fonts-200k": lambda: fonts(200_000, 28_000),
    "colours-20k": lambda: colours(20_000, 2_800),
    "colours-200k": lambda: colours(200_000, 28_000),
    "table-long-1k": lambda: table(1_000, 8),
    "table-long-10k": lambda: table(10_000, 8),
    "table-wide-300": lambda: table(20, 300),
    "table-wide-3k": lambda: table(20, 3_000),
    "table-nested-1k": lambda: nested_tables(1_000),
    "table-nested-10k": lambda: nested_tables(10_000),
    "nesting-100k": lambda: nesting(100_000),
    "nesting-1m": lambda: nesting(1_000_000),
}

folder = sys.argv[1]
os.makedirs(folder, exist_ok=True)
for name, make in SHAPES.items():
    path = os.path.join(folder, name + ".rtf")
    if not os.path.exists(path):
        with open(path, "wb") as f:
            f.write(make())
