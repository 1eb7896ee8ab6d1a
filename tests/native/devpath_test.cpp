// The Device root: names formed behind the root, roots from chosen paths.
#include <gtest/gtest.h>

#include <string.h>
#include <string>

#include "device/devpath.h"

// A root from the program's own path is checked under Wine, by the test
// that starts the real program from the instrument.
TEST(DevicePath, RootsThatADriveReplacesAndEachNameReplacingTheLast)
{
    // Without a drive letter the root is a placeholder that the scan replaces.
    for (const char *path : {"\\\\server\\share\\tolmaro.exe", "E:tolmaro.exe", "1:\\x.exe", ""}) {
        EXPECT_FALSE(SetRootFromModulePath(path)) << path;
        SetRootToDrive('F');
        ASSERT_TRUE(FormDevicePath("SETUP\\Niederlaendisch.txt"));
        ASSERT_TRUE(FormDevicePath("SETUP\\igcheader.txt"));
        EXPECT_STREQ(g_deviceRoot.path, "F:\\SETUP\\igcheader.txt");
    }
    // A drive that arrives later replaces a folder chosen by hand as a whole.
    ASSERT_TRUE(SetRootFromSetupPath("G:\\backup\\SETUP\\setupdata.txt"));
    SetRootToDrive('H');
    ASSERT_TRUE(FormDevicePath("SETUP\\igcheader.txt"));
    EXPECT_STREQ(g_deviceRoot.path, "H:\\SETUP\\igcheader.txt");
}

TEST(DevicePath, ChosenSetupPathSetsTheRootOnlyWhenItEndsExactly)
{
    struct { const char *path; int rootLength; } cases[] = {   // -1: refused
        {"E:\\SETUP\\setupdata.txt", 3}, {"D:\\backup\\SETUP\\setupdata.txt", 10},
        {"SETUP\\setupdata.txt", 0}, {"E:\\setup\\setupdata.txt", -1},
        {"E:\\SETUP\\Setupdata.txt", -1}, {"E:\\setupdata.txt", -1},
        {"E:\\SETUP\\setupdata.txt.bak", -1}, {"ETUP\\setupdata.txt", -1}, {"", -1},
    };
    for (auto &c : cases) {
        SetRootFromModulePath("Q:\\tolmaro.exe");
        EXPECT_EQ(SetRootFromSetupPath(c.path), c.rootLength >= 0) << c.path;
        EXPECT_EQ(g_deviceRoot.rootLength, c.rootLength >= 0 ? c.rootLength : 3) << c.path;
        EXPECT_STREQ(g_deviceRoot.path, c.rootLength >= 0 ? c.path : "Q:\\");
    }
}

TEST(DevicePath, NameThatDoesNotFitIsRefusedAndNeverOverflows)
{
    // A 259-character chosen path: a root of 240 characters.
    std::string root = "D:\\" + std::string(237, 'a');
    std::string chosen = root + kSetupFileName;
    ASSERT_EQ(chosen.size(), 259u);
    ASSERT_TRUE(SetRootFromSetupPath(chosen.c_str()));
    EXPECT_EQ(g_deviceRoot.rootLength, 240);
    EXPECT_TRUE(FormDevicePath(kSetupFileName));                  // 19: fits exactly
    EXPECT_FALSE(FormDevicePath("SETUP\\Niederlaendisch.txt"));   // 25: does not
    EXPECT_EQ(std::string(g_deviceRoot.path), root);
    EXPECT_FALSE(FormDevicePath("WAYPOINTS\\waypoints.skt"));
    // A path of 260 characters or more is never taken.
    std::string tooLong = "D:\\" + std::string(238, 'a') + kSetupFileName;
    EXPECT_FALSE(SetRootFromSetupPath(tooLong.c_str()));
    EXPECT_EQ(g_deviceRoot.rootLength, 240);
}
