// Flight-log names and folder comparison. The path forming is checked,
// up to 259 characters and one beyond, by fuzz/fuzz_flightpaths.cpp and its seeds.
#include <gtest/gtest.h>

#include <string.h>
#include <string>

#include "flights/flightpaths.h"

TEST(FlightPaths, FlightLogEndingIgnoresTheCaseOfAToZOnly)
{
    for (const char *log : {"2025-06-14.igc", "A.IGC", "x.Igc", ".igc"})
        EXPECT_TRUE(IsFlightLogName(log)) << log;
    for (const char *other : {"igc", "flight.igc.txt", "flight_igc", "", "flight.\xCDgc", "flight.igc "})
        EXPECT_FALSE(IsFlightLogName(other)) << other;
}

// Doubled backslashes and a folder's own sub-folders: fuzz/fuzz_flightpaths.cpp.
TEST(FlightPaths, SameFolderIgnoresTheCaseOfAToZOnly)
{
    const struct { const char *first, *second; bool same; } cases[] = {
        {"E:\\backup\\", "e:\\BACKUP\\", true}, {"E:\\backup\\", "E:\\backup2\\", false},
        {"E:\\back\\up\\", "E:\\backup\\", false}, {"E:\\\xD6l\\", "E:\\\xF6l\\", false},
        {"E:\\[\\", "E:\\{\\", false}, {"", "\\", false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(IsSameFolder(c.first, c.second), c.same) << c.first << " " << c.second;
        EXPECT_EQ(IsSameFolder(c.second, c.first), c.same) << c.second << " " << c.first;
    }
}
