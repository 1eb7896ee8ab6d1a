// The main dialog's frame: captions, toolbar, the dispatch's answers, and
// closing.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/resource.h"
#include "tests/win/harness.h"

// The class name is the one the harness finds the dialog by; styles that
// decide behaviour are checked through the behaviour (read-only about text,
// disabled export buttons) by the tests of those pages.
TEST(Frame, CaptionsToolbarAndDispatchAndEnterEndsWithOne)
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

    // The dialog procedure answers only its own messages.
    DLGPROC procedure = (DLGPROC)GetWindowLongPtrA(Dialog(), DWLP_DLGPROC);
    ASSERT_NE(procedure, nullptr);
    EXPECT_EQ(procedure(Dialog(), WM_COMMAND, 4711, 0), FALSE);
    EXPECT_EQ(procedure(Dialog(), WM_TIMER, 1, 0), FALSE);
    // A handled command returns TRUE whatever its outcome: a page switch,
    // a cancelled file choice, a scroll message of no settings bar.
    EXPECT_EQ(procedure(Dialog(), WM_COMMAND, MAKEWPARAM(IDM_ABOUT_PAGE, BN_CLICKED), 0), TRUE);
    EXPECT_EQ(procedure(Dialog(), WM_COMMAND, IDM_CHOOSE_SETUP, 0), TRUE);
    EXPECT_EQ(procedure(Dialog(), WM_HSCROLL, SB_LINELEFT, 0), TRUE);
    // Escape does nothing; Enter in an edit field reaches the dialog as IDOK.
    EXPECT_EQ(Send(WM_COMMAND, IDCANCEL), FALSE);
    EXPECT_TRUE(IsWindow(Dialog()));
    SetFocus(Control(IDC_PILOT));
    EXPECT_EQ(CloseProgram(WM_COMMAND, IDOK), 1);
}
