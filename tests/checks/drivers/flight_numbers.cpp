// Prints the flight view's numbers of each flight log named, one line each,
// for the check against an independent IGC reader (check_flight_numbers.js):
//   LOG FIXES START LANDING SECONDS MAXGPS MAXPRESSURE STARTALT MAXCLIMB MAXSINK TRACK STRAIGHT FARTHEST
// in seconds, metres and m/s; "-" for a number that cannot be computed.
// Usage: flight_numbers LOG...
#include <stdio.h>

#include "flights/flighttrace.h"

static FlightTrace g_trace;

static void PrintWhole(bool known, int32_t value)
{
    if (known)
        printf(" %ld", (long)value);
    else
        printf(" -");
}

static void PrintDecimal(bool known, double value)
{
    if (known)
        printf(" %.4f", value);
    else
        printf(" -");
}

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; i++) {
        if (!ReadFlightTrace(argv[i], &g_trace))
            return 1;
        const FlightTrace *t = &g_trace;
        bool any = t->fixes > 0;
        char start[9] = "-", landing[9] = "-";
        if (any) {
            FormatTimeOfDay(start, FixTimeOfDay(t, &t->takeOff));
            FormatTimeOfDay(landing, FixTimeOfDay(t, &t->landing));
        }
        printf("%s %lu %s %s", argv[i], (unsigned long)t->fixes, start, landing);
        PrintWhole(any, t->landing.time);
        PrintWhole(t->hasGps, t->highGps);
        PrintWhole(t->hasPressure, t->highPressure);
        int32_t startAltitude = 0;
        bool hasStart = TraceStartAltitude(t, &startAltitude);
        PrintWhole(hasStart, startAltitude);
        ClimbSeries series = TraceClimbSeries(t);
        PrintDecimal(t->hasClimb[series], t->highClimb[series]);
        PrintDecimal(t->hasClimb[series], t->lowClimb[series]);
        PrintDecimal(any, t->trackLength);
        PrintDecimal(any, t->straightLine);
        PrintDecimal(any, t->farthest);
        printf("\n");
    }
    return 0;
}
