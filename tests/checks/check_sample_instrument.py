#!/usr/bin/python3
"""Checks the sample instrument in samples/instrument/ where no other test
reads it as a user meets it: every language file's slots in place (each
language names itself in its own slot, slot 57 holds the airspace warning)
and waypoints that decode to the Alps. The expectations are written out
here, not imported from the generator, so that a fault there shows; a fresh
run of the generator must give the sample byte for byte. The other files are
read by the Windows tests and igc-parser (tests/checks/check_igc_header.sh)."""
import math, os, struct, subprocess, sys, tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SAMPLE = os.path.join(ROOT, 'samples', 'instrument')
# File, and its own name in slot 47 + its index (the order of setting "Sprache").
LANGUAGES = [('Deutsch', 'Deutsch'), ('Englisch', 'English'), ('Franzoesisch', 'Français'),
             ('Niederlaendisch', 'Nederlands'), ('Polnisch', 'Polski'), ('Spanisch', 'Español'),
             ('Italienisch', 'Italiano'), ('Rumaenisch', 'Româna')]


def files_below(root):
    return {os.path.relpath(os.path.join(folder, name), root): open(os.path.join(folder, name), 'rb').read()
            for folder, _, names in os.walk(root) for name in names}


def faults():
    sample = files_below(SAMPLE)
    with tempfile.TemporaryDirectory() as scratch:
        subprocess.run([sys.executable, os.path.join(ROOT, 'tools', 'samples', 'make_sample_instrument.py'), '--out', scratch],
                       check=True, stdout=subprocess.DEVNULL)
        if files_below(scratch) != sample:
            yield 'the sample is not what tools/samples/make_sample_instrument.py makes'
    counts = set()
    for index, (language, own_name) in enumerate(LANGUAGES):
        lines = sample['SETUP/%s.txt' % language].decode('cp1252', 'replace').split('\r\n')
        counts.add(len(lines) - 1)
        names = lines[47:55]
        if lines[-1] != '' or any('\r' in line or '\n' in line or len(line) > 20 for line in lines):
            yield '%s.txt: not lines of at most 20 characters, each ending in CR LF' % language
        if len(names) < 8 or names[index] != own_name or len(set(names)) != 8:
            yield '%s.txt: slots 47 to 54 are %r, not eight names with %r in slot %d' % (
                language, names, own_name, 47 + index)
    german = sample['SETUP/Deutsch.txt'].split(b'\r\n')
    if len(counts) != 1 or min(counts) < 58 or german[57:58] != [b'Luftraumwarnung']:
        yield 'language files of %s lines, not one count of at least 58 with German slot 57 the airspace warning' % (
            sorted(counts))
    # Big-endian records of 52 bytes: longitude, latitude in radians, altitude, ..., kind.
    store = sample['WAYPOINTS/waypoints.skt']
    records = [struct.unpack_from('>ffh', store, at) + (store[at + 48],) for at in range(0, len(store), 52)]
    alps = [r for r in records if r[3] == 1 and 46 < math.degrees(r[1]) < 48.5 and 9.5 < math.degrees(r[0]) < 13.5]
    if len(store) % 52 or len(alps) < 10:
        yield 'WAYPOINTS/waypoints.skt: %d bytes, %d waypoints in the Alps' % (len(store), len(alps))


problems = list(faults())
for problem in problems:
    print('FAULT:', problem)
print('sample instrument: %d fault(s)' % len(problems))
sys.exit(1 if problems else 0)
