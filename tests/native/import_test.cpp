// Reading waypoint files of other programs where readers break, and the
// rules from a point to a store record: shortening, renaming, best fit,
// limits, and the store that adding or replacing writes.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "waypoints/importmap.h"
#include "waypoints/wptformat.h"

// The points of a file, a line each: name|description[/other name]|lat|lon|
// altitude, "-" for what is missing; or "none".
static std::string Read(const std::string &file, WaypointFileKind expectedKind)
{
    static ByteSource source;
    SourceFromMemory(&source, (const uint8_t *)file.data(), file.size());
    PointList list = {NULL, 0, 0, 1000};
    WaypointFileKind kind;
    bool read = ReadWaypointFile(&source, &list, &kind);
    std::vector<SourcePoint> points(list.points, list.points + list.count);
    FreePoints(&list);
    if (!read)
        return "none";
    EXPECT_EQ(kind, expectedKind);
    std::string out;
    for (const SourcePoint &p : points) {
        char line[256];
        snprintf(line, sizeof line, p.hasPosition ? "%s|%s%s%s|%.6f|%.6f|" : "%s|%s%s%s|-|-|", p.name,
                 p.description, p.otherName[0] ? "/" : "", p.otherName, p.latitude, p.longitude);
        out += line;
        snprintf(line, sizeof line, p.hasAltitude ? "%g\n" : "-\n", p.altitude);
        out += line;
    }
    return out;
}

struct ReaderCase {
    const char *what;
    std::string file;
    const char *points;
};

static void ExpectReads(const std::vector<ReaderCase> &cases, WaypointFileKind kind)
{
    for (const ReaderCase &c : cases)
        EXPECT_EQ(Read(c.file, kind), c.points) << c.what;
}

