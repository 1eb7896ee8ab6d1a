// Points of a waypoint file as store records, and the store to be written.
#include "waypoints/importmap.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "waypoints/wptformat.h"

const double kSamePointMetres = 50;

static const double kEarthRadiusMetres = 6371000;

static void PutBigEndian32(uint8_t *bytes, uint32_t value)
{
    bytes[0] = (uint8_t)(value >> 24);
    bytes[1] = (uint8_t)(value >> 16);
    bytes[2] = (uint8_t)(value >> 8);
    bytes[3] = (uint8_t)value;
}

static void PutFloat(uint8_t *bytes, float value)
{
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    PutBigEndian32(bytes, bits);
}

// Cuts text to width bytes, without blanks at its new end; true when it
// was longer.
static bool Shorten(char *text, size_t width)
{
    if (strlen(text) <= width)
        return false;
    text[width] = '\0';
    size_t n = width;
    while (n > 0 && text[n - 1] == ' ')
        text[--n] = '\0';
    return true;
}

void MapPoint(const SourcePoint &point, uint32_t number, uint8_t record[WAYPOINT_RECORD_SIZE], uint8_t *notes)
{
    *notes = 0;
    memset(record, 0, WAYPOINT_RECORD_SIZE);
    char name[POINT_TEXT_SIZE];
    if (point.name[0] == '\0')
        snprintf(name, sizeof name, "WP%05u", (unsigned)(number % 100000));
    else
        snprintf(name, sizeof name, "%s", point.name);
    bool shortened = Shorten(name, WAYPOINT_NAME_WIDTH);
    char description[POINT_TEXT_SIZE];
    const char *source = point.description[0] ? point.description : shortened ? point.name : point.otherName;
    snprintf(description, sizeof description, "%s", source);
    if (Shorten(description, WAYPOINT_DESCRIPTION_WIDTH))
        shortened = true;
    if (shortened)
        *notes |= NOTE_SHORTENED;
    memcpy(record + 10, description, strlen(description));
    memcpy(record + 41, name, strlen(name));

    // The limits hold for the stored values: 180 degrees are stored as the
    // float above pi and exported as 180.0000050, which reads back the same.
    float latitude = WaypointRadians(point.latitude), longitude = WaypointRadians(point.longitude);
    bool valid = point.hasPosition && fabsf(latitude) <= WaypointRadians(90) && fabsf(longitude) <= WaypointRadians(180);
    if (valid) {
        PutFloat(record + 0, longitude);
        PutFloat(record + 4, latitude);
    } else {
        *notes |= NOTE_INVALID;
    }

    long altitude = 0;
    if (!point.hasAltitude || !isfinite(point.altitude)) {
        *notes |= NOTE_NO_ALTITUDE;
    } else if (point.altitude >= 32767.5) {
        altitude = 32767;
        *notes |= NOTE_ALTITUDE_LIMITED;
    } else if (point.altitude < -32768.5) {
        altitude = -32768;
        *notes |= NOTE_ALTITUDE_LIMITED;
    } else {
        altitude = lround(point.altitude);
    }
    record[8] = (uint8_t)((uint16_t)altitude >> 8);
    record[9] = (uint8_t)altitude;
    record[WAYPOINT_KIND_OFFSET] = KIND_WAYPOINT;
}

// The 7 bytes of a name field as one number, for hashing and comparing.
static uint64_t NameKey(const uint8_t *record)
{
    uint64_t key = 0;
    for (int i = 0; i < WAYPOINT_NAME_WIDTH; i++)
        key = key << 8 | record[41 + i];
    return key;
}

// A name's full text before shortening, as a number (FNV-1a); the top bit
// set, so that no name's number is kStoreClaim.
static uint64_t FullNameHash(const char *text)
{
    uint64_t hash = 14695981039346656037ull;
    for (const unsigned char *p = (const unsigned char *)text; *p; p++)
        hash = (hash ^ *p) * 1099511628211ull;
    return hash | 1ull << 63;
}

static const uint64_t kStoreClaim = 1;

static void StoredPosition(const uint8_t *record, double *latitude, double *longitude)
{
    Waypoint point;
    DecodeWaypoint(record, &point);
    *latitude = point.latitude;
    *longitude = point.longitude;
}

// Whether two records lie within kSamePointMetres of each other
// (haversine on the stored radians).
static bool Close(const uint8_t *a, const uint8_t *b)
{
    double lat1, lon1, lat2, lon2;
    StoredPosition(a, &lat1, &lon1);
    StoredPosition(b, &lat2, &lon2);
    double dlat = sin((lat2 - lat1) / 2), dlon = sin((lon2 - lon1) / 2);
    double h = dlat * dlat + cos(lat1) * cos(lat2) * dlon * dlon;
    if (!(h >= 0))   // a stored NaN is close to nothing
        return false;
    return 2 * kEarthRadiusMetres * asin(sqrt(h < 1 ? h : 1)) <= kSamePointMetres;
}

static bool Kept(const uint8_t *record, ImportMode mode)
{
    return mode == IMPORT_ADD || record[WAYPOINT_KIND_OFFSET] != KIND_WAYPOINT;
}

