#!/usr/bin/python3
"""Writes an instrument of long flight logs for the flight book's benchmark.

  make_bench_flights.py FOLDER LOGS

FOLDER gets the sample's SETUP/setupdata.txt (so that the program can load
it) and LOGS flight logs of three hours at one fix a second (about 400 KB
each) in FLIGHTS/YYYY/MM/ folders, about 20 to a month, as an instrument
files them. Each log starts at its own time of day; the track is the same.
"""
import os
import shutil
import sys

FIXES = 3 * 3600


def track():
    """The B records after the first, as bytes, the times filled in later."""
    lines = []
    for n in range(FIXES):
        lat = 4739822 + n % 500
        alt = 1500 + (n // 7) % 900
        lines.append("%%s4739%03dN01131%03dEA%05d%05d\r\n" % (lat % 1000, (n * 7) % 1000, alt, alt + 12))
    return lines


def main():
    folder, logs = sys.argv[1], int(sys.argv[2])
    sample = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "samples", "instrument")
    os.makedirs(os.path.join(folder, "SETUP"), exist_ok=True)
    for name in ("setupdata.txt", "igcheader.txt"):
        shutil.copyfile(os.path.join(sample, "SETUP", name), os.path.join(folder, "SETUP", name))
    lines = track()
    for n in range(logs):
        month = n // 20
        year, month, day = 2019 + month // 12, 1 + month % 12, 1 + n % 28
        start = 8 * 3600 + (n * 97) % (6 * 3600)
        head = ("AZIR001 Zirkano 2.0\r\nHFDTEDATE:%02d%02d%02d,%02d\r\nHFGTYGLIDERTYPE:Nova Mentor 7\r\n"
                "HFDTMGPSDATUM:WGS-1984\r\nLZIRTRACKINTERVAL:1\r\n" % (day, month, year % 100, 1 + n % 20))
        body = "".join(line % ("B%02d%02d%02d" % ((start + i) // 3600 % 24, (start + i) // 60 % 60, (start + i) % 60))
                       for i, line in enumerate(lines))
        name = "%04d-%02d-%02d-ZIR-0001-%02d.igc" % (year, month, day, 1 + n % 20)
        path = os.path.join(folder, "FLIGHTS", "%04d" % year, "%02d" % month, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write((head + body + "GZIRSECURITY0123456789ABCDEF\r\n").encode("ascii"))


if __name__ == "__main__":
    main()
