// The walks' path forming, flight-log names and folder comparison.
#include <gtest/gtest.h>

#include <string.h>
#include <string>

#include "flights/flightpaths.h"

TEST(FlightPaths, PathsUpTo259CharactersAreFormedLongerOnesRefused)
{
    const std::string deep = "E:\\" + std::string(250, 'd') + "\\";   // 254 characters
    const struct { std::string folder, name, ending; bool formed; } cases[] = {
        {"E:\\FLIGHTS\\", "2025", "\\", true},   {"G:\\", "", "\\", true},
        {deep, "abcde", "", true},               {deep, "abcdef", "", false},
        {deep, "ab", "*.*", true},               {deep, "abc", "*.*", false},
        {std::string(259, 'f'), "", "", true},   {std::string(260, 'f'), "", "", false},
        {"", std::string(300, 'n'), "", false},  {"", "", std::string(260, 'e'), false},
    };
    for (const auto &c : cases) {
        char out[WALK_PATH_SIZE + 1];
        out[WALK_PATH_SIZE] = 'x';
        std::string whole = c.folder + c.name + c.ending;
        ASSERT_EQ(FormWalkPath(out, c.folder.c_str(), c.name.c_str(), c.ending.c_str()), c.formed) << whole.size();
        EXPECT_EQ(std::string(out), c.formed ? whole : "") << whole.size();
        EXPECT_EQ(out[WALK_PATH_SIZE], 'x');   // nothing written past the buffer
    }
}

TEST(FlightPaths, FlightLogEndingIgnoresTheCaseOfAToZOnly)
{
    for (const char *log : {"2025-06-14.igc", "A.IGC", "x.Igc", ".igc"})
        EXPECT_TRUE(IsFlightLogName(log)) << log;
    for (const char *other : {"igc", "flight.igc.txt", "flight_igc", "", "flight.\xCDgc", "flight.igc "})
        EXPECT_FALSE(IsFlightLogName(other)) << other;
}

TEST(FlightPaths, SameFolderIgnoresAToZCaseAndDoubledBackslashes)
{
    const struct { const char *first, *second; bool same; } cases[] = {
        {"E:\\backup\\", "e:\\BACKUP\\", true},     {"E:\\\\", "E:\\", true},
        {"E:\\backup\\\\", "E:\\\\backup\\", true}, {"E:\\", "E:\\backup\\", false},
        {"E:\\backup\\", "E:\\backup2\\", false},   {"E:\\back\\up\\", "E:\\backup\\", false},
        {"E:\\\xD6l\\", "E:\\\xF6l\\", false},      {"E:\\[\\", "E:\\{\\", false},
        {"", "\\", false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(IsSameFolder(c.first, c.second), c.same) << c.first << " " << c.second;
        EXPECT_EQ(IsSameFolder(c.second, c.first), c.same) << c.second << " " << c.first;
    }
}
