// The pilot page on the real dialog: the pilot file read at every load,
// the checks and the write of "Speichern", and "Abbruch".
#include "ui/pages.h"
#include "ui/resource.h"
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

static void ExpectPage(const std::string &igcId, const std::string &pilot, const std::string &glider, int classItem)
{
    EXPECT_EQ(ControlText(IDC_IGCID), igcId);
    EXPECT_EQ(ControlText(IDC_PILOT), pilot);
    EXPECT_EQ(ControlText(IDC_GLIDER), glider);
    EXPECT_EQ(ComboSelection(IDC_CLASS), classItem);
}

static void ExpectDeviceButtons(bool enabled)
{
    for (int button = 0; button < 9; button++)
        EXPECT_EQ(ToolbarButtonEnabled(button), enabled || button == 0 || button == 6) << "button " << button;
}

class PilotPage : public SampleInstrumentTest {};

TEST_F(PilotPage, EveryLoadDecidesByItsOwnPilotFileAndSavedValuesAreReadBack)
{
    StartProgram();
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    ExpectDeviceButtons(true);
    ExpectPage("JoBr", "Jonas Brandstetter", "Nova Mentor 7", 4);
    Command(IDM_PILOT_PAGE);
    // A file that is not read: the page keeps what the last good read showed.
    WriteFileBytes(kPilotFile, "IDMaMu\nHOPLTPILOT: Max\n\nHOGTYGLIDERTYPE: Alpha\nHOCCLCOMPETITION CLASS: \n");
    ReloadInstrument();
    EXPECT_EQ(g_page, PAGE_START);
    ExpectDeviceButtons(false);
    ExpectPage("JoBr", "Jonas Brandstetter", "Nova Mentor 7", 4);
    EXPECT_TRUE(PromptsOfKind("message").empty());

    // A class that differs from item 4 only in letter case is an unknown
    // class: item 8, selected again by "Abbruch" and kept by a save.
    const std::string head = "IDJoBr\nHOPLTPILOT: Jonas\nHOGTYGLIDERTYPE: Mentor\nHOCCLCOMPETITION CLASS: ";
    WriteFileBytes(kPilotFile, head + "paraglider (sport)\n");
    ReloadInstrument();
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    ExpectDeviceButtons(true);
    ExpectPage("JoBr", "Jonas", "Mentor", 8);
    EXPECT_EQ(ComboItem(IDC_CLASS, 8), "paraglider (sport)");
    Command(IDM_PILOT_PAGE);
    SendDlgItemMessageA(Dialog(), IDC_CLASS, CB_SETCURSEL, 1, 0);
    Command(IDC_PILOT_CANCEL);
    EXPECT_EQ(ComboSelection(IDC_CLASS), 8);
    Command(IDM_PILOT_PAGE);
    Command(IDC_PILOT_SAVE);
    EXPECT_EQ(ReadFileBytes(kPilotFile), head + "paraglider (sport)\n");
    // A known class takes item 8 away again.
    WriteFileBytes(kPilotFile, kSampleFile);
    ReloadInstrument();
    EXPECT_EQ(ComboItem(IDC_CLASS, 8), "");
    EXPECT_EQ(ComboSelection(IDC_CLASS), 4);

    std::string status = StatusText();
    // A folder where the new file would be written: it cannot be created,
    // and the old file stays.
    MakeFolder(kTempFile);
    Command(IDM_PILOT_PAGE);
    EnterPilot("M\xE4M0", "J\xF6rg M\xFCller (2) +/-,", "45\xB0 Gl", 5);
    Command(IDC_PILOT_SAVE);
    EXPECT_TRUE(ShownOneWarning("Die Setupdatei kann nicht gespeichert werden", "Dateifehler"));
    EXPECT_EQ(ReadFileBytes(kPilotFile), kSampleFile);
    EXPECT_EQ(StatusText(), status);
    EXPECT_EQ(g_page, PAGE_PILOT);
    // Once the way is free the same values are saved.
    RemoveDirectoryA(kTempFile);
    Command(IDC_PILOT_SAVE);
    EXPECT_EQ(PromptsOfKind("message").size(), 1u);
    EXPECT_EQ(ReadFileBytes(kPilotFile), "IDM\xE4M0\nHOPLTPILOT: J\xF6rg M\xFCller (2) +/-,\nHOGTYGLIDERTYPE: 45\xB0 Gl\n"
                                         "HOCCLCOMPETITION CLASS: Paraglider (Tandem)\n");
    EXPECT_FALSE(FileExists(kTempFile));
    EXPECT_EQ(StatusText(), " Datei E:\\SETUP\\igcheader.txt gespeichert");
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    // Item 0 is saved as no class, which reads back at the next load.
    Command(IDM_PILOT_PAGE);
    EnterPilot("MaMu", "Max Mustermann", "Advance Alpha 3", 0);
    Command(IDC_PILOT_SAVE);
    EXPECT_EQ(ReadFileBytes(kPilotFile),
              "IDMaMu\nHOPLTPILOT: Max Mustermann\nHOGTYGLIDERTYPE: Advance Alpha 3\nHOCCLCOMPETITION CLASS: \n");
    EnterPilot("zzzz", "z", "z", 3);
    ReloadInstrument();
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    ExpectPage("MaMu", "Max Mustermann", "Advance Alpha 3", 0);
}

