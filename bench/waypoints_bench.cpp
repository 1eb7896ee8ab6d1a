// Speed and memory of the waypoint store: counting by kind and export,
// measured beside a plain read of the same file.
//
//   waypoints_bench [benchmark options]   store of 1,000,000 records, then
//                                         PlainRead, CountKinds, the two in
//                                         pairs, and Export in each format
//                                         (CompeGPS, GPX, CUP)
//   waypoints_bench --rss RECORDS         counts and exports a store of that
//                                         many records, prints the peak memory
#include <benchmark/benchmark.h>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "device/stream.h"
#include "waypoints/exportformats.h"
#include "waypoints/waypointstore.h"

enum { BENCH_RECORDS = 1000000 };

static std::string g_folder;
static std::string g_store;
static long g_records;

static void PutBigEndian32(uint8_t *at, uint32_t value)
{
    at[0] = (uint8_t)(value >> 24);
    at[1] = (uint8_t)(value >> 16);
    at[2] = (uint8_t)(value >> 8);
    at[3] = (uint8_t)value;
}

static void PutFloat(uint8_t *at, float value)
{
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    PutBigEndian32(at, bits);
}

// Points around the Alps with the mix of kinds an instrument collects:
// mostly waypoints, some deleted, thermals of kinds 2 to 5 and a few above.
static void MakeRecord(long i, uint8_t *record)
{
    static const uint8_t kinds[16] = {1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 2, 3, 4, 5, 2, 7};
    memset(record, 0, WAYPOINT_RECORD_SIZE);
    uint32_t r = (uint32_t)i * 2654435761u;
    PutFloat(record, (float)((5.0 + (r % 100000) / 10000.0) * M_PI / 180));
    PutFloat(record + 4, (float)((45.0 + (r / 7 % 30000) / 10000.0) * M_PI / 180));
    int altitude = (int)(r % 4000);
    record[8] = (uint8_t)(altitude >> 8);
    record[9] = (uint8_t)altitude;
    snprintf((char *)record + 10, 31, "Punkt %d am Hang", (int)(i % 1000000));
    snprintf((char *)record + 41, 7, "P%ld", i % 100000);
    record[WAYPOINT_KIND_OFFSET] = kinds[i % 16];
}

static bool MakeStore(const std::string &path, long records)
{
    FILE *f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    uint8_t record[WAYPOINT_RECORD_SIZE];
    for (long i = 0; i < records; i++) {
        MakeRecord(i, record);
        fwrite(record, 1, sizeof record, f);
    }
    return fclose(f) == 0;
}

// Reads the whole store into one 64 KB buffer, looking at nothing.
static size_t ReadStorePlainly()
{
    static char buffer[1 << 16];
    FILE *f = fopen(g_store.c_str(), "rb");
    if (!f)
        abort();
    size_t total = 0, n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        total += n;
    fclose(f);
    return total;
}

static void PlainRead(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadStorePlainly());
    state.SetBytesProcessed(state.iterations() * g_records * WAYPOINT_RECORD_SIZE);
}

// The analysis's loop, the check for a progress step included.
static uint32_t CountStore(uint32_t counts[WAYPOINT_COUNTS])
{
    WaypointStore store;
    uint32_t steps = 0;
    if (!OpenWaypointStore(&store, g_store.c_str()))
        abort();
    WaypointCount which;
    while (CountWaypointsToStep(&store, counts, &which))
        steps++;
    CloseWaypointStore(&store);
    return steps;
}

static void CountKinds(benchmark::State &state)
{
    for (auto _ : state) {
        uint32_t counts[WAYPOINT_COUNTS] = {0, 0, 0};
        benchmark::DoNotOptimize(CountStore(counts));
        if ((long)(counts[0] + counts[1] + counts[2]) != g_records)
            abort();
    }
    state.SetItemsProcessed(state.iterations() * g_records);
}

