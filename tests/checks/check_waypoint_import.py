#!/usr/bin/env python3
"""Waypoint files of GPSBabel (GPX, CUP) and of Python's csv module (CUP
with quotes, commas, feet) read by Tolmaro (read_waypoint_file) give the
points that ElementTree and csv read, mapped by the store's rules; and the
export of each format read back into a store by "replace" gives the same
records, the coordinates within the format's precision.
Usage: check_waypoint_import.py [NATIVE_BUILD_DIR]"""
import csv, io, math, os, struct, subprocess, sys, tempfile, unicodedata
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
RECORD = struct.Struct('>ffh31s7sB3x')
PI = struct.unpack('>d', bytes.fromhex('400921FB54442D19'))[0]   # the export's pi

HARD = [   # lat, lon, altitude in metres, name, description
    (47.5, 11.25, 1234, 'Köhlbrand Süd', 'Landeplatz am Hang'),
    (-33.9, -70.1, 0, 'Łąka Przełęcz Ωmega', 'south west'),
    (46.123456, -7.5, 3048, 'Hochfellnhaus Bergstation', ''),
    (-0.000001, 179.999999, -12, 'ZERO', 'close to the line'),
    (64.1, -21.9, 870, 'Œuvre €uro', 'Grüße aus Ísafjörður, Ölfus und Þingvellir'),
    (50.05, 19.94, 219, 'Pełka', 'Kraków, łąka Ωmega'),
]
# Written by the csv module: quotes and commas in fields, feet.
CSV_ROWS = [
    ('Rabbit holes, 20" ditch', 'RH', '4730.000N', '01115.000W', '1000ft', 'a "quoted", text'),
    ('Gipfel', '', '4600.500S', '00700.250E', '1234.5m', ''),
    ('Long name of a place', 'LONGCODE1', '4601.000N', '00701.000E', '', ''),
]
SPECIAL = {'ł': 'l', 'Ł': 'L', 'đ': 'd', 'Đ': 'D', 'ħ': 'h', 'Ħ': 'H', 'ı': 'i', 'ŀ': 'l', 'Ŀ': 'L', 'ſ': 's'}


def fits(c):
    try:
        return bool(c.encode('cp1252'))
    except UnicodeEncodeError:
        return False


def windows1252(text):
    """Best-fit letters, no control characters, no blanks at either end."""
    base = lambda c: SPECIAL.get(c) or unicodedata.normalize('NFKD', c)[0]
    out = ''.join(c if fits(c) else base(c) if base(c) != c and fits(base(c)) else '_'
                  for c in text if ord(c) >= 0x20 and not 0x7F <= ord(c) < 0xA0)
    return out.strip(' ').encode('cp1252')


def cut(text, width):
    return text[:width].rstrip(b' ') if len(text) > width else text


def record_texts(name, description, other=b''):
    short = cut(name, 7)
    return short, cut(description or (name if short != name else other), 31)


def metres(value):
    return int(math.copysign(math.floor(abs(value) + 0.5), value))


def compare(reader, path, expected, near=1e-5):
    """expected: (name, description, lat, lon, altitude) per point."""
    out = subprocess.run([reader, path], check=True, capture_output=True).stdout
    rows = [line.split(b'\t') for line in out.split(b'\n') if line]
    if len(rows) != len(expected):
        return ['%s: Tolmaro read %d points, the other reader %d' % (path, len(rows), len(expected))]
    problems = []
    for row, (name, desc, lat, lon, alt) in zip(rows, expected):
        if (row[0] != name or row[1] != desc or int(row[4]) != alt
                or abs(float(row[2]) - lat) > near or abs(float(row[3]) - lon) > near):
            problems.append('%s: Tolmaro %r, expected %r' % (path, row, (name, desc, lat, lon, alt)))
    return problems


def cup_angle(text, positive):
    value, letter = float(text[:-1]), text[-1].upper()
    degrees = value // 100 + (value % 100) / 60
    return degrees if letter == positive else -degrees


def cup_elevation(text):
    text = text.strip().lower()
    if text.endswith('ft'):
        return metres(float(text[:-2]) * 0.3048)
    return metres(float(text.rstrip('m'))) if text else 0


def expected_from_gpx(path):
    points = []
    for element in ET.parse(path).getroot().iter():
        if element.tag.split('}')[-1] in ('wpt', 'rtept'):
            find = lambda tag: element.findtext('{*}' + tag) or ''
            name, desc = record_texts(windows1252(find('name')), windows1252(find('desc') or find('cmt')))
            points.append((name, desc, float(element.get('lat')), float(element.get('lon')),
                           metres(float(find('ele'))) if find('ele') else 0))
    return points


