#!/usr/bin/env python3
"""The program's version and release date, read from resources/version.h,
where they are written down once. The release script and the about
generator import read_version(); the Windows build runs this file for the
release date as SOURCE_DATE_EPOCH, the time stamp of the program file.

  version.py    prints the release date's midnight (UTC) in seconds since 1970
"""
import calendar
import os
import re

VERSION_H = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'resources', 'version.h')


def read_version():
    """('MAJOR.MINOR', (year, month, day))"""
    with open(VERSION_H, encoding='ascii') as f:
        defines = {key: int(value) for key, value in
                   re.findall(r'^#define\s+TOLMARO_(\w+)\s+(\d+)\s*$', f.read(), re.M)}
    version = '%d.%d' % (defines['VERSION_MAJOR'], defines['VERSION_MINOR'])
    return version, (defines['RELEASE_YEAR'], defines['RELEASE_MONTH'], defines['RELEASE_DAY'])


if __name__ == '__main__':
    print(calendar.timegm(read_version()[1] + (0, 0, 0)))
