// The CompeGPS reader: the "W" lines of the program's own export, and the
// same lines from other hands.
//
//   G  WGS 84
//   U  1
//   W  GIPFEL A 47.5000007526*N 11.2500003131*W 27-MAR-62 00:00:00 1234.000000 Startplatz Nord
//   w  Waypoint,0,-1.0,16777215,255,1,7,,0.0,
//
// * is the degree sign: the byte 0xBA in the export, but also its UTF-8
// bytes, a "°", or whatever an editor made of it: any few bytes between the
// number and the hemisphere letter. A name may hold blanks, so the line is
// read from its fields after the name, and the name is what comes before
// them. A "U" line other than "U  1" gives UTM coordinates, which are refused.
#include <string.h>

#include "waypoints/importsource.h"

enum { COMPEGPS_LINE_SIZE = 1024, DEGREE_SIGN_BYTES = 4 };

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

static size_t SkipBlanks(const char *line, size_t length, size_t at)
{
    while (at < length && IsBlank(line[at]))
        at++;
    return at;
}

static size_t TokenEnd(const char *line, size_t length, size_t at)
{
    while (at < length && !IsBlank(line[at]))
        at++;
    return at;
}

static bool IsNumberByte(char c)
{
    return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+';
}

// A number, the degree sign's bytes and a hemisphere letter, from at on.
static bool ReadAngle(const char *line, size_t length, size_t *at, char positive, char negative, double *degrees)
{
    size_t start = SkipBlanks(line, length, *at), end = start;
    while (end < length && IsNumberByte(line[end]))
        end++;
    double value;
    if (!ReadWholeNumber(line + start, end - start, &value))
        return false;
    for (size_t sign = 0; sign <= DEGREE_SIGN_BYTES && end + sign < length; sign++) {
        char c = line[end + sign];
        if (c == positive || c == negative) {
            if (value < 0)
                value = -value;
            *degrees = c == negative ? -value : value;
            *at = end + sign + 1;
            return true;
        }
        if (IsBlank(c) || IsNumberByte(c))
            return false;
    }
    return false;
}

// The fields behind the name, from the "A" at at on: latitude, longitude,
// date, time, altitude, then one blank and the description.
static bool ReadFieldsAfterName(const char *line, size_t length, size_t at, SourcePoint *point,
                                size_t *descriptionStart)
{
    at++;
    if (!ReadAngle(line, length, &at, 'N', 'S', &point->latitude) ||
        !ReadAngle(line, length, &at, 'E', 'W', &point->longitude))
        return false;
    // The date, then the time of 8 characters: an altitude of six columns
    // ("-32768") follows it without a blank.
    const size_t widths[2] = {length, 8};
    for (size_t width : widths) {
        size_t start = SkipBlanks(line, length, at);
        at = TokenEnd(line, length, start);
        if (at == start)
            return false;
        if (at - start > width)
            at = start + width;
    }
    size_t start = SkipBlanks(line, length, at);
    at = TokenEnd(line, length, start);
    point->hasAltitude = ReadWholeNumber(line + start, at - start, &point->altitude);
    if (!point->hasAltitude)
        point->altitude = 0;
    *descriptionStart = at < length ? at + 1 : at;
    return true;
}

static void TakeText(const char *bytes, size_t length, bool utf8, char out[POINT_TEXT_SIZE])
{
    RawText raw;
    BytesToRawText(bytes, length, utf8, &raw);
    TextToWindows1252(raw.bytes, raw.length, out);
}

// "W  " and the rest of the line.
static bool TakePointLine(const char *line, size_t length, bool utf8, PointList *list)
{
    SourcePoint point;
    point.otherName[0] = point.description[0] = '\0';
    point.hasPosition = false;
    point.hasAltitude = false;
    point.latitude = point.longitude = point.altitude = 0;
    size_t nameEnd = length, descriptionStart = length;
    // The name ends at the first blank and "A" from which the fields read.
    for (size_t at = 3; at < length; at++) {
        if (line[at] != 'A' || (at > 3 && !IsBlank(line[at - 1])))
            continue;
        if (ReadFieldsAfterName(line, length, at, &point, &descriptionStart)) {
            point.hasPosition = true;
            nameEnd = at;
            break;
        }
        point.latitude = point.longitude = point.altitude = 0;
        point.hasAltitude = false;
    }
    if (!point.hasPosition)
        descriptionStart = length;
    TakeText(line + 3, nameEnd - 3, utf8, point.name);
    TakeText(line + descriptionStart, length - descriptionStart, utf8, point.description);
    return AddPoint(list, point);
}

bool ReadCompeGpsPoints(ByteSource *source, bool utf8, PointList *list)
{
    static char line[COMPEGPS_LINE_SIZE];
    SkipByteOrderMark(source);
    size_t length;
    while (NextLine(source, line, sizeof line, &length)) {
        if (length >= 1 && line[0] == 'U') {
            size_t end = length;
            while (end > 0 && IsBlank(line[end - 1]))
                end--;
            if (end != 4 || memcmp(line, "U  1", 4) != 0)
                return false;
        } else if (length >= 3 && line[0] == 'W' && IsBlank(line[1]) && IsBlank(line[2])) {
            if (!TakePointLine(line, length, utf8, list))
                return true;
        }
    }
    return true;
}
