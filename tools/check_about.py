#!/usr/bin/env python3
"""Checks the about document: resources/about.rtf is what tools/make_about.py
makes of its source and resources/version.h, and an independent RTF reader
(unrtf) finds every part of it in order, umlauts, backslashes and the
example's lines included.  That the program carries and shows it is checked
by the Windows tests (Preview.AboutDocument...).
"""

import os
import subprocess
import sys

sys.dont_write_bytecode = True   # keep tools/ free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_about  # noqa: E402


def missing_parts(rtf, phrases):
    """The phrases unrtf does not find in this order in the document."""
    out = subprocess.run(['unrtf', '--text'], input=rtf, check=True, capture_output=True).stdout
    text = '\n'.join(line for line in out.decode('cp1252').split('\n') if not line.startswith('###'))
    missing, at = [], 0
    for phrase in phrases:
        found = text.find(phrase, at)
        if found < 0:
            missing.append(phrase)
        at = found + len(phrase) if found >= 0 else at
    return missing + [word for word in ('http', 'www.', '@', 'Firmware') if word in text]


def main():
    with open(make_about.OUT, 'rb') as f:
        rtf = f.read()
    problems = [] if rtf == make_about.document() else ['not what tools/make_about.py makes; run "make resources"']
    version, date = make_about.read_version()
    problems += missing_parts(rtf, [
        'Tolmaro\n', 'Zirkano 2.0\n', 'Holdranek', 'Version %s vom %s.' % (version, date),
        'SETUP\\setupdata.txt', 'WAYPOINTS\\waypoints.skt', 'Marke des Herstellers', 'deutsches Recht',
        'keine Haftung', 'Sprachdateien des Geräts', 'Vorschläge', '\nInstallation\n',
        'keine Einträge in die Registrierung', '\n[autorun]\nopen=TOLMARO\\tolmaro.exe\n'
        'icon=TOLMARO\\tolmaro.exe\naction=Tolmaro starten\nlabel=Zirkano 2.0\n', 'Viel Spaß mit Tolmaro'])
    for problem in problems:
        print('resources/about.rtf:', problem)
    if problems:
        sys.exit(1)
    print('about document: %d bytes, every part there' % len(rtf))


if __name__ == '__main__':
    main()
