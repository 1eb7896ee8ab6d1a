#!/usr/bin/env python3
"""Exports the sample's waypoint store and one of hard points as GPX and CUP
with the program's writer (check_waypoint_files.py [NATIVE_BUILD_DIR]).
xmllint must find the GPX well-formed, GPSBabel must read back every point's
degrees (within the format's precision), altitude and name, Python's XML
reader every name and description, and Python's csv module the CUP rows
(GPSBabel's CUP reader splits on every comma)."""
import csv, math, os, re, struct, subprocess, sys, tempfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
RECORD = struct.Struct('>ffh31s7sB3x')
HIGH, LOW = bytes(range(0x80, 0x100)), bytes(range(0x20, 0x80))
HARD = [   # lat, lon, altitude, name, description; minutes of 59.9997 round up to 60
    (47.5, 11.25, 1234, b'NE', b'north east'), (-33.9, -70.1, 0, b'SW', b'south west'),
    (-0.5, 179.5, 1, b'SE', b'south east, far'), (64.1, -21.9, -1, b'NW', b'north west'),
    (0.0, 0.0, 0, b'ZERO', b'zero'), (-0.0, -0.0, 0, b'NEGZERO', b'negative zero'),
    (47.999995, -11.999995, 32767, b'CARRY', b'60'), (-89.999995, 179.999995, -32768, b'', b'no name'),
    (46.0, 7.0, 500, 'Jöß Ä'.encode('cp1252'), 'Grüße über Öhringen'.encode('cp1252')),
    (46.6, 7.6, 1100, b'A&B<C>"', b'x,"y",<z>&amp; "q"'), (46.7, 7.7, 1200, b'"A,B"', b'D' * 31),
    (46.5, 7.5, 1000, HIGH[124:] + b'\x01\tZ', b'ctrl\r\nx\x1f'),
    (46.2, 7.2, 1300, b'"' * 7, b'&' * 31),   # the widest escapes
] + [(46.1, 7.1, 600, HIGH[i:i + 7], HIGH[i:i + 31]) for i in range(0, 124, 31)] + [
    (46.3, 7.3, 1400, LOW[i + 1:i + 8], LOW[i:i + 31]) for i in range(0, 96, 31)]


def text(raw):
    """Windows-1252 up to the first NUL, without control characters; the five
    bytes the code page leaves free stand for themselves."""
    return ''.join(chr(b) if b in (0x81, 0x8D, 0x8F, 0x90, 0x9D) else bytes([b]).decode('cp1252')
                   for b in raw.split(b'\0')[0] if b >= 0x20)


def check(path, expected):
    """The problems GPSBabel, xmllint or Python's csv module find in a file."""
    gpx, problems = path.endswith('.gpx'), []
    if gpx:
        subprocess.run(['xmllint', '--noout', path], check=True)
        wpts = ET.parse(path).getroot().iter('{http://www.topografix.com/GPX/1/1}wpt')
        texts = [[w.findtext('{*}name'), w.findtext('{*}desc') or ''] for w in wpts]
        if texts != [[p[3], p[4]] for p in expected]:
            problems.append('%s: names and descriptions %r' % (path, texts))
    else:
        raw = open(path, 'rb').read()
        rows = list(csv.reader(open(path, encoding='utf-8', newline='')))
        if (raw[:3] == b'\xef\xbb\xbf' or raw.count(b'\n') != raw.count(b'\r\n')
                or rows[0] != 'name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc'.split(',')
                or [r[:3] + r[5:] for r in rows[1:]] != [[p[3], p[3], '', '%dm' % p[2], '1', '', '', '', p[4]]
                                                          for p in expected]
                # GPSBabel reads "4760.000N" as 48 degrees: the minutes must stay below 60.
                or not all(re.fullmatch(r'\d\d[0-5]\d\.\d{3}[NS],\d{3}[0-5]\d\.\d{3}[EW]', r[3] + ',' + r[4])
                           for r in rows[1:])):
            problems.append('%s: csv rows %r' % (path, rows))
    root = ET.fromstring(subprocess.run(['gpsbabel', '-i', 'gpx' if gpx else 'cup', '-f', path, '-o', 'gpx', '-F', '-'],
                                        check=True, capture_output=True).stdout)
    ns = root.tag[:root.tag.index('}') + 1]
    read = [(float(w.get('lat')), float(w.get('lon')), float(w.findtext(ns + 'ele')), w.findtext(ns + 'name') or '')
            for w in root.iter(ns + 'wpt')]
    if len(read) != len(expected):
        return problems + ['%s: GPSBabel read %d of %d points' % (path, len(read), len(expected))]
    near = (0.5e-7 if gpx else 0.0005 / 60) + 1e-9   # 7 decimals of degrees, 3 of minutes
    for point, back in zip(expected, read):
        # GPSBabel keeps a CUP name's quotes, and splits its line at every comma.
        name = point[3] if gpx else '"%s"' % point[3]
        if (gpx or not ('"' in point[3] or ',' in point[3])) and (
                abs(point[0] - back[0]) > near or abs(point[1] - back[1]) > near or point[2] != back[2]
                or (point[3] and back[3] != name)):
            problems.append('%s: %r, GPSBabel %r' % (path, point, back))
    return problems


def main():
    writer = os.path.join(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, 'build', 'native'),
                          'write_waypoint_file')
    problems = []
    with tempfile.TemporaryDirectory() as scratch:
        hard = os.path.join(scratch, 'hard.skt')
        with open(hard, 'wb') as f:
            f.write(b''.join(RECORD.pack(math.radians(lon), math.radians(lat), alt, desc, name, 1)
                             for lat, lon, alt, name, desc in HARD))
        for store in (os.path.join(ROOT, 'samples', 'instrument', 'WAYPOINTS', 'waypoints.skt'), hard):
            data = open(store, 'rb').read()
            expected = [(math.degrees(lat), math.degrees(lon), alt, text(name), text(desc))
                        for lon, lat, alt, desc, name, _ in RECORD.iter_unpack(data[:len(data) // 52 * 52])]
            for kind in ('gpx', 'cup'):
                path = os.path.join(scratch, os.path.basename(store) + '.' + kind)
                subprocess.run([writer, store, path], check=True, capture_output=True)
                problems += check(path, expected)
            print('%s: %d points read back from GPX and CUP' % (os.path.basename(store), len(expected)))
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
