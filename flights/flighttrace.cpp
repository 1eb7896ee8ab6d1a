// Reads a flight log's fixes once, in order, into the numbers and the
// bounded curves of the flight view.
#include "flights/flighttrace.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include "device/stream.h"

// A fix's fields after its time (columns counted from 0):
//   7-13 latitude DDMMmmm, 14 N or S; 15-22 longitude DDDMMmmm, 23 E or W;
//   24 validity "A" (3D) or "V"; 25-29 pressure altitude; 30-34 GPS
//   altitude, both signed whole metres ("-0012", "01530") referred to
//   1013.25 hPa and to the ellipsoid.

static const double kEarthRadius = 6371000.0;   // the FAI sphere
static const double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

enum { SECONDS_PER_DAY = 24 * 60 * 60, HALF_DAY = SECONDS_PER_DAY / 2, READ_BLOCK = 64 * 1024 };

// The blocks of the log being read; the same memory for every log.
static char g_block[READ_BLOCK];

// A number of count digits, -1 when one is not a digit.
static int32_t Digits(const char *p, int count)
{
    int32_t value = 0;
    for (int i = 0; i < count; i++) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        value = value * 10 + (p[i] - '0');
    }
    return value;
}

// Degrees of degreeDigits digits, then minutes in thousandths (MMmmm) below
// 60, then the hemisphere: positive or negative. False when it does not read.
static bool ReadDegrees(const char *p, int degreeDigits, char positive, char negative, double *degrees)
{
    int32_t whole = Digits(p, degreeDigits), thousandths = Digits(p + degreeDigits, 5);
    char hemisphere = p[degreeDigits + 5];
    if (whole < 0 || thousandths < 0 || thousandths >= 60000 || (hemisphere != positive && hemisphere != negative))
        return false;
    *degrees = whole + thousandths / 60000.0;
    if (hemisphere == negative)
        *degrees = -*degrees;
    return true;
}

// Five characters: five digits, or "-" and four. False when they do not read.
static bool ReadAltitude(const char *p, int32_t *metres)
{
    int32_t value = p[0] == '-' ? Digits(p + 1, 4) : Digits(p, 5);
    if (value < 0)
        return false;
    *metres = p[0] == '-' ? -value : value;
    return true;
}

// The fix's fields but its time; false when its position does not read.
static bool ReadFixFields(const char *line, TraceFix *fix)
{
    if (!ReadDegrees(line + 7, 2, 'N', 'S', &fix->latitude) || !ReadDegrees(line + 15, 3, 'E', 'W', &fix->longitude))
        return false;
    // An altitude that does not read is taken as none: 0 for the pressure.
    if (!ReadAltitude(line + 25, &fix->pressure))
        fix->pressure = 0;
    fix->hasGps = line[24] == 'A' && ReadAltitude(line + 30, &fix->gps);
    if (!fix->hasGps)
        fix->gps = 0;
    return true;
}

// The time since the first fix, counting a day once the log has gone over
// midnight; false for a fix whose time goes back or repeats.
static bool PlaceInTime(FlightTrace *trace, int32_t timeOfDay, int32_t *time)
{
    if (trace->fixes == 0) {
        trace->firstTimeOfDay = timeOfDay;
        *time = 0;
        return true;
    }
    int32_t since = timeOfDay + (trace->dayAdded ? SECONDS_PER_DAY : 0) - trace->firstTimeOfDay;
    int32_t last = trace->landing.time;
    if (since > last) {
        *time = since;
        return true;
    }
    // Back by more than half a day: the first such fix is the next day's.
    if (trace->dayAdded || last - since <= HALF_DAY)
        return false;
    trace->dayAdded = true;
    *time = since + SECONDS_PER_DAY;
    return true;
}

// The climb over at least the climb span: from the last fix of the series
// at least that long before. The ring keeps that fix and the later ones,
// at most one a second.
static bool MeasureClimb(ClimbRing *ring, int32_t time, int32_t altitude, float *climb)
{
    while (ring->count >= 2 && ring->time[(ring->oldest + 1) % CLIMB_RING] <= time - CLIMB_SPAN) {
        ring->oldest = (ring->oldest + 1) % CLIMB_RING;
        ring->count--;
    }
    bool measured = ring->count > 0 && ring->time[ring->oldest] <= time - CLIMB_SPAN;
    if (measured)
        *climb = (float)(altitude - ring->altitude[ring->oldest]) / (float)(time - ring->time[ring->oldest]);
    uint32_t at = (ring->oldest + ring->count) % CLIMB_RING;
    ring->time[at] = time;
    ring->altitude[at] = altitude;
    ring->count++;
    return measured;
}

