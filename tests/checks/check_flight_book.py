#!/usr/bin/env python3
"""The flight book's rows against independent readers: each sample flight's
date and first and last fix times as GPSBabel reads them, its glider as
igc-parser reads it (from the pilot's O record where the recorder's F record
is empty), and gliders with ";", '"' and line breaks as Python's csv module
reads the CSV lines back.
Usage: check_flight_book.py [NATIVE_BUILD_DIR]   (default build/native)"""
import csv, glob, json, os, subprocess, sys, tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
IGC_CHECK = os.path.join(ROOT, 'tests', 'checks', 'igc_parser')
GLIDERS = ['Gin "Bonanza" 2', 'Ozone; Rush', 'cut\rhere', 'Advance Alpha 3']


def gpsbabel(log):
    """[date DD.MM.YYYY, first fix time, last fix time], or None without a track."""
    out = subprocess.run(['gpsbabel', '-t', '-i', 'igc', '-f', log, '-o', 'unicsv', '-F', '-'],
                         check=True, capture_output=True, text=True).stdout
    rows = list(csv.DictReader(out.splitlines()))
    if not rows or 'Time' not in rows[0]:
        return None
    y, m, d = rows[0]['Date'].split('/')
    return ['%s.%s.%s' % (d, m, y), rows[0]['Time'], rows[-1]['Time']]


def igc_parser_gliders(logs):
    """{log: glider type} as igc-parser reads them."""
    if not os.path.isdir(os.path.join(IGC_CHECK, 'node_modules', 'igc-parser')):
        subprocess.run(['npm', 'ci', '--no-audit', '--no-fund', '--silent'], cwd=IGC_CHECK, check=True)
    out = subprocess.run(['node', os.path.join(IGC_CHECK, 'check.js'), '--gliders'] + logs,
                         check=True, capture_output=True, text=True).stdout
    return dict(zip(logs, (json.loads(line) or '' for line in out.splitlines())))


def main():
    logs = sorted(glob.glob(os.path.join(ROOT, 'samples', 'instrument', 'FLIGHTS', '*', '*', '*')))
    gliders = igc_parser_gliders(logs)
    faults = ['%s: igc-parser reads no glider' % log for log in logs if not gliders[log]]
    with tempfile.TemporaryDirectory() as folder:
        for n, glider in enumerate(GLIDERS):
            logs.append(os.path.join(folder, 'quoted-%d.igc' % n))
            with open(logs[-1], 'wb') as f:
                f.write(b'HFDTE010125\r\nHFGTYGLIDERTYPE: ' + glider.encode('cp1252') +
                        b'\r\nB1000004739822N01131662EA0153001562\r\n')
        book = os.path.join(folder, 'book.csv')
        subprocess.run([os.path.join(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, 'build', 'native'),
                                     'list_flights'), book] + logs, check=True)
        rows = list(csv.reader(open(book, newline='', encoding='cp1252'), delimiter=';'))
    if len(rows) != len(logs):
        faults.append('%d rows for %d logs' % (len(rows), len(logs)))
    for log, row in zip(logs, rows):
        if '/quoted-' in log:
            expected = row[:4] + [GLIDERS[int(log[-5])], log]
        else:
            read = gpsbabel(log)
            # No fix: GPSBabel has no track, the program no times, but a date.
            expected = (read + row[3:4] if read else [row[0] or 'a date', '', '', '']) + [gliders[log], log]
        if row != expected[:len(row)] or len(row) != 6 or row[5] != log:
            faults.append('%s: listed %r, expected %r' % (log, row, expected))
    for fault in faults:
        print(fault)
    print('%d logs: sample flights as GPSBabel and igc-parser read them, gliders through csv' % len(logs))
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
