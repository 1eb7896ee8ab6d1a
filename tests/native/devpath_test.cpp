// The Device root: names formed behind the root, roots from chosen paths.
#include <gtest/gtest.h>

#include <string.h>
#include <string>

#include "device/devpath.h"

TEST(DevicePath, ModulePathGivesItsDriveRoot)
{
    EXPECT_TRUE(SetRootFromModulePath("E:\\TOLMARO\\tolmaro.exe"));
    EXPECT_EQ(g_deviceRoot.rootLength, 3);
    ASSERT_TRUE(FormDevicePath(kSetupFileName));
    EXPECT_STREQ(g_deviceRoot.path, "E:\\SETUP\\setupdata.txt");
}

TEST(DevicePath, DriveRootReplacesAPlaceholderAndAChosenFolder)
{
    for (const char *path : {"\\\\server\\share\\tolmaro.exe", "E:tolmaro.exe", "1:\\x.exe", ""}) {
        EXPECT_FALSE(SetRootFromModulePath(path)) << path;
        SetRootToDrive('F');
        ASSERT_TRUE(FormDevicePath("SETUP\\igcheader.txt"));
        EXPECT_STREQ(g_deviceRoot.path, "F:\\SETUP\\igcheader.txt");
    }
    // A drive that arrives later replaces a folder chosen by hand as a whole.
    ASSERT_TRUE(SetRootFromSetupPath("G:\\backup\\SETUP\\setupdata.txt"));
    SetRootToDrive('H');
    ASSERT_TRUE(FormDevicePath("SETUP\\igcheader.txt"));
    EXPECT_STREQ(g_deviceRoot.path, "H:\\SETUP\\igcheader.txt");
}

TEST(DevicePath, EachNameReplacesTheLastOne)
{
    SetRootFromModulePath("D:\\x");
    ASSERT_TRUE(FormDevicePath("SETUP\\Niederlaendisch.txt"));
    ASSERT_TRUE(FormDevicePath("FLIGHTS\\"));
    EXPECT_STREQ(g_deviceRoot.path, "D:\\FLIGHTS\\");
    ASSERT_TRUE(FormDevicePath(""));
    EXPECT_STREQ(g_deviceRoot.path, "D:\\");
}

struct ChosenCase {
    const char *path;
    bool taken;
    int rootLength;
};

static const ChosenCase kChosenCases[] = {
    {"E:\\SETUP\\setupdata.txt", true, 3},
    {"D:\\backup\\SETUP\\setupdata.txt", true, 10},
    {"SETUP\\setupdata.txt", true, 0},
    {"E:\\setup\\setupdata.txt", false, 0},
    {"E:\\SETUP\\Setupdata.txt", false, 0},
    {"E:\\setupdata.txt", false, 0},
    {"E:\\SETUP\\setupdata.txt.bak", false, 0},
    {"ETUP\\setupdata.txt", false, 0},
    {"", false, 0},
};

TEST(DevicePath, ChosenSetupPathSetsTheRootOnlyWhenItEndsExactly)
{
    for (const ChosenCase &c : kChosenCases) {
        SetRootFromModulePath("Q:\\tolmaro.exe");
        EXPECT_EQ(SetRootFromSetupPath(c.path), c.taken) << c.path;
        if (c.taken) {
            EXPECT_EQ(g_deviceRoot.rootLength, c.rootLength) << c.path;
            EXPECT_STREQ(g_deviceRoot.path, c.path);
        } else {
            EXPECT_EQ(g_deviceRoot.rootLength, 3) << c.path;
            EXPECT_STREQ(g_deviceRoot.path, "Q:\\") << c.path;
        }
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
    EXPECT_TRUE(FormDevicePath(kSetupFileName));           // 19: fits exactly
    EXPECT_FALSE(FormDevicePath("SETUP\\Niederlaendisch.txt"));   // 25: does not
    EXPECT_EQ(strlen(g_deviceRoot.path), 240u);
    EXPECT_EQ(std::string(g_deviceRoot.path), root);
    EXPECT_FALSE(FormDevicePath("WAYPOINTS\\waypoints.skt"));
    // A path of 260 characters or more is never taken.
    std::string tooLong = "D:\\" + std::string(238, 'a') + kSetupFileName;
    EXPECT_FALSE(SetRootFromSetupPath(tooLong.c_str()));
}
