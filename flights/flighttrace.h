// A flight log read once from start to end: its fixes measured while they
// are read (heights, climbs, distances) and kept as curves of a bounded
// number of columns, whatever the log's length.
#ifndef TOLMARO_FLIGHTTRACE_H
#define TOLMARO_FLIGHTTRACE_H

#include <stddef.h>
#include <stdint.h>

#include "flights/flightlog.h"

// The curves' point budget: columns of equal time, each a span of seconds
// that doubles whenever the flight outgrows them.
enum { TRACE_COLUMNS = 1024 };

// The seconds a climb is measured over, at least.
enum { CLIMB_SPAN = 20 };

// The two altitude series a climb is computed from: the pressure altitude
// of every fix, or the GPS altitude of the "A" fixes.
enum ClimbSeries : uint8_t { SERIES_PRESSURE, SERIES_GPS, SERIES_COUNT };

// One fix as read: seconds since the log's first fix, position in degrees
// (north and east positive), altitudes in metres, and its climb in each
// series (m/s) where it has one.
struct TraceFix {
    int32_t time;
    int32_t pressure;
    int32_t gps;             // when hasGps
    float climb[SERIES_COUNT];
    double latitude, longitude;
    bool hasGps;             // an "A" fix
    bool hasClimb[SERIES_COUNT];
};

// The fixes of one span of time: the first of them, and the lowest and
// highest values of the curves.
struct TraceColumn {
    TraceFix first;
    int32_t lowPressure, highPressure;
    int32_t lowGps, highGps;     // when hasGps
    float lowClimb[SERIES_COUNT], highClimb[SERIES_COUNT];
    bool used;                   // a fix fell in the span
    bool hasGps;                 // an "A" fix fell in the span
    bool hasClimb[SERIES_COUNT];
};

// The last fixes of a series inside the climb span, and the one before;
// times only go on, by a second at least, so 21 at most.
enum { CLIMB_RING = 32 };
struct ClimbRing {
    int32_t time[CLIMB_RING];
    int32_t altitude[CLIMB_RING];
    uint32_t oldest, count;
};

struct FlightTrace {
    uint32_t fixes;
    int32_t firstTimeOfDay;      // of the first fix, seconds after midnight UTC
    TraceFix takeOff, landing;   // the first and the last fix
    bool hasPressure;            // a pressure altitude other than 0
    int32_t highPressure, highGps;
    bool hasGps;                 // an "A" fix
    int32_t firstGps;            // of the first "A" fix
    float highClimb[SERIES_COUNT], lowClimb[SERIES_COUNT];
    bool hasClimb[SERIES_COUNT];
    double trackLength;          // metres, fix to fix
    double farthest;             // metres from the take-off, at most
    double straightLine;         // metres from the take-off to the landing
    // The box around every fix: latitudes, and longitudes east of the
    // take-off's, from -180 to 180 degrees.
    double southmost, northmost, westmost, eastmost;
    double latitudeSum;          // for the mean latitude
    // The curves: column c holds the fixes from c * columnSeconds on.
    int32_t columnSeconds;
    TraceColumn columns[TRACE_COLUMNS];
    // The reading's state.
    bool dayAdded;               // the log went over midnight UTC
    double farthestHaversine;
    ClimbRing rings[SERIES_COUNT];
    // The line being read: its first bytes and its length so far.
    char line[FIX_FIELDS_LENGTH + 1];
    size_t lineLength;
};

// Empties a trace for a new log.
void StartFlightTrace(FlightTrace *trace);

// Reads the next bytes of the log; lines may be cut anywhere between calls.
void FeedFlightTrace(FlightTrace *trace, const char *bytes, size_t length);

// Reads a last line without a line end and ends the numbers.
void EndFlightTrace(FlightTrace *trace);

// The whole log at path through the stream layer; false when it does not
// open (the trace is then empty).
bool ReadFlightTrace(const char *path, FlightTrace *trace);

// The series the climbs, "Starthöhe" and the pointer's altitude come from:
// the pressure altitude, unless the log has none.
ClimbSeries TraceClimbSeries(const FlightTrace *trace);

// The first altitude of that series; false when it has none.
bool TraceStartAltitude(const FlightTrace *trace, int32_t *metres);

// The columns from the first up to the last that holds a fix.
int TraceColumnsInUse(const FlightTrace *trace);

// The fix kept in the curves (the first of each column, and the landing)
// nearest in time to seconds; NULL without a fix.
const TraceFix *NearestTraceFix(const FlightTrace *trace, double seconds);

// The great circle distance in metres on the FAI sphere.
double FixDistance(double latitude1, double longitude1, double latitude2, double longitude2);

// Degrees east of a longitude, from -180 to 180.
double DegreesEast(double longitude, double from);

// The time of day of a fix, seconds after midnight UTC.
int32_t FixTimeOfDay(const FlightTrace *trace, const TraceFix *fix);

// The numbers as the page shows them, by the instrument's "Unit" (0 metres,
// km and m/s; any other feet, miles and ft/min), with a decimal comma or
// point: "1850 m", "+2,4 m/s", "12,3 km".
void FormatAltitude(char *out, size_t size, double metres, int unit);
void FormatClimb(char *out, size_t size, double metresPerSecond, int unit, bool comma);
void FormatDistance(char *out, size_t size, double metres, int unit, bool comma);

#endif
