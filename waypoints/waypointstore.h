// The instrument's waypoint store "WAYPOINTS\waypoints.skt": its 52-byte
// records, the reader that hands them out one by one, and the counting by kind.
#ifndef TOLMARO_WAYPOINTSTORE_H
#define TOLMARO_WAYPOINTSTORE_H

#include <stddef.h>
#include <stdint.h>

#include "device/stream.h"

// The store's name below the instrument's root.
extern const char kWaypointStoreName[];   // "WAYPOINTS\\waypoints.skt"

// A store is records laid end to end from byte 0: no header, no count, no
// trailer. Numbers are big-endian, text is Windows-1252.
//
//   bytes  0-3   longitude    IEEE single, radians, negative is west
//   bytes  4-7   latitude     IEEE single, radians, negative is south
//   bytes  8-9   altitude     signed 16-bit
//   bytes 10-40  description  31 bytes, ends at the first NUL or the field's end
//   bytes 41-47  name         7 bytes, likewise
//   byte  48     kind         0 deleted, 1 waypoint, 2 and above thermal
//   bytes 49-51  reserved
enum {
    WAYPOINT_RECORD_SIZE = 52,
    WAYPOINT_DESCRIPTION_WIDTH = 31,
    WAYPOINT_NAME_WIDTH = 7,
    WAYPOINT_KIND_OFFSET = 48,
};

struct Waypoint {
    float longitude;
    float latitude;
    int16_t altitude;
    char description[WAYPOINT_DESCRIPTION_WIDTH + 1];
    char name[WAYPOINT_NAME_WIDTH + 1];
    uint8_t kind;
};

enum WaypointKind : uint8_t {
    KIND_DELETED = 0,
    KIND_WAYPOINT = 1,
    KIND_THERMAL = 2,   // and every kind above
};

void DecodeWaypoint(const uint8_t *record, Waypoint *point);

// Records are read in blocks, so that counting a large store costs little
// more than reading its bytes. A block is a whole number of records and of
// 4 KB pages (the C library reads it straight into the block, with one
// system call) and starts on a cache line (the system copies into an
// aligned buffer markedly faster); 104 KB still lie in the processor's cache
// while they are counted.
enum { WAYPOINT_BLOCK_RECORDS = 2048 };

struct WaypointStore {
    Stream stream;
    bool ended;        // the file has no more bytes (or a read failed)
    size_t records;    // whole records in the block
    size_t next;       // the next record of the block to hand out
    alignas(64) uint8_t block[WAYPOINT_BLOCK_RECORDS * WAYPOINT_RECORD_SIZE];
};

// Opens the store at its full path for binary reading.
bool OpenWaypointStore(WaypointStore *store, const char *path);

// Reads the next block and returns its first record; NULL at the end.
const uint8_t *NextWaypointBlock(WaypointStore *store);

// The 52 bytes of the next whole record, valid until the next call; NULL at
// the end. Bytes behind the last whole record are no record. Inline, as it
// runs once per record of stores with a million of them.
inline const uint8_t *NextWaypointRecord(WaypointStore *store)
{
    if (store->next == store->records)
        return NextWaypointBlock(store);
    return store->block + WAYPOINT_RECORD_SIZE * store->next++;
}

// Reads and decodes the next whole record; false at the end.
bool ReadWaypoint(WaypointStore *store, Waypoint *point);

void CloseWaypointStore(WaypointStore *store);

// The three counts of the waypoint page.
enum WaypointCount {
    COUNT_WAYPOINTS,
    COUNT_DELETED,
    COUNT_THERMALS,
    WAYPOINT_COUNTS,
};

// Counts the store's records by kind from where reading stands, record by
// record in effect, until a count reaches a multiple of 100 (true, which
// names it: the page shows such steps) or the store ends (false).
bool CountWaypointsToStep(WaypointStore *store, uint32_t counts[WAYPOINT_COUNTS], WaypointCount *which);

#endif
