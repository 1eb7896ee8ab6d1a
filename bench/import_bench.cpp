// Times reading a waypoint file and mapping its points as the page does
// (read, then planned against an empty store), against a plain read of the
// same file through the same stream layer, five times each in turn, and
// prints the medians. With --rss, reads and maps once and prints the
// process's peak memory, so that files of different sizes and point counts
// can be compared.
//
//   import_bench FILE
//   import_bench --rss FILE
#include <stdio.h>
#include <string.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <vector>

#include "device/stream.h"
#include "waypoints/importmap.h"

enum { RUNS = 5, PLAIN_BLOCK = 16384 };

// Milliseconds of a clock: the wall's, or the processor time of this
// process, which a busy machine disturbs less.
static double Now(clockid_t clock)
{
    timespec now;
    clock_gettime(clock, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

static ByteSource g_source;

// Reads and maps the file; returns the points to be written.
static uint32_t ReadAndMap(const char *path)
{
    Stream in;
    if (!OpenStream(&in, path, "rb"))
        return 0;
    SourceFromStream(&g_source, &in);
    PointList list = {NULL, 0, 0, 100000};
    WaypointFileKind kind;
    ReadWaypointFile(&g_source, &list, &kind);
    CloseStream(&in);
    ImportPlan plan = {};
    PlanImport(list.points, list.count, NULL, 0, IMPORT_ADD, &plan);
    uint32_t written = plan.toWrite;
    FreeImportPlan(&plan);
    FreePoints(&list);
    return written;
}

static uint32_t ReadPlain(const char *path)
{
    static char block[PLAIN_BLOCK];
    uint32_t checksum = 0;
    Stream in;
    if (!OpenStream(&in, path, "rb"))
        return 0;
    while (size_t read = ReadBytes(&in, block, sizeof block))
        checksum += (uint8_t)block[read - 1];
    CloseStream(&in);
    return checksum;
}

static double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int main(int argc, char **argv)
{
    if (argc == 3 && strcmp(argv[1], "--rss") == 0) {
        uint32_t points = ReadAndMap(argv[2]);
        rusage usage;
        getrusage(RUSAGE_SELF, &usage);
        printf("points: %u, peak memory: %ld KiB\n", (unsigned)points, usage.ru_maxrss);
        return 0;
    }
    if (argc != 2) {
        fprintf(stderr, "usage: import_bench [--rss] FILE\n");
        return 2;
    }
    std::vector<double> mapTimes, plainTimes, mapCpu;
    uint32_t points = 0;
    for (int run = 0; run < RUNS; run++) {
        for (int turn = 0; turn < 2; turn++) {
            bool plain = (run + turn) % 2 == 0;
            double start = Now(CLOCK_MONOTONIC), cpuStart = Now(CLOCK_PROCESS_CPUTIME_ID);
            if (plain)
                ReadPlain(argv[1]);
            else
                points = ReadAndMap(argv[1]);
            (plain ? plainTimes : mapTimes).push_back(Now(CLOCK_MONOTONIC) - start);
            if (!plain)
                mapCpu.push_back(Now(CLOCK_PROCESS_CPUTIME_ID) - cpuStart);
        }
    }
    printf("points: %u\n", (unsigned)points);
    printf("read and map ms: %.2f\n", Median(mapTimes));
    printf("read and map cpu ms: %.2f\n", Median(mapCpu));
    printf("plain read ms: %.2f\n", Median(plainTimes));
    return 0;
}
