// The settings pages and the pilot page heading speak the instrument's
// language; missing language files keep the previous texts.
#include <gtest/gtest.h>

#include "app/resource.h"
#include "settings/devicedata.h"
#include "tests/win/harness.h"
#include "tests/win/scripted_prompts.h"

class Language : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearTestDrives();
        CopySampleInstrument("E:\\");
    }
};

static void SetLanguage(const std::string &root, int language)
{
    std::string setup = ReadFileBytes(root + "SETUP\\setupdata.txt");
    size_t at = setup.find("Sprache:");
    setup.replace(at, setup.find(';', at) - at, "Sprache:" + std::to_string(language));
    WriteFileBytes(root + "SETUP\\setupdata.txt", setup);
}

static void Reload()
{
    ScriptChoice("E:\\SETUP\\setupdata.txt");
    Command(IDM_CHOOSE_SETUP);
}

TEST_F(Language, GermanLabelsFromTheSample)
{
    StartProgram();
    EXPECT_EQ(ControlText(IDC_S1_HEADING), "Einstellungen");
    EXPECT_EQ(ControlText(IDC_S1_SUBHEADING), "Seite 1");
    EXPECT_EQ(ControlText(IDC_LANGUAGE_LABEL), "Sprache");
    EXPECT_EQ(ControlText(IDC_VOLUME_LABEL), "Lautst\xE4rke");
    EXPECT_EQ(ControlText(IDC_FIELD1_LABEL), "Feld 1");
    EXPECT_EQ(ControlText(IDC_FIELD2_LABEL), "Feld 2");
    EXPECT_EQ(ControlText(IDC_S2_SUBHEADING), "Seite 2");
    EXPECT_EQ(ControlText(IDC_SINK_LABEL), "Sinkton");
    EXPECT_EQ(ControlText(IDC_AIRSPACE_LABEL), "Luftraumwarnung");
    EXPECT_EQ(ControlText(IDC_PILOT_HEADING), "Pilotendaten");
    ASSERT_EQ(ComboCount(IDC_LANGUAGE), 8);
    EXPECT_EQ(ComboItem(IDC_LANGUAGE, 1), "Englisch");
    EXPECT_EQ(ComboItem(IDC_LANGUAGE, 7), "Rum\xE4nisch");
    EXPECT_EQ(ComboSelection(IDC_LANGUAGE), 0);
    ASSERT_EQ(ComboCount(IDC_UNIT), 2);
    EXPECT_EQ(ComboItem(IDC_UNIT, 0), "Metrisch");
    ASSERT_EQ(ComboCount(IDC_COORD), 3);
    EXPECT_EQ(ComboSelection(IDC_COORD), 1);
    EXPECT_EQ(ComboSelection(IDC_FIELD1), 2);
    EXPECT_EQ(ComboSelection(IDC_FIELD2), 1);
    EXPECT_EQ(StatusText(), " Zirkano 2.0 an Laufwerk E: - Sprache: Deutsch");
    CloseProgram(WM_CLOSE);
}

TEST_F(Language, EnglishFileAndTheEnglishBuiltInLabels)
{
    SetLanguage("E:\\", 1);
    StartProgram();
    EXPECT_EQ(ControlText(IDC_S1_HEADING), "Settings");
    EXPECT_EQ(ControlText(IDC_S1_SUBHEADING), "Side 1");
    EXPECT_EQ(ControlText(IDC_S2_SUBHEADING), "Side 2");
    EXPECT_EQ(ControlText(IDC_FIELD1_LABEL), "Field 1");
    EXPECT_EQ(ControlText(IDC_FIELD2_LABEL), "Field 2");
    EXPECT_EQ(ControlText(IDC_VOLUME_LABEL), "Volume");
    EXPECT_EQ(ControlText(IDC_PILOT_HEADING), "Pilot data");
    EXPECT_EQ(ComboSelection(IDC_LANGUAGE), 1);
    EXPECT_EQ(StatusText(), " Zirkano 2.0 an Laufwerk E: - Language: English");
    CloseProgram(WM_CLOSE);
}

TEST_F(Language, MissingFileKeepsTheOldTextsButBuiltInLabelsFollow)
{
    StartProgram();
    DeleteFileA("E:\\SETUP\\Franzoesisch.txt");
    SetLanguage("E:\\", 2);
    Reload();
    EXPECT_EQ(ControlText(IDC_S1_SUBHEADING), "Page 1");
    EXPECT_EQ(ControlText(IDC_FIELD1_LABEL), "Champ 1");
    EXPECT_EQ(ControlText(IDC_S1_HEADING), "Einstellungen");
    EXPECT_EQ(ComboSelection(IDC_LANGUAGE), 2);
    EXPECT_EQ(ComboItem(IDC_LANGUAGE, 2), "Franz\xF6sisch");
    // The pilot page heading is set by the first detection only.
    EXPECT_EQ(ControlText(IDC_PILOT_HEADING), "Pilotendaten");
    EXPECT_EQ(StatusText(), " Zirkano 2.0 an Laufwerk E: - Sprache: Franz\xF6sisch");
    CloseProgram(WM_CLOSE);
}

TEST_F(Language, NoLanguageFileAtAllGivesNull)
{
    DeleteFileA("E:\\SETUP\\Deutsch.txt");
    StartProgram();
    EXPECT_EQ(ControlText(IDC_S1_HEADING), "NULL");
    EXPECT_EQ(ControlText(IDC_SINK_LABEL), "NULL");
    EXPECT_EQ(ControlText(IDC_S1_SUBHEADING), "Seite 1");
    ASSERT_EQ(ComboCount(IDC_LANGUAGE), 8);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(ComboItem(IDC_LANGUAGE, i), "NULL");
    EXPECT_EQ(ComboItem(IDC_UNIT, 1), "NULL");
    EXPECT_EQ(StatusText(), " Zirkano 2.0 an Laufwerk E: - NULL: NULL");
    // The next file that opens replaces the fallback.
    SetLanguage("E:\\", 1);
    Reload();
    EXPECT_EQ(ControlText(IDC_S1_HEADING), "Settings");
    CloseProgram(WM_CLOSE);
}

TEST_F(Language, LongLinesAndMoreThanAHundredLinesAreBounded)
{
    std::string text;
    for (int i = 0; i < 140; i++)
        text += (i == 40 ? std::string(5000, 'L') : "Zeile " + std::to_string(i)) + "\r\n";
    WriteFileBytes("E:\\SETUP\\Deutsch.txt", text);
    StartProgram();
    EXPECT_EQ(ControlText(IDC_S1_HEADING), "Zeile 22");
    std::string status = StatusText();
    EXPECT_EQ(status.substr(0, 30), " Zirkano 2.0 an Laufwerk E: - ");
    EXPECT_LT(status.size(), 600u);
    CloseProgram(WM_CLOSE);
}
