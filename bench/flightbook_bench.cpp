// Times the flight book's reading of every flight log below a folder against
// the least any reader of both ends of each file must do (open it, read one
// step at its start and one at its end, close it) and against a plain full
// read of the same files, and counts the bytes the book and the plain read
// take in the stream layer. Runs each five times, in turn, and prints the
// medians. Where a system call is dear, the floor alone is most of the
// book's time.
//
//   flightbook_bench FOLDER
#include <dirent.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <string>
#include <vector>

#include "device/stream.h"
#include "flights/flightlog.h"
#include "flights/flightpaths.h"

enum { RUNS = 5, PLAIN_BLOCK = 64 * 1024 };

struct Log {
    std::string path;
    int64_t size;   // as the program's walk finds it in the listing
};

// The flight logs below folder, as the walk would find them.
static void FindLogs(const std::string &folder, std::vector<Log> *logs)
{
    DIR *listing = opendir(folder.c_str());
    if (!listing)
        return;
    while (dirent *entry = readdir(listing)) {
        std::string path = folder + "/" + entry->d_name;
        if (entry->d_type == DT_DIR && !BeginsWithPoint(entry->d_name))
            FindLogs(path, logs);
        else if (entry->d_type == DT_REG && IsFlightLogName(entry->d_name)) {
            struct stat status;
            logs->push_back({path, stat(path.c_str(), &status) == 0 ? (int64_t)status.st_size : -1});
        }
    }
    closedir(listing);
}

// Milliseconds of a clock: the wall's, or the processor time of this
// process, which a busy machine disturbs less.
static double Now(clockid_t clock)
{
    timespec now;
    clock_gettime(clock, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

static uint32_t ReadPlain(const std::vector<Log> &logs)
{
    static char block[PLAIN_BLOCK];
    uint32_t checksum = 0;
    for (const Log &log : logs) {
        Stream in;
        if (!OpenStream(&in, log.path.c_str(), "rb"))
            continue;
        while (size_t read = ReadBytes(&in, block, sizeof block))
            checksum += (uint8_t)block[read - 1];
        CloseStream(&in);
    }
    return checksum;
}

static uint32_t ReadEnds(const std::vector<Log> &logs)
{
    static char block[1024];
    uint32_t checksum = 0;
    for (const Log &log : logs) {
        Stream in;
        if (!OpenStream(&in, log.path.c_str(), "rd"))
            continue;
        checksum += (uint32_t)ReadBytesAt(&in, 0, block, sizeof block);
        checksum += (uint32_t)ReadBytesAt(&in, log.size - (int64_t)sizeof block, block, sizeof block);
        CloseStream(&in);
    }
    return checksum;
}

static uint32_t ReadBook(const std::vector<Log> &logs, std::vector<FlightRow> *rows)
{
    uint32_t minutes = 0;
    rows->resize(logs.size());
    for (size_t i = 0; i < logs.size(); i++) {
        ReadFlightLog(logs[i].path.c_str(), logs[i].path.c_str(), logs[i].size, &(*rows)[i]);
        minutes += (uint32_t)std::max((*rows)[i].minutes, 0);
    }
    return minutes;
}

static double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: flightbook_bench FOLDER\n");
        return 2;
    }
    std::vector<Log> logs;
    FindLogs(argv[1], &logs);
    std::vector<FlightRow> rows;
    std::vector<double> plainTimes, bookTimes, plainCpu, bookCpu, endsTimes;
    uint64_t plainBytes = 0, bookBytes = 0;
    uint32_t minutes = 0;
    enum { PLAIN, BOOK, ENDS, READERS };
    for (int run = 0; run < RUNS; run++) {
        // Each goes first in turn.
        for (int turn = 0; turn < READERS; turn++) {
            int reader = (run + turn) % READERS;
            uint64_t before = g_streamBytesRead;
            double start = Now(CLOCK_MONOTONIC), cpuStart = Now(CLOCK_PROCESS_CPUTIME_ID);
            if (reader == PLAIN)
                ReadPlain(logs);
            else if (reader == BOOK)
                minutes = ReadBook(logs, &rows);
            else
                ReadEnds(logs);
            double cpu = Now(CLOCK_PROCESS_CPUTIME_ID) - cpuStart, wall = Now(CLOCK_MONOTONIC) - start;
            if (reader == PLAIN) {
                plainCpu.push_back(cpu);
                plainTimes.push_back(wall);
                plainBytes = g_streamBytesRead - before;
            } else if (reader == BOOK) {
                bookCpu.push_back(cpu);
                bookTimes.push_back(wall);
                bookBytes = g_streamBytesRead - before;
            } else
                endsTimes.push_back(wall);
        }
    }
    printf("logs: %zu\n", logs.size());
    printf("airtime minutes: %u\n", (unsigned)minutes);
    printf("plain bytes: %llu\n", (unsigned long long)plainBytes);
    printf("book bytes: %llu\n", (unsigned long long)bookBytes);
    printf("plain ms: %.1f\n", Median(plainTimes));
    printf("book ms: %.1f\n", Median(bookTimes));
    printf("ends ms: %.1f\n", Median(endsTimes));
    printf("plain cpu ms: %.1f\n", Median(plainCpu));
    printf("book cpu ms: %.1f\n", Median(bookCpu));
    return 0;
}
