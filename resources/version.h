/* The program's version and release date, written down in this one place:
   the resource script's VERSIONINFO includes them; the about documents, the
   release and the program file's time stamp take them through
   tools/build/version.py. Plain #defines only. */
#ifndef TOLMARO_VERSION_H
#define TOLMARO_VERSION_H

#define TOLMARO_VERSION_MAJOR   1
#define TOLMARO_VERSION_MINOR   0
#define TOLMARO_RELEASE_YEAR    2026
#define TOLMARO_RELEASE_MONTH   12
#define TOLMARO_RELEASE_DAY     6

#endif
