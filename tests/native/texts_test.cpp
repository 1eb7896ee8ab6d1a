// The program's own texts: both languages in every entry, each pair with the
// same printf conversions and the same leading and trailing blanks.
#include <gtest/gtest.h>

#include <string>

#include "ui/texts.h"

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

TEST(ProgramTexts, EveryPairHasBothLanguagesTheSameConversionsAndEdgeBlanks)
{
    for (int id = 0; id < TEXT_COUNT; id++) {
        std::string german = TextIn(TEXTS_GERMAN, id), english = TextIn(TEXTS_ENGLISH, id);
        ASSERT_TRUE(!german.empty() && !english.empty()) << id;
        EXPECT_EQ(Conversions(german), Conversions(english)) << id;
        EXPECT_EQ(german.find_first_not_of(' '), english.find_first_not_of(' ')) << id;
        EXPECT_EQ(german.size() - german.find_last_not_of(' '), english.size() - english.find_last_not_of(' ')) << id;
    }
    EXPECT_EQ(Conversions(TextIn(TEXTS_GERMAN, TEXT_FLIGHTBOOK_SUMMARY)), "%u|%u|%02u|");
}
