#!/usr/bin/python3
"""Writes an instrument tree for the copy benchmark and the copy screenshots.

  make_bench_instrument.py FOLDER FILES

FOLDER gets the sample's SETUP/setupdata.txt (so that the program can load
it) and FILES - 1 more files of 10,000 to 1,000,000 bytes (log-uniform, so
about 215 KB on average): WAYPOINTS/waypoints.skt and flight logs in
FLIGHTS/YYYY/MM/ folders, about 20 to a month, as an instrument files them.
A fixed seed gives the same tree every time.
"""
import math
import os
import random
import shutil
import sys

SMALLEST, LARGEST = 10_000, 1_000_000


def size(rng):
    return int(math.exp(rng.uniform(math.log(SMALLEST), math.log(LARGEST))))


def write(path, rng):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(rng.randbytes(size(rng)))


def main():
    folder, files = sys.argv[1], int(sys.argv[2])
    rng = random.Random(2026)
    sample = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "samples", "instrument")
    os.makedirs(os.path.join(folder, "SETUP"), exist_ok=True)
    shutil.copyfile(os.path.join(sample, "SETUP", "setupdata.txt"), os.path.join(folder, "SETUP", "setupdata.txt"))
    write(os.path.join(folder, "WAYPOINTS", "waypoints.skt"), rng)
    for n in range(files - 2):
        month = n // 20
        year, month = 2019 + month // 12, 1 + month % 12
        name = "%04d-%02d-%02d-ZIR-0001-%02d.igc" % (year, month, 1 + n % 28, 1 + n % 20)
        write(os.path.join(folder, "FLIGHTS", "%04d" % year, "%02d" % month, name), rng)


if __name__ == "__main__":
    main()
