// The settings pages driven through their real scroll bars, lists and
// buttons, down to the bytes of the settings file they save; their texts in
// the instrument's language, and the previous texts kept where a language
// file is missing; the program's own texts in German and English.
#include <utility>

#include <windows.h>
#include <commctrl.h>

#include "ui/pages.h"
#include "ui/resource.h"
#include "ui/texts.h"
#include "app/instrument.h"
#include "tests/win/harness.h"
#include "tests/win/scripted_prompts.h"

class SettingsPages : public SampleInstrumentTest {};

static void Scroll(int bar, int code, int thumb = 0)
{
    Send(WM_HSCROLL, MAKEWPARAM(code, (WORD)thumb), (LPARAM)Control(bar));
}

static int BarPosition(int bar)
{
    return GetScrollPos(Control(bar), SB_CTL);
}

static std::string SetupLine(const char *key)
{
    std::string setup = ReadFileBytes("E:\\SETUP\\setupdata.txt");
    size_t at = setup.find(std::string(key) + ":");
    return at == std::string::npos ? "" : setup.substr(at, setup.find("\r\n", at) - at);
}

struct Step {
    int code, thumb;
    const char *shown;
    int position;
};

static void ExpectSteps(int bar, int valueBox, const std::vector<Step> &steps)
{
    for (const Step &step : steps) {
        SCOPED_TRACE(step.code);
        Scroll(bar, step.code, step.thumb);
        EXPECT_EQ(ControlText(valueBox), step.shown);
        EXPECT_EQ(BarPosition(bar), step.position);
    }
}

// Each bar's range, start, and a thumb move, one line and one page from
// there. The sample starts at contrast 14, sink -1.8, climb 0.2, time offset
// 1, track interval 5, integration time 3 and airspace 500; its volume is set
// to -1, which the file's reader keeps as the byte 255.
static const struct { int bar, valueBox, low, high; const char *startShown; Step steps[3]; } kBarCases[] = {
    {IDC_VOLUME_BAR, IDC_VOLUME_VALUE, 0, 8, "255",
     {{SB_THUMBPOSITION, 5, "5", 5}, {SB_LINERIGHT, 0, "6", 6}, {SB_PAGELEFT, 0, "4", 4}}},
    {IDC_CONTRAST_BAR, IDC_CONTRAST_VALUE, 0, 24, "14",
     {{SB_THUMBPOSITION, 21, "21", 21}, {SB_LINELEFT, 0, "20", 20}, {SB_PAGELEFT, 0, "16", 16}}},
    {IDC_SINK_BAR, IDC_SINK_VALUE, 0, 50, "-1.8",
     {{SB_THUMBPOSITION, 46, "-4.6", 46}, {SB_LINELEFT, 0, "-4.5", 45}, {SB_PAGELEFT, 0, "-4.0", 40}}},
    {IDC_CLIMB_BAR, IDC_CLIMB_VALUE, 0, 50, "0.2",
     {{SB_THUMBPOSITION, 3, "0.3", 3}, {SB_LINERIGHT, 0, "0.4", 4}, {SB_PAGERIGHT, 0, "0.9", 9}}},
    {IDC_TIMEOFFSET_BAR, IDC_TIMEOFFSET_VALUE, -12, 13, "1",
     {{SB_THUMBPOSITION, -5, "-5", -5}, {SB_LINERIGHT, 0, "-4", -4}, {SB_PAGELEFT, 0, "-10", -10}}},
    {IDC_TRACK_BAR, IDC_TRACK_VALUE, 1, 60, "5",
     {{SB_THUMBPOSITION, 30, "30", 30}, {SB_LINERIGHT, 0, "31", 31}, {SB_PAGERIGHT, 0, "41", 41}}},
    {IDC_INTEGRAL_BAR, IDC_INTEGRAL_VALUE, 1, 60, "3",
     {{SB_THUMBPOSITION, 55, "55", 55}, {SB_LINELEFT, 0, "54", 54}, {SB_PAGELEFT, 0, "44", 44}}},
    {IDC_AIRSPACE_BAR, IDC_AIRSPACE_VALUE, 0, 10000, "500",
     {{SB_THUMBPOSITION, 9950, "9950", 9950}, {SB_LINELEFT, 0, "9850", 9850}, {SB_PAGELEFT, 0, "9350", 9350}}},
};