// Counting against the plain read, in pairs: every iteration times one of
// each, in alternating order, so that both meet the same moment of a busy
// machine. "ratio" is the median of the iterations' count/plain ratios.
static void CountAgainstPlainRead(benchmark::State &state)
{
    std::vector<double> ratios;
    for (auto _ : state) {
        uint32_t counts[WAYPOINT_COUNTS] = {0, 0, 0};
        bool plainFirst = ratios.size() % 2 == 0;
        double plain = 0, count = 0;
        for (int turn = 0; turn < 2; turn++) {
            bool isPlain = (turn == 0) == plainFirst;
            auto start = std::chrono::steady_clock::now();
            if (isPlain)
                benchmark::DoNotOptimize(ReadStorePlainly());
            else
                benchmark::DoNotOptimize(CountStore(counts));
            (isPlain ? plain : count) = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
        if ((long)(counts[0] + counts[1] + counts[2]) != g_records)
            abort();
        ratios.push_back(count / plain);
    }
    std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 2, ratios.end());
    state.counters["ratio"] = ratios[ratios.size() / 2];
}

// Every kind, so that every record becomes a point.
static uint32_t ExportStore(const std::string &output, WaypointFormat format)
{
    Stream out;
    WaypointStore store;
    if (!OpenStream(&out, output.c_str(), "wt") || !OpenWaypointStore(&store, g_store.c_str()))
        abort();
    uint32_t count = WriteWaypointFile(&store, &out, KindWindow{0, 255}, format);
    CloseWaypointStore(&store);
    if (!CloseStream(&out))
        abort();
    return count;
}

// The format is the benchmark's argument, in the order of WaypointFormat.
static void Export(benchmark::State &state)
{
    static const char *const names[WAYPOINT_FORMATS] = {"/waypoints.wpt", "/waypoints.gpx", "/waypoints.cup"};
    std::string output = g_folder + names[state.range(0)];
    uint32_t count = 0;
    for (auto _ : state)
        count = ExportStore(output, (WaypointFormat)state.range(0));
    if ((long)count != g_records)
        abort();
    state.SetItemsProcessed(state.iterations() * count);
    remove(output.c_str());
}

BENCHMARK(PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(CountKinds)->Unit(benchmark::kMillisecond);
BENCHMARK(CountAgainstPlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(Export)->DenseRange(FORMAT_COMPEGPS, FORMAT_CUP)->Unit(benchmark::kMillisecond);

static bool MakeFolder()
{
    char pattern[] = "/tmp/tolmaro-bench-XXXXXX";
    if (!mkdtemp(pattern))
        return false;
    g_folder = pattern;
    g_store = g_folder + "/waypoints.skt";
    return true;
}

static void RemoveFolder()
{
    remove(g_store.c_str());
    rmdir(g_folder.c_str());
}

// Counting and export hold one block of the store and one line at a time:
// the peak must not grow with the store.
static int ReportPeakMemory(long records)
{
    g_records = records;
    if (!MakeFolder() || !MakeStore(g_store, records))
        return 1;
    uint32_t counts[WAYPOINT_COUNTS] = {0, 0, 0};
    CountStore(counts);
    uint32_t exported = ExportStore(g_folder + "/waypoints.wpt", FORMAT_COMPEGPS);
    remove((g_folder + "/waypoints.wpt").c_str());
    RemoveFolder();
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    printf("peak memory, %ld records (%u exported): %ld KiB\n", records, exported, usage.ru_maxrss);
    return (long)exported == records ? 0 : 1;
}

int main(int argc, char **argv)
{
    if (argc == 3 && strcmp(argv[1], "--rss") == 0)
        return ReportPeakMemory(atol(argv[2]));

    benchmark::Initialize(&argc, argv);
    g_records = BENCH_RECORDS;
    if (!MakeFolder() || !MakeStore(g_store, g_records)) {
        fprintf(stderr, "cannot make the store in /tmp\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    RemoveFolder();
    return 0;
}
