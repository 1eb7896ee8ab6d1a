#!/usr/bin/env python3
"""Checks the about document: resources/about.rtf is what tools/make_about.py
makes of its source and resources/version.h, and an independent RTF reader
(unrtf) finds every part of it in order, umlauts, backslashes and the
example's lines included. The Windows tests (Preview.AboutDocument...) check
that the program carries and shows it."""
import os, subprocess, sys

sys.dont_write_bytecode = True   # keep tools/ free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_about  # noqa: E402

rtf = open(make_about.OUT, 'rb').read()
problems = [] if rtf == make_about.document() else ['not what tools/make_about.py makes; run "make resources"']
out = subprocess.run(['unrtf', '--text'], input=rtf, check=True, capture_output=True).stdout.decode('cp1252')
text, at = '\n'.join(line for line in out.split('\n') if not line.startswith('###')), 0
for phrase in ['Tolmaro\n', 'Zirkano 2.0\n', 'Holdranek', 'Version %s vom %s.' % make_about.read_version(),
               'SETUP\\setupdata.txt', 'WAYPOINTS\\waypoints.skt', 'Marke des Herstellers', 'deutsches Recht',
               'keine Haftung', 'Sprachdateien des Geräts', 'Vorschläge', '\nInstallation\n',
               'keine Einträge in die Registrierung', '\n[autorun]\nopen=TOLMARO\\tolmaro.exe\n'
               'icon=TOLMARO\\tolmaro.exe\naction=Tolmaro starten\nlabel=Zirkano 2.0\n', 'Viel Spaß mit Tolmaro']:
    found = text.find(phrase, at)
    problems += ['missing in order: ' + phrase] if found < 0 else []
    at = found + len(phrase) if found >= 0 else at
problems += ['holds ' + word for word in ('http', 'www.', '@', 'Firmware') if word in text]
for problem in problems:
    print('resources/about.rtf:', problem)
print('about document: %d bytes, %d problem(s)' % (len(rtf), len(problems)))
sys.exit(1 if problems else 0)
