// Settings bars: every step of every bar, inside and outside its range.
#include <gtest/gtest.h>

#include "settings/scrollrules.h"

static const ScrollRule kVolume = {0, 8, 1, 2};
static const ScrollRule kContrast = {0, 24, 1, 4};
static const ScrollRule kTenths = {0, 50, 1, 5};
static const ScrollRule kTimeOffset = {-12, 13, 1, 6};
static const ScrollRule kInterval = {1, 60, 1, 10};
static const ScrollRule kAirspace = {0, 10000, 100, 500};

struct StepCase {
    const ScrollRule *rule;
    int value, code, expected;
};

static const StepCase kSteps[] = {
    {&kVolume, 7, SCROLL_PAGE_RIGHT, 8},
    {&kVolume, 6, SCROLL_PAGE_RIGHT, 8},
    {&kVolume, 8, SCROLL_LINE_RIGHT, 8},
    {&kVolume, 1, SCROLL_PAGE_LEFT, 0},
    {&kVolume, 0, SCROLL_LINE_LEFT, 0},
    // A volume byte above its range from the settings file.
    {&kVolume, 255, SCROLL_LINE_LEFT, 254},
    {&kVolume, 255, SCROLL_LINE_RIGHT, 255},
    {&kVolume, 255, SCROLL_PAGE_RIGHT, 8},
    {&kVolume, 255, SCROLL_PAGE_LEFT, 253},
    {&kContrast, 3, SCROLL_PAGE_LEFT, 0},
    {&kContrast, 20, SCROLL_PAGE_RIGHT, 24},
    {&kContrast, 21, SCROLL_PAGE_RIGHT, 24},
    {&kContrast, 30, SCROLL_LINE_RIGHT, 30},
    {&kTenths, 3, SCROLL_PAGE_LEFT, 0},
    {&kTenths, 46, SCROLL_PAGE_RIGHT, 50},
    {&kTenths, 45, SCROLL_PAGE_RIGHT, 50},
    {&kTenths, 1, SCROLL_LINE_LEFT, 0},
    {&kTenths, 49, SCROLL_LINE_RIGHT, 50},
    {&kTenths, 25, SCROLL_LINE_LEFT, 24},
    {&kTimeOffset, -5, SCROLL_PAGE_LEFT, -11},
    {&kTimeOffset, -6, SCROLL_PAGE_LEFT, -12},
    {&kTimeOffset, 8, SCROLL_PAGE_RIGHT, 13},
    {&kTimeOffset, 7, SCROLL_PAGE_RIGHT, 13},
    {&kTimeOffset, -12, SCROLL_LINE_LEFT, -12},
    {&kTimeOffset, 13, SCROLL_LINE_RIGHT, 13},
    {&kInterval, 10, SCROLL_PAGE_LEFT, 1},
    {&kInterval, 11, SCROLL_PAGE_LEFT, 1},
    {&kInterval, 12, SCROLL_PAGE_LEFT, 2},
    {&kInterval, 51, SCROLL_PAGE_RIGHT, 60},
    {&kInterval, 50, SCROLL_PAGE_RIGHT, 60},
    {&kInterval, 1, SCROLL_LINE_LEFT, 1},
    {&kAirspace, 50, SCROLL_LINE_LEFT, 0},
    {&kAirspace, 250, SCROLL_LINE_LEFT, 150},
    {&kAirspace, 250, SCROLL_LINE_RIGHT, 350},
    {&kAirspace, 9950, SCROLL_LINE_RIGHT, 10000},
    {&kAirspace, 400, SCROLL_PAGE_LEFT, 0},
    {&kAirspace, 9600, SCROLL_PAGE_RIGHT, 10000},
    {&kAirspace, 1000, SCROLL_PAGE_RIGHT, 1500},
};

TEST(ScrollRules, StepsClampIntoTheRange)
{
    for (const StepCase &c : kSteps)
        EXPECT_EQ(ApplyScroll(c.rule, c.value, c.code, 0), c.expected)
            << "value " << c.value << " code " << c.code << " range " << c.rule->low << ".." << c.rule->high;
}

TEST(ScrollRules, ThumbIsTakenOnReleaseOnly)
{
    EXPECT_EQ(ApplyScroll(&kTimeOffset, 3, SCROLL_THUMB_POSITION, -5), -5);
    EXPECT_EQ(ApplyScroll(&kVolume, 3, SCROLL_THUMB_POSITION, 6), 6);
    for (int code : {5 /* thumb track */, 6 /* left */, 7 /* right */, 8 /* end scroll */, 99})
        EXPECT_EQ(ApplyScroll(&kVolume, 3, code, 6), 3) << code;
}

TEST(ScrollRules, TenthsAreTheNearestWholeNumber)
{
    EXPECT_EQ(ToTenths(0.7f), 7);
    EXPECT_EQ(ToTenths(2.5f), 25);
    EXPECT_EQ(ToTenths(0.3f), 3);
    EXPECT_EQ(ToTenths(1.25f), 13);
    EXPECT_EQ(ToTenths(5.0f), 50);
    EXPECT_EQ(ToTenths(0.0f), 0);
}
