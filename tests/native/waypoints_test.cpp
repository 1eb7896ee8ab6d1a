// The waypoint store and the export file: decoding, block reading, counting,
// and the exact bytes of the exported lines.
#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <random>
#include <string>

#include "device/stream.h"
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

// Exports the window from a store of these bytes; the file's bytes.
static std::string Exported(const std::string &storeBytes, KindWindow window, uint32_t *count)
{
    std::string store = ScratchFile("WAYPOINTS/waypoints.skt", storeBytes);
    std::string output = ScratchPath("waypoints.wpt");
    WaypointStore in;
    Stream out;
    EXPECT_TRUE(OpenWaypointStore(&in, store.c_str()));
    EXPECT_TRUE(OpenStream(&out, output.c_str(), "wt"));
    WriteText(&out, kWaypointFileHeader);
    *count = WriteWaypointsOfKinds(&in, &out, window);
    CloseWaypointStore(&in);
    EXPECT_TRUE(CloseStream(&out));
    return ReadFileBytes(output);
}

TEST(WaypointExport, WorkedExampleByteForByte)
{
    std::string record(kExampleRecord, WAYPOINT_RECORD_SIZE);
    ASSERT_EQ(sizeof kExampleRecord - 1, (size_t)WAYPOINT_RECORD_SIZE);
    uint32_t count = 99;
    EXPECT_EQ(Exported(record, KindWindow{1, 1}, &count), std::string("G  WGS 84\r\nU  1\r\n") + kExampleLines);
    EXPECT_EQ(count, 1u);
}

TEST(WaypointStore, DecodesBigEndianFieldsAndBoundsTheTexts)
{
    // Both text fields full, without a NUL: each ends at its own field.
    std::string full = Record(0x3F800000, 0xC0490FDB, -5, std::string(31, 'D'), "NAME7CH", 200);
    Waypoint point = Decoded(full);
    EXPECT_EQ(point.longitude, 1.0f);
    EXPECT_EQ(point.latitude, -3.14159274f);
    EXPECT_EQ(point.altitude, -5);
    EXPECT_EQ(std::string(point.description), std::string(31, 'D'));
    EXPECT_STREQ(point.name, "NAME7CH");
    EXPECT_EQ(point.kind, 200);

    // A NUL ends a field early; bytes behind it are not text.
    std::string early = Record(0, 0, -32768, std::string("ab\0cd", 5), std::string("x\0yz", 4), 0);
    point = Decoded(early);
    EXPECT_STREQ(point.description, "ab");
    EXPECT_STREQ(point.name, "x");
    EXPECT_EQ(point.altitude, -32768);
    EXPECT_EQ(Decoded(Record(0, 0, 0x7FFF, "", "", 1)).altitude, 32767);
}

