// Pages: which controls each page shows, the page switch, and the toolbar.
#include "ui/pages.h"

#include <windows.h>
#include <commctrl.h>

#include "ui/resource.h"
#include "ui/shell.h"

uint8_t g_page = PAGE_START;

struct PageRange {
    uint16_t first, last;
};

// First and last control of pages 2 to 10. Pages 0 and 1 show only the
// preview frame.
static const PageRange kPageRanges[] = {
    {IDC_PILOT_HEADING, IDC_PILOT_SAVE},
    {IDC_S1_HEADING, IDC_S1_SAVE},
    {IDC_S2_HEADING, IDC_S2_SAVE},
    {IDC_FILES_HEADING, IDC_FILES_ANIMATION},
    {IDC_WP_HEADING, IDC_WP_ANIMATION},
    {IDC_ABOUT, IDC_ABOUT},
    {IDC_BOOK_LIST, IDC_BOOK_VIEW},
    {IDC_IMPORT_HEADING, IDC_IMPORT_BACK},
    {IDC_FLIGHT_PICTURE, IDC_FLIGHT_BACK},
};
static_assert(sizeof kPageRanges / sizeof kPageRanges[0] == PAGE_FLIGHT - PAGE_PILOT + 1,
              "a range for every page from 2 on");

enum { TOOLBAR_BUTTONS = 9 };

// Buttons 0 (choose the settings file) and 6 (about) work at all times;
// 1 to 5, 7 (the flight book) and 8 (waypoints onto the instrument) need a
// loaded instrument. The table keeps the last states set.
static TBBUTTON g_toolbarButtons[TOOLBAR_BUTTONS];

static void ShowPageControls(int show)
{
    if (g_page < PAGE_PILOT) {
        ShowWindow(GetDlgItem(g_shell.dialog, IDC_PREVIEW_FRAME), show);
        return;
    }
    PageRange range = kPageRanges[g_page - PAGE_PILOT];
    // A page's animate control stays hidden until an operation starts it.
    if (show != SW_HIDE && (range.last == IDC_FILES_ANIMATION || range.last == IDC_WP_ANIMATION))
        range.last--;
    for (int id = range.first; id <= range.last; id++)
        ShowWindow(GetDlgItem(g_shell.dialog, id), show);
}

void ShowPage(uint8_t page)
{
    if (page == g_page)
        return;
    ShowPageControls(SW_HIDE);
    g_page = page;
    ShowPageControls(SW_SHOWNORMAL);
    // Paint the new page, and on pages 0 and 1 the preview, before returning.
    InvalidateRect(g_shell.dialog, &g_shell.pageArea, TRUE);
    UpdateWindow(g_shell.dialog);
}

void SetDeviceButtons(bool enabled)
{
    for (int i = 1; i < TOOLBAR_BUTTONS; i++) {
        if (i == 6)
            continue;
        SendMessageA(g_shell.toolbar, TB_DELETEBUTTON, i, 0);
        g_toolbarButtons[i].fsState = enabled ? TBSTATE_ENABLED : 0;
        SendMessageA(g_shell.toolbar, TB_INSERTBUTTONA, i, (LPARAM)&g_toolbarButtons[i]);
    }
}

static void FillToolbarButtons()
{
    ZeroMemory(g_toolbarButtons, sizeof g_toolbarButtons);
    for (int i = 0; i < TOOLBAR_BUTTONS; i++) {
        g_toolbarButtons[i].iBitmap = i;
        g_toolbarButtons[i].idCommand = IDM_CHOOSE_SETUP + i;
        g_toolbarButtons[i].fsState = (i == 0 || i == 6) ? TBSTATE_ENABLED : 0;
        g_toolbarButtons[i].fsStyle = TBSTYLE_BUTTON;
    }
}

void CreateToolbar()
{
    FillToolbarButtons();
    HWND toolbar = CreateWindowExA(WS_EX_CLIENTEDGE, TOOLBARCLASSNAMEA, NULL,
                                   WS_CHILD | WS_BORDER | TBSTYLE_TOOLTIPS | CCS_TOP,
                                   0, 0, 0, 0, g_shell.dialog, (HMENU)IDC_TOOLBAR,
                                   g_shell.instance, NULL);
    g_shell.toolbar = toolbar;
    if (!toolbar)
        return;
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // Nine 16-pixel images; the bitmap's grey becomes the button face.
    TBADDBITMAP images = {};
    images.nID = (UINT_PTR)LoadImageA(g_shell.instance, MAKEINTRESOURCEA(IDB_TOOLBAR),
                                      IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
    SendMessageA(toolbar, TB_ADDBITMAP, 1, (LPARAM)&images);
    SendMessageA(toolbar, TB_ADDBUTTONSA, TOOLBAR_BUTTONS, (LPARAM)g_toolbarButtons);
    SetWindowLongA(toolbar, GWL_STYLE, GetWindowLongA(toolbar, GWL_STYLE) | TBSTYLE_FLAT);
    ShowWindow(toolbar, SW_SHOW);
}
