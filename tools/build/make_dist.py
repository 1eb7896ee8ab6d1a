#!/usr/bin/env python3
"""Makes the release from build/win32/tolmaro.exe: build/dist/tolmaro-<version>-win32.zip
and build/dist/SHA256SUMS.

The zip holds tolmaro.exe and README.txt, in that order, both dated the
release date of resources/version.h, so that the same program file gives the
same zip. README.txt is the README's part for Windows users and pilots (its
title and introduction, and the sections named in SECTIONS) as plain text in
code page 1252 with CR LF line ends, headed by the version and the program
file's SHA-256.

  make_dist.py [BUILD]    BUILD is the build folder, build/ by default
"""

import hashlib
import os
import re
import sys
import zipfile

sys.dont_write_bytecode = True   # keep the source folders free of __pycache__
from version import read_version  # noqa: E402  (beside this script)

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SECTIONS = ['Download', 'On Windows', 'A tour of the pages, for pilots']


def plain(line):
    """A Markdown line as plain text: no emphasis, no code quotes."""
    return line.replace('**', '').replace('`', '')


def readme_part(version):
    """The lines of README.md's title, introduction and SECTIONS, as plain text."""
    with open(os.path.join(ROOT, 'README.md'), encoding='utf-8') as f:
        lines = f.read().replace('<version>', version).splitlines()
    out, keep = [], True
    for line in lines:
        if line.startswith('## '):
            keep = line[3:] in SECTIONS
            if keep:
                out += ['', line[3:], '-' * len(line[3:])]
            continue
        # Pictures are not part of a text file.
        if keep and not line.startswith('!['):
            out.append(plain(line))
    missing = [name for name in SECTIONS if name not in out]
    if missing:
        sys.exit('README.md has no section %s' % ', '.join(missing))
    return out


def readme_text(version, date, exe_sha256):
    lines = readme_part(version)
    title = lines[0][2:]
    head = [title, '=' * len(title), '',
            'Version %s of %04d-%02d-%02d.' % (version, *date),
            'SHA-256 of tolmaro.exe: %s' % exe_sha256]
    body = '\n'.join(head + lines[1:])
    # One blank line between paragraphs, where a dropped picture left two.
    body = re.sub(r'\n{3,}', '\n\n', body).strip() + '\n'
    return body.replace('\n', '\r\n').encode('cp1252')


def add(archive, name, data, date):
    entry = zipfile.ZipInfo(name, date + (0, 0, 0))
    entry.create_system = 0      # MS-DOS attributes
    entry.external_attr = 0x20   # "archive", as Windows' own zips have it
    entry.compress_type = zipfile.ZIP_DEFLATED
    archive.writestr(entry, data, compresslevel=9)


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, 'build')
    version, date = read_version()
    with open(os.path.join(build, 'win32', 'tolmaro.exe'), 'rb') as f:
        exe = f.read()
    readme = readme_text(version, date, hashlib.sha256(exe).hexdigest())

    dist = os.path.join(build, 'dist')
    os.makedirs(dist, exist_ok=True)
    name = 'tolmaro-%s-win32.zip' % version
    path = os.path.join(dist, name)
    with zipfile.ZipFile(path + '.part', 'w') as archive:
        add(archive, 'tolmaro.exe', exe, date)
        add(archive, 'README.txt', readme, date)
    os.replace(path + '.part', path)
    with open(path, 'rb') as f:
        sums = '%s  %s\n' % (hashlib.sha256(f.read()).hexdigest(), name)
    with open(os.path.join(dist, 'SHA256SUMS'), 'w', encoding='ascii', newline='\n') as f:
        f.write(sums)
    print(path)
    print(sums, end='')


if __name__ == '__main__':
    main()
