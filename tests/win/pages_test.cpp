// Pages, toolbar commands, the Status line and the Activity animations,
// driven through the real dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/pages.h"
#include "app/resource.h"
#include "app/status.h"
#include "tests/win/harness.h"

class Pages : public SampleInstrumentTest {
protected:
    void SetUp() override
    {
        SampleInstrumentTest::SetUp();
        // Without a waypoint store, showing the waypoint page plays no clip.
        DeleteFileA("E:\\WAYPOINTS\\waypoints.skt");
    }
};

struct PageControls {
    int command;     // the toolbar command that shows the page
    uint8_t page;
    int first, last; // its controls, the animate control left out
};

static const PageControls kPages[] = {
    {IDM_PILOT_PAGE, PAGE_PILOT, IDC_PILOT_HEADING, IDC_PILOT_SAVE},
    {IDM_SETTINGS1_PAGE, PAGE_SETTINGS1, IDC_S1_HEADING, IDC_S1_SAVE},
    {IDM_SETTINGS2_PAGE, PAGE_SETTINGS2, IDC_S2_HEADING, IDC_S2_SAVE},
    {IDM_FILES_PAGE, PAGE_FILES, IDC_FILES_HEADING, IDC_FILES_CLOSE},
    {IDM_WAYPOINTS_PAGE, PAGE_WAYPOINTS, IDC_WP_HEADING, IDC_WP_BACK},
    {IDM_ABOUT_PAGE, PAGE_ABOUT, IDC_ABOUT, IDC_ABOUT},
};

static const int kAllControls[][2] = {
    {IDC_PREVIEW_FRAME, IDC_PREVIEW_FRAME}, {IDC_PILOT_HEADING, IDC_PILOT_SAVE},
    {IDC_S1_HEADING, IDC_S1_SAVE}, {IDC_S2_HEADING, IDC_S2_SAVE},
    {IDC_FILES_HEADING, IDC_FILES_ANIMATION}, {IDC_WP_HEADING, IDC_WP_ANIMATION}, {IDC_ABOUT, IDC_ABOUT},
};

// Exactly the controls first..last are visible, or only the frame.
static void ExpectOnlyShown(int first, int last)
{
    for (const auto &range : kAllControls)
        for (int id = range[0]; id <= range[1]; id++)
            EXPECT_EQ(IsShown(id), id >= first && id <= last) << "control " << id;
}

TEST_F(Pages, EveryToolbarCommandFromEveryPage)
{
    StartProgram();
    for (const PageControls &from : kPages) {
        for (const PageControls &to : kPages) {
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

// The animate control reports each start and stop of a clip to the dialog;
// a subclass of the dialog records them.
static WNDPROC g_dialogProcedure;
static std::string g_clipEvents;

static LRESULT CALLBACK RecordClipEvents(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_WP_ANIMATION)
        g_clipEvents += HIWORD(wParam) == ACN_START ? "start " : HIWORD(wParam) == ACN_STOP ? "stop " : "? ";
    return CallWindowProcA(g_dialogProcedure, window, message, wParam, lParam);
}

// Every clip's decoding is checked by tools/check_clips.sh; here that a loop
// plays on and the closing clip plays once after it.
TEST_F(Pages, ALoopPlaysUntilTheClosingClipPlaysOnce)
{
    StartProgram();
    g_dialogProcedure = (WNDPROC)SetWindowLongPtrA(Dialog(), GWLP_WNDPROC, (LONG_PTR)RecordClipEvents);
    Command(IDM_WAYPOINTS_PAGE);
    StartActivityAnimation(IDC_WP_ANIMATION, IDR_CLIP_WAYPOINTS);
    EXPECT_TRUE(IsShown(IDC_WP_ANIMATION));
    // Longer than one pass of the 20-frame loop: the loop goes on.
    Sleep(1500);
    Send(WM_NULL);
    EXPECT_EQ(g_clipEvents, "start ");
    FinishActivityAnimation(IDC_WP_ANIMATION);
    // Ten frames at eight frames a second, played once.
    Sleep(2500);
    Send(WM_NULL);
    EXPECT_EQ(g_clipEvents, "start stop start stop ");
    EXPECT_TRUE(IsShown(IDC_WP_ANIMATION));
    SetWindowLongPtrA(Dialog(), GWLP_WNDPROC, (LONG_PTR)g_dialogProcedure);
}
