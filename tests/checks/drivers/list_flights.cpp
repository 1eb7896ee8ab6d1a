// Writes the flight book's rows of the flight logs named, in that order,
// as the program writes its CSV file, for the checks against independent
// readers (tests/checks/check_flight_book.py). Usage: list_flights OUT.csv LOG...
#include <stdio.h>

#include "device/stream.h"
#include "flights/flightlog.h"

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: list_flights OUT.csv LOG...\n");
        return 2;
    }
    Stream out;
    if (!OpenStream(&out, argv[1], "wb"))
        return 1;
    for (int i = 2; i < argc; i++) {
        FlightRow row;
        ReadFlightLog(argv[i], argv[i], -1, &row);
        const char *fields[FLIGHT_COLUMNS];
        RowFields(&row, fields);
        char line[2048];
        size_t length = FormatCsvLine(fields, line, sizeof line);
        if (length == 0)
            return 1;
        WriteBytes(&out, line, length);
    }
    return CloseStream(&out) ? 0 : 1;
}
