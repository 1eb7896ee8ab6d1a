#!/usr/bin/env python3
"""Checks the about documents, German and English: each is what
tools/make_about.py makes of its source and resources/version.h, and an
independent RTF reader (unrtf) finds every part of it in order, umlauts,
backslashes and the example's lines included.  That the program carries
and shows them is checked by the Windows tests (Preview.AboutDocument...,
Language...).
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


def phrases(language):
    """Every part of a document, by phrases that come in this order."""
    version, date = make_about.read_version(language)
    if language == make_about.ENGLISH:
        return ['Tolmaro\n', 'Zirkano 2.0\n', 'Holdranek', 'Version %s of %s.' % (version, date),
                'SETUP\\setupdata.txt', 'WAYPOINTS\\waypoints.skt', "trademark of the instrument's maker",
                'German law', 'No liability', "instrument's language files", 'English otherwise', 'Suggestions',
                '\nInstallation\n', 'no registry entries', '\n[autorun]\nopen=TOLMARO\\tolmaro.exe\n'
                'icon=TOLMARO\\tolmaro.exe\naction=Start Tolmaro\nlabel=Zirkano 2.0\n', 'Have fun with Tolmaro']
    return [
        'Tolmaro\n', 'Zirkano 2.0\n', 'Holdranek', 'Version %s vom %s.' % (version, date),
        'SETUP\\setupdata.txt', 'WAYPOINTS\\waypoints.skt', 'Marke des Herstellers', 'deutsches Recht',
        'keine Haftung', 'Sprachdateien des Geräts', 'Vorschläge', '\nInstallation\n',
        'keine Einträge in die Registrierung', '\n[autorun]\nopen=TOLMARO\\tolmaro.exe\n'
        'icon=TOLMARO\\tolmaro.exe\naction=Tolmaro starten\nlabel=Zirkano 2.0\n', 'Viel Spaß mit Tolmaro']


def main():
    problems = []
    for language, words in enumerate(make_about.LANGUAGES):
        with open(words.out, 'rb') as f:
            rtf = f.read()
        if rtf != make_about.document(language):
            problems.append((words.out, 'not what tools/make_about.py makes; run "make resources"'))
        problems += [(words.out, part) for part in missing_parts(rtf, phrases(language))]
    for path, problem in problems:
        print('%s: %s' % (os.path.relpath(path), problem))
    if problems:
        sys.exit(1)
    print('about documents: every part there, German and English')


if __name__ == '__main__':
    main()
