#!/usr/bin/env python3
"""Prints what bench/run-corpus.sh found, one `name value` line per check.

LibreOffice's view of a file is taken as tests/formats/libreofficeview.cpp
takes it: the words of its text export, each note's text put in brackets
after its mark (from the HTML export, which also gives the tables' cells,
the notes, headers, footers and comments)."""
import html.parser
import os
import re
import sys

corpus, work = sys.argv[1], sys.argv[2]


def words(text):
    return text.replace("\ufeff", "").replace("\ufffc", "").split()


class View(html.parser.HTMLParser):
    def __init__(self, source):
        super().__init__(convert_charrefs=True)
        self.tables, self.notes, self.headers, self.footers, self.comments = [], [], [], [], []
        self.anchors = []  # the words of each note's paragraph up to its mark
        self.region, self.depth, self.text, self.cell = None, 0, "", None
        self.in_anchor = self.in_mark = False
        self.feed(source[source.find("<body"):])

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        kind = a.get("class") or ""
        if tag == "div":
            if self.region:
                self.depth += 1
            elif a.get("title") in ("header", "footer") or re.match(r"sd(foot|end)note\d", a.get("id") or ""):
                self.region = a.get("title") or "note"
                self.depth, self.text = 1, ""
        elif tag == "a" and kind in ("sdfootnoteanc", "sdendnoteanc"):
            self.in_anchor = True
        elif tag == "a" and kind.startswith(("sdfootnotesym", "sdendnotesym")):
            self.in_mark = True
        elif self.region:
            if tag in ("p", "br"):
                self.text += " "
        elif tag == "table":
            self.tables.append({"columns": 0, "rows": []})
        elif tag == "tr":
            self.tables[-1]["rows"].append([])
            self.span = 0
        elif tag in ("td", "th"):
            self.span += int(a.get("colspan") or 1)
            self.tables[-1]["columns"] = max(self.tables[-1]["columns"], self.span)
            self.cell, self.text = "", ""
        elif tag in ("p", "li", "br", "h1", "h2", "h3", "h4", "h5", "h6"):
            self.end_paragraph()

    def end_paragraph(self):
        if self.cell is not None:
            self.cell += " " + self.text
        self.text = ""

    def handle_endtag(self, tag):
        if tag == "div" and self.region:
            self.depth -= 1
            if self.depth == 0:
                {"header": self.headers, "footer": self.footers, "note": self.notes}[self.region].append(" ".join(self.text.split()))
                self.region, self.text = None, ""
        elif tag == "a":
            if self.in_anchor:
                self.anchors.append(self.text.split())
            self.in_anchor = self.in_mark = False
        elif tag in ("td", "th") and not self.region and self.cell is not None:
            self.end_paragraph()
            self.tables[-1]["rows"][-1].append(" ".join(self.cell.split()))
            self.cell = None

    def handle_data(self, data):
        if not self.in_mark:
            self.text += data

    def handle_comment(self, data):
        if not self.region:
            self.comments.append(" ".join(data.split()))


def shown_words(text, view):
    shown = words(text)
    start = 0
    for before, note in zip(view.anchors, view.notes):
        context = before[-4:]
        for i in range(start, len(shown) - len(context) + 1):
            if shown[i:i + len(context)] == context:
                shown[i + len(context) - 1] += "[" + note + "]"
                start = i + len(context)
                break
    return " ".join(shown).split()


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


files = sorted(f[:-4] for f in os.listdir(corpus) if f.endswith(".rtf"))
same = intact = 0
for name in files:
    original = View(read(os.path.join(work, "original", name + ".html")))
    saved = View(read(os.path.join(work, "saved", name + ".html")))
    text = words(read(os.path.join(work, "ours", name + ".txt")))
    checks = {
        "text-same": text == shown_words(read(os.path.join(work, "original", name + ".txt")), original),
        "roundtrip-tables": saved.tables == original.tables,
        "roundtrip-footnotes": saved.notes == original.notes,
        "roundtrip-headers": (saved.headers, saved.footers) == (original.headers, original.footers),
        "roundtrip-comments": saved.comments == original.comments,
    }
    for check, ok in checks.items():
        print(f"corpus-{name}-{check} {int(ok)}")
    same += checks["text-same"]
    intact += all(ok for check, ok in checks.items() if check.startswith("roundtrip"))
print(f"corpus-files {len(files)}")
print(f"corpus-text-same {same}")
print(f"corpus-roundtrip-intact {intact}")
