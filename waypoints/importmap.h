// From the points of a waypoint file to the records of the store: names of
// at most 7 bytes made unique, descriptions, positions and altitudes, the
// notes on what happens to each point, and the store as it will be written
// when the points are added or replace the waypoints.
#ifndef TOLMARO_IMPORTMAP_H
#define TOLMARO_IMPORTMAP_H

#include <stddef.h>
#include <stdint.h>

#include "waypoints/importsource.h"
#include "waypoints/waypointstore.h"

// The notes of a row, in the order in which the page joins them.
enum ImportNote : uint8_t {
    NOTE_INVALID = 1,            // no position, or one out of range: not written
    NOTE_ON_INSTRUMENT = 2,      // a waypoint of that name within 50 m is in the store: not written
    NOTE_RENAMED = 4,
    NOTE_SHORTENED = 8,          // the name or the description
    NOTE_NO_ALTITUDE = 16,
    NOTE_ALTITUDE_LIMITED = 32,
};
enum { IMPORT_NOTES = 6 };

enum ImportMode : uint8_t { IMPORT_ADD, IMPORT_REPLACE };

// The most waypoints (kind 1) the store may hold after writing.
enum { MAX_STORE_WAYPOINTS = 10000 };

// Two points of the same name closer than this are the same point.
extern const double kSamePointMetres;   // 50

struct ImportRow {
    uint8_t record[WAYPOINT_RECORD_SIZE];   // as it will be written
    uint8_t notes;
    bool written;
};

// Starts zeroed; its memory is reused by every plan until freed.
struct ImportPlan {
    ImportRow *rows;           // the listed points in the file's order; repeats have none
    uint32_t *sources;         // the point of each row
    uint32_t rowCount;
    uint32_t capacity;         // rows (and sources) there is room for
    uint32_t pointsRead;       // every point of the file
    uint32_t toWrite;
    uint32_t waypointsAfter;   // waypoints (kind 1) in the store after writing
};

// The record of one point, the number-th of its file (from 1); its name is
// not yet compared with others. Sets the notes of the point alone.
void MapPoint(const SourcePoint &point, uint32_t number, uint8_t record[WAYPOINT_RECORD_SIZE], uint8_t *notes);

// Plans the points against the store's bytes (whole records only). False,
// with no rows, when the memory is not there.
bool PlanImport(const SourcePoint *points, size_t count, const uint8_t *store, size_t storeSize, ImportMode mode,
                ImportPlan *plan);

void FreeImportPlan(ImportPlan *plan);

// The length of the new store, and the new store itself into out: the
// records kept (adding keeps all, replacing drops the waypoints), in their
// order, then the rows written. Bytes behind the last whole record are not
// carried over.
size_t PlannedStoreSize(const ImportPlan *plan, const uint8_t *store, size_t storeSize, ImportMode mode);
void BuildStore(const ImportPlan *plan, const uint8_t *store, size_t storeSize, ImportMode mode, uint8_t *out);

// A stored angle as the page shows it: degrees to 5 decimals and the
// hemisphere, "47.50000 N", with a decimal comma when comma is set.
void FormatStoredAngle(float radians, char positive, char negative, bool comma, char *text, size_t size);

#endif
