#!/usr/bin/env python3
"""GPX files for the benchmark of reading waypoint files (make bench):
10,000 points; the same points with 10 KB of extensions each (100 MB); and
100,000 points. Usage: make_bench_waypoints.py FOLDER"""
import os, sys


def write(path, count, padding=0):
    if os.path.exists(path):
        return
    extension = '<extensions><note>%s</note></extensions>' % ('x' * padding) if padding else ''
    with open(path + '.part', 'w', encoding='utf-8') as out:
        out.write('<?xml version="1.0" encoding="UTF-8"?>\n<gpx version="1.1" creator="bench" '
                  'xmlns="http://www.topografix.com/GPX/1/1">\n')
        for i in range(count):
            out.write('  <wpt lat="%.7f" lon="%.7f">\n    <ele>%d</ele>\n    <name>P%06d</name>\n'
                      '    <desc>Punkt %d am H\u00fcgel</desc>%s\n  </wpt>\n'
                      % (45 + i % 1000 * 0.003, 6 + i // 1000 * 0.03, 500 + i % 2500, i, i, extension))
        out.write('</gpx>\n')
    os.replace(path + '.part', path)


folder = sys.argv[1]
write(os.path.join(folder, 'points-10000.gpx'), 10000)
write(os.path.join(folder, 'points-10000-padded.gpx'), 10000, 10000)
write(os.path.join(folder, 'points-100000.gpx'), 100000)
