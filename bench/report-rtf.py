#!/usr/bin/env python3
"""Prints the medians that bench/run-rtf.sh measured."""
import json
import os
import re
import statistics
import sys

work = sys.argv[1]


def median_ms(size, name):
    data = json.load(open(os.path.join(work, f"load-{size}mb.json")))
    for r in data["results"]:
        if r["command"] == name:
            return statistics.median(r["times"]) * 1000
    raise KeyError(name)


def kb(path):
    return int(open(os.path.join(work, path)).read().split()[-1])


print()
print("Whole process, median (ms)       5 MB      50 MB   50/5")
loads = {}
for name in ("quillmere", "libreoffice", "abiword"):
    a, b = median_ms(5, name), median_ms(50, name)
    loads[name] = a
    print(f"  {name:<26} {a:9.0f} {b:10.0f} {b / a:6.1f}")
print(f"  LibreOffice / Quillmere at 5 MB: {loads['libreoffice'] / loads['quillmere']:.1f}x")
print(f"  AbiWord / Quillmere at 5 MB:     {loads['abiword'] / loads['quillmere']:.1f}x")

baseline = kb("rss-empty")
print()
print(f"Peak resident memory (process with an empty document: {baseline / 1024:.0f} MB)")
for size in (5, 50):
    size_bytes = os.path.getsize(os.path.join(work, f"novel-{size}mb.rtf"))
    peak = statistics.median(kb(f"rss-{size}mb-{i}") for i in (1, 2, 3))
    print(f"  {size} MB file ({size_bytes / 2**20:.1f} MiB): peak {peak / 1024:.0f} MB, "
          f"{peak * 1024 / size_bytes:.1f}x the file; above the empty process {(peak - baseline) * 1024 / size_bytes:.1f}x")

print()
print("Saving as RTF (median of three)")
for size in (5, 50):
    out = os.path.getsize(os.path.join(work, "out", f"quillmere-{size}mb.rtf"))
    ms = statistics.median(int(re.search(r"write (\d+) ms", open(os.path.join(work, f"save-{size}mb-{i}")).read()).group(1))
                           for i in (1, 2, 3))
    print(f"  {size} MB novel: {out / 2**20:.1f} MiB written in {ms} ms = {out / 2**20 / (ms / 1000):.0f} MiB/s")
