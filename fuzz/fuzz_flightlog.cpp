// Fuzzes the flight book's reader: the input is a flight log, written to a
// file and read through its head and tail as the program reads it. A first
// byte whose three low bits are set puts more than the two parts together
// (128 KiB) of other records between the input's two halves, so that the
// head ends and the tail begins inside the input.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "flights/flightlog.h"

// The one file the inputs are written to, in memory where /dev/shm is.
static bool MakeLogFile(char *path, size_t size)
{
    for (const char *folder : {"/dev/shm", "/tmp"}) {
        snprintf(path, size, "%s/tolmaro-fuzz-flightlog-XXXXXX", folder);
        int file = mkstemp(path);
        if (file >= 0)
            return close(file) == 0;
    }
    return false;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static char path[64];
    static bool made = MakeLogFile(path, sizeof path);
    if (!made)
        abort();
    std::string log;
    if (size > 0 && (data[0] & 7) == 7) {
        // The head's end and the tail's start fall somewhere inside.
        log.assign((const char *)data + 1, (size - 1) / 2);
        std::string record = "L" + std::string(1000 + data[0], 'X') + "\r\n";
        while (log.size() < 2 * FLIGHT_LOG_PART_SIZE + (size - 1) / 2)
            log += record;
        log.append((const char *)data + 1 + (size - 1) / 2, size - 1 - (size - 1) / 2);
    } else {
        log.assign((const char *)data, size);
    }
    FILE *file = fopen(path, "wb");
    if (!file)
        abort();
    fwrite(log.data(), 1, log.size(), file);
    fclose(file);

    FlightRow row;
    ReadFlightLog(path, "x.igc", -1, &row);
    auto ends = [](const auto &field) { return memchr(field, '\0', sizeof field) != NULL; };
    if (!ends(row.date) || !ends(row.start) || !ends(row.landing) || !ends(row.duration) || !ends(row.glider) ||
        strcmp(row.file, "x.igc") != 0)
        abort();
    // Below 24 hours, and shown exactly when both times were read.
    if (row.minutes >= 24 * 60 || (row.minutes >= 0) != (row.start[0] && row.landing[0]) ||
        (row.duration[0] != '\0') != (row.minutes >= 0))
        abort();
    if (row.start[0] && (strlen(row.start) != 8 || row.startTime < 0))
        abort();
    if (row.date[0] && (strlen(row.date) != 10 || row.day < 19800101 || row.day > 20791231))
        abort();
    return 0;
}