TEST_F(SettingsPages, ScrollingEveryBar)
{
    SetSetupValue("Lautstaerke", "-1");
    StartProgram();
    for (const auto &c : kBarCases) {
        SCOPED_TRACE(c.bar);
        int low = -1, high = -1;
        GetScrollRange(Control(c.bar), SB_CTL, &low, &high);
        EXPECT_EQ(low, c.low);
        EXPECT_EQ(high, c.high);
        EXPECT_EQ(ControlText(c.valueBox), c.startShown);
        ExpectSteps(c.bar, c.valueBox, {std::begin(c.steps), std::end(c.steps)});
    }
    // The ends clamp; a moving thumb and the other codes change nothing (the
    // bars share one rule).
    ExpectSteps(IDC_VOLUME_BAR, IDC_VOLUME_VALUE,
                {{SB_PAGELEFT, 0, "2", 2}, {SB_PAGELEFT, 0, "0", 0}, {SB_LINELEFT, 0, "0", 0},
                 {SB_THUMBTRACK, 7, "0", 0}, {SB_ENDSCROLL, 0, "0", 0}, {SB_BOTTOM, 0, "0", 0},
                 {SB_THUMBPOSITION, 7, "7", 7}, {SB_PAGERIGHT, 0, "8", 8}, {SB_LINERIGHT, 0, "8", 8}});
    // A scroll message of another window changes nothing.
    Send(WM_HSCROLL, MAKEWPARAM(SB_PAGERIGHT, 0), (LPARAM)Control(IDC_VOLUME_VALUE));
    EXPECT_EQ(ControlText(IDC_VOLUME_VALUE), "8");
}

TEST_F(SettingsPages, SavingPage2WritesWhatIsShown)
{
    // Loaded clamped: sink -7 as -5.0, one step up from there -4.9.
    WriteFileBytes("E:\\SETUP\\setupdata.txt", "Sinkton:-7;\r\nTimeoffset:-20;\r\n*\r\n");
    StartProgram();
    Command(IDM_SETTINGS2_PAGE);
    Scroll(IDC_SINK_BAR, SB_LINELEFT);
    Scroll(IDC_TIMEOFFSET_BAR, SB_THUMBPOSITION, -5);
    Scroll(IDC_AIRSPACE_BAR, SB_PAGERIGHT);
    for (int i = 0; i < 7; i++)
        Scroll(IDC_CLIMB_BAR, SB_LINERIGHT);
    Command(IDC_S2_SAVE);
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    EXPECT_EQ(SetupLine("Sinkton"), "Sinkton:-4.9;");
    EXPECT_EQ(SetupLine("Steigton"), "Steigton:1.0;");
    EXPECT_EQ(SetupLine("Timeoffset"), "Timeoffset:-5;");
    EXPECT_EQ(SetupLine("AirspaceWarnDistance"), "AirspaceWarnDistance:1500;");
    EXPECT_FALSE(FileExists("E:\\SETUP\\setupdata.new"));
    EXPECT_EQ(StatusText(), " Setup in Datei E:\\SETUP\\setupdata.txt gespeichert");
}

