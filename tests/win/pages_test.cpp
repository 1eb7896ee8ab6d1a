// The frame, its toolbar and pages, and the Status line, driven through the
// real dialog.
#include <windows.h>
#include <commctrl.h>

#include "app/pages.h"
#include "app/resource.h"
#include "app/status.h"
#include "tests/win/harness.h"

// The class name is the one the harness finds the dialog by; the export
// buttons' disabled style is checked by the waypoint page's tests.
TEST(Frame, CaptionsToolbarEscapeAndEnterEndsWithOne)
{
    ClearTestDrives();
    StartProgram();
    // Captions with single-byte umlauts from the UTF-8 resource script.
    EXPECT_EQ(ControlText(IDC_REMOVE_EMPTY), "Leere ZELTO Verzeichnisse l\xF6schen");
    EXPECT_EQ(ControlText(IDC_WP_BACK), "Zur\xFC" "ck");
    // Seven buttons for commands 3000 to 3006; without an instrument only
    // the choice of the settings file and the about page are enabled.
    HWND toolbar = Control(IDC_TOOLBAR);
    ASSERT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 7);
    for (int i = 0; i < 7; i++) {
        TBBUTTON button = {};
        ASSERT_TRUE(SendMessageA(toolbar, TB_GETBUTTON, i, (LPARAM)&button));
        EXPECT_EQ(button.idCommand, IDM_CHOOSE_SETUP + i);
        EXPECT_EQ(ToolbarButtonEnabled(i), i == 0 || i == 6) << i;
    }
    // Escape does nothing; Enter in an edit field reaches the dialog as IDOK.
    EXPECT_EQ(Send(WM_COMMAND, IDCANCEL), FALSE);
    EXPECT_TRUE(IsWindow(Dialog()));
    SetFocus(Control(IDC_PILOT));
    EXPECT_EQ(CloseProgram(WM_COMMAND, IDOK), 1);
}

// Each page's command and its controls, the animate control left out.
static const struct { int command; uint8_t page; int first, last; } kPages[] = {
    {IDM_PILOT_PAGE, PAGE_PILOT, IDC_PILOT_HEADING, IDC_PILOT_SAVE},
    {IDM_SETTINGS1_PAGE, PAGE_SETTINGS1, IDC_S1_HEADING, IDC_S1_SAVE},
    {IDM_SETTINGS2_PAGE, PAGE_SETTINGS2, IDC_S2_HEADING, IDC_S2_SAVE},
    {IDM_FILES_PAGE, PAGE_FILES, IDC_FILES_HEADING, IDC_FILES_CLOSE},
    {IDM_WAYPOINTS_PAGE, PAGE_WAYPOINTS, IDC_WP_HEADING, IDC_WP_BACK},
    {IDM_ABOUT_PAGE, PAGE_ABOUT, IDC_ABOUT, IDC_ABOUT},
};

// Of the pages' controls (5000 on), exactly first..last are visible.
static void ExpectOnlyShown(int first, int last)
{
    for (int id = IDC_PREVIEW_FRAME; id <= IDC_ABOUT; id++)
        EXPECT_EQ(IsShown(id), id >= first && id <= last) << "control " << id;
}

class Pages : public SampleInstrumentTest {};

TEST_F(Pages, EveryToolbarCommandFromEveryPage)
{
    // Without a waypoint store, showing the waypoint page plays no clip.
    DeleteFileA("E:\\WAYPOINTS\\waypoints.skt");
    StartProgram();
    for (const auto &from : kPages) {
        for (const auto &to : kPages) {
            SCOPED_TRACE(std::to_string(from.page) + " to " + std::to_string(to.page));
            Command(from.command);
            ASSERT_EQ(g_page, from.page);
            Command(to.command);
            EXPECT_EQ(g_page, to.page);
            ExpectOnlyShown(to.first, to.last);
        }
        // The file page's and the waypoint page's buttons lead back to page 1.
        Command(IDM_FILES_PAGE);
        Command(IDC_FILES_CLOSE);
        EXPECT_EQ(g_page, PAGE_PREVIEW);
        ExpectOnlyShown(IDC_PREVIEW_FRAME, IDC_PREVIEW_FRAME);
        Command(IDM_ABOUT_PAGE);
        Command(IDM_WAYPOINTS_PAGE);
        Command(IDC_WP_BACK);
        EXPECT_EQ(g_page, PAGE_PREVIEW);
    }
    // The same page again changes nothing: this control would be shown again.
    Command(IDM_SETTINGS2_PAGE);
    ShowWindow(Control(IDC_S2_SAVE), SW_HIDE);
    Command(IDM_SETTINGS2_PAGE);
    EXPECT_FALSE(IsShown(IDC_S2_SAVE));
    EXPECT_TRUE(IsShown(IDC_S2_CANCEL));

    // The longest copy progress text is shown whole.
    std::string path = "E:\\" + std::string(256, 'p');
    ShowCopyProgress(path.c_str());
    EXPECT_EQ(StatusText(), " Kopiere Datei " + path);
    EXPECT_EQ(StatusText().size(), 274u);
}
