// Fuzzes the waypoint store reader and the export lines: any bytes must read
// as their whole records without a fault, every record's CompeGPS lines must
// be exactly what one printf of the file's format writes, and the count by
// kind must be that of the records read. Every GPX point must hold no raw
// < or & and no control character in its texts, which give back the name and
// description; every CUP line must split by Python's csv rules into 11 fields
// that give them back. Degrees and altitudes: tests/checks/check_waypoint_files.py.
#include <iconv.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "device/stream.h"
#include "waypoints/exportformats.h"
#include "waypoints/waypointstore.h"
#include "waypoints/wptformat.h"

#include <string>
#include <vector>

// Large enough not to live on the stack.
static WaypointStore g_store;

static void PrintfLines(const Waypoint *p, char *text, size_t size)
{
    const uint64_t piBits = 0x400921FB54442D19ull;
    double pi;
    memcpy(&pi, &piBits, sizeof pi);
    char type[16];
    if (p->kind == 0)
        snprintf(type, sizeof type, "DeletedWP");
    else if (p->kind == 1)
        snprintf(type, sizeof type, "Waypoint");
    else
        snprintf(type, sizeof type, "Thermal%c", p->kind + 63);
    size_t nameLength = strlen(p->name);
    snprintf(text, size,
             "W  %s%*sA%14.10f\xBA%c%14.10f\xBA%c 27-MAR-62 00:00:00%5i.000000 %s\nw  %s,0,-1.0,16777215,255,1,7,,0.0,\n",
             p->name, 7 - (int)(nameLength > 6 ? 6 : nameLength), "", fabs((double)p->latitude * 180 / pi),
             p->latitude < 0 ? 'S' : 'N', fabs((double)p->longitude * 180 / pi), p->longitude < 0 ? 'W' : 'E',
             p->altitude, p->description, type);
}

// UTF-8 of each Windows-1252 byte by the C library's converter; the five
// bytes it leaves free stand for themselves, control characters are dropped.
static std::string g_utf8[256];

static void MakeUtf8Table()
{
    iconv_t convert = iconv_open("UTF-8", "CP1252");
    for (int c = 0x20; c < 256; c++) {
        char in = (char)c, out[8], *from = &in, *to = out;
        size_t inLeft = 1, outLeft = sizeof out;
        if (iconv(convert, &from, &inLeft, &to, &outLeft) != (size_t)-1)
            g_utf8[c].assign(out, to);
        else
            g_utf8[c] = {(char)(0xC0 | c >> 6), (char)(0x80 | (c & 0x3F))};
    }
    iconv_close(convert);
}

static std::string Utf8(const char *text)
{
    std::string utf8;
    for (const unsigned char *p = (const unsigned char *)text; *p; p++)
        utf8 += g_utf8[*p];
    return utf8;
}

// The text between open and close in a GPX point, its entities resolved;
// aborts on a raw < or an & that starts no entity.
static std::string GpxText(const std::string &point, const char *open, const char *close)
{
    static const char *const entities[][2] = {{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}};
    size_t start = point.find(open) + strlen(open);
    std::string text = start < strlen(open) ? "" : point.substr(start, point.find(close, start) - start);
    for (size_t at = 0; (at = text.find_first_of("<&", at)) != std::string::npos; at++) {
        size_t before = text.size();
        for (auto &entity : entities)
            if (text.size() == before && text.compare(at, strlen(entity[0]), entity[0]) == 0)
                text.replace(at, strlen(entity[0]), entity[1]);
        if (text.size() == before)
            abort();
    }
    return text;
}

// One CUP line split as Python's csv module does by default (quote '"',
// doubled quotes, not strict); false when it breaks or ends inside quotes.
static bool SplitCsvLine(const std::string &line, std::vector<std::string> *fields)
{
    std::string field;
    bool quoted = false, atStart = true;
    for (size_t i = 0; i + 1 < line.size(); i++) {
        char c = line[i];
        if (c == '\r' || c == '\n')
            return false;
        if (quoted && c == '"' && line[i + 1] == '"')
            field += line[i++];
        else if (c == '"' && (quoted || atStart))
            quoted = !quoted;
        else if (c == ',' && !quoted) {
            fields->push_back(field);
            field.clear();
            atStart = true;
            continue;
        } else
            field += c;
        atStart = false;
    }
    fields->push_back(field);
    return !quoted && line.back() == '\n';
}

static void CheckGpxAndCup(const Waypoint *p)
{
    char text[WAYPOINT_TEXT_SIZE];
    std::string point(text, FormatGpxPoint(p, text, sizeof text)), name = Utf8(p->name), desc = Utf8(p->description);
    for (unsigned char c : point)
        if (c < 0x20 && c != '\n')
            abort();
    if (point.compare(point.size() - 9, 9, "  </wpt>\n") != 0 || GpxText(point, "<name>", "</name>") != name ||
        GpxText(point, "<desc>", "</desc>") != desc)
        abort();
    std::vector<std::string> f;
    if (!SplitCsvLine(std::string(text, FormatCupLine(p, text, sizeof text)), &f) || f.size() != 11 ||
        f[0] != name || f[1] != name || f[10] != desc)
        abort();
}

// The store at its start, reading these bytes.
static void OpenStore(const uint8_t *data, size_t size)
{
    g_store.stream = Stream{fmemopen((void *)data, size, "rb"), false, false, false, false, 0};
    g_store.ended = false;
    g_store.records = g_store.next = 0;
    if (!g_store.stream.file)
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    if (g_utf8[0x20].empty())
        MakeUtf8Table();
    uint32_t counted[WAYPOINT_COUNTS] = {0, 0, 0}, read[WAYPOINT_COUNTS] = {0, 0, 0};
    WaypointCount which;
    OpenStore(data, size);
    while (CountWaypointsToStep(&g_store, counted, &which))
        if (counted[which] % 100 != 0)
            abort();
    CloseWaypointStore(&g_store);

    OpenStore(data, size);
    size_t records = 0;
    Waypoint point;
    while (ReadWaypoint(&g_store, &point)) {
        read[point.kind == KIND_DELETED ? COUNT_DELETED : point.kind == KIND_WAYPOINT ? COUNT_WAYPOINTS : COUNT_THERMALS]++;
        if (strlen(point.description) > WAYPOINT_DESCRIPTION_WIDTH || strlen(point.name) > WAYPOINT_NAME_WIDTH)
            abort();
        if (memcmp(&point.kind, data + records * WAYPOINT_RECORD_SIZE + WAYPOINT_KIND_OFFSET, 1) != 0)
            abort();
        char own[WAYPOINT_LINES_SIZE], reference[512];
        size_t length = FormatWaypointLines(&point, own, sizeof own);
        PrintfLines(&point, reference, sizeof reference);
        if (length != strlen(reference) || memcmp(own, reference, length) != 0)
            abort();
        CheckGpxAndCup(&point);
        records++;
    }
    CloseWaypointStore(&g_store);
    if (records != size / WAYPOINT_RECORD_SIZE || memcmp(counted, read, sizeof read) != 0)
        abort();
    return 0;
}
