// The flight-folder walks' decisions that need no file system: paths within
// 259 characters, flight-log and point names, the same-folder comparison.
#ifndef TOLMARO_FLIGHTPATHS_H
#define TOLMARO_FLIGHTPATHS_H

enum { WALK_PATH_SIZE = 260 };   // 259 characters and the terminator

// Writes folder, name and ending one after the other into out
// (WALK_PATH_SIZE bytes, not one of the three inputs). A path longer than
// 259 characters is refused, never cut: out is then "" and the result false.
// The walks form with it a file's path (ending ""), a sub-folder's path
// (ending "\\"), a folder's listing pattern (name "", ending "*.*") and the
// copy's target from the chosen folder (name "", ending "\\").
bool FormWalkPath(char *out, const char *folder, const char *name, const char *ending);

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
