// The waypoint store and the export lines: block reading, the worked
// example, and the degrees against printf. Every other field of the lines
// is checked against one printf of the format by fuzz/fuzz_waypoints.cpp.
#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <random>
#include <string>
#include <vector>

#include "tests/common/waypoint_example.h"
#include "tests/native/scratch.h"
#include "waypoints/waypointstore.h"
#include "waypoints/wptformat.h"

static Waypoint Decoded(const std::string &record)
{
    Waypoint point;
    DecodeWaypoint((const uint8_t *)record.data(), &point);
    return point;
}

// The export itself, through its text stream, runs under Wine.
TEST(WaypointExport, WorkedExampleByteForByte)
{
    ASSERT_EQ(sizeof kExampleRecord - 1, (size_t)WAYPOINT_RECORD_SIZE);
    std::string expected = kExampleLines;
    for (size_t at; (at = expected.find('\r')) != std::string::npos;)
        expected.erase(at, 1);
    Waypoint point = Decoded(std::string(kExampleRecord, WAYPOINT_RECORD_SIZE));
    char text[WAYPOINT_LINES_SIZE];
    EXPECT_EQ(std::string(text, FormatWaypointLines(&point, text, sizeof text)), expected);
}

// Records carry their own number in the altitude, so that order and
// completeness show across block boundaries.
TEST(WaypointStore, ReadsEveryWholeRecordInOrderAndDropsAPartialOne)
{
    const size_t block = WAYPOINT_BLOCK_RECORDS;
    struct { size_t records, extraBytes; } cases[] = {
        {0, 0}, {0, 51}, {1, 0}, {2, 51}, {block, 0}, {block, 51}, {block + 1, 0}, {2 * block + 3, 20},
    };
    for (auto &c : cases) {
        std::string bytes;
        for (size_t i = 0; i < c.records; i++) {
            std::string record(WAYPOINT_RECORD_SIZE, '\xEE');
            record[8] = (char)(i >> 8);
            record[9] = (char)i;
            record[48] = (char)(i % 7);
            bytes += record;
        }
        bytes += std::string(c.extraBytes, '\x01');
        WaypointStore store;
        ASSERT_TRUE(OpenWaypointStore(&store, ScratchFile("store.skt", bytes).c_str()));
        size_t read = 0;
        Waypoint point;
        while (ReadWaypoint(&store, &point)) {
            ASSERT_EQ(point.altitude, (int16_t)read) << c.records << " records, record " << read;
            ASSERT_EQ(point.kind, read % 7);
            read++;
        }
        EXPECT_FALSE(ReadWaypoint(&store, &point)) << "the end stays the end";
        CloseWaypointStore(&store);
        EXPECT_EQ(read, c.records) << c.records << " records and " << c.extraBytes << " bytes";
    }
    WaypointStore missing;
    EXPECT_FALSE(OpenWaypointStore(&missing, ScratchPath("no/such.skt").c_str()));
}

// Counting in runs must give the counts and progress steps of counting
// record by record, across blocks: random kinds, and long runs of one kind.
TEST(WaypointStore, CountsAndProgressStepsAsRecordByRecord)
{
    std::mt19937 random(3005);
    std::string kinds[3];
    for (int i = 0; i < 2 * WAYPOINT_BLOCK_RECORDS + 777; i++)
        kinds[0] += (char)(random() % 4 == 0 ? random() % 256 : random() % 2);
    kinds[1] = std::string(250, 1) + std::string(100, 0) + std::string(99, 3) + std::string(1, 1);
    kinds[2] = std::string(WAYPOINT_BLOCK_RECORDS + 300, 0) + std::string(WAYPOINT_BLOCK_RECORDS, 9);
    for (const std::string &store : kinds) {
        std::string bytes, expected, steps;
        uint32_t reference[WAYPOINT_COUNTS] = {0, 0, 0}, counts[WAYPOINT_COUNTS] = {0, 0, 0};
        for (char kind : store) {
            std::string record(WAYPOINT_RECORD_SIZE, '\0');
            record[WAYPOINT_KIND_OFFSET] = kind;
            bytes += record;
            int which = kind == 0 ? COUNT_DELETED : kind == 1 ? COUNT_WAYPOINTS : COUNT_THERMALS;
            if (++reference[which] % 100 == 0)
                expected += std::to_string(which) + ":" + std::to_string(reference[which]) + " ";
        }
        WaypointStore in;
        ASSERT_TRUE(OpenWaypointStore(&in, ScratchFile("count.skt", bytes + "tail").c_str()));
        WaypointCount which;
        while (CountWaypointsToStep(&in, counts, &which))
            steps += std::to_string(which) + ":" + std::to_string(counts[which]) + " ";
        CloseWaypointStore(&in);
        EXPECT_EQ(steps, expected);
        EXPECT_EQ(std::vector<uint32_t>(counts, counts + 3), std::vector<uint32_t>(reference, reference + 3));
    }
}

// The export writes degrees from integers; printf of the same double is
// the reference, down to the rounding of exact ties to the even digit.
TEST(WaypointExport, DegreesMatchPrintfIncludingTies)
{
    auto expectPrintf = [](double value) {
        char own[128], printed[128];
        own[FormatDegrees(value, own, sizeof own)] = '\0';
        snprintf(printed, sizeof printed, "%14.10f", fabs(value));
        return std::string(own) == printed ? ::testing::AssertionSuccess()
                                           : ::testing::AssertionFailure() << value << ": " << own << " != " << printed;
    };
    const double values[] = {
        0.0, -0.0, 1.0, 47.5, -11.25, 180.0, 360.0, 999.99999999995,
        1.0 / 2048, 3.0 / 2048, 5.0 / 2048, 2047.0 / 2048,     // exact ties at the tenth decimal
        1.0 / 1024, 0.5, 0.25, 12.5 + 1.0 / 2048,
        0.99999999995, 0.999999999949999, 0.99999999999, 9.99999999999999,
        1e-10, 5e-11, 4.9999999999e-11, 1e-300, 4.9e-324,
        2147483647.99999, 2147483648.0, 4294967296.5, 1e15, 1.9497e40,
        1.7976931348623157e308, HUGE_VAL, -HUGE_VAL, NAN,
    };
    for (double value : values)
        EXPECT_TRUE(expectPrintf(value));
    std::mt19937_64 random(20250614);
    for (int i = 0; i < 200000; i++) {
        double value;
        if (i % 2) {
            uint64_t bits = random();
            memcpy(&value, &bits, sizeof value);
        } else {
            value = (double)(random() % 400000000000000ull) / (1ull << (random() % 48));
        }
        ASSERT_TRUE(expectPrintf(value));
    }
}

TEST(WaypointExport, ShortBufferIsCutNotOverrun)
{
    Waypoint point = Decoded(std::string(kExampleRecord, WAYPOINT_RECORD_SIZE));
    char text[40];
    memset(text, '#', sizeof text);
    EXPECT_EQ(FormatWaypointLines(&point, text, 20), 19u);
    EXPECT_EQ(std::string(text), std::string(kExampleLines).substr(0, 19));
    EXPECT_EQ(text[20], '#');
    EXPECT_EQ(FormatDegrees(47.5, text, 5), 4u);
    EXPECT_STREQ(text, " 47.");
    EXPECT_EQ(FormatDegrees(1e300, text, 5), 4u);
}
