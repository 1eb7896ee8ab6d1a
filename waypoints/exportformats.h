// The three formats of the waypoint export (CompeGPS text, GPX 1.1, SeeYou
// CUP): the choice by name and type, and the GPX and CUP texts of a point.
#ifndef TOLMARO_EXPORTFORMATS_H
#define TOLMARO_EXPORTFORMATS_H

#include <stddef.h>
#include <stdint.h>

#include "device/stream.h"
#include "waypoints/waypointstore.h"
#include "waypoints/wptformat.h"

// In the order of the save dialog's types.
enum WaypointFormat {
    FORMAT_COMPEGPS,
    FORMAT_GPX,
    FORMAT_CUP,
    WAYPOINT_FORMATS,
};

// Decides the format of the file at path: its extension .wpt, .gpx or .cup
// (in any case), else the type chosen in the save dialog (type is the
// dialog's 1-based filter index; others count as the first). A name without
// an extension gets the chosen type's. Returns false when that does not fit
// into size.
bool ChooseWaypointFormat(char *path, size_t size, unsigned type, WaypointFormat *format);

// Room for the text of one point in any format, the widest numbers and
// escapes included.
enum { WAYPOINT_TEXT_SIZE = 640 };

// The point's <wpt> element and its CUP line, each ending in "\n"; names and
// descriptions in UTF-8. Return the length written (cut when size is short).
size_t FormatGpxPoint(const Waypoint *point, char *text, size_t size);
size_t FormatCupLine(const Waypoint *point, char *text, size_t size);

// Writes a whole waypoint file in the format to out (text mode, so every
// "\n" is CR LF on disk): the format's start, the records of the window from
// the store in store order (none without a store), and its end. Returns the
// number of points written. Stops at the first failed write, which
// CloseStream then reports.
uint32_t WriteWaypointFile(WaypointStore *store, Stream *out, KindWindow window, WaypointFormat format);

#endif
