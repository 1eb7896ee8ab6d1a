// The walks' path forming and name rules.
#include <gtest/gtest.h>

#include <string.h>
#include <string>

#include "flights/flightpaths.h"

struct FormCase {
    std::string folder, name, ending;
    bool formed;
};

TEST(FlightPaths, PathsUpTo259CharactersAreFormedLongerOnesRefused)
{
    const std::string deep = "E:\\" + std::string(250, 'd') + "\\";   // 254 characters
    const FormCase cases[] = {
        {"E:\\FLIGHTS\\", "2025", "\\", true},
        {"E:\\", "", "*.*", true},
        {"G:\\", "", "\\", true},                  // a drive root's doubled separator
        {deep, "abcde", "", true},                 // 259
        {deep, "abcdef", "", false},               // 260
        {deep, "ab", "*.*", true},                 // 259 with the ending
        {deep, "abc", "*.*", false},
        {deep, "", std::string(6, 'e'), false},
        {std::string(259, 'f'), "", "", true},
        {std::string(260, 'f'), "", "", false},
        {"", std::string(300, 'n'), "", false},
        {"", "", std::string(260, 'e'), false},
    };
    for (const FormCase &c : cases) {
        char out[WALK_PATH_SIZE + 16];
        memset(out, 'x', sizeof out);
        std::string whole = c.folder + c.name + c.ending;
        ASSERT_EQ(FormWalkPath(out, c.folder.c_str(), c.name.c_str(), c.ending.c_str()), c.formed) << whole.size();
        EXPECT_EQ(std::string(out), c.formed ? whole : "") << whole.size();
        // Nothing is written past the path's own terminator.
        EXPECT_EQ(out[WALK_PATH_SIZE], 'x');
    }
}

TEST(FlightPaths, FlightLogEndingIgnoresTheCaseOfAToZOnly)
{
    const struct { const char *name; bool log; } cases[] = {
        {"2025-06-14.igc", true}, {"A.IGC", true}, {"x.Igc", true}, {".igc", true}, {".IgC", true},
        {"igc", false}, {"flight.igc.txt", false}, {"flight.ig", false}, {"", false},
        {"flight_igc", false}, {"flight.\xCDgc", false}, {"flight.igc ", false},
    };
    for (auto &c : cases)
        EXPECT_EQ(IsFlightLogName(c.name), c.log) << c.name;
}

TEST(FlightPaths, PointNames)
{
    EXPECT_TRUE(BeginsWithPoint(".git"));
    EXPECT_TRUE(BeginsWithPoint(".."));
    EXPECT_FALSE(BeginsWithPoint("a."));
    EXPECT_FALSE(BeginsWithPoint(""));
    EXPECT_TRUE(IsSelfOrParent("."));
    EXPECT_TRUE(IsSelfOrParent(".."));
    EXPECT_FALSE(IsSelfOrParent("..."));
    EXPECT_FALSE(IsSelfOrParent(".x"));
}

TEST(FlightPaths, SameFolderIgnoresAToZCaseAndDoubledBackslashes)
{
    const struct { const char *first, *second; bool same; } cases[] = {
        {"E:\\backup\\", "e:\\BACKUP\\", true},
        {"E:\\\\", "E:\\", true},
        {"E:\\backup\\\\", "E:\\\\backup\\", true},
        {"E:\\", "E:\\backup\\", false},
        {"E:\\backup\\", "E:\\backup2\\", false},
        {"E:\\backup\\", "E:\\backup", false},
        {"E:\\back\\up\\", "E:\\backup\\", false},
        {"E:\\\xD6l\\", "E:\\\xF6l\\", false},     // only A to Z are folded
        {"E:\\[\\", "E:\\{\\", false},
        {"", "", true},
        {"", "\\", false},
    };
    for (auto &c : cases) {
        EXPECT_EQ(IsSameFolder(c.first, c.second), c.same) << c.first << " " << c.second;
        EXPECT_EQ(IsSameFolder(c.second, c.first), c.same) << c.second << " " << c.first;
    }
}
