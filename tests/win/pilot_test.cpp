// The pilot page on the real dialog: the pilot file read at every load,
// the checks and the write of "Speichern", and "Abbruch".
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/pages.h"
#include "app/resource.h"
#include "tests/win/harness.h"
#include "tests/win/scripted_prompts.h"

static const char kPilotFile[] = "E:\\SETUP\\igcheader.txt";
static const char kTempFile[] = "E:\\SETUP\\igcheader.new";
static const char kSampleFile[] =
    "IDJoBr\nHOPLTPILOT: Jonas Brandstetter\nHOGTYGLIDERTYPE: Nova Mentor 7\n"
    "HOCCLCOMPETITION CLASS: Paraglider (Sport)\n";
static const char kLengthMessage[] =
    "Beispiel: Ihr Name ist Max Mustermann\nIGC-ID: MaMu (4 Zeichen)\n"
    "Pilot: Max Mustermann (max. 22 Zeichen)\nGlider: Advance Alpha 3 (max. 22 Zeichen)\n"
    "Class: Paraglider (Sport) (max. 22 Zeichen)";
static const char kCharacterMessage[] =
    "Erlaubt Zeichen sind\na-z,\xE4\xF6\xFC, A-Z, \" ()\xB0+,-/\"\nsowie die Ziffern 0-9";

// What the user types and picks on page 2.
static void EnterPilot(const std::string &igcId, const std::string &pilot, const std::string &glider,
                       int classItem)
{
    SetDlgItemTextA(Dialog(), IDC_IGCID, igcId.c_str());
    SetDlgItemTextA(Dialog(), IDC_PILOT, pilot.c_str());
    SetDlgItemTextA(Dialog(), IDC_GLIDER, glider.c_str());
    SendDlgItemMessageA(Dialog(), IDC_CLASS, CB_SETCURSEL, classItem, 0);
}

static void ExpectPage(const char *igcId, const char *pilot, const char *glider, int classItem)
{
    EXPECT_EQ(ControlText(IDC_IGCID), igcId);
    EXPECT_EQ(ControlText(IDC_PILOT), pilot);
    EXPECT_EQ(ControlText(IDC_GLIDER), glider);
    EXPECT_EQ(ComboSelection(IDC_CLASS), classItem);
}

// Loads the instrument again, as a choice of its settings file does.
static void Reload()
{
    ScriptChoice("E:\\SETUP\\setupdata.txt");
    Command(IDM_CHOOSE_SETUP);
}

static void ExpectDeviceButtons(bool enabled)
{
    for (int button = 1; button <= 5; button++)
        EXPECT_EQ(ToolbarButtonEnabled(button), enabled) << "button " << button;
    EXPECT_TRUE(ToolbarButtonEnabled(0));
    EXPECT_TRUE(ToolbarButtonEnabled(6));
}

// The one warning box of a refused save, which leaves page 2 and the file.
static void ExpectRefused(const char *text, const std::string &fileBefore)
{
    EXPECT_TRUE(ShownOneWarning(text, "Bitte Eingabe korrigieren"));
    EXPECT_EQ(g_page, PAGE_PILOT);
    EXPECT_EQ(ReadFileBytes(kPilotFile), fileBefore);
}

class PilotPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearTestDrives();
        CopySampleInstrument("E:\\");
    }
    void TearDown() override
    {
        if (Dialog())
            CloseProgram(WM_CLOSE);
    }
};

TEST_F(PilotPage, SamplePilotFileFillsThePageAndOpensThePreview)
{
    StartProgram();
    ExpectPage("JoBr", "Jonas Brandstetter", "Nova Mentor 7", 4);
    ASSERT_EQ(ComboCount(IDC_CLASS), 8);
    EXPECT_EQ(ComboItem(IDC_CLASS, 0), "<>");
    EXPECT_EQ(ComboItem(IDC_CLASS, 7), "HG (Fun Cup)");
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    ExpectDeviceButtons(true);
}

TEST_F(PilotPage, WithoutAPilotFileTheStartPageStaysAndTheButtonsAreOff)
{
    DeleteFileA(kPilotFile);
    StartProgram();
    EXPECT_EQ(g_page, PAGE_START);
    ExpectDeviceButtons(false);
    ExpectPage("", "", "", -1);
    EXPECT_TRUE(PromptsOfKind("message").empty());
}

