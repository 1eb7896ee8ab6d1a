// The flight book's reader on the logs that break readers, and the bytes it
// reads of a big log. The dates' two forms, a log without fixes, an empty one
// and a flight over midnight, the rows' order and CSV lines are checked on the
// page (tests/win/flightbook_test.cpp) and by tests/checks/check_flight_book.py.
#include <gtest/gtest.h>

#include <stdio.h>
#include <unistd.h>

#include <string>

#include "device/stream.h"
#include "flights/flightlog.h"
#include "tests/native/scratch.h"

static const std::string kHead = "AZIR001 Zirkano 2.0\r\nHFDTEDATE:140625,01\r\nHFGTYGLIDERTYPE: Nova Mentor 7 \r\n";

// The row's fields: date|start|landing|duration|glider.
static std::string Fields(const std::string &bytes)
{
    static int count;
    std::string path = ScratchFile("log" + std::to_string(count++) + ".igc", bytes);
    FlightRow row;
    ReadFlightLog(path.c_str(), "2025\\06\\x.igc", bytes.size() % 2 ? -1 : (int64_t)bytes.size(), &row);
    EXPECT_STREQ(row.file, "2025\\06\\x.igc");
    return std::string(row.date) + "|" + row.start + "|" + row.landing + "|" + row.duration + "|" + row.glider;
}

TEST(FlightLog, FieldsOfTheLogsThatBreakReaders)
{
    std::string filler;
    for (int i = 0; i < 2000; i++)
        filler += "LZIRNOTE 0123456789\r\n";   // 42,000 bytes
    const struct { const char *name; std::string bytes, fields; } cases[] = {
        {"old date form, 80 is 1980", "HFDTE010380\r\n" + IgcFix("101010"), "01.03.1980|10:10:10|10:10:10|0:00|"},
        {"79 is 2079", "HFDTE311279\n" + IgcFix("000000"), "31.12.2079|00:00:00|00:00:00|0:00|"},
        {"no date, LF only", "HFGTYGLIDERTYPE:Ozone\n" + IgcFix("100000", "\n") + IgcFix("113059", "\n"), "|10:00:00|11:30:59|1:30|Ozone"},
        {"no line end at the end", kHead + IgcFix("100000") + IgcFix("110000", ""), "14.06.2025|10:00:00|11:00:00|1:00|Nova Mentor 7"},
        {"cut short last fix", kHead + IgcFix("100000") + IgcFix("101500") + "B10160047398", "14.06.2025|10:00:00|10:15:00|0:15|Nova Mentor 7"},
        {"invalid times do not count", kHead + IgcFix("245900") + IgcFix("106000") + IgcFix("100000") + IgcFix("110061") + "B1100004739822N\r\n",
         "14.06.2025|10:00:00|10:00:00|0:00|Nova Mentor 7"},
        {"NUL bytes", kHead.substr(0, 42) + std::string("HFGTYGLIDERTYPE: Wing \0x", 24) + "\r\n" + IgcFix("100000") +
                          std::string("\0\0\0", 3) + "\r\n" + IgcFix("120000"), "14.06.2025|10:00:00|12:00:00|2:00|Wing"},
        {"fixes beyond the head", kHead + filler + filler + IgcFix("100000") + IgcFix("120000"), "14.06.2025||12:00:00||Nova Mentor 7"},
        {"a long tail after the last fix", kHead + IgcFix("100000") + IgcFix("120000") + filler, "14.06.2025|10:00:00|12:00:00|2:00|Nova Mentor 7"},
        {"a tail of other records only", kHead + IgcFix("100000") + filler + filler, "14.06.2025|10:00:00|||Nova Mentor 7"},
        // The glider from any source, the pilot's (O) as the instrument writes it.
        {"O record only", "HOGTYGLIDERTYPE: Ozone Rush 6 \r\n" + IgcFix("100000"), "|10:00:00|10:00:00|0:00|Ozone Rush 6"},
        {"empty F, then O", "HFGTYGLIDERTYPE: \r\nHOGTYGLIDERTYPE:Ozone\r\n" + IgcFix("100000"), "|10:00:00|10:00:00|0:00|Ozone"},
        {"O, then F: the first wins", "HOGTYGLIDERTYPE:Ozone\r\n" + kHead + IgcFix("100000"),
         "14.06.2025|10:00:00|10:00:00|0:00|Ozone"},
        {"empty F and O, then P", "HFGTYGLIDERTYPE:\nHOGTYGLIDERTYPE:\nHPGTYGLIDERTYPE:Gin\nHOGTYGLIDERTYPE:Ozone\n" + IgcFix("100000"),
         "|10:00:00|10:00:00|0:00|Gin"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Fields(c.bytes), c.fields) << c.name;
}

// A log of 2 GB and more (sparse on disk) is read at its head and tail
// alone: two steps of 4 KiB.
TEST(FlightLog, BigLogIsReadAtItsHeadAndTailOnly)
{
    std::string path = ScratchFile("big.igc", kHead + IgcFix("080000"));
    FILE *file = fopen(path.c_str(), "r+b");
    ASSERT_TRUE(file);
    ASSERT_EQ(fseeko(file, (off_t)1 << 31, SEEK_SET), 0);
    std::string tail = "\r\n" + IgcFix("180001") + "G0123456789ABCDEF\r\n";
    fwrite(tail.data(), 1, tail.size(), file);
    fclose(file);
    uint64_t before = g_streamBytesRead;
    FlightRow row;
    ReadFlightLog(path.c_str(), "big.igc", -1, &row);
    EXPECT_LE(g_streamBytesRead - before, 2u * 4096);
    EXPECT_STREQ(row.landing, "18:00:01");
    EXPECT_EQ(row.minutes, 600);
    unlink(path.c_str());
}
