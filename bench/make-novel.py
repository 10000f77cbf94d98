#!/usr/bin/env python3
"""Writes a novel-length RTF file whose formatting changes every sentence.

usage: make-novel.py PARAGRAPHS OUT.rtf

The text is made from a fixed vocabulary with a fixed seed, so the same
arguments always give the same file. Chapters start on a new page with a
centred bold heading; paragraphs have a first-line indent; every sentence
takes the next of a cycle of character formats (bold, italic, underline,
colour, size, font, plain).
"""
import random
import sys

WORDS = """the a of and to in was he she it that his her with had for on at as
but they by not from which you were all one their this there when would
been we into who what out up could them then now more some her him like
night house door road river forest window letter voice storm candle
lantern garden village city ship harbour castle tower mountain valley
morning evening winter summer autumn spring bread wine fire water stone
iron silver gold shadow light dark quiet long old young small great cold
warm grey green red black white bright slow quick careful strange brave
walked waited listened watched turned opened closed remembered whispered
laughed wondered followed carried waited answered smiled stopped began
mother father sister brother friend stranger captain keeper doctor
widow child soldier merchant priest teacher thief king queen""".split()

FORMATS = [r"\plain\f0\fs24 ", r"\plain\f0\fs24\b ", r"\plain\f0\fs24\i ",
           r"\plain\f0\fs24\ul ", r"\plain\f0\fs24\cf1 ", r"\plain\f0\fs26 ",
           r"\plain\f1\fs24 ", r"\plain\f0\fs24\b\i ", r"\plain\f0\fs24\cf2\i "]


def sentence(rng):
    words = [rng.choice(WORDS) for _ in range(rng.randint(8, 22))]
    words[0] = words[0].capitalize()
    return " ".join(words) + rng.choice([".", ".", ".", "?", "!"])


def main():
    paragraphs, out = int(sys.argv[1]), sys.argv[2]
    rng = random.Random(1847)
    parts = [r"{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\froman Liberation Serif;}{\f1\fswiss Liberation Sans;}}",
             r"{\colortbl;\red128\green0\blue0;\red0\green0\blue128;}", "\n"]
    k = 0
    for p in range(paragraphs):
        if p % 120 == 0:
            parts.append(r"\pard\pagebb\qc\sb480\sa240\plain\f0\fs32\b Chapter %d\par" % (p // 120 + 1) + "\n")
        parts.append(r"\pard\fi360\sa120\qj ")
        for _ in range(rng.randint(3, 8)):
            parts.append(FORMATS[k % len(FORMATS)] + sentence(rng) + " ")
            k += 1
        parts.append("\\par\n")
    parts.append("}\n")
    with open(out, "w", encoding="ascii") as f:
        f.write("".join(parts))


if __name__ == "__main__":
    main()
