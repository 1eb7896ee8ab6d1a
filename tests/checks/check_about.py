#!/usr/bin/env python3
"""Checks the about documents, German and English: each is what
tools/assets/make_about.py makes of its source and resources/version.h, and an
independent RTF reader (unrtf) finds every part of it in order, umlauts,
backslashes and the example's lines included. The Windows tests check that
the program carries and shows them."""
import os, subprocess, sys

sys.dont_write_bytecode = True   # keep the source folders free of __pycache__
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tools', 'assets'))
import make_about  # noqa: E402

AUTORUN = '\n[autorun]\nopen=TOLMARO\\tolmaro.exe\nicon=TOLMARO\\tolmaro.exe\naction=%s\nlabel=Zirkano 2.0\n'
PARTS = [  # every part of a document, by phrases that come in this order
    ['Tolmaro\n', 'Zirkano 2.0\n', 'Holdranek', 'Version %s vom %s.', 'SETUP\\setupdata.txt',
     'WAYPOINTS\\waypoints.skt', 'Marke des Herstellers', 'deutsches Recht', 'keine Haftung',
     'Sprachdateien des Geräts', 'Vorschläge', '\nInstallation\n', 'keine Einträge in die Registrierung',
     AUTORUN % 'Tolmaro starten', 'Viel Spaß mit Tolmaro'],
    ['Tolmaro\n', 'Zirkano 2.0\n', 'Holdranek', 'Version %s of %s.', 'SETUP\\setupdata.txt',
     'WAYPOINTS\\waypoints.skt', "trademark of the instrument's maker", 'German law', 'No liability',
     "instrument's language files", 'English otherwise', 'Suggestions', '\nInstallation\n',
     'no registry entries', AUTORUN % 'Start Tolmaro', 'Have fun with Tolmaro'],
]

problems = []
for language, words in enumerate(make_about.LANGUAGES):
    rtf = open(words.out, 'rb').read()
    name = os.path.relpath(words.out)
    if rtf != make_about.document(language):
        problems.append(name + ': not what tools/assets/make_about.py makes; run "make resources"')
    out = subprocess.run(['unrtf', '--text'], input=rtf, check=True, capture_output=True).stdout.decode('cp1252')
    text, at = '\n'.join(line for line in out.split('\n') if not line.startswith('###')), 0
    for phrase in PARTS[language]:
        phrase = phrase % make_about.read_version(language) if '%s' in phrase else phrase
        found = text.find(phrase, at)
        problems += [name + ': missing in order: ' + phrase] if found < 0 else []
        at = found + len(phrase) if found >= 0 else at
    problems += [name + ': holds ' + word for word in ('http', 'www.', '@', 'Firmware') if word in text]
print('\n'.join(problems + ['about documents: %d problem(s)' % len(problems)]))
sys.exit(1 if problems else 0)
