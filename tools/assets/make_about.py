#!/usr/bin/env python3
"""Makes the about documents, resources/about.rtf (German, resource 1035)
and resources/about-en.rtf (English, resource 1036), from resources/about.txt
and resources/about-en.txt and the version in resources/version.h.

Each document is RTF 1 in code page 1252 with its language as default
language, one font (Arial), the colours dark red, black and blue, and the
sizes 8, 10, 12 and 14 pt. Every line ends in CR LF; after the closing brace
and its CR LF comes one zero byte, and the program hands all of it to the
control.

  make_about.py           writes both documents
  make_about.py --check   fails when a document is not what it would write
"""

import os
import sys

sys.dont_write_bytecode = True   # keep the source folders free of __pycache__
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'build'))
import version as version_h  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
GERMAN, ENGLISH = 0, 1


class Language:
    def __init__(self, name, deflang, months, date):
        self.source = os.path.join(ROOT, 'resources', name + '.txt')
        self.out = os.path.join(ROOT, 'resources', name + '.rtf')
        self.deflang = deflang   # RTF language number: German, British English
        self.months = months
        self.date = date


LANGUAGES = [
    Language('about', 1031, ['Januar', 'Februar', 'März', 'April', 'Mai', 'Juni', 'Juli', 'August',
                             'September', 'Oktober', 'November', 'Dezember'], '{day}. {month} {year}'),
    Language('about-en', 2057, ['January', 'February', 'March', 'April', 'May', 'June', 'July', 'August',
                                'September', 'October', 'November', 'December'], '{day} {month} {year}'),
]

HEADER = ('{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang%d'
          '{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n'
          # \cf1 dark red, \cf2 black, \cf3 blue (entry 0 is the automatic colour)
          '{\\colortbl ;\\red128\\green0\\blue0;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\r\n'
          '\\viewkind4\\uc1\r\n')

# Paragraph and character formatting of each kind of paragraph; sizes in half points.
STYLES = {
    'title':   '\\pard\\qc\\sa60\\plain\\f0\\fs28\\cf1\\b ',
    'heading': '\\pard\\sb120\\sa120\\plain\\f0\\fs24\\cf3\\b ',
    'body':    '\\pard\\sa120\\plain\\f0\\fs20\\cf2 ',
    'small':   '\\pard\\sa120\\plain\\f0\\fs16\\cf2 ',
    'example': '\\pard\\li360\\plain\\f0\\fs20\\cf2 ',
}
MARKERS = [('## ', 'heading'), ('# ', 'title'), ('~ ', 'small'), ('> ', 'example')]
WIDTH = 78


def read_version(language=GERMAN):
    """The version and the release date as the language writes it."""
    number, (year, month, day) = version_h.read_version()
    words = LANGUAGES[language]
    return number, words.date.format(day=day, month=words.months[month - 1], year=year)


def paragraphs(lines):
    """(kind, text) of every paragraph, in order."""
    kind, words = None, []
    for line in lines + ['']:
        line = line.rstrip()
        if line.startswith('%'):
            continue
        marker = next((m for m in MARKERS if line.startswith(m[0])), None)
        # titles, headings and example lines are one line each; an empty line
        # or a new marker ends a paragraph
        if words and (not line or marker or kind in ('title', 'heading', 'example')):
            yield kind, ' '.join(words)
            kind, words = None, []
        if not line:
            continue
        if marker:
            kind, line = marker[1], line[len(marker[0]):]
        elif kind is None:
            kind = 'body'
        words.append(line.strip() if kind != 'example' else line)


def escape(text):
    out = []
    for ch in text:
        if ch in '\\{}':
            out.append('\\' + ch)
        elif ' ' <= ch <= '~':
            out.append(ch)
        else:
            code = ch.encode('cp1252')   # anything else is an error in the source
            out.append("\\'%02x" % code[0])
    return ''.join(out)


def wrap(text):
    """Lines of at most WIDTH characters, broken after a blank, which stays
    text: readers of RTF ignore the CR LF itself."""
    lines, line = [], ''
    for word in text.split(' '):
        if line and len(line) + len(word) + 1 > WIDTH:
            lines.append(line + ' ')
            line = word
        else:
            line = word if not line else line + ' ' + word
    return lines + [line]


def document(language=GERMAN):
    version, date = read_version(language)
    with open(LANGUAGES[language].source, encoding='utf-8') as f:
        lines = f.read().split('\n')
    body, previous = [], None
    for kind, text in paragraphs(lines):
        text = escape(text.replace('{version}', version).replace('{date}', date))
        style = STYLES[kind]
        # the example's lines have no room between them, so the paragraph
        # after them takes some before it
        if previous == 'example' and kind != 'example':
            style = style.replace('\\pard', '\\pard\\sb120', 1)
        body.append(style + '\r\n'.join(wrap(text)) + '\\par\r\n')
        previous = kind
    return (HEADER % LANGUAGES[language].deflang + ''.join(body) + '}\r\n').encode('ascii') + b'\0'


def main():
    for language, words in enumerate(LANGUAGES):
        rtf = document(language)
        if sys.argv[1:] == ['--check']:
            with open(words.out, 'rb') as f:
                if f.read() != rtf:
                    sys.exit('%s is not what tools/assets/make_about.py makes; run "make resources"' % words.out)
            continue
        with open(words.out, 'wb') as f:
            f.write(rtf)
        print(words.out)


if __name__ == '__main__':
    main()
