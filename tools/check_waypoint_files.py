#!/usr/bin/env python3
"""Exports waypoint stores as GPX and CUP with the program's own writer and
checks that independent readers get the points back.

  check_waypoint_files.py [NATIVE_BUILD_DIR]   (default build/native)

The stores: the sample instrument's and one of hard points (both
hemispheres, zeros, minutes that round up to 60, the extreme altitudes,
empty and odd names, every byte from 0x80 up). xmllint must find every GPX
well-formed; GPSBabel reads each GPX and CUP file back, and its points must
match the store's: names, degrees within the format's precision, altitudes.
GPSBabel's CUP reader splits on every comma and keeps quotes, so Python's
csv module checks the CUP names and descriptions.
"""

import csv
import math
import os
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RECORD = struct.Struct('>ffh31s7sB3x')


def text(raw):
    """The field's Windows-1252 bytes up to the first NUL as the export
    writes them: in Unicode, without control characters."""
    raw = raw.split(b'\0')[0]
    # The five bytes the code page leaves free stand for themselves.
    chars = [chr(b) if b in (0x81, 0x8D, 0x8F, 0x90, 0x9D) else bytes([b]).decode('cp1252') for b in raw]
    return ''.join(c for c in chars if c >= ' ')


def points(store):
    found = []
    for at in range(0, len(store) - RECORD.size + 1, RECORD.size):
        lon, lat, alt, desc, name, _ = RECORD.unpack_from(store, at)
        found.append((lat * 180 / math.pi, lon * 180 / math.pi, alt, text(name), text(desc)))
    return found


def radians(degrees):
    return degrees * math.pi / 180


def hard_store():
    high = bytes(range(0x80, 0x100))
    rows = [   # lat, lon (degrees), altitude, name, description
        (47.5, 11.25, 1234, b'NE', b'north east'),
        (-33.9, -70.1, 0, b'SW', b'south west'),
        (-0.5, 179.5, 1, b'SE', b'south east, far'),
        (64.1, -21.9, -1, b'NW', b'north west'),
        (0.0, 0.0, 0, b'ZERO', b'zero'),
        (-0.0, -0.0, 0, b'NEGZERO', b'negative zero'),
        # Minutes of 59.9997 round up to 60.000 and carry into the degrees.
        (47.999995, -11.999995, 32767, b'CARRY', b'minutes round to 60'),
        (-89.999995, 179.999995, -32768, b'', b'empty name'),
        (46.0, 7.0, 500, 'Jöß Ä'.encode('cp1252'), 'Grüße über Öhringen'.encode('cp1252')),
        (46.1, 7.1, 600, high[:7], high[:31]),
        (46.2, 7.2, 700, high[31:38], high[31:62]),
        (46.3, 7.3, 800, high[62:69], high[62:93]),
        (46.4, 7.4, 900, high[93:100], high[93:124]),
        (46.5, 7.5, 1000, high[124:128] + b'\x01\tZ', b'ctrl\r\nx\x1f'),
        (46.6, 7.6, 1100, b'A&B<C>"', b'x,"y",<z>&amp; "q"'),
        (46.7, 7.7, 1200, b'"A,B"', b'D' * 31),
    ]
    store = b''
    for lat, lon, alt, name, desc in rows:
        store += RECORD.pack(radians(lon), radians(lat), alt, desc, name, 1)
    return store


def run(*command):
    return subprocess.run(command, check=True, capture_output=True).stdout


def gpsbabel(kind, path):
    """The points GPSBabel reads, written back as GPX (1.0 or 1.1) with 9
    decimals."""
    root = ET.fromstring(run('gpsbabel', '-i', kind, '-f', path, '-o', 'gpx', '-F', '-'))
    gpx = root.tag[:root.tag.index('}') + 1]
    found = []
    for wpt in root.iter(gpx + 'wpt'):
        ele = wpt.find(gpx + 'ele')
        name = wpt.find(gpx + 'name')
        found.append((float(wpt.get('lat')), float(wpt.get('lon')), float(ele.text) if ele is not None else None,
                      name.text or '' if name is not None else ''))
    return found


