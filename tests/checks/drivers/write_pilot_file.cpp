// Writes a pilot file with the program's own checks and writer, for the
// check against an independent IGC reader (tests/checks/check_igc_header.sh).
// Usage: write_pilot_file PATH IGC-ID PILOT GLIDER CLASS-ITEM
// The values are Windows-1252 bytes; CLASS-ITEM is the class list's item
// 0..7 (0 writes the empty class). Characters the page refuses exit with 1.
#include <stdio.h>
#include <stdlib.h>

#include "pilot/pilotfile.h"

int main(int argc, char **argv)
{
    if (argc != 6) {
        fprintf(stderr, "usage: write_pilot_file PATH IGC-ID PILOT GLIDER CLASS-ITEM\n");
        return 2;
    }
    // A value too long for its field is cut here, and then not read back as given.
    Pilot pilot = {};
    snprintf(pilot.igcId, sizeof pilot.igcId, "%s", argv[2]);
    snprintf(pilot.pilot, sizeof pilot.pilot, "%s", argv[3]);
    snprintf(pilot.glider, sizeof pilot.glider, "%s", argv[4]);
    if (!IsAllowedPilotText(pilot.igcId) || !IsAllowedPilotText(pilot.pilot) ||
        !IsAllowedPilotText(pilot.glider)) {
        fprintf(stderr, "refused characters\n");
        return 1;
    }
    TakeClassSelection(&pilot, atoi(argv[5]));

    char temp[4096];
    snprintf(temp, sizeof temp, "%s.new", argv[1]);
    if (!WritePilotFile(&pilot, temp, argv[1])) {
        fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
