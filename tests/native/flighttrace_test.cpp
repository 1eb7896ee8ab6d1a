// The flight trace's reader and numbers on the logs that break them. The
// sample flights' numbers are checked against igc-parser's fixes
// (tests/checks/igc_parser/check_flight_numbers.js); their forms and the
// pictures under Wine (tests/win/flightview_test.cpp).
#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>

#include <string>

#include "flights/flighttrace.h"
#include "tests/native/scratch.h"

static FlightTrace g_trace;

// A fix: time HHMMSS, latitude DDMMmmmN, longitude DDDMMmmmE, validity,
// pressure and GPS altitude, as they stand in the record.
static std::string Fix(const char *time, const char *position = "4740000N01130000E", char validity = 'A',
                       const char *altitudes = "0100000980")
{
    return std::string("B") + time + position + validity + altitudes + "\r\n";
}

// fixes|start|landing|seconds|max GPS|max pressure|start altitude|max climb|
// max sink|track|straight|farthest, in metres and m/s; "-" for none.
static std::string Numbers(const std::string &log)
{
    // Fed in pieces of 7 bytes, as blocks may cut lines anywhere.
    StartFlightTrace(&g_trace);
    for (size_t at = 0; at < log.size(); at += 7)
        FeedFlightTrace(&g_trace, log.data() + at, log.size() - at < 7 ? log.size() - at : 7);
    EndFlightTrace(&g_trace);
    const FlightTrace *t = &g_trace;
    char text[256], start[9] = "-", landing[9] = "-", climbs[32] = "-|-";
    if (t->fixes > 0) {
        FormatTimeOfDay(start, FixTimeOfDay(t, &t->takeOff));
        FormatTimeOfDay(landing, FixTimeOfDay(t, &t->landing));
    }
    ClimbSeries series = TraceClimbSeries(t);
    if (t->hasClimb[series])
        snprintf(climbs, sizeof climbs, "%.2f|%.2f", t->highClimb[series], t->lowClimb[series]);
    int32_t startAltitude = 0;
    bool hasStart = TraceStartAltitude(t, &startAltitude);
    auto whole = [](bool known, long value) { return known ? std::to_string(value) : std::string("-"); };
    snprintf(text, sizeof text, "%u|%s|%s|%ld|%s|%s|%s|%s|%.0f|%.0f|%.0f", (unsigned)t->fixes, start, landing,
             (long)t->landing.time, whole(t->hasGps, t->highGps).c_str(), whole(t->hasPressure, t->highPressure).c_str(),
             whole(hasStart, startAltitude).c_str(), climbs, t->trackLength, t->straightLine, t->farthest);
    return text;
}

TEST(FlightTrace, NumbersOfTheLogsThatBreakThem)
{
    const struct { const char *name; std::string log, numbers; } cases[] = {
        {"no fix", "HFDTEDATE:140625,01\r\nB1000004740000N01130000\r\n", "0|-|-|0|-|-|-|-|-|0|0|0"},
        {"one fix, no line end", Fix("100000").substr(0, 35), "1|10:00:00|10:00:00|0|980|1000|1000|-|-|0|0|0"},
        {"midnight, then a second step back is left out",
         Fix("235950") + Fix("000010") + Fix("120000") + Fix("000020"), "3|23:59:50|12:00:00|43210|980|1000|1000|0.00|0.00|0|0|0"},
        {"repeated and backward times are left out",
         Fix("100000") + Fix("100000") + Fix("095959") + Fix("100030", "4740000N01130000E", 'A', "0103000980"),
         "2|10:00:00|10:00:30|30|980|1030|1000|1.00|1.00|0|0|0"},
        {"minutes of 60 and a bad hemisphere are no fixes",
         Fix("100000", "4760000N01130000E") + Fix("100001", "4740000N01160000E") + Fix("100002", "4740000X01130000E") +
             Fix("100003", "4759999S17959999W"), "1|10:00:03|10:00:03|0|980|1000|1000|-|-|0|0|0"},
        // V fixes give position and pressure, not the GPS altitude; the
        // climb is over the last fix at least 20 s before: 0 s for 25 s,
        // 15 s for 40 s.
        {"V fixes and the climb's span",
         Fix("100000", "4740000N01130000E", 'A', "0100001000") + Fix("100015", "4740000N01130000E", 'V', "0110009999") +
             Fix("100025", "4740000N01130000E", 'A', "0105001200") + Fix("100040", "4740000N01130000E", 'A', "0090001100"),
         "4|10:00:00|10:00:40|40|1200|1100|1000|2.00|-8.00|0|0|0"},
        // Without pressure altitude the climb is the "A" fixes' GPS altitude.
        {"no pressure altitude",
         Fix("100000", "4740000N01130000E", 'A', "0000001000") + Fix("100020", "4740000N01130000E", 'V', "0000009999") +
             Fix("100030", "4740000N01130000E", 'A', "00000-0020"),
         "3|10:00:00|10:00:30|30|1000|-|1000|-34.00|-34.00|0|0|0"},
        // 1 minute of arc is 1853.25 m on the FAI sphere.
        {"south and west, and across longitude 180",
         Fix("100000", "0000000S17959000E") + Fix("100100", "0000000N17959000W") + Fix("100200", "0001000S17959000W"),
         "3|10:00:00|10:02:00|120|980|1000|1000|0.00|0.00|5560|4144|4144"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Numbers(c.log), c.numbers) << c.name;
    // The box east of the take-off goes across 180, not around the world.
    EXPECT_NEAR(g_trace.eastmost * 60, 2, 1e-9);
    EXPECT_EQ(g_trace.westmost, 0);
}

// Five thousand fixes a second apart, climbing 2 m/s, outgrow the columns:
// pairs join, each column keeps its first fix and the extremes of its span.
TEST(FlightTrace, LogLongerThanTheColumns)
{
    std::string log;
    for (int i = 0; i < 5000; i++) {
        int seconds = 10 * 3600 + i;
        char time[8], altitudes[12];
        snprintf(time, sizeof time, "%02d%02d%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
        snprintf(altitudes, sizeof altitudes, "%05d%05d", 1000 + 2 * i, 900);
        log += Fix(time, "4740000N01130000E", 'A', altitudes);
    }
    EXPECT_EQ(Numbers(log), "5000|10:00:00|11:23:19|4999|900|10998|1000|2.00|2.00|0|0|0");
    ASSERT_EQ(g_trace.columnSeconds, 8);
    for (int c = 0; c < TRACE_COLUMNS; c++) {
        const TraceColumn &column = g_trace.columns[c];
        ASSERT_EQ(column.used, c * 8 < 5000) << c;
        if (!column.used)
            continue;
        int last = c * 8 + 7 < 4999 ? c * 8 + 7 : 4999;
        EXPECT_EQ(column.first.time, c * 8);
        EXPECT_EQ(column.lowPressure, 1000 + 2 * c * 8);
        EXPECT_EQ(column.highPressure, 1000 + 2 * last);
    }
    // The pointer's fix: the nearest kept one, the landing included.
    EXPECT_EQ(NearestTraceFix(&g_trace, 13)->time, 16);
    EXPECT_EQ(NearestTraceFix(&g_trace, 11.9)->time, 8);
    EXPECT_EQ(NearestTraceFix(&g_trace, 4998)->time, 4999);
    EXPECT_EQ(NearestTraceFix(&g_trace, -50)->time, 0);
}