// Haversine of the central angle between two points in radians, given the
// cosines of their latitudes.
static double Haversine(double latitude1, double cosine1, double longitude1, double latitude2, double cosine2,
                        double longitude2)
{
    double a = sin((latitude2 - latitude1) / 2), b = sin((longitude2 - longitude1) / 2);
    double h = a * a + cosine1 * cosine2 * b * b;
    return h < 0 ? 0 : h > 1 ? 1 : h;
}

static double HaversineDistance(double h)
{
    return 2 * kEarthRadius * asin(sqrt(h));
}

double FixDistance(double latitude1, double longitude1, double latitude2, double longitude2)
{
    double p1 = latitude1 * kRadiansPerDegree, p2 = latitude2 * kRadiansPerDegree;
    return HaversineDistance(Haversine(p1, cos(p1), longitude1 * kRadiansPerDegree, p2, cos(p2),
                                       longitude2 * kRadiansPerDegree));
}

double DegreesEast(double longitude, double from)
{
    // Longitudes read with up to 999 degrees.
    return remainder(longitude - from, 360.0);
}

static void Lower(int32_t *low, int32_t value)
{
    if (value < *low)
        *low = value;
}

static void Raise(int32_t *high, int32_t value)
{
    if (value > *high)
        *high = value;
}

static void LowerF(float *low, float value)
{
    if (value < *low)
        *low = value;
}

static void RaiseF(float *high, float value)
{
    if (value > *high)
        *high = value;
}

// Adds a fix to its column's first fix and lows and highs.
static void AddToColumn(TraceColumn *column, const TraceFix *fix)
{
    if (!column->used) {
        column->used = true;
        column->first = *fix;
        column->lowPressure = column->highPressure = fix->pressure;
    }
    Lower(&column->lowPressure, fix->pressure);
    Raise(&column->highPressure, fix->pressure);
    if (fix->hasGps) {
        if (!column->hasGps)
            column->lowGps = column->highGps = fix->gps;
        column->hasGps = true;
        Lower(&column->lowGps, fix->gps);
        Raise(&column->highGps, fix->gps);
    }
    for (int s = 0; s < SERIES_COUNT; s++) {
        if (!fix->hasClimb[s])
            continue;
        if (!column->hasClimb[s])
            column->lowClimb[s] = column->highClimb[s] = fix->climb[s];
        column->hasClimb[s] = true;
        LowerF(&column->lowClimb[s], fix->climb[s]);
        RaiseF(&column->highClimb[s], fix->climb[s]);
    }
}

// Joins a later column into an earlier one.
static void JoinColumns(TraceColumn *into, const TraceColumn *later)
{
    if (!later->used)
        return;
    if (!into->used) {
        *into = *later;
        return;
    }
    Lower(&into->lowPressure, later->lowPressure);
    Raise(&into->highPressure, later->highPressure);
    if (later->hasGps) {
        if (!into->hasGps) {
            into->lowGps = later->lowGps;
            into->highGps = later->highGps;
        }
        into->hasGps = true;
        Lower(&into->lowGps, later->lowGps);
        Raise(&into->highGps, later->highGps);
    }
    for (int s = 0; s < SERIES_COUNT; s++) {
        if (!later->hasClimb[s])
            continue;
        if (!into->hasClimb[s]) {
            into->lowClimb[s] = later->lowClimb[s];
            into->highClimb[s] = later->highClimb[s];
        }
        into->hasClimb[s] = true;
        LowerF(&into->lowClimb[s], later->lowClimb[s]);
        RaiseF(&into->highClimb[s], later->highClimb[s]);
    }
}

int TraceColumnsInUse(const FlightTrace *trace)
{
    // Fixes only go on in time: the landing's column is the last in use.
    return trace->fixes > 0 ? (int)(trace->landing.time / trace->columnSeconds) + 1 : 0;
}

// Halves the columns' number by joining them in pairs: each spans twice as long.
static void JoinColumnPairs(FlightTrace *trace)
{
    int used = TraceColumnsInUse(trace), joined = (used + 1) / 2;
    for (int c = 0; c < joined; c++) {
        TraceColumn pair = trace->columns[2 * c];
        if (2 * c + 1 < used)
            JoinColumns(&pair, &trace->columns[2 * c + 1]);
        trace->columns[c] = pair;
    }
    memset(&trace->columns[joined], 0, (size_t)(used - joined) * sizeof trace->columns[0]);
    trace->columnSeconds *= 2;
}

