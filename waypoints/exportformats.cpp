// The GPX 1.1 and SeeYou CUP waypoint files, and which of the three formats
// an export writes.
//
// GPX, per point ("\n" is CR LF on disk):
//     <wpt lat="47.5000008" lon="-11.2500003">
//       <ele>1234</ele>
//       <name>GIPFEL</name>
//       <desc>Startplatz Nord</desc>
//     </wpt>
// CUP, after the header line, per point:
//   "GIPFEL","GIPFEL",,4730.000N,01115.000W,1234m,1,,,,"Startplatz Nord"
// Both start from the point as the CompeGPS export decodes it: the same
// degrees, the same altitude.
#include "waypoints/exportformats.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include "base/text.h"
#include "resources/version.h"

#define TOLMARO_TEXT_OF(x) #x
#define TOLMARO_NUMBER_TEXT(x) TOLMARO_TEXT_OF(x)

static const char kGpxStart[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<gpx version=\"1.1\" creator=\"Tolmaro " TOLMARO_NUMBER_TEXT(TOLMARO_VERSION_MAJOR) "." TOLMARO_NUMBER_TEXT(
        TOLMARO_VERSION_MINOR) "\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
static const char kGpxEnd[] = "</gpx>\n";
static const char kCupStart[] = "name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc\n";

// The extensions in the order of WaypointFormat.
static const char *const kExtensions[WAYPOINT_FORMATS] = {".wpt", ".gpx", ".cup"};

bool ChooseWaypointFormat(char *path, size_t size, unsigned type, WaypointFormat *format)
{
    *format = type >= 1 && type <= WAYPOINT_FORMATS ? (WaypointFormat)(type - 1) : FORMAT_COMPEGPS;
    const char *name = path;
    for (const char *p = path; *p; p++)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    const char *dot = strrchr(name, '.');
    if (!dot) {
        size_t length = strlen(path);
        if (length + strlen(kExtensions[*format]) >= size)
            return false;
        snprintf(path + length, size - length, "%s", kExtensions[*format]);
        return true;
    }
    for (int which = 0; which < WAYPOINT_FORMATS; which++)
        if (CompareAsciiNoCase(dot, kExtensions[which]) == 0)
            *format = (WaypointFormat)which;
    return true;
}

static const char *WaypointFileStart(WaypointFormat format)
{
    if (format == FORMAT_GPX)
        return kGpxStart;
    if (format == FORMAT_CUP)
        return kCupStart;
    return kWaypointFileHeader;
}

static const char *WaypointFileEnd(WaypointFormat format)
{
    return format == FORMAT_GPX ? kGpxEnd : "";
}

// Unicode of the Windows-1252 bytes 0x80 to 0x9F; the five the code page
// leaves free stand for themselves, as Windows converts them.
static const uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

enum Escaping { ESCAPE_XML, ESCAPE_QUOTED_FIELD };

// Windows-1252 text as UTF-8. Control characters are left out: XML 1.0
// forbids most of them, and a CR or LF would break a CUP line. XML escapes
// & < > and "; a quoted CSV field doubles ".
static void PutUtf8(LineText *out, const char *text, Escaping escaping)
{
    for (const unsigned char *p = (const unsigned char *)text; *p; p++) {
        unsigned c = *p;
        if (c < 0x20)
            continue;
        if (c < 0x80) {
            if (escaping == ESCAPE_XML && (c == '&' || c == '<' || c == '>' || c == '"'))
                AppendText(out, c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : "&quot;");
            else if (escaping == ESCAPE_QUOTED_FIELD && c == '"')
                Append(out, "\"\"", 2);
            else
                Append(out, (const char *)p, 1);
            continue;
        }
        unsigned code = c < 0xA0 ? kCp1252High[c - 0x80] : c;
        char bytes[3];
        if (code < 0x800) {
            bytes[0] = (char)(0xC0 | code >> 6);
            bytes[1] = (char)(0x80 | (code & 0x3F));
            Append(out, bytes, 2);
        } else {
            bytes[0] = (char)(0xE0 | code >> 12);
            bytes[1] = (char)(0x80 | (code >> 6 & 0x3F));
            bytes[2] = (char)(0x80 | (code & 0x3F));
            Append(out, bytes, 3);
        }
    }
}

static void PutAltitude(LineText *out, int16_t altitude)
{
    if (altitude < 0)
        Append(out, "-", 1);
    AppendDigits(out, altitude < 0 ? (uint64_t)(-(int)altitude) : (uint64_t)altitude, 1);
}

// Degrees of real points lie far below this; what lies beyond (and NaN,
// infinity) only garbage records hold, and printf writes it.
static const double kLargestDegrees = 2147483648.0;

// Signed degrees to 7 decimals, without the sign when they round to zero.
static void PutGpxDegrees(LineText *out, double degrees)
{
    double value = fabs(degrees);
    if (!(value < kLargestDegrees)) {
        char text[64];
        snprintf(text, sizeof text, "%.7f", degrees);
        AppendText(out, text);
        return;
    }
    uint64_t scaled = (uint64_t)(value * 1e7 + 0.5);
    if (degrees < 0 && scaled != 0)
        Append(out, "-", 1);
    AppendDigits(out, scaled / 10000000, 1);
    Append(out, ".", 1);
    AppendDigits(out, scaled % 10000000, 7);
}

size_t FormatGpxPoint(const Waypoint *point, char *text, size_t size)
{
    LineText out = {text, size, 0};
    if (size > 0)
        text[0] = '\0';
    AppendText(&out, "  <wpt lat=\"");
    PutGpxDegrees(&out, WaypointDegrees(point->latitude));
    AppendText(&out, "\" lon=\"");
    PutGpxDegrees(&out, WaypointDegrees(point->longitude));
    AppendText(&out, "\">\n    <ele>");
    PutAltitude(&out, point->altitude);
    AppendText(&out, "</ele>\n    <name>");
    PutUtf8(&out, point->name, ESCAPE_XML);
    AppendText(&out, "</name>\n");
    if (point->description[0] != '\0') {
        AppendText(&out, "    <desc>");
        PutUtf8(&out, point->description, ESCAPE_XML);
        AppendText(&out, "</desc>\n");
    }
    AppendText(&out, "  </wpt>\n");
    return out.length;
}

// DDMM.mmm (degreeDigits digits of degrees) and the hemisphere, which comes
// from the stored value as in the CompeGPS export: a negative zero is N or
// E. Minutes that round up to 60.000 carry into the degrees.
static void PutCupAngle(LineText *out, float radians, size_t degreeDigits, char positive, char negative)
{
    double value = fabs(WaypointDegrees(radians));
    if (value < kLargestDegrees) {
        uint64_t thousandths = (uint64_t)(value * 60000 + 0.5);   // of a minute
        AppendDigits(out, thousandths / 60000, degreeDigits);
        AppendDigits(out, thousandths % 60000 / 1000, 2);
        Append(out, ".", 1);
        AppendDigits(out, thousandths % 1000, 3);
    } else {
        char text[64];
        snprintf(text, sizeof text, "%.3f", value);
        AppendText(out, text);
    }
    char hemisphere = radians < 0 ? negative : positive;
    Append(out, &hemisphere, 1);
}

size_t FormatCupLine(const Waypoint *point, char *text, size_t size)
{
    LineText out = {text, size, 0};
    if (size > 0)
        text[0] = '\0';
    for (int field = 0; field < 2; field++) {   // the name, then as the code
        Append(&out, "\"", 1);
        PutUtf8(&out, point->name, ESCAPE_QUOTED_FIELD);
        Append(&out, "\",", 2);
    }
    Append(&out, ",", 1);   // no country
    PutCupAngle(&out, point->latitude, 2, 'N', 'S');
    Append(&out, ",", 1);
    PutCupAngle(&out, point->longitude, 3, 'E', 'W');
    Append(&out, ",", 1);
    PutAltitude(&out, point->altitude);
    AppendText(&out, "m,1,,,,\"");   // style 1, no runway, no frequency
    PutUtf8(&out, point->description, ESCAPE_QUOTED_FIELD);
    AppendText(&out, "\"\n");
    return out.length;
}

static uint32_t WriteWaypointsInFormat(WaypointStore *store, Stream *out, KindWindow window,
                                       WaypointFormat format)
{
    uint32_t count = 0;
    char text[WAYPOINT_TEXT_SIZE];
    const uint8_t *record;
    // A write that failed (a full disk) fails the whole file: stop there.
    while (!out->failed && (record = NextWaypointRecord(store)) != NULL) {
        uint8_t kind = record[WAYPOINT_KIND_OFFSET];
        if (kind < window.lowest || kind > window.highest)
            continue;
        Waypoint point;
        DecodeWaypoint(record, &point);
        count++;
        if (format == FORMAT_GPX)
            FormatGpxPoint(&point, text, sizeof text);
        else if (format == FORMAT_CUP)
            FormatCupLine(&point, text, sizeof text);
        else
            FormatWaypointLines(&point, text, sizeof text);
        WriteText(out, text);
    }
    return count;
}

uint32_t WriteWaypointFile(WaypointStore *store, Stream *out, KindWindow window, WaypointFormat format)
{
    WriteText(out, WaypointFileStart(format));
    uint32_t count = store ? WriteWaypointsInFormat(store, out, window, format) : 0;
    WriteText(out, WaypointFileEnd(format));
    return count;
}
