// The waypoint store and the export file: decoding, block reading, and the
// exact bytes of the exported lines.
#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <random>
#include <string>

#include "tests/common/waypoint_example.h"
#include "tests/native/scratch.h"
#include "waypoints/waypointstore.h"
#include "waypoints/wptformat.h"

static uint32_t FloatBits(float value)
{
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    return bits;
}

static void PutBigEndian(std::string &record, size_t at, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        record[at + i] = (char)(value >> (8 * (bytes - 1 - i)));
}

// One 52-byte record; the reserved bytes hold junk that must not matter.
static std::string Record(uint32_t longitudeBits, uint32_t latitudeBits, int altitude,
                          const std::string &description, const std::string &name, uint8_t kind)
{
    std::string record(WAYPOINT_RECORD_SIZE, '\0');
    PutBigEndian(record, 0, longitudeBits, 4);
    PutBigEndian(record, 4, latitudeBits, 4);
    PutBigEndian(record, 8, (uint16_t)altitude, 2);
    record.replace(10, description.size(), description);
    record.replace(41, name.size(), name);
    record[48] = (char)kind;
    record.replace(49, 3, "\xEE\xEE\xEE");
    return record;
}

static std::string Point(float longitude, float latitude, int altitude, const std::string &name, uint8_t kind)
{
    return Record(FloatBits(longitude), FloatBits(latitude), altitude, "Beschreibung", name, kind);
}

static Waypoint Decoded(const std::string &record)
{
    Waypoint point;
    DecodeWaypoint((const uint8_t *)record.data(), &point);
    return point;
}

static std::string Lines(const std::string &record)
{
    Waypoint point = Decoded(record);
    char text[WAYPOINT_LINES_SIZE];
    size_t length = FormatWaypointLines(&point, text, sizeof text);
    EXPECT_EQ(length, strlen(text));
    return std::string(text, length);
}

// The export itself, through its text stream, runs under Wine.
TEST(WaypointExport, WorkedExampleByteForByte)
{
    ASSERT_EQ(sizeof kExampleRecord - 1, (size_t)WAYPOINT_RECORD_SIZE);
    std::string expected = kExampleLines;
    for (size_t at; (at = expected.find('\r')) != std::string::npos;)
        expected.erase(at, 1);
    EXPECT_EQ(Lines(std::string(kExampleRecord, WAYPOINT_RECORD_SIZE)), expected);
}

TEST(WaypointStore, DecodesBigEndianFieldsAndBoundsTheTexts)
{
    // Text fields end at their first NUL or, without one, at the field's end.
    Waypoint point = Decoded(Record(0x3F800000, 0xC0490FDB, -5, std::string("ab\0cd", 5), "NAME7CH", 200));
    EXPECT_EQ(point.longitude, 1.0f);
    EXPECT_EQ(point.latitude, -3.14159274f);
    EXPECT_EQ(point.altitude, -5);
    EXPECT_STREQ(point.description, "ab");
    EXPECT_STREQ(point.name, "NAME7CH");
    EXPECT_EQ(point.kind, 200);
    point = Decoded(Record(0, 0, -32768, std::string(31, 'D'), std::string("x\0yz", 4), 0));
    EXPECT_EQ(std::string(point.description), std::string(31, 'D'));
    EXPECT_STREQ(point.name, "x");
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
        for (size_t i = 0; i < c.records; i++)
            bytes += Record(0, 0, (int)(i % 30000), "", "", (uint8_t)(i % 7));
        bytes += std::string(c.extraBytes, '\x01');
        WaypointStore store;
        ASSERT_TRUE(OpenWaypointStore(&store, ScratchFile("store.skt", bytes).c_str()));
        size_t read = 0;
        Waypoint point;
        while (ReadWaypoint(&store, &point)) {
            ASSERT_EQ(point.altitude, (int)(read % 30000)) << c.records << " records, record " << read;
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

TEST(WaypointExport, FieldsAsTheFormatWritesThem)
{
    struct { std::string record; const char *part; } cases[] = {
        // Names fill seven columns or take one blank.
        {Point(0, 0, 0, "", 1), "W         A "},
        {Point(0, 0, 0, "A", 1), "W  A      A "},
        {Point(0, 0, 0, "ABCDEF", 1), "W  ABCDEF A "},
        {Point(0, 0, 0, "ABCDEFG", 1), "W  ABCDEFG A "},
        // Altitudes right-aligned in five columns or wider.
        {Point(0, 0, -5, "P", 1), "00:00:00   -5.000000 Beschreibung\n"},
        {Point(0, 0, 12345, "P", 1), "00:00:0012345.000000 "},
        {Point(0, 0, -12345, "P", 1), "00:00:00-12345.000000 "},
        {Point(0, 0, -32768, "P", 1), "00:00:00-32768.000000 "},
        // The hemisphere comes from the stored sign, even where the degrees round to zero.
        {Point(0.0f, 0.0f, 0, "P", 1), "A  0.0000000000\xBAN  0.0000000000\xBA" "E "},
        {Point(-0.0f, -0.0f, 0, "P", 1), "A  0.0000000000\xBAN  0.0000000000\xBA" "E "},
        {Point(-0.19634955f, -0.82903141f, 0, "P", 1), "A 47.5000007526\xBAS 11.2500003131\xBAW "},
        {Point(3.14159274f, 1.57079637f, 0, "P", 1), "A 90.0000025045\xBAN180.0000050090\xBA" "E "},
        {Point(-1e-20f, -1e-30f, 0, "P", 1), "A  0.0000000000\xBAS  0.0000000000\xBAW "},
        // The type word by kind.
        {Point(0, 0, 0, "P", 0), "\nw  DeletedWP,0,-1.0,16777215,255,1,7,,0.0,\n"},
        {Point(0, 0, 0, "P", 1), "\nw  Waypoint,0,-1.0,16777215,255,1,7,,0.0,\n"},
        {Point(0, 0, 0, "P", 2), "\nw  ThermalA,0,"},
        {Point(0, 0, 0, "P", 5), "\nw  ThermalD,0,"},
        {Point(0, 0, 0, "P", 7), "\nw  ThermalF,0,"},
        {Point(0, 0, 0, "P", 255), "\nw  Thermal>,0,"},
        // A full description is written to its field's end.
        {Record(0, 0, 0, "Landeplatz an der Talstation 31", "NAME7CH", 1), ".000000 Landeplatz an der Talstation 31\nw  "},
    };
    for (auto &c : cases)
        EXPECT_NE(Lines(c.record).find(c.part), std::string::npos) << Lines(c.record) << "lacks " << c.part;
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
