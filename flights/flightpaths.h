// The flight-folder walks' decisions that need no file system: flight-log
// and point names, the same-folder comparison.
#ifndef TOLMARO_FLIGHTPATHS_H
#define TOLMARO_FLIGHTPATHS_H

#include "base/text.h"

// A name of at least four characters ending in ".igc", the letters A to Z
// in either case.
bool IsFlightLogName(const char *name);

// A name beginning with "." ("." and ".." included): such folders are never
// entered, copied or removed.
bool BeginsWithPoint(const char *name);

// The entries "." and "..", which every folder but a drive root lists.
bool IsSelfOrParent(const char *name);

// The same folder, comparing A to Z without regard to case and a run of
// backslashes as one ("E:\\\\" is the drive root E:\ with the copy's own
// separator appended).
bool IsSameFolder(const char *first, const char *second);

#endif
