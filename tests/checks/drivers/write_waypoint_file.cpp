// Exports every record of a waypoint store with the program's own writer, for
// the check against independent readers (tests/checks/check_waypoint_files.py).
// Usage: write_waypoint_file STORE OUTPUT   (the format from OUTPUT's extension)
#include <stdio.h>

#include "waypoints/exportformats.h"

static WaypointStore g_store;

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: write_waypoint_file STORE OUTPUT\n");
        return 2;
    }
    char path[4096];
    WaypointFormat format;
    Stream out;
    snprintf(path, sizeof path, "%s", argv[2]);
    if (!ChooseWaypointFormat(path, sizeof path, 1, &format) || !OpenWaypointStore(&g_store, argv[1]) ||
        !OpenStream(&out, path, "wt")) {
        fprintf(stderr, "cannot open %s or %s\n", argv[1], path);
        return 1;
    }
    WriteWaypointFile(&g_store, &out, KindWindow{0, 255}, format);
    CloseWaypointStore(&g_store);
    return CloseStream(&out) ? 0 : 1;
}
