// Reads a waypoint file with the program's own readers and prints the rows
// the page would list, for the checks against independent readers
// (tests/checks/check_waypoint_import.py). With a store and a mode, also
// writes the store as the page would write it.
// Usage: read_waypoint_file FILE [STORE add|replace NEW_STORE]
// Each row: name, description, latitude and longitude in degrees (%.10f of
// the stored value), altitude, the notes as a number, and 1 when written;
// separated by tabs, Windows-1252.
#include <stdio.h>
#include <string.h>

#include <vector>

#include "waypoints/importmap.h"
#include "waypoints/wptformat.h"

// The store, of up to 1 MB (enough for the checks).
static std::vector<uint8_t> ReadAll(const char *path)
{
    std::vector<uint8_t> bytes(1 << 20);
    FILE *in = fopen(path, "rb");
    bytes.resize(in ? fread(bytes.data(), 1, bytes.size(), in) : 0);
    if (in)
        fclose(in);
    return bytes;
}

int main(int argc, char **argv)
{
    if (argc != 2 && argc != 5) {
        fprintf(stderr, "usage: read_waypoint_file FILE [STORE add|replace NEW_STORE]\n");
        return 2;
    }
    static ByteSource source;
    Stream in;
    if (!OpenStream(&in, argv[1], "rb")) {
        fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    SourceFromStream(&source, &in);
    PointList list = {NULL, 0, 0, 1000000};
    WaypointFileKind kind;
    bool read = ReadWaypointFile(&source, &list, &kind);
    CloseStream(&in);
    if (!read) {
        fprintf(stderr, "no points in %s\n", argv[1]);
        FreePoints(&list);
        return 1;
    }
    std::vector<uint8_t> store = argc == 5 ? ReadAll(argv[2]) : std::vector<uint8_t>();
    ImportMode mode = argc == 5 && strcmp(argv[3], "replace") == 0 ? IMPORT_REPLACE : IMPORT_ADD;
    ImportPlan plan = {};
    PlanImport(list.points, list.count, store.data(), store.size(), mode, &plan);
    for (uint32_t i = 0; i < plan.rowCount; i++) {
        const ImportRow &row = plan.rows[i];
        Waypoint point;
        DecodeWaypoint(row.record, &point);
        printf("%s\t%s\t%.10f\t%.10f\t%d\t%u\t%d\n", point.name, point.description, WaypointDegrees(point.latitude),
               WaypointDegrees(point.longitude), point.altitude, row.notes, row.written ? 1 : 0);
    }
    bool saved = true;
    if (argc == 5) {
        std::vector<uint8_t> written(PlannedStoreSize(&plan, store.data(), store.size(), mode));
        BuildStore(&plan, store.data(), store.size(), mode, written.data());
        FILE *out = fopen(argv[4], "wb");
        saved = out && fwrite(written.data(), 1, written.size(), out) == written.size() && fclose(out) == 0;
    }
    FreeImportPlan(&plan);
    FreePoints(&list);
    return saved ? 0 : 1;
}