// The name with its end replaced by number.
static void NumberedName(const uint8_t *record, unsigned number, char name[WAYPOINT_NAME_WIDTH + 1])
{
    char digits[12];
    int count = snprintf(digits, sizeof digits, "%u", number);
    size_t length = 0;
    while (length < WAYPOINT_NAME_WIDTH && record[41 + length] != 0)
        length++;
    size_t keep = WAYPOINT_NAME_WIDTH - (size_t)count;
    if (keep > length)
        keep = length;
    memcpy(name, record + 41, keep);
    memcpy(name + keep, digits, (size_t)count);
    name[keep + (size_t)count] = '\0';
}

// Names (the 7 bytes as a number) to values, by open addressing: one slot
// a name, value 0 a free slot. A value is a claim, or the first of a chain
// of items (index + 1) whose next links are kept beside the table.
struct NameTable {
    size_t mask;
    uint64_t *keys;
    uint64_t *values;
};

static bool CreateTable(NameTable *table, size_t entries)
{
    size_t size = 16;
    while (size < 2 * entries + 2)
        size *= 2;
    table->mask = size - 1;
    table->keys = (uint64_t *)calloc(size, sizeof *table->keys);
    table->values = (uint64_t *)calloc(size, sizeof *table->values);
    return table->keys && table->values;
}

static void FreeTable(NameTable *table)
{
    free(table->keys);
    free(table->values);
}

// The slot of key, or the free one where it goes.
static size_t Slot(const NameTable *table, uint64_t key)
{
    uint64_t mixed = (key ^ key >> 29) * 0x9E3779B97F4A7C15ull;
    size_t at = (size_t)(mixed >> 32) & table->mask;
    while (table->values[at] != 0 && table->keys[at] != key)
        at = (at + 1) & table->mask;
    return at;
}

// Puts item (an index) at the head of key's chain.
static void Chain(NameTable *table, uint32_t *next, uint64_t key, size_t item)
{
    size_t at = Slot(table, key);
    table->keys[at] = key;
    next[item] = (uint32_t)table->values[at];
    table->values[at] = item + 1;
}

// Sets key's value unless it has one.
static void Claim(NameTable *table, uint64_t key, uint64_t value)
{
    size_t at = Slot(table, key);
    if (table->values[at] == 0) {
        table->keys[at] = key;
        table->values[at] = value;
    }
}

// Names made unique where shortening made them equal to another name of
// the store as it will be written; names that were equal in the file stay
// so. A name is claimed by the store or by the full name that took it.
static bool MakeNamesUnique(const SourcePoint *points, const uint8_t *store, size_t records, ImportMode mode,
                            ImportPlan *plan)
{
    NameTable claims;
    if (!CreateTable(&claims, records + plan->rowCount)) {
        FreeTable(&claims);
        return false;
    }
    for (size_t i = 0; i < records; i++)
        if (Kept(store + i * WAYPOINT_RECORD_SIZE, mode))
            Claim(&claims, NameKey(store + i * WAYPOINT_RECORD_SIZE), kStoreClaim);
    for (uint32_t i = 0; i < plan->rowCount; i++) {
        const char *full = points[plan->sources[i]].name;
        if (plan->rows[i].written && strlen(full) <= WAYPOINT_NAME_WIDTH)
            Claim(&claims, NameKey(plan->rows[i].record), FullNameHash(full));
    }
    for (uint32_t i = 0; i < plan->rowCount; i++) {
        ImportRow &row = plan->rows[i];
        const char *full = points[plan->sources[i]].name;
        if (!row.written || strlen(full) <= WAYPOINT_NAME_WIDTH)
            continue;
        uint64_t own = FullNameHash(full);
        uint64_t claim = claims.values[Slot(&claims, NameKey(row.record))];
        if (claim != 0 && claim != own) {
            char name[WAYPOINT_NAME_WIDTH + 1];
            uint8_t renamed[WAYPOINT_RECORD_SIZE];
            memcpy(renamed, row.record, sizeof renamed);
            for (unsigned number = 2;; number++) {
                NumberedName(row.record, number, name);
                memset(renamed + 41, 0, WAYPOINT_NAME_WIDTH);
                memcpy(renamed + 41, name, strlen(name));
                claim = claims.values[Slot(&claims, NameKey(renamed))];
                if (claim == 0 || claim == own)
                    break;
            }
            memcpy(row.record, renamed, sizeof renamed);
            row.notes |= NOTE_RENAMED;
        }
        Claim(&claims, NameKey(row.record), own);
    }
    FreeTable(&claims);
    return true;
}

// Room for count rows.
static bool MakeRoom(ImportPlan *plan, size_t count)
{
    if (count <= plan->capacity)
        return true;
    ImportRow *rows = (ImportRow *)realloc(plan->rows, count * sizeof *rows);
    if (rows)
        plan->rows = rows;
    uint32_t *sources = (uint32_t *)realloc(plan->sources, count * sizeof *sources);
    if (sources)
        plan->sources = sources;
    if (!rows || !sources)
        return false;
    plan->capacity = (uint32_t)count;
    return true;
}