TEST(GpxReader, ReadsAnyLayoutOfXml)
{
    const std::string wpt = "<wpt lat=\"47.5\" lon=\"-11.25\"><ele>1234</ele><name>GIPFEL</name><desc>Nord</desc></wpt>";
    const char *gipfel = "GIPFEL|Nord|47.500000|-11.250000|1234\n";
    ExpectReads({
        {"1.1", "<?xml version=\"1.0\"?><gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">" + wpt + "</gpx>", gipfel},
        {"1.0", "<gpx version=\"1.0\" xmlns=\"http://www.topografix.com/GPX/1/0\">\n  " + wpt + "\n</gpx>", gipfel},
        {"single quotes, blanks", "<gpx ><wpt  lon = '-11.25'\nlat='47.5' ><name >A</name></wpt ></gpx>",
         "A||47.500000|-11.250000|-\n"},
        {"references", "<gpx><wpt lat='1' lon='2'><name>&lt;&#65;&#x42;&amp;&quot;&apos;&gt;&x;</name></wpt></gpx>",
         "<AB&\"'>&x;||1.000000|2.000000|-\n"},
        {"CDATA and comments", "<gpx><!-- <wpt lat='9' lon='9'/> --><wpt lat='1' lon='2'><name><![CDATA[a<b]]]>c</name>"
                               "<cmt>only a comment</cmt></wpt></gpx>",
         "a<b]c|only a comment|1.000000|2.000000|-\n"},
        {"DOCTYPE never expanded", "<!DOCTYPE gpx [<!ENTITY e \"boom\"> <!ELEMENT x '>'>]><gpx><wpt lat='1' lon='2'>"
                                   "<name>&e;</name></wpt></gpx>",
         "&e;||1.000000|2.000000|-\n"},
        {"extensions and prefixes", "<g:gpx xmlns:g='x'><g:metadata><g:name>file</g:name></g:metadata><g:wpt lat='1' "
                                    "lon='2'><g:extensions><g:name>no</g:name><g:ele>9</g:ele></g:extensions>"
                                    "<g:name>yes</g:name></g:wpt></g:gpx>",
         "yes||1.000000|2.000000|-\n"},
        {"byte-order mark and route points", "\xEF\xBB\xBF<gpx><rte><name>task</name><rtept lat='1' lon='2'>"
                                             "<name>T1</name></rtept><rtept lat='3' lon='4'/></rte></gpx>",
         "T1||1.000000|2.000000|-\n||3.000000|4.000000|-\n"},
        {"unreadable coordinates", "<gpx><wpt lat='north' lon='2'><ele>high</ele></wpt></gpx>", "||-|-|-\n"},
        {"another root", "<kml><wpt lat='1' lon='2'/></kml>", "none"},
    }, FILE_GPX);
}

TEST(CupReader, ReadsFilesAsTheyAreWritten)
{
    const char *older = "name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc\r\n";
    const char *current = "name,code,country,lat,lon,elev,style,rwdir,rwlen,rwwidth,freq,desc,userdata,pics\r\n";
    ExpectReads({
        {"no header", "\"Gipfel\",G1,AT,4730.000N,01115.000W,1234m,1,,,,Nord\n", "G1|Nord/Gipfel|47.500000|-11.250000|1234\n"},
        {"11 columns", std::string(older) + "Gipfel,,AT,4730.000N,01115.000W,1234m,1,,,,Nord\r\n",
         "Gipfel|Nord|47.500000|-11.250000|1234\n"},
        {"14 columns", std::string(current) + "Gipfel,GIP,AT,4730.000S,01115.000E,1234.4m,1,,,,,Nord,x,y\r\n",
         "GIP|Nord/Gipfel|-47.500000|11.250000|1234.4\n"},
        {"other words", "Title,Code,Latitude,Longitude,Elevation,Description\nA,,4730.000N,01115.000E,,Nord\n",
         "A|Nord|47.500000|11.250000|-\n"},
        {"quotes", std::string(older) + "\"Rabbit holes, 20\" ditch\",\"\"\"Q\"\"\",,4730.000N,01115.000W,100ft,1,,,,"
                                        "\"a, \"\"b\"\"\"\n",
         "\"Q\"|a, \"b\"/Rabbit holes, 20\" ditch|47.500000|-11.250000|30.48\n"},
        {"blanks around fields", std::string(older) + "  A  ,  , AT , 4730.000N , 01115.000W , 10 m ,1\n",
         "A||47.500000|-11.250000|10\n"},
        {"tasks section", std::string(older) + "A,,,4730.000N,01115.000W,,1\n-----Related Tasks-----\nB,,,4730.000N,01115.000W,,1\n",
         "A||47.500000|-11.250000|-\n"},
        {"UTF-8", "\xEF\xBB\xBF" + std::string(older) + "K\xC3\xB6ssen \xC5\x81\xC4\x85ka,,,4730.000N,01115.000W,,1\n",
         "K\xF6ssen Laka||47.500000|-11.250000|-\n"},
        {"Windows-1252", std::string(older) + "K\xF6ssen \x80,,,4730.000N,01115.000W,,1\n",
         "K\xF6ssen \x80||47.500000|-11.250000|-\n"},
        {"bad coordinates", std::string(older) + "A,,,4760.001N,01115.000W,,1\n", "A||-|-|-\n"},
        {"no coordinates at all", "some text\nwithout, any, points\n", "none"},
    }, FILE_CUP);
}

TEST(CompeGpsReader, ReadsItsFieldsAfterNamesWithBlanks)
{
    // Names as the export pads them, and the degree sign in four forms.
    const struct { const char *name, *sign, *read; } lines[] = {
        {"GIPFEL ", "\xBA", "GIPFEL"},          // the export's byte
        {"GIPFELX ", "\xC2\xBA", "GIPFELX"},    // as UTF-8
        {"A B C  ", "\xB0", "A B C"},           // a degree sign
        {"NO A 1 ", "\xEF\xBF\xBD", "NO A 1"},  // mangled by an editor
    };
    std::string file = "G  WGS 84\r\nU  1\r\n", expected;
    for (const auto &l : lines) {
        file += std::string("W  ") + l.name + "A 47.5000007526" + l.sign + "N 11.2500003131" + l.sign +
                "W 27-MAR-62 00:00:00 1234.000000 Start Nord\r\nw  Waypoint,0,-1.0,16777215,255,1,7,,0.0,\r\n";
        expected += std::string(l.read) + "|Start Nord|47.500001|-11.250000|1234\n";
    }
    EXPECT_EQ(Read(file, FILE_COMPEGPS), expected);
    EXPECT_EQ(Read("G  WGS 84\r\nU  0\r\nW  A      A 1\xBAN 2\xBA" "E x y 3 d\r\n", FILE_COMPEGPS), "none");
}

static SourcePoint Point(const char *name, const char *description, double latitude, double longitude,
                         double altitude = 0, bool hasAltitude = true)
{
    SourcePoint p = {};
    snprintf(p.name, sizeof p.name, "%s", name);
    snprintf(p.description, sizeof p.description, "%s", description);
    p.latitude = latitude;
    p.longitude = longitude;
    p.hasPosition = true;
    p.altitude = altitude;
    p.hasAltitude = hasAltitude;
    return p;
}

// name|description|altitude|notes of a record.
static std::string Describe(const uint8_t *record, uint8_t notes)
{
    Waypoint w;
    DecodeWaypoint(record, &w);
    return std::string(w.name) + "|" + w.description + "|" + std::to_string(w.altitude) + "|" + std::to_string(notes);
}

TEST(ImportMapping, NamesDescriptionsPositionsAndAltitudes)
{
    SourcePoint other = Point("C1", "", 1, 2);
    snprintf(other.otherName, sizeof other.otherName, "Code one");
    SourcePoint noPosition = Point("X", "", 0, 0);
    noPosition.hasPosition = false;
    const struct { SourcePoint point; const char *record; } cases[] = {
        {Point("KOESSENER", "", 1, 2), "KOESSEN|KOESSENER|0|8"},
        {Point("AB CDE GH", "d", 1, 2), "AB CDE|d|0|8"},
        {Point("", "", 1, 2), "WP00003||0|0"},
        {Point("D", "0123456789012345678901234567890123", 1, 2), "D|0123456789012345678901234567890|0|8"},
        {other, "C1|Code one|0|0"},
        {Point("H", "", 1, 2, 1234.5), "H||1235|0"},
        {Point("H", "", 1, 2, -0.4), "H||0|0"},
        {Point("H", "", 1, 2, 40000), "H||32767|32"},
        {Point("H", "", 1, 2, -32768.4), "H||-32768|0"},
        {Point("H", "", 1, 2, -40000), "H||-32768|32"},
        {Point("H", "", 1, 2, 0, false), "H||0|16"},
        {Point("L", "", 90.0001, 2), "L||0|1"},
        {Point("L", "", 1, -180.0001), "L||0|1"},
        {noPosition, "X||0|1"},
    };
    for (const auto &c : cases) {
        uint8_t record[WAYPOINT_RECORD_SIZE];
        uint8_t notes;
        MapPoint(c.point, 3, record, &notes);
        EXPECT_EQ(Describe(record, notes), c.record);
        EXPECT_EQ(record[WAYPOINT_KIND_OFFSET], KIND_WAYPOINT);
        EXPECT_EQ(std::string((const char *)record + 49, 3), std::string(3, '\0'));
    }
    uint8_t record[WAYPOINT_RECORD_SIZE];
    uint8_t notes;
    MapPoint(Point("G", "", 47.5, -11.25), 1, record, &notes);
    EXPECT_EQ(std::string((const char *)record, 8), "\xBE\x49\x0F\xDB\x3F\x54\x3B\x67");

    const struct { const char *utf8, *windows1252; } texts[] = {
        {"\xC5\x82\xC3\xB3" "d\xC5\xBA", "l\xF3" "dz"}, {"\xE2\x82\xAC \xC5\x92", "\x80 \x8C"},
        {"  a\x01\tb \xCE\xA9  ", "ab _"}, {"\xE2\x88\x92" "5", "-5"},
    };
    for (const auto &t : texts) {
        char out[POINT_TEXT_SIZE];
        TextToWindows1252(t.utf8, strlen(t.utf8), out);
        EXPECT_EQ(std::string(out), t.windows1252);
    }
}

static std::string StoreRecord(const char *name, uint8_t kind, double latitude = 46, double longitude = 7)
{
    uint8_t record[WAYPOINT_RECORD_SIZE];
    uint8_t notes;
    MapPoint(Point(name, "", latitude, longitude), 1, record, &notes);
    record[WAYPOINT_KIND_OFFSET] = kind;
    return std::string((const char *)record, WAYPOINT_RECORD_SIZE);
}

// The names and kinds of a store's records.
static std::string Names(const std::vector<uint8_t> &store)
{
    std::string names;
    for (size_t at = 0; at + WAYPOINT_RECORD_SIZE <= store.size(); at += WAYPOINT_RECORD_SIZE) {
        Waypoint w;
        DecodeWaypoint(store.data() + at, &w);
        names += std::string(w.name) + "/" + std::to_string(w.kind) + " ";
    }
    return names;
}

TEST(ImportMapping, RepeatsRenamingAndBothModes)
{
    // 0.0003 degrees of latitude are 33 m, 0.001 are 111 m.
    std::string store = StoreRecord("GIPFEL", 1) + StoreRecord("OLD", 1) + StoreRecord("DEL", 0) +
                        StoreRecord("KOESSEN", 3) + StoreRecord("SEEN", 0) + "\x01\x02";
    std::vector<SourcePoint> points = {
        Point("GIPFEL", "", 46.0003, 7),       // on the instrument, when adding
        Point("KOESSENER", "", 46, 7),         // shortened onto a thermal's name
        Point("KOESSENER", "", 46.0003, 7),    // a repeat: not listed
        Point("KOESSENER", "", 46.001, 7),     // the same source name elsewhere
        Point("KOESSENXY", "", 46.01, 7),
        Point("SEEN", "", 46, 7),              // a deleted waypoint's name: written
        Point("OLD", "", 47, 7),               // the name of a waypoint far away
        Point("LAKE", "", 95, 7),              // invalid
    };
    const struct { ImportMode mode; const char *rows; const char *store; uint32_t written, after; } modes[] = {
        {IMPORT_ADD,
         "GIPFEL|2|0 KOESSE2|12|1 KOESSE2|12|1 KOESSE3|12|1 SEEN|0|1 OLD|0|1 LAKE|1|0 ",
         "GIPFEL/1 OLD/1 DEL/0 KOESSEN/3 SEEN/0 KOESSE2/1 KOESSE2/1 KOESSE3/1 SEEN/1 OLD/1 ", 5, 7},
        {IMPORT_REPLACE,
         "GIPFEL|0|1 KOESSE2|12|1 KOESSE2|12|1 KOESSE3|12|1 SEEN|0|1 OLD|0|1 LAKE|1|0 ",
         "DEL/0 KOESSEN/3 SEEN/0 GIPFEL/1 KOESSE2/1 KOESSE2/1 KOESSE3/1 SEEN/1 OLD/1 ", 6, 6},
    };
    for (const auto &m : modes) {
        ImportPlan plan = {};
        ASSERT_TRUE(PlanImport(points.data(), points.size(), (const uint8_t *)store.data(), store.size(), m.mode, &plan));
        std::string rows;
        for (const ImportRow &row : std::vector<ImportRow>(plan.rows, plan.rows + plan.rowCount)) {
            Waypoint w;
            DecodeWaypoint(row.record, &w);
            rows += std::string(w.name) + "|" + std::to_string(row.notes) + "|" + (row.written ? "1 " : "0 ");
        }
        EXPECT_EQ(rows, m.rows);
        EXPECT_EQ(plan.pointsRead, 8u);
        EXPECT_EQ(plan.toWrite, m.written);
        EXPECT_EQ(plan.waypointsAfter, m.after);
        std::vector<uint8_t> out(PlannedStoreSize(&plan, (const uint8_t *)store.data(), store.size(), m.mode));
        BuildStore(&plan, (const uint8_t *)store.data(), store.size(), m.mode, out.data());
        FreeImportPlan(&plan);
        EXPECT_EQ(Names(out), m.store);
        // Kept records keep every byte.
        if (m.mode == IMPORT_ADD) {
            EXPECT_EQ(std::string(out.begin(), out.begin() + 5 * WAYPOINT_RECORD_SIZE), store.substr(0, 5 * 52));
        }
    }

    // Numbers replace as many characters as they need.
    std::string taken = StoreRecord("KOESSEN", 1, 1);
    for (int n = 2; n <= 9; n++)
        taken += StoreRecord(("KOESSE" + std::to_string(n)).c_str(), 2);
    ImportPlan plan = {};
    SourcePoint koessener = Point("KOESSENER", "", 46, 7);
    ASSERT_TRUE(PlanImport(&koessener, 1, (const uint8_t *)taken.data(), taken.size(), IMPORT_ADD, &plan));
    EXPECT_EQ(Describe(plan.rows[0].record, plan.rows[0].notes), "KOESS10|KOESSENER|0|12");
    FreeImportPlan(&plan);
}
