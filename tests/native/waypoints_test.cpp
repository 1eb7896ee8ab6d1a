// The waypoint store and the export lines: block reading and counting, and
// short buffers. Every field of the lines is checked against one printf of
// the format by fuzz/fuzz_waypoints.cpp, and the worked example byte for byte
// through the real export under Wine.
#include <gtest/gtest.h>

#include <string.h>

#include <random>
#include <string>
#include <vector>

#include "tests/common/waypoint_example.h"
#include "tests/native/scratch.h"
#include "waypoints/exportformats.h"
#include "waypoints/waypointstore.h"
#include "waypoints/wptformat.h"

// Records carry their own number in the altitude, so that order and
// completeness show across block boundaries; counting in runs must give the
// counts and progress steps of counting record by record.
TEST(WaypointStore, ReadsAndCountsEveryWholeRecordAcrossBlocks)
{
    std::mt19937 random(3005);
    std::string kinds[6] = {"", "\x01", std::string(WAYPOINT_BLOCK_RECORDS, 1)};
    for (int i = 0; i < 2 * WAYPOINT_BLOCK_RECORDS + 777; i++)
        kinds[3] += (char)(random() % 4 == 0 ? random() % 256 : random() % 2);
    kinds[4] = std::string(250, 1) + std::string(100, 0) + std::string(99, 3) + std::string(1, 1);
    kinds[5] = std::string(WAYPOINT_BLOCK_RECORDS + 300, 0) + std::string(WAYPOINT_BLOCK_RECORDS, 9);
    for (const std::string &store : kinds) {
        for (size_t partial : {0, WAYPOINT_RECORD_SIZE - 1}) {
            SCOPED_TRACE(std::to_string(store.size()) + " records and " + std::to_string(partial) + " bytes");
            std::string bytes, expected, steps;
            uint32_t reference[WAYPOINT_COUNTS] = {0, 0, 0}, counts[WAYPOINT_COUNTS] = {0, 0, 0};
            for (size_t i = 0; i < store.size(); i++) {
                std::string record(WAYPOINT_RECORD_SIZE, '\xEE');
                record[8] = (char)(i >> 8);
                record[9] = (char)i;
                record[WAYPOINT_KIND_OFFSET] = store[i];
                bytes += record;
                int which = store[i] == 0 ? COUNT_DELETED : store[i] == 1 ? COUNT_WAYPOINTS : COUNT_THERMALS;
                if (++reference[which] % 100 == 0)
                    expected += std::to_string(which) + ":" + std::to_string(reference[which]) + " ";
            }
            std::string path = ScratchFile("store.skt", bytes + std::string(partial, '\x01'));
            WaypointStore in;
            ASSERT_TRUE(OpenWaypointStore(&in, path.c_str()));
            WaypointCount which;
            while (CountWaypointsToStep(&in, counts, &which))
                steps += std::to_string(which) + ":" + std::to_string(counts[which]) + " ";
            CloseWaypointStore(&in);
            EXPECT_EQ(steps, expected);
            EXPECT_EQ(std::vector<uint32_t>(counts, counts + 3), std::vector<uint32_t>(reference, reference + 3));

            ASSERT_TRUE(OpenWaypointStore(&in, path.c_str()));
            size_t read = 0;
            Waypoint point;
            while (ReadWaypoint(&in, &point)) {
                ASSERT_EQ(point.altitude, (int16_t)read);
                ASSERT_EQ(point.kind, (uint8_t)store[read]);
                read++;
            }
            EXPECT_FALSE(ReadWaypoint(&in, &point)) << "the end stays the end";
            CloseWaypointStore(&in);
            EXPECT_EQ(read, store.size());
        }
    }
    WaypointStore missing;
    EXPECT_FALSE(OpenWaypointStore(&missing, ScratchPath("no/such.skt").c_str()));
}

TEST(WaypointExport, ShortBufferIsCutNotOverrun)
{
    Waypoint point;
    DecodeWaypoint((const uint8_t *)kExampleRecord, &point);
    char text[40];
    memset(text, '#', sizeof text);
    EXPECT_EQ(FormatWaypointLines(&point, text, 20), 19u);
    EXPECT_EQ(std::string(text), std::string(kExampleLines).substr(0, 19));
    EXPECT_EQ(text[20], '#');
    EXPECT_EQ(FormatDegrees(47.5, text, 5), 4u);
    EXPECT_STREQ(text, " 47.");
    EXPECT_EQ(FormatDegrees(1e300, text, 5), 4u);
}

// The name's extension decides, in any letter case, else the chosen type;
// folders with dots, types out of range, no room for the extension.
TEST(WaypointExport, FormatFromExtensionElseChosenType)
{
    struct { const char *chosen; unsigned type; const char *path; WaypointFormat format; } cases[] = {
        {"G:\\dir.x\\a", 3, "G:\\dir.x\\a.cup", FORMAT_CUP},
        {"a", 0, "a.wpt", FORMAT_COMPEGPS},
        {"a.Cup", 9, "a.Cup", FORMAT_CUP},
        {"a.gpx.txt", 1, "a.gpx.txt", FORMAT_COMPEGPS},
        {"G:\\abcdefghijk", 2, "G:\\abcdefghijk", FORMAT_GPX},   // no room
    };
    for (auto &c : cases) {
        char path[16];
        snprintf(path, sizeof path, "%s", c.chosen);
        WaypointFormat format;
        EXPECT_EQ(ChooseWaypointFormat(path, sizeof path, c.type, &format), strlen(c.chosen) + 4 < sizeof path);
        EXPECT_EQ(std::string(path) + " " + std::to_string(format), c.path + std::string(" ") + std::to_string(c.format));
    }
}
