// The Language text table: slots from CR LF and LF files, long files,
// reloads, and the fallback text.
#include <gtest/gtest.h>

#include <string>

#include "device/stream.h"
#include "settings/labels.h"
#include "settings/language.h"
#include "tests/native/scratch.h"

static void Load(const std::string &bytes)
{
    std::string path = ScratchFile("lang.txt", bytes);
    Stream in;
    ASSERT_TRUE(OpenStream(&in, path.c_str(), "rt"));
    ASSERT_TRUE(ReadLanguageFile(&g_language, &in));
    CloseStream(&in);
}

static std::string Lines(int count, const char *end)
{
    std::string text;
    for (int i = 0; i < count; i++)
        text += "line " + std::to_string(i) + end;
    return text;
}

TEST(LanguageTable, CrLfAndLfGiveTheSameSlots)
{
    Load(Lines(60, "\r\n"));
    std::string crlf[60];
    for (int i = 0; i < 60; i++)
        crlf[i] = LanguageSlot(i);
    Load(Lines(60, "\n"));
    for (int i = 0; i < 60; i++)
        EXPECT_EQ(LanguageSlot(i), crlf[i]) << i;
    EXPECT_STREQ(LanguageSlot(0), "line 0");
    EXPECT_STREQ(LanguageSlot(22), "line 22");
    EXPECT_STREQ(LanguageSlot(60), "");
}

TEST(LanguageTable, LastLineWithoutLineFeedEndsAtTheEnd)
{
    Load("first\r\nsecond");
    EXPECT_STREQ(LanguageSlot(0), "first");
    EXPECT_STREQ(LanguageSlot(1), "second");
    EXPECT_STREQ(LanguageSlot(2), "");
}

TEST(LanguageTable, LinesBeyondTheLastSlotAreIgnored)
{
    Load(Lines(150, "\r\n"));
    EXPECT_STREQ(LanguageSlot(99), "line 99");
    EXPECT_STREQ(LanguageSlot(100), "");
    EXPECT_STREQ(LanguageSlot(-1), "");
}

TEST(LanguageTable, ReloadLeavesNoSlotOnTheOldText)
{
    Load(Lines(80, "\r\n"));
    Load("kurz\r\nzwei\r\n");
    EXPECT_STREQ(LanguageSlot(0), "kurz");
    EXPECT_STREQ(LanguageSlot(1), "zwei");
    // Slot 2 is the empty text after the last line feed; the rest are empty too.
    for (int i = 2; i < LANGUAGE_SLOTS; i++)
        EXPECT_STREQ(LanguageSlot(i), "") << i;
}

TEST(LanguageTable, BytesAreKeptAndLoneCarriageReturnsLeftOut)
{
    Load("Lautst\xE4rke\r\nA\rB\r\n\x1A" "after end");
    EXPECT_STREQ(LanguageSlot(0), "Lautst\xE4rke");
    EXPECT_STREQ(LanguageSlot(1), "AB");
    EXPECT_STREQ(LanguageSlot(2), "");
}

TEST(LanguageTable, FallbackOnlyWithoutText)
{
    LanguageTable table = {};
    UseLanguageFallback(&table);
    for (int i = 0; i < LANGUAGE_SLOTS; i++)
        ASSERT_STREQ(table.slots[i], "NULL");
    // A table with text keeps it.
    Load("eins\n");
    UseLanguageFallback(&g_language);
    EXPECT_STREQ(LanguageSlot(0), "eins");
}

TEST(Labels, TableEntries)
{
    EXPECT_STREQ(BuiltInLabel(LABEL_FILE_NAME + 3), "Niederlaendisch.txt");
    EXPECT_STREQ(BuiltInLabel(LABEL_GLIDER_CLASS + 4), "Paraglider (Sport)");
    EXPECT_STREQ(BuiltInLabel(LABEL_DISPLAY_FIELD + 2), "*AGL");
    EXPECT_STREQ(BuiltInLabel(LABEL_DISPLAY_FIELD + 16), "Empty Field");
    EXPECT_STREQ(BuiltInLabel(LABEL_CREDIT + 1), "Tolmaro from Holdranek");
    EXPECT_STREQ(BuiltInLabel(LABEL_PAGE2 + 1), "Side 2");
    EXPECT_STREQ(BuiltInLabel(LABEL_PAGE2 + 4), "Stronie 2");
    EXPECT_STREQ(BuiltInLabel(LABEL_FIELD2 + 5), "Campo 2");
    EXPECT_STREQ(BuiltInLabel(72), "Camp 2");
    EXPECT_STREQ(BuiltInLabel(73), "");
}
