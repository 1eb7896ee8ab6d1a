// Reading the waypoint store: record decoding, block reads, counting by kind.
#include "waypoints/waypointstore.h"

#include <string.h>

const char kWaypointStoreName[] = "WAYPOINTS\\waypoints.skt";

// The instrument writes its numbers most significant byte first, whatever
// the computer's own order.
static uint32_t BigEndian32(const uint8_t *bytes)
{
    return (uint32_t)bytes[0] << 24 | (uint32_t)bytes[1] << 16 | (uint32_t)bytes[2] << 8 | bytes[3];
}

static float BigEndianFloat(const uint8_t *bytes)
{
    uint32_t bits = BigEndian32(bytes);
    float value;
    memcpy(&value, &bits, sizeof value);
    return value;
}

static int16_t BigEndian16(const uint8_t *bytes)
{
    return (int16_t)(uint16_t)(bytes[0] << 8 | bytes[1]);
}

// Copies a text field up to its first NUL; a field without one ends at its
// last byte. text holds width + 1 bytes.
static void DecodeText(const uint8_t *field, size_t width, char *text)
{
    size_t length = 0;
    while (length < width && field[length] != 0)
        length++;
    memcpy(text, field, length);
    text[length] = '\0';
}

void DecodeWaypoint(const uint8_t *record, Waypoint *point)
{
    point->longitude = BigEndianFloat(record + 0);
    point->latitude = BigEndianFloat(record + 4);
    point->altitude = BigEndian16(record + 8);
    DecodeText(record + 10, WAYPOINT_DESCRIPTION_WIDTH, point->description);
    DecodeText(record + 41, WAYPOINT_NAME_WIDTH, point->name);
    point->kind = record[WAYPOINT_KIND_OFFSET];
}

bool OpenWaypointStore(WaypointStore *store, const char *path)
{
    store->ended = false;
    store->records = 0;
    store->next = 0;
    return OpenStream(&store->stream, path, "rb");
}

// A short read means the end of the file (or a read error, after which
// nothing more is trusted): the bytes of an incomplete last record are
// dropped. Returns false when the block holds no record.
static bool ReadWaypointBlock(WaypointStore *store)
{
    store->records = 0;
    store->next = 0;
    if (store->ended)
        return false;
    size_t bytes = ReadBytes(&store->stream, store->block, sizeof store->block);
    if (bytes < sizeof store->block)
        store->ended = true;
    store->records = bytes / WAYPOINT_RECORD_SIZE;
    return store->records != 0;
}

const uint8_t *NextWaypointBlock(WaypointStore *store)
{
    if (!ReadWaypointBlock(store))
        return NULL;
    store->next = 1;
    return store->block;
}

static WaypointCount CountOfKind(uint8_t kind)
{
    return kind == KIND_DELETED ? COUNT_DELETED : kind == KIND_WAYPOINT ? COUNT_WAYPOINTS : COUNT_THERMALS;
}

// Per kind byte: 1 in the low half for a deleted waypoint, 1 in the high
// half for a waypoint. Thermal points are the records that add neither.
static const uint64_t kKindCounts[256] = {1, 1ull << 32};

bool CountWaypointsToStep(WaypointStore *store, uint32_t counts[WAYPOINT_COUNTS], WaypointCount *which)
{
    for (;;) {
        if (store->next == store->records && !ReadWaypointBlock(store))
            return false;
        // A count reaches its next multiple of 100 only with the record that
        // brings its last missing one. Up to the nearest such record no count
        // can: those records are only added up, without a branch per record,
        // and only the last of them can make a step.
        uint32_t run = 100;
        for (int i = 0; i < WAYPOINT_COUNTS; i++)
            if (100 - counts[i] % 100 < run)
                run = 100 - counts[i] % 100;
        size_t n = store->records - store->next;
        if (n > run)
            n = run;
        const uint8_t *kinds = store->block + WAYPOINT_RECORD_SIZE * store->next + WAYPOINT_KIND_OFFSET;
        uint64_t added = 0;
        for (size_t i = 0; i < n; i++)
            added += kKindCounts[kinds[WAYPOINT_RECORD_SIZE * i]];
        uint32_t deleted = (uint32_t)added, waypoints = (uint32_t)(added >> 32);
        counts[COUNT_DELETED] += deleted;
        counts[COUNT_WAYPOINTS] += waypoints;
        counts[COUNT_THERMALS] += (uint32_t)n - deleted - waypoints;
        store->next += n;
        WaypointCount last = CountOfKind(kinds[WAYPOINT_RECORD_SIZE * (n - 1)]);
        if (counts[last] % 100 == 0) {
            *which = last;
            return true;
        }
    }
}

bool ReadWaypoint(WaypointStore *store, Waypoint *point)
{
    const uint8_t *record = NextWaypointRecord(store);
    if (!record)
        return false;
    DecodeWaypoint(record, point);
    return true;
}

void CloseWaypointStore(WaypointStore *store)
{
    CloseStream(&store->stream);
}
