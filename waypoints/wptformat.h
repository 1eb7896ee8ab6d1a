// The exported waypoint file (".wpt", CompeGPS text): its header and the
// two lines of each point, and the copy of one kind window of the store.
#ifndef TOLMARO_WPTFORMAT_H
#define TOLMARO_WPTFORMAT_H

#include <stddef.h>
#include <stdint.h>

#include "base/text.h"
#include "device/stream.h"
#include "waypoints/waypointstore.h"

// The kinds one export writes, both ends included.
struct KindWindow {
    uint8_t lowest;
    uint8_t highest;
};

// Written in text mode, so every "\n" is CR LF on disk.
extern const char kWaypointFileHeader[];   // "G  WGS 84\nU  1\n"

// A point line and its type line, each ending in "\n", with room to spare
// for the widest numbers a record can hold.
enum { WAYPOINT_LINES_SIZE = 256 };

// Writes the absolute value of an angle in degrees as printf's "%14.10f"
// does; returns the length written (text is cut when size is short).
size_t FormatDegrees(double degrees, char *text, size_t size);

// The stored radians in degrees: widened to double, times 180, divided by
// the double 0x400921FB54442D19 (one step above the double nearest to pi).
double WaypointDegrees(float radians);

// Degrees as stored: times the same pi, divided by 180, rounded to single
// precision, so that exported degrees read back give the stored value.
float WaypointRadians(double degrees);

// The point's two lines; returns the length written (cut when size is short
// of WAYPOINT_LINES_SIZE).
size_t FormatWaypointLines(const Waypoint *point, char *text, size_t size);

#endif