TEST_F(SettingsPages, CancelThrowsAwayAFailedSaveStaysEachPageSavesItsOwnLanguageRelabelsBoth)
{
    StartProgram();
    Command(IDM_SETTINGS1_PAGE);
    Scroll(IDC_CONTRAST_BAR, SB_PAGELEFT);
    SendMessageA(Control(IDC_COORD), CB_SETCURSEL, 2, 0);
    Scroll(IDC_TRACK_BAR, SB_PAGERIGHT);
    Command(IDC_S1_CANCEL);
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    EXPECT_EQ(ControlText(IDC_CONTRAST_VALUE), "14");
    EXPECT_EQ(BarPosition(IDC_CONTRAST_BAR), 14);
    EXPECT_EQ(ComboSelection(IDC_COORD), 1);
    // The other page keeps its unsaved move until its own cancel.
    EXPECT_EQ(ControlText(IDC_TRACK_VALUE), "15");
    Command(IDM_SETTINGS2_PAGE);
    Command(IDC_S2_CANCEL);
    EXPECT_EQ(ControlText(IDC_TRACK_VALUE), "5");
    EXPECT_EQ(BarPosition(IDC_TRACK_BAR), 5);

    Command(IDM_SETTINGS2_PAGE);
    Scroll(IDC_TRACK_BAR, SB_PAGERIGHT);
    std::string status = StatusText();
    std::string before = ReadFileBytes("E:\\SETUP\\setupdata.txt");
    // A folder where the new file would be written: it cannot be created.
    MakeFolder("E:\\SETUP\\setupdata.new");
    Command(IDC_S2_SAVE);
    EXPECT_EQ(g_page, PAGE_SETTINGS2);
    EXPECT_TRUE(ShownOneWarning("Die Setupdatei kann nicht gespeichert werden", "Dateifehler"));
    EXPECT_EQ(StatusText(), status);
    EXPECT_EQ(g_instrument.settings.Trackinterval, 15);
    EXPECT_EQ(ReadFileBytes("E:\\SETUP\\setupdata.txt"), before);
    RemoveDirectoryA("E:\\SETUP\\setupdata.new");
    Command(IDC_S2_SAVE);
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    EXPECT_EQ(SetupLine("Trackinterval"), "Trackinterval:15;");

    // Each page saves its own changes only.
    Command(IDM_SETTINGS1_PAGE);
    Scroll(IDC_VOLUME_BAR, SB_LINELEFT);
    Command(IDM_SETTINGS2_PAGE);
    Command(IDC_S2_SAVE);
    EXPECT_EQ(SetupLine("Lautstaerke"), "Lautstaerke:6;");
    EXPECT_EQ(ControlText(IDC_VOLUME_VALUE), "5");
    Command(IDM_SETTINGS1_PAGE);
    SendMessageA(Control(IDC_LANGUAGE), CB_SETCURSEL, 1, 0);
    SendMessageA(Control(IDC_UNIT), CB_SETCURSEL, 1, 0);
    SendMessageA(Control(IDC_FIELD1), CB_SETCURSEL, 16, 0);
    Command(IDC_S1_SAVE);
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    EXPECT_EQ(SetupLine("Sprache"), "Sprache:1;");
    EXPECT_EQ(SetupLine("Unit"), "Unit:1;");
    EXPECT_EQ(SetupLine("Feld1"), "Feld1:16;");
    EXPECT_EQ(SetupLine("Lautstaerke"), "Lautstaerke:5;");
    // Both pages relabelled in English.
    EXPECT_EQ(ControlText(IDC_SINK_LABEL), "Sink tone");
    EXPECT_EQ(ComboItem(IDC_UNIT, 1), "Imperial");
}

class Language : public SampleInstrumentTest {};

static void ExpectTexts(const std::vector<std::pair<int, std::string>> &texts)
{
    for (const auto &text : texts)
        EXPECT_EQ(ControlText(text.first), text.second) << "control " << text.first;
}

