// The program's own texts: both languages in every entry, the same printf
// conversions and edge blanks in each pair, the choice by "Sprache", and
// the file dialogs' filters.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "app/texts.h"

// The conversions of a format, in order: "%c|%s|%02u|".
static std::string Conversions(const std::string &format)
{
    std::string found;
    for (size_t at = format.find('%'); at != std::string::npos; at = format.find('%', at)) {
        size_t end = format.find_first_of("%cdiouxXeEfgGsp", at + 1);
        found += format.substr(at, end - at + 1) + "|";
        at = end == std::string::npos ? end : end + 1;
    }
    return found;
}

static size_t LeadingBlanks(const std::string &text)
{
    return text.find_first_not_of(' ');
}

static size_t TrailingBlanks(const std::string &text)
{
    return text.size() - 1 - text.find_last_not_of(' ');
}

TEST(ProgramTexts, EveryPairHasBothLanguagesTheSameConversionsAndEdgeBlanks)
{
    for (int id = 0; id < TEXT_COUNT; id++) {
        SCOPED_TRACE(id);
        std::string german = TextIn(TEXTS_GERMAN, id), english = TextIn(TEXTS_ENGLISH, id);
        ASSERT_FALSE(german.empty());
        ASSERT_FALSE(english.empty());
        EXPECT_EQ(Conversions(german), Conversions(english));
        EXPECT_EQ(LeadingBlanks(german), LeadingBlanks(english));
        EXPECT_EQ(TrailingBlanks(german), TrailingBlanks(english));
    }
    EXPECT_EQ(Conversions(TextIn(TEXTS_GERMAN, TEXT_FLIGHTBOOK_SUMMARY)), "%u|%u|%02u|");
    EXPECT_STREQ(TextIn(TEXT_LANGUAGES, TEXT_BACK), "");
}

TEST(ProgramTexts, SpracheZeroIsGermanAndEveryOtherValueEnglish)
{
    EXPECT_STREQ(Text(TEXT_BACK), "Zur\xFC" "ck");
    for (int sprache : {1, 2, 7, 255}) {
        ChooseTextLanguage(sprache);
        EXPECT_STREQ(Text(TEXT_BACK), "Back") << sprache;
    }
    ChooseTextLanguage(0);
    EXPECT_STREQ(Text(TEXT_BACK), "Zur\xFC" "ck");
    EXPECT_STREQ(Text(TEXT_COUNT), "");
}

TEST(ProgramTexts, FileFilterIsNameAndPatternOrEmptyWhenItDoesNotFit)
{
    char filter[29];
    FormFileFilter(filter, sizeof filter, "Waypoint file (*.wpt)", "*.wpt");
    EXPECT_EQ(std::string(filter, sizeof filter), std::string("Waypoint file (*.wpt)\0*.wpt\0", sizeof filter));
    FormFileFilter(filter, sizeof filter - 1, "Waypoint file (*.wpt)", "*.wpt");
    EXPECT_EQ(std::string(filter, 2), std::string(2, '\0'));
}
