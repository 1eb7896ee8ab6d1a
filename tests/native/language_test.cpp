// The Language text table: slots from CR LF and LF files, long files,
// reloads and the fallback text.
#include <gtest/gtest.h>

#include <string>

#include "device/stream.h"
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
        // Each load after a longer one: no slot keeps the old text.
        {Lines(60, "\r\n"), 60}, {Lines(150, "\r\n"), 100}, {Lines(60, "\n"), 60}, {"line 0\r\nline 1", 2},
    };
    for (auto &f : files) {
        Load(f.bytes);
        for (int i = -1; i <= LANGUAGE_SLOTS; i++)
            ASSERT_EQ(LanguageSlot(i), i >= 0 && i < f.lines ? "line " + std::to_string(i) : "")
                << "slot " << i << " of a file of " << f.lines << " lines";
    }
}

TEST(LanguageTable, BytesAreKeptLoneCarriageReturnsLeftOutAndTheFallbackOnlyWithoutText)
{
    Load("Lautst\xE4rke\r\nA\rB\r\n\x1A" "after end");
    EXPECT_STREQ(LanguageSlot(0), "Lautst\xE4rke");
    EXPECT_STREQ(LanguageSlot(1), "AB");
    EXPECT_STREQ(LanguageSlot(2), "");
    // The fallback fills only a table without text.
    LanguageTable table = {};
    UseLanguageFallback(&table);
    for (int i = 0; i < LANGUAGE_SLOTS; i++)
        ASSERT_STREQ(table.slots[i], "NULL");
    Load("eins\n");
    UseLanguageFallback(&g_language);
    EXPECT_STREQ(LanguageSlot(0), "eins");
}
