// Settings bars: the tenths of a threshold (every step of every bar, the
// volume byte above its range included, runs on the real bars under Wine).
#include <gtest/gtest.h>

#include "settings/scrollrules.h"

TEST(ScrollRules, TenthsAreTheNearestWholeNumber)
{
    struct { float value; int tenths; } cases[] = {{0.7f, 7}, {2.5f, 25}, {0.3f, 3}, {1.25f, 13}, {5.0f, 50}, {0.0f, 0}};
    for (auto &c : cases)
        EXPECT_EQ(ToTenths(c.value), c.tenths) << c.value;
}