// The numbers that run over every fix.
static void MeasureFix(FlightTrace *trace, const TraceFix *fix)
{
    if (fix->pressure != 0)
        trace->hasPressure = true;
    if (trace->fixes == 0 || fix->pressure > trace->highPressure)
        trace->highPressure = fix->pressure;
    if (fix->hasGps) {
        if (!trace->hasGps) {
            trace->firstGps = trace->highGps = fix->gps;
            trace->hasGps = true;
        }
        Raise(&trace->highGps, fix->gps);
    }
    for (int s = 0; s < SERIES_COUNT; s++) {
        if (!fix->hasClimb[s])
            continue;
        if (!trace->hasClimb[s])
            trace->lowClimb[s] = trace->highClimb[s] = fix->climb[s];
        trace->hasClimb[s] = true;
        LowerF(&trace->lowClimb[s], fix->climb[s]);
        RaiseF(&trace->highClimb[s], fix->climb[s]);
    }
    double latitude = fix->latitude * kRadiansPerDegree, cosine = cos(latitude);
    double longitude = fix->longitude * kRadiansPerDegree;
    if (trace->fixes > 0) {
        const TraceFix *last = &trace->landing;
        double lastLatitude = last->latitude * kRadiansPerDegree;
        trace->trackLength += HaversineDistance(Haversine(lastLatitude, cos(lastLatitude),
                                                          last->longitude * kRadiansPerDegree, latitude, cosine, longitude));
        double takeOffLatitude = trace->takeOff.latitude * kRadiansPerDegree;
        double h = Haversine(takeOffLatitude, cos(takeOffLatitude), trace->takeOff.longitude * kRadiansPerDegree,
                             latitude, cosine, longitude);
        if (h > trace->farthestHaversine)
            trace->farthestHaversine = h;
    } else {
        trace->takeOff = *fix;
        trace->southmost = trace->northmost = fix->latitude;
    }
    if (fix->latitude < trace->southmost)
        trace->southmost = fix->latitude;
    if (fix->latitude > trace->northmost)
        trace->northmost = fix->latitude;
    double east = DegreesEast(fix->longitude, trace->takeOff.longitude);
    if (east < trace->westmost)
        trace->westmost = east;
    if (east > trace->eastmost)
        trace->eastmost = east;
    trace->latitudeSum += fix->latitude;
}

// One line without its line end, of which the first bytes are kept.
static void ReadLine(FlightTrace *trace, const char *line, size_t length)
{
    int32_t timeOfDay, time;
    TraceFix fix;
    if (!ReadFixTime(line, length, &timeOfDay) || !ReadFixFields(line, &fix) || !PlaceInTime(trace, timeOfDay, &time))
        return;
    fix.time = time;
    fix.hasClimb[SERIES_PRESSURE] = MeasureClimb(&trace->rings[SERIES_PRESSURE], time, fix.pressure,
                                                 &fix.climb[SERIES_PRESSURE]);
    fix.hasClimb[SERIES_GPS] = fix.hasGps && MeasureClimb(&trace->rings[SERIES_GPS], time, fix.gps, &fix.climb[SERIES_GPS]);
    for (int s = 0; s < SERIES_COUNT; s++)
        if (!fix.hasClimb[s])
            fix.climb[s] = 0;
    MeasureFix(trace, &fix);
    while (time / trace->columnSeconds >= TRACE_COLUMNS)
        JoinColumnPairs(trace);
    AddToColumn(&trace->columns[time / trace->columnSeconds], &fix);
    trace->landing = fix;
    trace->fixes++;
}

// The kept line as read so far, without a CR before its end. Of a longer
// line only the kept bytes count: more than the fixed fields.
static void ReadKeptLine(FlightTrace *trace)
{
    size_t length = trace->lineLength;
    if (length > sizeof trace->line)
        length = sizeof trace->line;
    else if (length > 0 && trace->line[length - 1] == '\r')
        length--;
    ReadLine(trace, trace->line, length);
    trace->lineLength = 0;
}

void StartFlightTrace(FlightTrace *trace)
{
    memset(trace, 0, sizeof *trace);
    trace->columnSeconds = 1;
}