TEST_F(PilotPage, RefusedInputIsCorrectedOnThePageAndSavedOnTheSecondPress)
{
    const std::string n23(23, 'n'), n22(22, 'n'), p30(30, 'p'), p22(22, 'p');
    struct { std::string igcId, pilot, glider; const char *message; std::string shownId, shownPilot, shownGlider; } cases[] = {
        {"Ab", "Max", "Alpha", kLengthMessage, "AbXX", "Max", "Alpha"},
        {"ABCDEFG", "Max", "Alpha", kLengthMessage, "ABCD", "Max", "Alpha"},
        {"MaMu", "Ren\xE9 Meier", "Alpha", kCharacterMessage, "MaMu", "Ren\xE9 Meier", "Alpha"},
        {"Ma.u", "Max", "Alpha_3", kCharacterMessage, "Ma.u", "Max", "Alpha_3"},
        {"A", p30, n23, kLengthMessage, "AXXX", p22, n22},
    };
    StartProgram();
    Command(IDM_PILOT_PAGE);
    for (auto &c : cases) {
        SCOPED_TRACE(c.igcId + " / " + c.pilot + " / " + c.glider);
        g_prompts.clear();
        EnterPilot(c.igcId, c.pilot, c.glider, 1);
        Command(IDC_PILOT_SAVE);
        EXPECT_TRUE(ShownOneWarning(c.message, "Bitte Eingabe korrigieren"));
        EXPECT_EQ(g_page, PAGE_PILOT);
        EXPECT_EQ(ReadFileBytes(kPilotFile), kSampleFile);
        ExpectPage(c.shownId, c.shownPilot, c.shownGlider, 1);
    }
    Command(IDC_PILOT_SAVE);
    EXPECT_EQ(PromptsOfKind("message").size(), 1u);
    EXPECT_EQ(ReadFileBytes(kPilotFile), "IDAXXX\nHOPLTPILOT: " + p22 + "\nHOGTYGLIDERTYPE: " + n22 +
                                             "\nHOCCLCOMPETITION CLASS: Flexible Wing\n");
    EXPECT_EQ(g_page, PAGE_PREVIEW);

    // "Abbruch" after a refused save: the pilot passes its step and is
    // stored; IGC-ID and glider do not.
    Command(IDM_PILOT_PAGE);
    EnterPilot("Ab", "Max Mustermann", std::string(25, 'g'), 2);
    Command(IDC_PILOT_SAVE);
    Command(IDC_PILOT_CANCEL);
    ExpectPage("AXXX", "Max Mustermann", n22, 1);
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    // Values stored before a character check failed are kept too.
    Command(IDM_PILOT_PAGE);
    EnterPilot("R\xE9Me", "Ren\xE9", "Alpha", 2);
    Command(IDC_PILOT_SAVE);
    Command(IDC_PILOT_CANCEL);
    ExpectPage("R\xE9Me", "Ren\xE9", "Alpha", 1);
}