TEST_F(PilotPage, EveryLoadDecidesPageAndButtonsByItsOwnPilotFile)
{
    StartProgram();
    Command(IDM_PILOT_PAGE);
    // A file that is not read: the page keeps what the last good read showed.
    WriteFileBytes(kPilotFile, "IDMaMu\nHOPLTPILOT: Max\n\nHOGTYGLIDERTYPE: Alpha\nHOCCLCOMPETITION CLASS: \n");
    Reload();
    EXPECT_EQ(g_page, PAGE_START);
    ExpectDeviceButtons(false);
    ExpectPage("JoBr", "Jonas Brandstetter", "Nova Mentor 7", 4);
    DeleteFileA(kPilotFile);
    Reload();
    EXPECT_EQ(g_page, PAGE_START);
    ExpectDeviceButtons(false);

    WriteFileBytes(kPilotFile, "IDMaMu\r\nHOPLTPILOT: Max\r\nHOGTYGLIDERTYPE: Alpha\r\nHOCCLCOMPETITION CLASS: Rigid Wing\r\n");
    Reload();
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    ExpectDeviceButtons(true);
    ExpectPage("MaMu", "Max", "Alpha", 2);
}

TEST_F(PilotPage, SavedValuesAreWrittenAsTheFourLinesAndReadBack)
{
    StartProgram();
    Command(IDM_PILOT_PAGE);
    EnterPilot("MaMu", "J\xF6rg M\xFCller-L (2)", "Advance Alpha 3", 5);
    Command(IDC_PILOT_SAVE);
    EXPECT_TRUE(PromptsOfKind("message").empty());
    EXPECT_EQ(ReadFileBytes(kPilotFile),
              "IDMaMu\nHOPLTPILOT: J\xF6rg M\xFCller-L (2)\nHOGTYGLIDERTYPE: Advance Alpha 3\n"
              "HOCCLCOMPETITION CLASS: Paraglider (Tandem)\n");
    EXPECT_FALSE(FileExists(kTempFile));
    EXPECT_EQ(StatusText(), " Datei E:\\SETUP\\igcheader.txt gespeichert");
    EXPECT_EQ(g_page, PAGE_PREVIEW);

    // Unsaved changes are replaced by the file at the next load.
    Command(IDM_PILOT_PAGE);
    EnterPilot("zzzz", "z", "z", 1);
    Reload();
    ExpectPage("MaMu", "J\xF6rg M\xFCller-L (2)", "Advance Alpha 3", 5);
    EXPECT_EQ(g_page, PAGE_PREVIEW);
}

TEST_F(PilotPage, SavedNoClassReadsBackAtTheNextLoad)
{
    StartProgram();
    Command(IDM_PILOT_PAGE);
    EnterPilot("MaMu", "Max Mustermann", "Advance Alpha 3", 0);
    Command(IDC_PILOT_SAVE);
    EXPECT_EQ(ReadFileBytes(kPilotFile),
              "IDMaMu\nHOPLTPILOT: Max Mustermann\nHOGTYGLIDERTYPE: Advance Alpha 3\n"
              "HOCCLCOMPETITION CLASS: \n");
    Command(IDM_PILOT_PAGE);
    EnterPilot("zzzz", "z", "z", 3);
    Reload();
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    ExpectDeviceButtons(true);
    ExpectPage("MaMu", "Max Mustermann", "Advance Alpha 3", 0);
    EXPECT_EQ(ComboCount(IDC_CLASS), 8);
}

struct WrongLength {
    const char *igcId, *pilot, *glider;
    const char *shownId, *shownPilot, *shownGlider;
};

