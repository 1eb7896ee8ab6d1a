// The instrument's root: roots from the program's path, a drive and a chosen
// settings file, and file names built behind them.
#include <gtest/gtest.h>

#include <string.h>
#include <string>

#include "device/devpath.h"

// A root from the program's own path is checked under Wine, by the test
// that starts the real program from the instrument.
TEST(DevicePath, RootsThatADriveReplaces)
{
    DeviceRoot root;
    char path[PATH_SIZE];
    // Without a drive letter the root is a placeholder that the scan replaces.
    for (const char *module : {"\\\\server\\share\\tolmaro.exe", "E:tolmaro.exe", "1:\\x.exe", ""}) {
        EXPECT_FALSE(SetRootFromModulePath(&root, module)) << module;
        SetRootToDrive(&root, 'F');
        ASSERT_TRUE(FormDevicePath(path, &root, "SETUP\\igcheader.txt"));
        EXPECT_STREQ(path, "F:\\SETUP\\igcheader.txt");
    }
    // A drive that arrives later replaces a folder chosen by hand as a whole.
    ASSERT_TRUE(SetRootFromSetupPath(&root, "G:\\backup\\SETUP\\setupdata.txt"));
    SetRootToDrive(&root, 'H');
    ASSERT_TRUE(FormDevicePath(path, &root, "SETUP\\igcheader.txt"));
    EXPECT_STREQ(path, "H:\\SETUP\\igcheader.txt");
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
        DeviceRoot root;
        SetRootFromModulePath(&root, "Q:\\tolmaro.exe");
        EXPECT_EQ(SetRootFromSetupPath(&root, c.path), c.rootLength >= 0) << c.path;
        EXPECT_EQ(root.rootLength, c.rootLength >= 0 ? c.rootLength : 3) << c.path;
        std::string expected = c.rootLength >= 0 ? std::string(c.path, (size_t)c.rootLength) : "Q:\\";
        EXPECT_EQ(root.path, expected);
    }
}

TEST(DevicePath, NameThatDoesNotFitIsRefusedAndNeverOverflows)
{
    // A 259-character chosen path: a root of 240 characters.
    std::string rootText = "D:\\" + std::string(237, 'a');
    std::string chosen = rootText + kSetupFileName;
    ASSERT_EQ(chosen.size(), 259u);
    DeviceRoot root;
    char path[PATH_SIZE];
    ASSERT_TRUE(SetRootFromSetupPath(&root, chosen.c_str()));
    EXPECT_EQ(root.rootLength, 240);
    EXPECT_TRUE(FormDevicePath(path, &root, kSetupFileName));                  // 19: fits exactly
    EXPECT_EQ(path, chosen);
    EXPECT_FALSE(FormDevicePath(path, &root, "SETUP\\Niederlaendisch.txt"));   // 25: does not
    EXPECT_STREQ(path, "");
    // A path of 260 characters or more is never taken.
    std::string tooLong = "D:\\" + std::string(238, 'a') + kSetupFileName;
    EXPECT_FALSE(SetRootFromSetupPath(&root, tooLong.c_str()));
    EXPECT_EQ(root.rootLength, 240);
    EXPECT_EQ(root.path, rootText);
}
