#!/usr/bin/env python3
"""Checks the flight book's rows against independent readers.

For every sample flight, the date and the first and last fix times as the
program lists them must be what GPSBabel reads from the same file; and
Python's csv module must read the program's CSV lines back into the fields
written, gliders with ";", '"' and line breaks among them.

Usage: check_flight_book.py [NATIVE_BUILD_DIR]   (default build/native)
"""
import csv
import glob
import os
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True
root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build", "native")

# Gliders that need quotes in a CSV file, and their fields as listed.
GLIDERS = ["Gin \"Bonanza\" 2", "Ozone; Rush", "cut\rhere", "Advance Alpha 3"]


def listed(logs, folder):
    out = os.path.join(folder, "book.csv")
    subprocess.run([os.path.join(build, "list_flights"), out] + logs, check=True)
    with open(out, newline="", encoding="cp1252") as f:
        return list(csv.reader(f, delimiter=";"))


def gpsbabel(log):
    """(date DD.MM.YYYY, first fix time, last fix time) as GPSBabel reads them."""
    text = subprocess.run(["gpsbabel", "-t", "-i", "igc", "-f", log, "-o", "unicsv", "-F", "-"],
                          check=True, stdout=subprocess.PIPE, universal_newlines=True).stdout
    rows = list(csv.DictReader(text.splitlines()))
    if not rows or "Time" not in rows[0]:
        return None
    y, m, d = rows[0]["Date"].split("/")
    return "%s.%s.%s" % (d, m, y), rows[0]["Time"], rows[-1]["Time"]


def main():
    faults = []
    logs = sorted(glob.glob(os.path.join(root, "samples", "instrument", "FLIGHTS", "*", "*", "*")))
    with tempfile.TemporaryDirectory() as folder:
        for n, glider in enumerate(GLIDERS):
            path = os.path.join(folder, "quoted-%d.igc" % n)
            with open(path, "wb") as f:
                f.write(b"HFDTE010125\r\nHFGTYGLIDERTYPE: " + glider.encode("cp1252") +
                        b"\r\nB1000004739822N01131662EA0153001562\r\n")
            logs.append(path)
        rows = listed(logs, folder)
    if len(rows) != len(logs):
        faults.append("%d rows for %d logs" % (len(rows), len(logs)))
    checked = 0
    for log, row in zip(logs, rows):
        name = os.path.relpath(log, root)
        if len(row) != 6 or row[5] != log:
            faults.append("%s: row %r" % (name, row))
            continue
        if "quoted-" in log:
            glider = GLIDERS[int(log[-5])]
            if row[4] != glider:
                faults.append("%s: glider %r read back as %r" % (name, glider, row[4]))
            continue
        read = gpsbabel(log)
        if read is None:
            # No fix: GPSBabel has no track, the program no times.
            if row[1] or row[2] or row[3] or not row[0]:
                faults.append("%s: a log without fixes listed as %r" % (name, row))
        elif tuple(row[:3]) != read:
            faults.append("%s: listed %r, GPSBabel reads %r" % (name, row[:3], read))
        checked += 1
    for fault in faults:
        print("FAULT:", fault)
    print("%d sample flights as GPSBabel reads them, %d gliders through csv" % (checked, len(GLIDERS)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
