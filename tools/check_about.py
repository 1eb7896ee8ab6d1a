#!/usr/bin/env python3
"""Checks the about document (resource 1035) as the program carries it.

  check_about.py build/win32/tolmaro.exe

resources/about.rtf must be what tools/make_about.py makes of its source and
of resources/version.h; the program must carry exactly those bytes as
RCDATA 1035 (read back from the program file with windres); their form must
be the one the rich-edit control is given (RTF 1, code page 1252, German,
Arial only, dark red, black and blue, 8 to 14 pt, closing brace, CR LF and
one zero byte); and an independent reader (unrtf) must find every part of
the document in its order.
"""

import os
import re
import struct
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True   # keep tools/ free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_about  # noqa: E402

RT_RCDATA, ABOUT = 10, 1035


def resource_id(data, at):
    """A type or name in a .res header: a number (FFFF, id) or a UTF-16 name."""
    if struct.unpack_from('<H', data, at)[0] == 0xFFFF:
        return struct.unpack_from('<H', data, at + 2)[0], at + 4
    end = at
    while struct.unpack_from('<H', data, end)[0] != 0:
        end += 2
    return data[at:end].decode('utf-16-le'), (end + 2 + 3) & ~3


def rcdata_of(program):
    """The bytes of RCDATA 1035 in the program file."""
    with tempfile.TemporaryDirectory() as scratch:
        res = os.path.join(scratch, 'program.res')
        subprocess.run(['i686-w64-mingw32-windres', '-i', program, '-J', 'coff', '-O', 'res', '-o', res],
                       check=True)
        with open(res, 'rb') as f:
            data = f.read()
    at = 0
    while at + 8 <= len(data):
        size, header = struct.unpack_from('<II', data, at)
        kind, after = resource_id(data, at + 8)
        name, _ = resource_id(data, after)
        if (kind, name) == (RT_RCDATA, ABOUT):
            return data[at + header:at + header + size]
        at = (at + header + size + 3) & ~3
    return None


def form_problems(rtf):
    problems = []
    if not rtf.startswith(b'{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031'):
        problems.append('not RTF 1 in code page 1252 with German as default language')
    if rtf.count(b'\\fcharset') != 1 or b'\\f0\\fswiss\\fcharset0 Arial;' not in rtf:
        problems.append('not one font, Arial')
    if b'{\\colortbl ;\\red128\\green0\\blue0;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}' not in rtf:
        problems.append('colours other than dark red, black and blue')
    sizes = {int(size) for size in re.findall(rb'\\fs(\d+)', rtf)}
    if sizes != {16, 20, 24, 28}:
        problems.append('font sizes %s, not 8, 10, 12 and 14 pt' % sorted(s / 2 for s in sizes))
    if not rtf.endswith(b'\\par\r\n}\r\n\0') or rtf.count(b'\0') != 1:
        problems.append('does not end in the closing brace, CR LF and one zero byte')
    return problems


def part_problems(text):
    version, date = make_about.read_version()
    # every part of the document, by phrases that must come in this order
    parts = [
        ('title', ['Tolmaro\n', 'Zirkano 2.0\n']),
        ('author and contact', ['Holdranek', 'Fragen, Fehlerberichte und Anregungen']),
        ('version and file formats', ['Version %s vom %s.' % (version, date), 'SETUP\\setupdata.txt',
                                      'SETUP\\igcheader.txt', 'FLIGHTS\\', 'WAYPOINTS\\waypoints.skt']),
        ('trademark', ['Marke des Herstellers', 'Rechte daran werden anerkannt']),
        ('disclaimer', ['deutsches Recht', 'nicht frei von Fehlern', 'keine Haftung',
                        'erkennt dies an']),
        ('languages', ['Sprachdateien des Geräts', 'sieben anderen Sprachen', 'Vorschläge']),
        ('installation', ['\nInstallation\n', 'keine Einträge in die Registrierung',
                          'nicht in das Stammverzeichnis', '\n[autorun]\nopen=TOLMARO\\tolmaro.exe\n'
                          'icon=TOLMARO\\tolmaro.exe\naction=Tolmaro starten\nlabel=Zirkano 2.0\n',
                          'nur die Zeilen [autorun], icon= und label=']),
        ('closing', ['Viel Spaß mit Tolmaro', '\nHoldranek\n']),
    ]
    problems, at = [], 0
    for part, phrases in parts:
        for phrase in phrases:
            found = text.find(phrase, at)
            if found < 0:
                problems.append('%s: "%s" missing or out of order' % (part, phrase.strip()))
            else:
                at = found + len(phrase)
    for word in ('http', 'www.', '@', 'Firmware'):
        if word in text:
            problems.append('names "%s"' % word)
    return problems


def main():
    program = sys.argv[1]
    with open(make_about.OUT, 'rb') as f:
        committed = f.read()
    problems = []
    if committed != make_about.document():
        problems.append('resources/about.rtf is not what tools/make_about.py makes; run "make resources"')
    carried = rcdata_of(program)
    if carried != committed:
        problems.append('%s does not carry resources/about.rtf as RCDATA %d' % (program, ABOUT))
    if carried:
        problems += form_problems(carried)
        with tempfile.NamedTemporaryFile(suffix='.rtf') as rtf:
            rtf.write(carried)
            rtf.flush()
            out = subprocess.run(['unrtf', '--text', rtf.name], check=True, capture_output=True).stdout
        text = '\n'.join(line for line in out.decode('cp1252').split('\n') if not line.startswith('###'))
        problems += part_problems(text)
    for problem in problems:
        print(problem)
    if problems:
        sys.exit(1)
    print('about document: %d bytes, every part there' % len(carried))


if __name__ == '__main__':
    main()