def expected_from_cup(path):
    points = []
    with open(path, encoding='utf-8', newline='') as f:
        rows = list(csv.reader(f, skipinitialspace=True))
    header = [word.strip().lower() for word in rows[0]]
    column = {word: header.index(word) for word in ('name', 'code', 'lat', 'lon', 'elev', 'desc')}
    for row in rows[1:]:
        if row and row[0].startswith('-----Related Tasks'):
            break
        field = lambda word: row[column[word]].strip() if column[word] < len(row) else ''
        full, code = windows1252(field('name')), windows1252(field('code'))
        other = full if code and full != code else b''
        name, desc = record_texts(code or full, windows1252(field('desc')), other)
        points.append((name, desc, cup_angle(field('lat'), 'N'), cup_angle(field('lon'), 'E'),
                       cup_elevation(field('elev'))))
    return points


def independent_files(reader, scratch):
    problems = []
    table = os.path.join(scratch, 'hard.csv')
    with open(table, 'w', encoding='utf-8', newline='') as f:
        writer = csv.writer(f)
        writer.writerow(['lat', 'lon', 'alt', 'name', 'desc'])
        writer.writerows(('%.6f' % lat, '%.6f' % lon, alt, name, desc) for lat, lon, alt, name, desc in HARD)
    for kind in ('gpx', 'cup'):
        path = os.path.join(scratch, 'gpsbabel.' + kind)
        subprocess.run(['gpsbabel', '-i', 'unicsv', '-f', table, '-o', kind, '-F', path], check=True)
        problems += compare(reader, path, expected_from_gpx(path) if kind == 'gpx' else expected_from_cup(path))
    path = os.path.join(scratch, 'csv.cup')
    with open(path, 'w', encoding='utf-8', newline='') as f:
        writer = csv.writer(f, lineterminator='\r\n')
        writer.writerow(['name', 'code', 'country', 'lat', 'lon', 'elev', 'style', 'rwdir', 'rwlen', 'freq', 'desc'])
        for name, code, lat, lon, elev, desc in CSV_ROWS:
            writer.writerow([name, code, 'AT', lat, lon, elev, '1', '', '', '', desc])
    return problems + compare(reader, path, expected_from_cup(path))


def round_trip(reader, writer, scratch):
    sample = open(os.path.join(ROOT, 'samples', 'instrument', 'WAYPOINTS', 'waypoints.skt'), 'rb').read()
    # An empty name comes back as "WP" and the point's number, by design.
    records = [r for r in RECORD.iter_unpack(sample[:len(sample) // 52 * 52]) if r[5] == 1 and r[4][0]]
    for i, (lat, lon, alt, name, desc) in enumerate(HARD):
        name, desc = record_texts(windows1252(name), windows1252(desc))
        records.append((lon * PI / 180, lat * PI / 180, alt, desc, name[:6] + bytes([0x30 + i]), 1))
    records.append((-0.19634955, 0.82903141, -32768, b'&<>"' * 7 + b'x,"', b'A,"B"&<', 1))
    store = os.path.join(scratch, 'store.skt')
    with open(store, 'wb') as f:
        f.write(b''.join(RECORD.pack(*r) for r in records))
    empty = os.path.join(scratch, 'empty.skt')
    open(empty, 'wb').close()
    problems = []
    for kind, near in (('wpt', 1e-10), ('gpx', 1e-7), ('cup', 0.001 / 60)):
        exported, back = os.path.join(scratch, 'export.' + kind), os.path.join(scratch, 'back-%s.skt' % kind)
        subprocess.run([writer, store, exported], check=True)
        subprocess.run([reader, exported, empty, 'replace', back], check=True, capture_output=True)
        data = open(back, 'rb').read()
        read = list(RECORD.iter_unpack(data))
        if len(data) % 52 or len(read) != len(records):
            problems.append('%s: %d records back of %d' % (kind, len(read), len(records)))
        for before, after in zip(records, read):
            before = RECORD.unpack(RECORD.pack(*before))   # the stored single-precision values
            degrees = [abs(a - b) * 180 / PI for a, b in zip(before[:2], after[:2])]
            if before[2:] != after[2:] or max(degrees) > near * 1.0001:
                problems.append('%s: %r back as %r' % (kind, before, after))
    return problems


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, 'build', 'native')
    reader, writer = os.path.join(build, 'read_waypoint_file'), os.path.join(build, 'write_waypoint_file')
    with tempfile.TemporaryDirectory() as scratch:
        problems = independent_files(reader, scratch) + round_trip(reader, writer, scratch)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
