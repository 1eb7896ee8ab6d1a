// Fuzzes the waypoint store reader and the export lines: any bytes must read
// as their whole records without a fault, every record's CompeGPS lines must
// be exactly what one printf of the file's format writes, and the count by
// kind must be that of the records read. The GPX and CUP writers run on
// every record; their bytes: tests/checks/check_waypoint_files.py.
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "device/stream.h"
#include "waypoints/exportformats.h"
#include "waypoints/waypointstore.h"
#include "waypoints/wptformat.h"

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

// The GPX point and the CUP line of every record run under the sanitizers;
// their bytes are judged by real readers in tests/checks/check_waypoint_files.py.
static void WriteGpxAndCup(const Waypoint *p)
{
    char text[WAYPOINT_TEXT_SIZE];
    size_t gpx = FormatGpxPoint(p, text, sizeof text);
    if (gpx >= sizeof text || memcmp(text + gpx - 9, "  </wpt>\n", 9) != 0)
        abort();
    size_t cup = FormatCupLine(p, text, sizeof text);
    if (cup >= sizeof text || text[cup - 1] != '\n')
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
        WriteGpxAndCup(&point);
        records++;
    }
    CloseWaypointStore(&g_store);
    if (records != size / WAYPOINT_RECORD_SIZE || memcmp(counted, read, sizeof read) != 0)
        abort();
    return 0;
}