void FeedFlightTrace(FlightTrace *trace, const char *bytes, size_t length)
{
    while (length > 0) {
        const char *end = (const char *)memchr(bytes, '\n', length);
        size_t part = end ? (size_t)(end - bytes) : length;
        if (trace->lineLength < sizeof trace->line) {
            size_t room = sizeof trace->line - trace->lineLength;
            memcpy(trace->line + trace->lineLength, bytes, part < room ? part : room);
        }
        // A long line's length only needs to tell that it is longer.
        trace->lineLength += part < sizeof trace->line ? part : sizeof trace->line + 1;
        if (trace->lineLength > sizeof trace->line)
            trace->lineLength = sizeof trace->line + 1;
        if (!end)
            return;
        ReadKeptLine(trace);
        bytes += part + 1;
        length -= part + 1;
    }
}

void EndFlightTrace(FlightTrace *trace)
{
    if (trace->lineLength > 0)
        ReadKeptLine(trace);
    if (trace->fixes == 0)
        return;
    trace->farthest = HaversineDistance(trace->farthestHaversine);
    trace->straightLine = FixDistance(trace->takeOff.latitude, trace->takeOff.longitude, trace->landing.latitude,
                                      trace->landing.longitude);
}

bool ReadFlightTrace(const char *path, FlightTrace *trace)
{
    StartFlightTrace(trace);
    Stream in;
    if (!OpenStream(&in, path, "rb"))
        return false;
    for (;;) {
        size_t read = ReadBytes(&in, g_block, sizeof g_block);
        FeedFlightTrace(trace, g_block, read);
        if (read < sizeof g_block)
            break;
    }
    CloseStream(&in);
    EndFlightTrace(trace);
    return true;
}

ClimbSeries TraceClimbSeries(const FlightTrace *trace)
{
    return trace->hasPressure ? SERIES_PRESSURE : SERIES_GPS;
}

bool TraceStartAltitude(const FlightTrace *trace, int32_t *metres)
{
    if (trace->fixes == 0 || (!trace->hasPressure && !trace->hasGps))
        return false;
    *metres = trace->hasPressure ? trace->takeOff.pressure : trace->firstGps;
    return true;
}

const TraceFix *NearestTraceFix(const FlightTrace *trace, double seconds)
{
    if (trace->fixes == 0)
        return NULL;
    double column = seconds / trace->columnSeconds;
    int start = column < 0 ? 0 : column >= TRACE_COLUMNS ? TRACE_COLUMNS - 1 : (int)column;
    // The last kept fix at or before the moment, and the first after it.
    const TraceFix *before = NULL, *after = &trace->landing;
    for (int c = start; c >= 0 && !before; c--)
        if (trace->columns[c].used && trace->columns[c].first.time <= seconds)
            before = &trace->columns[c].first;
    for (int c = start; c < TraceColumnsInUse(trace); c++)
        if (trace->columns[c].used && trace->columns[c].first.time > seconds) {
            after = &trace->columns[c].first;
            break;
        }
    if (!before)
        return after;
    return after->time > seconds && after->time - seconds < seconds - before->time ? after : before;
}

int32_t FixTimeOfDay(const FlightTrace *trace, const TraceFix *fix)
{
    return (trace->firstTimeOfDay + fix->time) % SECONDS_PER_DAY;
}

// The decimal point becomes a comma where asked.
static void UseComma(char *text, bool comma)
{
    char *point = strchr(text, '.');
    if (comma && point)
        *point = ',';
}

static const double kMetresPerFoot = 0.3048, kMetresPerMile = 1609.344;

void FormatAltitude(char *out, size_t size, double metres, int unit)
{
    if (unit == 0)
        snprintf(out, size, "%.0f m", metres);
    else
        snprintf(out, size, "%.0f ft", metres / kMetresPerFoot);
}

void FormatClimb(char *out, size_t size, double metresPerSecond, int unit, bool comma)
{
    if (unit == 0)
        snprintf(out, size, "%+.1f m/s", metresPerSecond);
    else
        snprintf(out, size, "%+.0f ft/min", metresPerSecond * 60 / kMetresPerFoot);
    UseComma(out, comma);
}

void FormatDistance(char *out, size_t size, double metres, int unit, bool comma)
{
    if (unit == 0)
        snprintf(out, size, "%.1f km", metres / 1000);
    else
        snprintf(out, size, "%.1f mi", metres / kMetresPerMile);
    UseComma(out, comma);
}