// Stores whose records carry their own number in the altitude, so that
// order and completeness show across block boundaries.
TEST(WaypointStore, ReadsEveryWholeRecordInOrderAndDropsAPartialOne)
{
    const size_t block = WAYPOINT_BLOCK_RECORDS;
    struct { size_t records, extraBytes; } cases[] = {
        {0, 0}, {0, 51}, {1, 0}, {1, 1}, {2, 51}, {block, 0}, {block, 51},
        {block + 1, 0}, {2 * block, 0}, {2 * block + 3, 20},
    };
    for (auto &c : cases) {
        std::string bytes;
        for (size_t i = 0; i < c.records; i++)
            bytes += Record(0, 0, (int)(i % 30000), "", "", (uint8_t)(i % 7));
        bytes += std::string(c.extraBytes, '\x01');
        std::string path = ScratchFile("store.skt", bytes);
        WaypointStore store;
        ASSERT_TRUE(OpenWaypointStore(&store, path.c_str()));
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

TEST(WaypointExport, NamesFillSevenColumnsOrTakeOneBlank)
{
    struct { const char *name; const char *start; } cases[] = {
        {"", "W         A"},
        {"A", "W  A      A"},
        {"ABCDEF", "W  ABCDEF A"},
        {"ABCDEFG", "W  ABCDEFG A"},
    };
    for (auto &c : cases)
        EXPECT_EQ(Lines(Point(0, 0, 0, c.name, 1)).substr(0, strlen(c.start)), c.start) << c.name;
}

TEST(WaypointExport, AltitudeRightAlignedInFiveColumnsOrWider)
{
    struct { int altitude; const char *text; } cases[] = {
        {-5, "   -5"}, {0, "    0"}, {1234, " 1234"}, {12345, "12345"},
        {-1234, "-1234"}, {-12345, "-12345"}, {-32768, "-32768"}, {32767, "32767"},
    };
    for (auto &c : cases) {
        std::string expected = std::string(" 27-MAR-62 00:00:00") + c.text + ".000000 Beschreibung\n";
        EXPECT_NE(Lines(Point(0, 0, c.altitude, "P", 1)).find(expected), std::string::npos) << c.altitude;
    }
}

TEST(WaypointExport, HemisphereFromTheStoredSign)
{
    struct { float longitude, latitude; const char *coordinates; } cases[] = {
        {0.0f, 0.0f, "A  0.0000000000\xBAN  0.0000000000\xBA" "E "},
        {-0.0f, -0.0f, "A  0.0000000000\xBAN  0.0000000000\xBA" "E "},
        {-0.19634955f, -0.82903141f, "A 47.5000007526\xBAS 11.2500003131\xBAW "},
        {3.14159274f, 1.57079637f, "A 90.0000025045\xBAN180.0000050090\xBA" "E "},
        // A value that rounds to zero keeps its own hemisphere letter.
        {-1e-20f, -1e-30f, "A  0.0000000000\xBAS  0.0000000000\xBAW "},
    };
    for (auto &c : cases)
        EXPECT_NE(Lines(Point(c.longitude, c.latitude, 0, "P", 1)).find(c.coordinates), std::string::npos)
            << c.coordinates;
}

TEST(WaypointExport, TypeWordByKind)
{
    struct { uint8_t kind; const char *line; } cases[] = {
        {0, "w  DeletedWP,"}, {1, "w  Waypoint,"}, {2, "w  ThermalA,"}, {3, "w  ThermalB,"},
        {4, "w  ThermalC,"}, {5, "w  ThermalD,"}, {7, "w  ThermalF,"}, {255, "w  Thermal>,"},
    };
    for (auto &c : cases) {
        std::string lines = Lines(Point(0, 0, 0, "P", c.kind));
        EXPECT_EQ(lines.substr(lines.find("\nw") + 1),
                  std::string(c.line) + "0,-1.0,16777215,255,1,7,,0.0,\n") << (int)c.kind;
    }
}

TEST(WaypointExport, FullDescriptionWrittenToItsFieldsEnd)
{
    std::string description = "Landeplatz an der Talstation 31";
    ASSERT_EQ(description.size(), 31u);
    std::string lines = Lines(Record(0, 0, 0, description, "NAME7CH", 1));
    EXPECT_NE(lines.find(".000000 " + description + "\nw  Waypoint,"), std::string::npos);
}

TEST(WaypointExport, WindowSelectsKindsInStoreOrder)
{
    std::string store;
    const char *names[] = {"DEL", "WP1", "TA", "TB", "TC", "TD", "T6", "T7", "WP2"};
    const uint8_t kinds[] = {0, 1, 2, 3, 4, 5, 6, 7, 1};
    for (int i = 0; i < 9; i++)
        store += Point(0, 0, i, names[i], kinds[i]);
    store += "partial";
    struct { KindWindow window; uint32_t count; std::string names; } cases[] = {
        {{1, 1}, 2, "WP1 WP2 "}, {{0, 0}, 1, "DEL "}, {{2, 5}, 4, "TA TB TC TD "}, {{8, 255}, 0, ""},
    };
    for (auto &c : cases) {
        uint32_t count = 99;
        std::string file = Exported(store, c.window, &count);
        EXPECT_EQ(count, c.count);
        ASSERT_EQ(file.substr(0, 17), "G  WGS 84\r\nU  1\r\n");
        std::string found;
        for (size_t at = 17, end; (end = file.find("\r\n", at)) != std::string::npos; at = end + 2)
            if (file.compare(at, 3, "W  ") == 0)
                found += file.substr(at + 3, file.find(' ', at + 3) - at - 2);
        EXPECT_EQ(found, c.names);
        EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 2 + 2 * (long)c.count);
    }
}

// The export writes degrees from integers; printf of the same double is
// the reference, down to the rounding of exact ties to the even digit.
static std::string PrintfDegrees(double degrees)
{
    char text[128];
    snprintf(text, sizeof text, "%14.10f", fabs(degrees));
    return text;
}

static std::string OwnDegrees(double degrees)
{
    char text[128];
    size_t length = FormatDegrees(degrees, text, sizeof text);
    return std::string(text, length);
}

TEST(WaypointExport, DegreesMatchPrintfIncludingTies)
{
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
        EXPECT_EQ(OwnDegrees(value), PrintfDegrees(value)) << value;

    std::mt19937_64 random(20250614);
    for (int i = 0; i < 200000; i++) {
        double value;
        if (i % 2) {
            uint64_t bits = random();
            memcpy(&value, &bits, sizeof value);
        } else {
            value = (double)(random() % 400000000000000ull) / (1ull << (random() % 48));
        }
        ASSERT_EQ(OwnDegrees(value), PrintfDegrees(value)) << value;
    }
}

// The lines of the format in one printf call, with pi from its bit pattern.
static std::string PrintfLines(const Waypoint &p)
{
    uint64_t piBits = 0x400921FB54442D19ull;
    double pi;
    memcpy(&pi, &piBits, sizeof pi);
    char type[16];
    if (p.kind == 0)
        snprintf(type, sizeof type, "DeletedWP");
    else if (p.kind == 1)
        snprintf(type, sizeof type, "Waypoint");
    else
        snprintf(type, sizeof type, "Thermal%c", p.kind + 63);
    size_t nameLength = strlen(p.name);
    char text[512];
    snprintf(text, sizeof text,
             "W  %s%*sA%14.10f\xBA%c%14.10f\xBA%c 27-MAR-62 00:00:00%5i.000000 %s\nw  %s,0,-1.0,16777215,255,1,7,,0.0,\n",
             p.name, 7 - (int)(nameLength > 6 ? 6 : nameLength), "", fabs((double)p.latitude * 180 / pi),
             p.latitude < 0 ? 'S' : 'N', fabs((double)p.longitude * 180 / pi), p.longitude < 0 ? 'W' : 'E',
             p.altitude, p.description, type);
    return text;
}

TEST(WaypointExport, LinesMatchOnePrintfForRandomRecords)
{
    std::mt19937 random(52);
    std::uniform_real_distribution<float> angle(-3.2f, 3.2f);
    for (int i = 0; i < 50000; i++) {
        std::string record(WAYPOINT_RECORD_SIZE, '\0');
        for (char &c : record)
            c = (char)random();
        if (i % 2) {
            // Real coordinates; otherwise any bit pattern (NaN, huge, tiny).
            PutBigEndian(record, 0, FloatBits(angle(random)), 4);
            PutBigEndian(record, 4, FloatBits(angle(random) / 2), 4);
            record[10 + random() % 31] = '\0';
            record[41 + random() % 7] = '\0';
        }
        Waypoint point = Decoded(record);
        ASSERT_EQ(Lines(record), PrintfLines(point)) << i;
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