TEST_F(PilotPage, WrongLengthsAreCorrectedOnThePageAndNothingIsWritten)
{
    const std::string n23(23, 'n'), n22(22, 'n'), n30(30, 'p'), p22(22, 'p');
    const WrongLength cases[] = {
        {"Ab", "Max", "Alpha", "AbXX", "Max", "Alpha"},
        {"", "Max", "Alpha", "XXXX", "Max", "Alpha"},
        {"ABCDEFG", "Max", "Alpha", "ABCD", "Max", "Alpha"},
        {"MaMu", n30.c_str(), "Alpha", "MaMu", p22.c_str(), "Alpha"},
        {"MaMu", "Max", n23.c_str(), "MaMu", "Max", n22.c_str()},
        {"A", n30.c_str(), n23.c_str(), "AXXX", p22.c_str(), n22.c_str()},
    };
    StartProgram();
    Command(IDM_PILOT_PAGE);
    for (const WrongLength &c : cases) {
        SCOPED_TRACE(std::string(c.igcId) + " / " + c.pilot + " / " + c.glider);
        g_prompts.clear();
        EnterPilot(c.igcId, c.pilot, c.glider, 1);
        Command(IDC_PILOT_SAVE);
        ExpectRefused(kLengthMessage, kSampleFile);
        EXPECT_EQ(ControlText(IDC_IGCID), c.shownId);
        EXPECT_EQ(ControlText(IDC_PILOT), c.shownPilot);
        EXPECT_EQ(ControlText(IDC_GLIDER), c.shownGlider);
    }
}

TEST_F(PilotPage, TwoCharacterIgcIdIsPaddedAndSavedOnTheSecondPress)
{
    StartProgram();
    Command(IDM_PILOT_PAGE);
    EnterPilot("Ab", "Max Mustermann", "Advance Alpha 3", 4);
    Command(IDC_PILOT_SAVE);
    ExpectRefused(kLengthMessage, kSampleFile);
    EXPECT_EQ(ControlText(IDC_IGCID), "AbXX");

    Command(IDC_PILOT_SAVE);
    EXPECT_EQ(PromptsOfKind("message").size(), 1u);
    EXPECT_EQ(ReadFileBytes(kPilotFile),
              "IDAbXX\nHOPLTPILOT: Max Mustermann\nHOGTYGLIDERTYPE: Advance Alpha 3\n"
              "HOCCLCOMPETITION CLASS: Paraglider (Sport)\n");
    EXPECT_EQ(g_page, PAGE_PREVIEW);
}

TEST_F(PilotPage, RefusedCharactersGiveTheAllowedCharactersMessage)
{
    struct { const char *igcId, *pilot, *glider; } cases[] = {
        {"MaMu", "Ren\xE9 Meier", "Alpha"},      // accented letter
        {"MaMu", "\xC4rger", "Alpha"},           // capital umlaut
        {"MaMu", "Max", "Gro\xDF"},              // sharp s
        {"Ma.u", "Max", "Alpha"},                // full stop in the IGC-ID
        {"MaMu", "Max", "Alpha_3"},
    };
    StartProgram();
    Command(IDM_PILOT_PAGE);
    for (auto &c : cases) {
        SCOPED_TRACE(std::string(c.igcId) + " / " + c.pilot + " / " + c.glider);
        g_prompts.clear();
        EnterPilot(c.igcId, c.pilot, c.glider, 1);
        Command(IDC_PILOT_SAVE);
        ExpectRefused(kCharacterMessage, kSampleFile);
    }
    // Letters, lower-case umlauts, digits and the other allowed signs pass.
    g_prompts.clear();
    EnterPilot("M\xE4M0", "\xE4\xF6\xFC (Team 2) +/-,", "45\xB0 Gl", 1);
    Command(IDC_PILOT_SAVE);
    EXPECT_TRUE(PromptsOfKind("message").empty());
    EXPECT_EQ(ReadFileBytes(kPilotFile),
              "IDM\xE4M0\nHOPLTPILOT: \xE4\xF6\xFC (Team 2) +/-,\nHOGTYGLIDERTYPE: 45\xB0 Gl\n"
              "HOCCLCOMPETITION CLASS: Flexible Wing\n");
}

