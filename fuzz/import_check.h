// Shared by the fuzz targets of the three waypoint file readers: the points
// of any bytes as the page maps them, and the check that every record is
// well formed.
#ifndef TOLMARO_IMPORT_CHECK_H
#define TOLMARO_IMPORT_CHECK_H

#include <math.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "waypoints/importmap.h"
#include "waypoints/wptformat.h"

// A text field: bytes without control characters up to its first NUL, then
// NULs to its end.
static void CheckTextField(const uint8_t *field, size_t width)
{
    size_t length = 0;
    while (length < width && field[length] != 0) {
        if (field[length] < 0x20 || field[length] == 0x7F)
            abort();
        length++;
    }
    for (size_t i = length; i < width; i++)
        if (field[i] != 0)
            abort();
}

static void CheckRecord(const ImportRow &row)
{
    CheckTextField(row.record + 10, WAYPOINT_DESCRIPTION_WIDTH);
    CheckTextField(row.record + 41, WAYPOINT_NAME_WIDTH);
    if (row.record[41] == 0 || row.record[WAYPOINT_KIND_OFFSET] != KIND_WAYPOINT || row.record[49] || row.record[50] ||
        row.record[51])
        abort();
    Waypoint point;
    DecodeWaypoint(row.record, &point);
    double latitude = WaypointDegrees(point.latitude), longitude = WaypointDegrees(point.longitude);
    // Written points lie on the earth; so do the zeros of invalid ones.
    if (!(fabs(latitude) <= 90.00001 && fabs(longitude) <= 180.00001) || (row.written && row.notes & NOTE_INVALID))
        abort();
}

// Reads the bytes with reader, then plans them against a store holding
// one waypoint, in both modes, and checks every record and the store.
template <typename Reader>
static void CheckImport(const uint8_t *data, size_t size, Reader read)
{
    static ByteSource source;
    SourceFromMemory(&source, data, size);
    bool utf8 = SourceIsUtf8(&source);
    PointList list = {NULL, 0, 0, 64};   // enough for every rule; more only costs time
    read(&source, utf8, &list);
    // WP00001 at 46 N 7 E: an unnamed first point there is on the instrument.
    static uint8_t store[WAYPOINT_RECORD_SIZE] = {0x3D, 0xFA, 0x35, 0xDD, 0x3F, 0x4D, 0x87, 0xAC, 0, 1};
    memcpy(store + 41, "WP00001", 7);
    store[WAYPOINT_KIND_OFFSET] = KIND_WAYPOINT;
    for (ImportMode mode : {IMPORT_ADD, IMPORT_REPLACE}) {
        ImportPlan plan = {};
        if (!PlanImport(list.points, list.count, store, sizeof store, mode, &plan) || plan.pointsRead != list.count ||
            plan.rowCount > list.count)
            abort();
        for (uint32_t i = 0; i < plan.rowCount; i++)
            CheckRecord(plan.rows[i]);
        std::vector<uint8_t> out(PlannedStoreSize(&plan, store, sizeof store, mode));
        BuildStore(&plan, store, sizeof store, mode, out.data());
        if (out.size() != ((mode == IMPORT_ADD) + plan.toWrite) * WAYPOINT_RECORD_SIZE)
            abort();
        FreeImportPlan(&plan);
    }
    FreePoints(&list);
}

#endif
