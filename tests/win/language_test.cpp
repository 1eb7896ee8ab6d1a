// The settings pages and the pilot page heading speak the instrument's
// language; missing language files keep the previous texts.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/resource.h"
#include "tests/win/harness.h"

class Language : public SampleInstrumentTest {};

static void SetLanguage(int language)
{
    std::string setup = ReadFileBytes("E:\\SETUP\\setupdata.txt");
    size_t at = setup.find("Sprache:");
    setup.replace(at, setup.find(';', at) - at, "Sprache:" + std::to_string(language));
    WriteFileBytes("E:\\SETUP\\setupdata.txt", setup);
}

static void ExpectTexts(const std::vector<std::pair<int, std::string>> &texts)
{
    for (const auto &text : texts)
        EXPECT_EQ(ControlText(text.first), text.second) << "control " << text.first;
}

TEST_F(Language, EnglishAndGermanFromTheSampleWithTheBuiltInLabels)
{
    SetLanguage(1);
    StartProgram();
    ExpectTexts({{IDC_S1_HEADING, "Settings"}, {IDC_S2_SUBHEADING, "Side 2"}, {IDC_FIELD2_LABEL, "Field 2"},
                 {IDC_VOLUME_LABEL, "Volume"}, {IDC_PILOT_HEADING, "Pilot data"}});
    EXPECT_EQ(ComboSelection(IDC_LANGUAGE), 1);
    EXPECT_EQ(StatusText(), " Zirkano 2.0 an Laufwerk E: - Language: English");

    SetLanguage(0);
    ReloadInstrument();
    ExpectTexts({{IDC_S1_HEADING, "Einstellungen"}, {IDC_S1_SUBHEADING, "Seite 1"}, {IDC_FIELD1_LABEL, "Feld 1"},
                 {IDC_VOLUME_LABEL, "Lautst\xE4rke"}, {IDC_AIRSPACE_LABEL, "Luftraumwarnung"},
                 // The pilot page heading is set by the first detection only.
                 {IDC_PILOT_HEADING, "Pilot data"}});
    EXPECT_EQ(ComboItem(IDC_LANGUAGE, 7), "Rum\xE4nisch");
    EXPECT_EQ(ComboItem(IDC_UNIT, 0), "Metrisch");
    EXPECT_EQ(ComboSelection(IDC_LANGUAGE), 0);
    EXPECT_EQ(ComboSelection(IDC_COORD), 1);
    EXPECT_EQ(ComboSelection(IDC_FIELD1), 2);
    EXPECT_EQ(ComboSelection(IDC_FIELD2), 1);
    EXPECT_EQ(StatusText(), " Zirkano 2.0 an Laufwerk E: - Sprache: Deutsch");

    // A missing file keeps the old texts, but the built-in labels follow.
    DeleteFileA("E:\\SETUP\\Franzoesisch.txt");
    SetLanguage(2);
    ReloadInstrument();
    ExpectTexts({{IDC_S1_SUBHEADING, "Page 1"}, {IDC_FIELD1_LABEL, "Champ 1"}, {IDC_S1_HEADING, "Einstellungen"}});
    EXPECT_EQ(ComboSelection(IDC_LANGUAGE), 2);
    EXPECT_EQ(StatusText(), " Zirkano 2.0 an Laufwerk E: - Sprache: Franz\xF6sisch");
}

TEST_F(Language, NoLanguageFileAtAllGivesNull)
{
    DeleteFileA("E:\\SETUP\\Deutsch.txt");
    StartProgram();
    ExpectTexts({{IDC_S1_HEADING, "NULL"}, {IDC_SINK_LABEL, "NULL"}, {IDC_S1_SUBHEADING, "Seite 1"}});
    ASSERT_EQ(ComboCount(IDC_LANGUAGE), 8);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(ComboItem(IDC_LANGUAGE, i), "NULL");
    EXPECT_EQ(ComboItem(IDC_UNIT, 1), "NULL");
    EXPECT_EQ(StatusText(), " Zirkano 2.0 an Laufwerk E: - NULL: NULL");
    // The next file that opens replaces the fallback; lines beyond the
    // hundredth are left out, and a very long name is cut in the status text.
    std::string text;
    for (int i = 0; i < 140; i++)
        text += (i == 48 ? std::string(5000, 'L') : "Zeile " + std::to_string(i)) + "\r\n";
    WriteFileBytes("E:\\SETUP\\Englisch.txt", text);
    SetLanguage(1);
    ReloadInstrument();
    EXPECT_EQ(ControlText(IDC_S1_HEADING), "Zeile 22");
    std::string status = StatusText();
    EXPECT_EQ(status.substr(0, 40), " Zirkano 2.0 an Laufwerk E: - Zeile 40: ");
    EXPECT_EQ(status.size(), 511u);
}