TEST_F(PilotPage, CancelAfterARefusedSaveShowsWhatWasStored)
{
    StartProgram();
    Command(IDM_PILOT_PAGE);
    // The pilot passes its step and is stored; IGC-ID and glider do not.
    EnterPilot("Ab", "Max Mustermann", std::string(25, 'g'), 2);
    Command(IDC_PILOT_SAVE);
    ExpectRefused(kLengthMessage, kSampleFile);
    Command(IDC_PILOT_CANCEL);
    ExpectPage("JoBr", "Max Mustermann", "Nova Mentor 7", 4);
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    EXPECT_EQ(ReadFileBytes(kPilotFile), kSampleFile);

    // Values stored before a character check failed are kept too.
    Command(IDM_PILOT_PAGE);
    EnterPilot("R\xE9Me", "Ren\xE9", "Alpha", 2);
    Command(IDC_PILOT_SAVE);
    Command(IDC_PILOT_CANCEL);
    ExpectPage("R\xE9Me", "Ren\xE9", "Alpha", 4);
}

TEST_F(PilotPage, UnknownClassIsItem8UntilALoadWithAKnownClass)
{
    // Differs from item 4 only in letter case.
    WriteFileBytes(kPilotFile, "IDJoBr\nHOPLTPILOT: Jonas\nHOGTYGLIDERTYPE: Mentor\n"
                               "HOCCLCOMPETITION CLASS: paraglider (sport)\n");
    StartProgram();
    ASSERT_EQ(ComboCount(IDC_CLASS), 9);
    EXPECT_EQ(ComboItem(IDC_CLASS, 8), "paraglider (sport)");
    EXPECT_EQ(ComboSelection(IDC_CLASS), 8);
    EXPECT_EQ(g_page, PAGE_PREVIEW);

    // "Abbruch" selects it again; saving with it selected keeps the class.
    Command(IDM_PILOT_PAGE);
    SendDlgItemMessageA(Dialog(), IDC_CLASS, CB_SETCURSEL, 1, 0);
    Command(IDC_PILOT_CANCEL);
    EXPECT_EQ(ComboSelection(IDC_CLASS), 8);
    Command(IDM_PILOT_PAGE);
    Command(IDC_PILOT_SAVE);
    EXPECT_EQ(ReadFileBytes(kPilotFile), "IDJoBr\nHOPLTPILOT: Jonas\nHOGTYGLIDERTYPE: Mentor\n"
                                         "HOCCLCOMPETITION CLASS: paraglider (sport)\n");

    // Another unknown class takes the place of the first.
    WriteFileBytes(kPilotFile, "IDJoBr\nHOPLTPILOT: Jonas\nHOGTYGLIDERTYPE: Mentor\n"
                               "HOCCLCOMPETITION CLASS: Speed Wing\n");
    Reload();
    ASSERT_EQ(ComboCount(IDC_CLASS), 9);
    EXPECT_EQ(ComboItem(IDC_CLASS, 8), "Speed Wing");
    EXPECT_EQ(ComboSelection(IDC_CLASS), 8);

    WriteFileBytes(kPilotFile, kSampleFile);
    Reload();
    EXPECT_EQ(ComboCount(IDC_CLASS), 8);
    EXPECT_EQ(ComboSelection(IDC_CLASS), 4);
}

TEST_F(PilotPage, FailedWriteKeepsTheOldFileAndStaysOnThePage)
{
    StartProgram();
    std::string status = StatusText();
    // A folder where the new file would be written: it cannot be created.
    MakeFolder(kTempFile);
    Command(IDM_PILOT_PAGE);
    EnterPilot("MaMu", "Max Mustermann", "Advance Alpha 3", 1);
    Command(IDC_PILOT_SAVE);
    EXPECT_TRUE(ShownOneWarning("Die Setupdatei kann nicht gespeichert werden", "Dateifehler"));
    EXPECT_EQ(ReadFileBytes(kPilotFile), kSampleFile);
    EXPECT_EQ(StatusText(), status);
    EXPECT_EQ(g_page, PAGE_PILOT);

    // Once the way is free the same values are saved.
    RemoveDirectoryA(kTempFile);
    Command(IDC_PILOT_SAVE);
    EXPECT_EQ(PromptsOfKind("message").size(), 1u);
    EXPECT_EQ(ReadFileBytes(kPilotFile), "IDMaMu\nHOPLTPILOT: Max Mustermann\nHOGTYGLIDERTYPE: Advance Alpha 3\n"
                                         "HOCCLCOMPETITION CLASS: Flexible Wing\n");
    EXPECT_FALSE(FileExists(kTempFile));
    EXPECT_EQ(g_page, PAGE_PREVIEW);
}
