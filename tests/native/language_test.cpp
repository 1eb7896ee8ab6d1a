// The Language text table: slots from CR LF and LF files, long files,
// reloads, the fallback text; and the program's own label table.
#include <gtest/gtest.h>

#include <string>

#include "device/stream.h"
#include "settings/labels.h"
#include "settings/language.h"
#include "tests/native/scratch.h"

static void Load(const std::string &bytes)
{
    Stream in;
    ASSERT_TRUE(OpenStream(&in, ScratchFile("lang.txt", bytes).c_str(), "rt"));
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

TEST(LanguageTable, SlotNIsLineNPlusOne)
{
    struct { std::string bytes; int lines; } files[] = {
        {Lines(60, "\r\n"), 60}, {Lines(60, "\n"), 60}, {Lines(150, "\r\n"), 100}, {"line 0\r\nline 1", 2},
    };
    for (auto &f : files) {
        Load(f.bytes);
        for (int i = -1; i <= LANGUAGE_SLOTS; i++)
            ASSERT_EQ(LanguageSlot(i), i >= 0 && i < f.lines ? "line " + std::to_string(i) : "")
                << "slot " << i << " of a file of " << f.lines << " lines";
    }
}

TEST(LanguageTable, ReloadLeavesNoSlotOnTheOldText)
{
    Load(Lines(80, "\r\n"));
    Load("kurz\r\nzwei\r\n");
    EXPECT_STREQ(LanguageSlot(0), "kurz");
    EXPECT_STREQ(LanguageSlot(1), "zwei");
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
    Load("eins\n");
    UseLanguageFallback(&g_language);
    EXPECT_STREQ(LanguageSlot(0), "eins");
}

// The entries where languages differ from the pattern of their neighbours.
TEST(Labels, TableEntries)
{
    EXPECT_STREQ(BuiltInLabel(LABEL_FILE_NAME + 3), "Niederlaendisch.txt");
    EXPECT_STREQ(BuiltInLabel(LABEL_CREDIT + 1), "Tolmaro from Holdranek");
    EXPECT_STREQ(BuiltInLabel(LABEL_PAGE2 + 4), "Stronie 2");
    EXPECT_STREQ(BuiltInLabel(LABEL_PAGE2 + 5), "Lado 2");
    EXPECT_STREQ(BuiltInLabel(LABEL_FIELD2 + 4), "Odczytowe 2");
    EXPECT_STREQ(BuiltInLabel(LABEL_FIELD2 + 5), "Campo 2");
    EXPECT_STREQ(BuiltInLabel(72), "Camp 2");
    EXPECT_STREQ(BuiltInLabel(73), "");
}
