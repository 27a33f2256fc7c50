#!/usr/bin/env python3
"""Line and branch coverage of src/, one line per subsystem folder.

Reads the per-file summary that `gcovr --json-summary` writes and prints, for
each folder under src/ and for the whole, the lines and branches executed.
Usage: coverage_summary.py SUMMARY.json
"""
import json
import sys
from collections import defaultdict


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    with open(argv[1], encoding="utf-8") as f:
        summary = json.load(f)
    folders = defaultdict(lambda: [0, 0, 0, 0])
    for entry in summary["files"]:
        parts = entry["filename"].split("/")
        if parts[0] != "src":
            continue
        folder = parts[1] if len(parts) > 2 else "(src)"
        counts = folders[folder]
        counts[0] += entry["line_covered"]
        counts[1] += entry["line_total"]
        counts[2] += entry["branch_covered"]
        counts[3] += entry["branch_total"]
    folders["total"] = [sum(c[i] for c in folders.values()) for i in range(4)]

    def percent(done, total):
        return f"{100.0 * done / total:5.1f} %" if total else "    -  "

    print(f"{'src/':<12}{'lines':>22}{'branches':>24}")
    for folder in sorted(folders, key=lambda f: (f == "total", f)):
        lc, lt, bc, bt = folders[folder]
        print(f"{folder:<12}{percent(lc, lt)} {lc:>6}/{lt:<6}  {percent(bc, bt)} {bc:>6}/{bt:<6}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