TEST_F(Language, TextsFromTheLanguageFileAndTheBuiltInLabels)
{
    StartProgram();
    // A missing file keeps the old texts, but the built-in labels follow.
    DeleteFileA("E:\\SETUP\\Franzoesisch.txt");
    SetSetupValue("Sprache", "2");
    ReloadInstrument();
    ExpectTexts({{IDC_S1_SUBHEADING, "Page 1"}, {IDC_FIELD1_LABEL, "Champ 1"}, {IDC_S1_HEADING, "Einstellungen"},
                 {IDC_VOLUME_LABEL, "Lautst\xE4rke"}});
    EXPECT_EQ(ComboSelection(IDC_LANGUAGE), 2);
    EXPECT_EQ(StatusText(), " Zirkano 2.0 on drive E: - Sprache: Franz\xF6sisch");
    // The pilot page heading is set by the first detection only.
    SetSetupValue("Sprache", "1");
    ReloadInstrument();
    ExpectTexts({{IDC_S1_HEADING, "Settings"}, {IDC_S2_SUBHEADING, "Side 2"}, {IDC_FIELD2_LABEL, "Field 2"},
                 {IDC_VOLUME_LABEL, "Volume"}, {IDC_PILOT_HEADING, "Pilotendaten"}});
    EXPECT_EQ(ComboItem(IDC_LANGUAGE, 7), "Romanian");
    EXPECT_EQ(ComboSelection(IDC_COORD), 1);
    EXPECT_EQ(ComboSelection(IDC_FIELD1), 2);
    EXPECT_EQ(ComboSelection(IDC_FIELD2), 1);
}

TEST_F(Language, NoLanguageFileAtAllGivesNull)
{
    DeleteFileA("E:\\SETUP\\Deutsch.txt");
    StartProgram();
    ExpectTexts({{IDC_S1_HEADING, "NULL"}, {IDC_S1_SUBHEADING, "Seite 1"}});
    EXPECT_EQ(StatusText(), " Zirkano 2.0 an Laufwerk E: - NULL: NULL");
    // The next file that opens replaces the fallback; lines beyond the
    // hundredth are left out, and a very long name is cut in the status text.
    std::string text;
    for (int i = 0; i < 140; i++)
        text += (i == 48 ? std::string(5000, 'L') : "Zeile " + std::to_string(i)) + "\r\n";
    WriteFileBytes("E:\\SETUP\\Englisch.txt", text);
    SetSetupValue("Sprache", "1");
    ReloadInstrument();
    EXPECT_EQ(ControlText(IDC_S1_HEADING), "Zeile 22");
    std::string status = StatusText();
    EXPECT_EQ(status.substr(0, 37), " Zirkano 2.0 on drive E: - Zeile 40: ");
    EXPECT_EQ(status.size(), 511u);
}

// Each control with a caption of the program's own and its text; 0 is the
// dialog title, -1 the flight book's first column.
static const struct { int control; int text; } kCaptions[] = {
    {IDC_PILOT_CANCEL, TEXT_CANCEL}, {IDC_PILOT_SAVE, TEXT_SAVE}, {IDC_S1_CANCEL, TEXT_CANCEL},
    {IDC_S1_SAVE, TEXT_SAVE}, {IDC_S2_CANCEL, TEXT_CANCEL}, {IDC_S2_SAVE, TEXT_SAVE},
    {IDC_FILES_HEADING, TEXT_FILES_HEADING}, {IDC_FILES_CLOSE, TEXT_CLOSE}, {IDC_REMOVE_EMPTY, TEXT_REMOVE_EMPTY},
    {IDC_COPY_FLIGHTS, TEXT_COPY_FLIGHTS}, {IDC_COPY_ALL, TEXT_COPY_ALL}, {IDC_WP_BACK, TEXT_BACK},
    {IDC_WP_HEADING, TEXT_WAYPOINTS_HEADING}, {IDC_WP_USED_LABEL, TEXT_WAYPOINTS_USED},
    {IDC_WP_DELETED_LABEL, TEXT_WAYPOINTS_DELETED}, {IDC_WP_THERMAL_LABEL, TEXT_THERMALS},
    {IDC_EXPORT_WAYPOINTS, TEXT_EXPORT_WAYPOINTS}, {IDC_EXPORT_DELETED, TEXT_EXPORT_DELETED},
    {IDC_EXPORT_THERMALS, TEXT_EXPORT_THERMALS}, {IDC_BOOK_SAVE, TEXT_FLIGHTBOOK_SAVE_TITLE},
    {IDC_BOOK_BACK, TEXT_BACK}, {-1, TEXT_COLUMN_DATE}, {0, TEXT_TITLE},
};

