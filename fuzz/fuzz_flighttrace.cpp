// Fuzzes the flight trace: the input is a flight log, fed in pieces whose
// length the first byte chooses, so that lines are cut anywhere. Every
// number must be finite, the flight shorter than 48 hours, and the track
// length not below the farthest distance (within a metre).
#include <math.h>
#include <stdint.h>
#include <stdlib.h>

#include "flights/flighttrace.h"

static FlightTrace g_trace;

static void Check(bool ok)
{
    if (!ok)
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    size_t piece = data[0] % 64 + 1;
    const char *log = (const char *)data + 1;
    size_t length = size - 1;
    StartFlightTrace(&g_trace);
    for (size_t at = 0; at < length; at += piece)
        FeedFlightTrace(&g_trace, log + at, length - at < piece ? length - at : piece);
    EndFlightTrace(&g_trace);
    const FlightTrace *t = &g_trace;
    Check(isfinite(t->trackLength) && isfinite(t->straightLine) && isfinite(t->farthest));
    Check(t->landing.time >= 0 && t->landing.time < 48 * 3600);
    Check(t->trackLength >= t->farthest - 1 && t->farthest >= t->straightLine - 1);
    for (int s = 0; s < SERIES_COUNT; s++)
        Check(!t->hasClimb[s] || (isfinite(t->highClimb[s]) && isfinite(t->lowClimb[s]) && t->lowClimb[s] <= t->highClimb[s]));
    Check(t->fixes == 0 || (isfinite(t->southmost) && isfinite(t->eastmost) && t->westmost >= -180 && t->eastmost <= 180));
    // The columns in use end at the landing's; the rest are empty.
    int used = TraceColumnsInUse(t);
    Check(used <= TRACE_COLUMNS && (used == 0 || t->columns[used - 1].used) && (used == TRACE_COLUMNS || !t->columns[used].used));
    for (int c = 0; c < used; c++) {
        const TraceColumn &column = t->columns[c];
        Check(!column.used || (column.first.time <= t->landing.time && column.lowPressure <= column.highPressure));
    }
    const TraceFix *fix = NearestTraceFix(t, data[0] * 100.0);
    Check((fix != NULL) == (t->fixes > 0));
    if (fix) {
        char text[32];
        FormatClimb(text, sizeof text, fix->climb[TraceClimbSeries(t)], data[0] & 1, true);
        FormatDistance(text, sizeof text, t->trackLength, data[0] & 1, false);
    }
    return 0;
}
