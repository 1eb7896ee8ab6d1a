// Times the flight view's reading of a 12-hour flight log at one fix a
// second (43,200 fixes) against a plain read of the same file through the
// stream layer, in turn, and prints the medians; and the peak memory of one
// reading, for the same memory whatever the log's length.
//
//   flighttrace_bench FOLDER        writes 1h.igc and 12h.igc there, times them
//   flighttrace_bench --rss LOG     reads one log, prints its peak memory
#include <math.h>
#include <stdio.h>
#include <string.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <string>
#include <vector>

#include "device/stream.h"
#include "flights/flighttrace.h"

enum { RUNS = 9, PLAIN_BLOCK = 64 * 1024 };

static FlightTrace g_trace;

// A flight of hours at one fix a second from 06:00:00 UTC over the Alps:
// a wide loop with thermals and glides, pressure and GPS altitude apart.
static bool WriteLog(const std::string &path, int hours)
{
    FILE *file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    fputs("AZIR001 Zirkano 2.0\r\nHFDTEDATE:200626,01\r\nHFGTYGLIDERTYPE:Nova Mentor 7\r\nLZIRTRACKINTERVAL:1\r\n", file);
    for (int n = 0; n < hours * 3600; n++) {
        int seconds = 6 * 3600 + n;
        double phase = n / 3600.0;
        double latitude = 47.5 + 0.3 * sin(phase) + 0.0004 * sin(n / 30.0);
        double longitude = 11.5 + 0.4 * cos(phase) + 0.0006 * cos(n / 30.0);
        int altitude = 1800 + (int)(700 * sin(n / 900.0)) + n % 60;
        int latMinutes = (int)lround((latitude - (int)latitude) * 60000);
        int lonMinutes = (int)lround((longitude - (int)longitude) * 60000);
        fprintf(file, "B%02d%02d%02d%02d%05dN%03d%05dEA%05d%05d\r\n", seconds / 3600 % 24, seconds / 60 % 60,
                seconds % 60, (int)latitude, latMinutes, (int)longitude, lonMinutes, altitude + 25, altitude);
    }
    fputs("LXZIEND\r\n", file);
    return fclose(file) == 0;
}

static double Now()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// The plain read: every block of the file through the same stream layer.
static uint32_t ReadPlain(const char *path)
{
    static char block[PLAIN_BLOCK];
    uint32_t checksum = 0;
    Stream in;
    if (!OpenStream(&in, path, "rb"))
        return 0;
    for (;;) {
        size_t read = ReadBytes(&in, block, sizeof block);
        for (size_t i = 0; i < read; i += 4096)
            checksum += (unsigned char)block[i];
        if (read < sizeof block)
            break;
    }
    CloseStream(&in);
    return checksum;
}

static double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int main(int argc, char **argv)
{
    if (argc == 3 && strcmp(argv[1], "--rss") == 0) {
        if (!ReadFlightTrace(argv[2], &g_trace))
            return 1;
        rusage usage;
        getrusage(RUSAGE_SELF, &usage);
        printf("fixes: %u\npeak KiB: %ld\n", (unsigned)g_trace.fixes, usage.ru_maxrss);
        return 0;
    }
    if (argc != 2) {
        fprintf(stderr, "usage: flighttrace_bench FOLDER | --rss LOG\n");
        return 2;
    }
    std::string small = std::string(argv[1]) + "/1h.igc", big = std::string(argv[1]) + "/12h.igc";
    if (!WriteLog(small, 1) || !WriteLog(big, 12))
        return 1;
    std::vector<double> trace, plain;
    uint32_t checksum = 0;
    for (int run = 0; run < RUNS; run++) {
        double start = Now();
        ReadFlightTrace(big.c_str(), &g_trace);
        double middle = Now();
        checksum += ReadPlain(big.c_str());
        double end = Now();
        trace.push_back(middle - start);
        plain.push_back(end - middle);
    }
    double traceMs = Median(trace), plainMs = Median(plain);
    printf("fixes: %u\n", (unsigned)g_trace.fixes);
    printf("trace ms: %.2f\n", traceMs);
    printf("plain ms: %.2f\n", plainMs);
    printf("fixes per s: %.0f\n", g_trace.fixes / traceMs * 1000);
    printf("checksum: %u\n", checksum);
    return 0;
}