// Every caption in this language; the about document by its first lines.
static void ExpectProgramTexts(int language)
{
    for (const auto &caption : kCaptions) {
        char text[64] = "";
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        if (caption.control < 0)
            SendMessageA(Control(IDC_BOOK_LIST), LVM_GETCOLUMNA, 0, (LPARAM)&column);
        else
            GetWindowTextA(caption.control ? Control(caption.control) : Dialog(), text, sizeof text);
        EXPECT_STREQ(text, TextIn(language, caption.text)) << "control " << caption.control;
    }
    std::string about = language ? "Tolmaro\r\nthe tool for the Zirkano 2.0\r\n"
                                 : "Tolmaro\r\ndas Werkzeug f\xFCr den Zirkano 2.0\r\n";
    EXPECT_EQ(ControlText(IDC_ABOUT).substr(0, about.size()), about);
}

static void SaveLanguageOnPage1(int language)
{
    Command(IDM_SETTINGS1_PAGE);
    SendMessageA(Control(IDC_LANGUAGE), CB_SETCURSEL, language, 0);
    Command(IDC_S1_SAVE);
}

// German, English after a save on page 1, then German again. In English: the
// Status line after a save, a copy, an export, a flight book and a load, a
// box, the CSV header row and the titles of the prompts.
TEST_F(Language, SavedLanguageChangeOnPage1SwitchesTheProgramsTexts)
{
    StartProgram();
    ExpectProgramTexts(TEXTS_GERMAN);
    SaveLanguageOnPage1(1);
    ExpectProgramTexts(TEXTS_ENGLISH);
    EXPECT_EQ(StatusText(), " Settings saved to E:\\SETUP\\setupdata.txt");
    Command(IDC_PILOT_SAVE);
    EXPECT_EQ(StatusText(), " File E:\\SETUP\\igcheader.txt saved");
    SetDlgItemTextA(Dialog(), IDC_IGCID, "JoB");
    Command(IDC_PILOT_SAVE);
    EXPECT_TRUE(ShownOneWarning(TextIn(TEXTS_ENGLISH, TEXT_BOX_FIELD_LENGTHS), "Please correct your input"));
    ScriptChoice("D:\\");
    Command(IDC_COPY_FLIGHTS);
    EXPECT_EQ(StatusText(), " 9 files copied");
    Command(IDM_WAYPOINTS_PAGE);
    EXPECT_EQ(StatusText(), " File E:\\WAYPOINTS\\waypoints.skt analysed");
    ScriptChoice("D:\\thermals.wpt");
    Command(IDC_EXPORT_THERMALS);
    EXPECT_EQ(StatusText().substr(StatusText().find(' ', 1)), " points written");
    Command(IDM_FLIGHTBOOK_PAGE);
    EXPECT_EQ(StatusText(), " 9 flights, 3:43 h airtime");
    ScriptChoice("D:\\book.csv");
    Command(IDC_BOOK_SAVE);
    EXPECT_EQ(StatusText(), " 9 flights written");
    std::string book = ReadFileBytes("D:\\book.csv");
    EXPECT_EQ(book.substr(0, book.find('\n') + 1), "Date;Take-off;Landing;Duration;Glider;File\r\n");
    ReloadInstrument();
    EXPECT_EQ(StatusText(), " Zirkano 2.0 on drive E: - Language: English");
    std::string prompts;
    for (const PromptCall &call : g_prompts)
        prompts += call.caption + "\n";
    EXPECT_EQ(prompts, "Please correct your input\nAll IGC data (ZELTO) from the Zirkano 2.0 will be copied.\n"
                       "Where do you want to copy the files?\nSave thermal points\nSave flight book\n"
                       "Select the Zirkano 2.0 setup folder\n");
    SaveLanguageOnPage1(0);
    ExpectProgramTexts(TEXTS_GERMAN);
    EXPECT_EQ(StatusText(), " Setup in Datei E:\\SETUP\\setupdata.txt gespeichert");
}
