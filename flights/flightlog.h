// The flight book's rows: what an IGC flight log says about its flight,
// read from its head and tail alone, and the rows' order and CSV form.
#ifndef TOLMARO_FLIGHTLOG_H
#define TOLMARO_FLIGHTLOG_H

#include <stddef.h>
#include <stdint.h>

#include "flights/flightpaths.h"

// The columns, in the list's and the CSV file's order.
enum FlightColumn : uint8_t {
    COLUMN_DATE,       // DD.MM.YYYY
    COLUMN_START,      // HH:MM:SS of the first fix
    COLUMN_LANDING,    // HH:MM:SS of the last fix
    COLUMN_DURATION,   // H:MM
    COLUMN_GLIDER,
    COLUMN_FILE,       // the path below FLIGHTS\ .
    FLIGHT_COLUMNS,
};

// Each part of the file that is read is at most this long.
enum { FLIGHT_LOG_PART_SIZE = 64 * 1024 };

enum { FLIGHT_GLIDER_SIZE = 64 };   // longer glider names are cut

// One row. A field that could not be read is "" and its number -1.
struct FlightRow {
    char date[11];
    char start[9];
    char landing[9];
    char duration[6];
    char glider[FLIGHT_GLIDER_SIZE];
    char file[PATH_SIZE];
    int32_t day;         // YYYYMMDD, for the order by date
    int32_t startTime;   // seconds after midnight
    int32_t minutes;     // duration, below 24 hours
};

// The row of the flight log at path, its file field set to file. size is
// the log's size as its folder lists it (one request less to a slow drive),
// or -1 to ask the file. A file that does not open gives a row with every
// other field empty.
void ReadFlightLog(const char *path, const char *file, int64_t size, FlightRow *row);

// The fields from the two parts of a log: head from the file's first byte
// (all of the file when headIsWhole), tail ending at its last byte (from
// its first when tailIsWhole). Otherwise the head may end inside a line
// and the tail begin inside one. The file field is left alone.
void ReadFlightParts(const char *head, size_t headLength, bool headIsWhole, const char *tail,
                     size_t tailLength, bool tailIsWhole, FlightRow *row);

// A fix's fixed fields: "B", its time, position, validity and altitudes.
enum { FIX_FIELDS_LENGTH = 35 };

// A fix that counts: a line (without its line end) of at least the fixed
// fields whose time is a valid HHMMSS. Gives the time in seconds after
// midnight.
bool ReadFixTime(const char *line, size_t length, int32_t *seconds);

// HH:MM:SS of a time of day (seconds below 24 hours), into 9 bytes.
void FormatTimeOfDay(char *out, int32_t seconds);

// H:MM of a duration below 100 hours, into 6 bytes.
void FormatDuration(char *out, int32_t minutes);

// Orders two rows by a column (the newest first for COLUMN_DATE when
// descending): negative, 0 or positive. Rows whose field is empty come last
// in either direction; equal rows keep their order.
int CompareFlightRows(const FlightRow *a, const FlightRow *b, FlightColumn column, bool descending);

// The first order of the list: by date and start, the newest first.
int CompareNewestFirst(const FlightRow *a, const FlightRow *b);

// One CSV line for a German spreadsheet: fields separated by ";", one that
// holds ";", '"', CR or LF in quotes with '"' doubled, and CR LF at the
// end. Returns its length, or 0 when it does not fit in size.
size_t FormatCsvLine(const char *const fields[FLIGHT_COLUMNS], char *out, size_t size);

// The row's fields in column order.
void RowFields(const FlightRow *row, const char *fields[FLIGHT_COLUMNS]);

#endif