// The rows of the points: repeats left out, waypoints already in the store
// (when adding) not written. waypoints and earlier are the tables of the
// store's waypoints and of the rows by name, with their chains.
static void ListPoints(const SourcePoint *points, size_t count, const uint8_t *store, NameTable *waypoints,
                       const uint32_t *storeNext, NameTable *earlier, uint32_t *rowNext, ImportPlan *plan)
{
    for (size_t i = 0; i < count; i++) {
        ImportRow &row = plan->rows[plan->rowCount];
        MapPoint(points[i], (uint32_t)(i + 1), row.record, &row.notes);
        row.written = !(row.notes & NOTE_INVALID);
        if (row.written) {
            uint64_t key = NameKey(row.record);
            bool repeat = false;
            for (uint64_t item = earlier->values[Slot(earlier, key)]; item != 0 && !repeat; item = rowNext[item - 1])
                repeat = Close(plan->rows[item - 1].record, row.record);
            if (repeat)
                continue;
            for (uint64_t item = waypoints->values[Slot(waypoints, key)]; item != 0 && row.written;
                 item = storeNext[item - 1])
                if (Close(store + (item - 1) * WAYPOINT_RECORD_SIZE, row.record)) {
                    row.notes |= NOTE_ON_INSTRUMENT;
                    row.written = false;
                }
            Chain(earlier, rowNext, key, plan->rowCount);
        }
        plan->sources[plan->rowCount++] = (uint32_t)i;
    }
}

bool PlanImport(const SourcePoint *points, size_t count, const uint8_t *store, size_t storeSize, ImportMode mode,
                ImportPlan *plan)
{
    size_t records = storeSize / WAYPOINT_RECORD_SIZE;
    plan->rowCount = 0;
    plan->pointsRead = (uint32_t)count;
    plan->toWrite = 0;
    plan->waypointsAfter = 0;
    NameTable waypoints, earlier;
    uint32_t *storeNext = (uint32_t *)malloc((records + 1) * sizeof *storeNext);
    uint32_t *rowNext = (uint32_t *)malloc((count + 1) * sizeof *rowNext);
    // Both tables made, whatever becomes of the first, so that both can be freed.
    bool room = CreateTable(&waypoints, mode == IMPORT_ADD ? records : 0);
    room = CreateTable(&earlier, count) && room && storeNext && rowNext && MakeRoom(plan, count);
    if (room) {
        // The waypoints already in the store, by name, for adding.
        for (size_t i = 0; i < records; i++) {
            const uint8_t *record = store + i * WAYPOINT_RECORD_SIZE;
            if (record[WAYPOINT_KIND_OFFSET] == KIND_WAYPOINT && mode == IMPORT_ADD) {
                Chain(&waypoints, storeNext, NameKey(record), i);
                plan->waypointsAfter++;
            }
        }
        ListPoints(points, count, store, &waypoints, storeNext, &earlier, rowNext, plan);
        for (uint32_t i = 0; i < plan->rowCount; i++)
            if (plan->rows[i].written)
                plan->toWrite++;
        plan->waypointsAfter += plan->toWrite;
        room = MakeNamesUnique(points, store, records, mode, plan);
    }
    FreeTable(&waypoints);
    FreeTable(&earlier);
    free(storeNext);
    free(rowNext);
    if (!room) {
        plan->rowCount = plan->toWrite = 0;
        return false;
    }
    return true;
}

void FreeImportPlan(ImportPlan *plan)
{
    free(plan->rows);
    free(plan->sources);
    plan->rows = NULL;
    plan->sources = NULL;
    plan->rowCount = plan->capacity = 0;
}

size_t PlannedStoreSize(const ImportPlan *plan, const uint8_t *store, size_t storeSize, ImportMode mode)
{
    size_t records = 0;
    for (size_t at = 0; at + WAYPOINT_RECORD_SIZE <= storeSize; at += WAYPOINT_RECORD_SIZE)
        records += Kept(store + at, mode);
    return (records + plan->toWrite) * WAYPOINT_RECORD_SIZE;
}

void BuildStore(const ImportPlan *plan, const uint8_t *store, size_t storeSize, ImportMode mode, uint8_t *out)
{
    for (size_t at = 0; at + WAYPOINT_RECORD_SIZE <= storeSize; at += WAYPOINT_RECORD_SIZE)
        if (Kept(store + at, mode)) {
            memcpy(out, store + at, WAYPOINT_RECORD_SIZE);
            out += WAYPOINT_RECORD_SIZE;
        }
    for (uint32_t i = 0; i < plan->rowCount; i++)
        if (plan->rows[i].written) {
            memcpy(out, plan->rows[i].record, WAYPOINT_RECORD_SIZE);
            out += WAYPOINT_RECORD_SIZE;
        }
}

void FormatStoredAngle(float radians, char positive, char negative, bool comma, char *text, size_t size)
{
    snprintf(text, size, "%.5f %c", fabs(WaypointDegrees(radians)), radians < 0 ? negative : positive);
    if (comma)
        for (char *p = text; *p; p++)
            if (*p == '.')
                *p = ',';
}