def check_gpx(path, expected, problems):
    subprocess.run(['xmllint', '--noout', path], check=True)
    read = gpsbabel('gpx', path)
    if len(read) != len(expected):
        problems.append('%s: GPSBabel read %d points of %d' % (path, len(read), len(expected)))
        return
    for i, ((lat, lon, alt, name, _), (rlat, rlon, ralt, rname)) in enumerate(zip(expected, read)):
        if abs(rlat - lat) > 0.5e-7 + 1e-9 or abs(rlon - lon) > 0.5e-7 + 1e-9 or ralt != alt:
            problems.append('%s point %d: %r %r %r, GPSBabel %r %r %r' % (path, i, lat, lon, alt, rlat, rlon, ralt))
        if name and rname != name:
            problems.append('%s point %d: name %r, GPSBabel %r' % (path, i, name, rname))
    with open(path, encoding='utf-8') as f:   # descriptions through a plain XML parser
        descs = [(w.findtext('{http://www.topografix.com/GPX/1/1}desc') or '')
                 for w in ET.parse(f).getroot()]
    if descs != [p[4] for p in expected]:
        problems.append('%s: descriptions %r' % (path, descs))


def minutes_ok(read, degrees):
    """Within the rounding of 0.001 minutes."""
    return abs(read - abs(degrees)) * 60 <= 0.0005 + 1e-9


def check_cup(path, expected, problems):
    with open(path, 'rb') as f:
        raw = f.read()
    if raw.startswith(b'\xef\xbb\xbf') or raw.replace(b'\r\n', b'').count(b'\n') or raw.count(b'\r\n') != len(expected) + 1:
        problems.append('%s: not one CR LF line per point without a byte-order mark' % path)
    with open(path, encoding='utf-8', newline='') as f:
        rows = list(csv.reader(f))
    if rows[0] != 'name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc'.split(','):
        problems.append('%s: header %r' % (path, rows[0]))
    for i, (row, (lat, lon, alt, name, desc)) in enumerate(zip(rows[1:], expected)):
        if row[:3] != [name, name, ''] or row[5:] != ['%dm' % alt, '1', '', '', '', desc]:
            problems.append('%s point %d: csv fields %r' % (path, i, row))
    # GPSBabel splits a quoted name with a comma in it: such points are left out.
    read = gpsbabel('cup', path)
    if len(read) != len(expected):
        problems.append('%s: GPSBabel read %d points of %d' % (path, len(read), len(expected)))
        return
    for i, ((lat, lon, alt, name, _), (rlat, rlon, ralt, rname)) in enumerate(zip(expected, read)):
        if ',' in name:
            continue
        rname = rname[1:-1] if rname.startswith('"') and rname.endswith('"') else rname
        if not minutes_ok(abs(rlat), lat) or not minutes_ok(abs(rlon), lon) or ralt != alt:
            problems.append('%s point %d: %r %r %r, GPSBabel %r %r %r' % (path, i, lat, lon, alt, rlat, rlon, ralt))
        # Hemisphere: a value that shows as zero may carry either letter.
        if (rlat < 0) != (lat < 0) and rlat != 0 or (rlon < 0) != (lon < 0) and rlon != 0:
            problems.append('%s point %d: hemisphere of %r %r' % (path, i, rlat, rlon))
        if name and '"' not in name and rname != name:
            problems.append('%s point %d: name %r, GPSBabel %r' % (path, i, name, rname))


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, 'build', 'native')
    writer = os.path.join(build, 'write_waypoint_file')
    problems = []
    with tempfile.TemporaryDirectory() as scratch:
        hard = os.path.join(scratch, 'hard.skt')
        with open(hard, 'wb') as f:
            f.write(hard_store())
        stores = [os.path.join(ROOT, 'samples', 'instrument', 'WAYPOINTS', 'waypoints.skt'), hard]
        for n, store in enumerate(stores):
            with open(store, 'rb') as f:
                expected = points(f.read())
            for kind, check in (('gpx', check_gpx), ('cup', check_cup)):
                path = os.path.join(scratch, 'store%d.%s' % (n, kind))
                count = int(run(writer, store, path))
                if count != len(expected):
                    problems.append('%s: %d points written of %d' % (path, count, len(expected)))
                check(path, expected, problems)
            print('%s: %d points read back from GPX and CUP' % (os.path.basename(store), len(expected)))
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
