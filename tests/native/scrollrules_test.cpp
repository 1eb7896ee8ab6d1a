// Settings bars: the steps of a value above its range and the tenths of a
// threshold (every step inside the ranges runs on the real bars under Wine).
#include <gtest/gtest.h>

#include "settings/scrollrules.h"

TEST(ScrollRules, VolumeByteAboveTheRange)
{
    const ScrollRule volume = {0, 8, 1, 2};
    EXPECT_EQ(ApplyScroll(&volume, 255, SCROLL_LINE_LEFT, 0), 254);
    EXPECT_EQ(ApplyScroll(&volume, 255, SCROLL_LINE_RIGHT, 0), 255);
    EXPECT_EQ(ApplyScroll(&volume, 255, SCROLL_PAGE_RIGHT, 0), 8);
    EXPECT_EQ(ApplyScroll(&volume, 255, SCROLL_PAGE_LEFT, 0), 253);
}

TEST(ScrollRules, TenthsAreTheNearestWholeNumber)
{
    struct { float value; int tenths; } cases[] = {{0.7f, 7}, {2.5f, 25}, {0.3f, 3}, {1.25f, 13}, {5.0f, 50}, {0.0f, 0}};
    for (auto &c : cases)
        EXPECT_EQ(ToTenths(c.value), c.tenths) << c.value;
}
