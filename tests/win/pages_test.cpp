// The frame and its pages, the instrument preview and the about page,
// driven through the real dialog and read back from its controls and the
// pixels of its client area.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <set>

#include "app/about.h"
#include "ui/pages.h"
#include "ui/resource.h"
#include "ui/shell.h"
#include "tests/win/harness.h"

// The toolbar's states: tests/win/pilot_test.cpp.
TEST(Frame, EscapeAndEnterEndsWithOne)
{
    ClearTestDrives();
    StartProgram();
    // Escape does nothing; Enter in an edit field reaches the dialog as IDOK.
    EXPECT_EQ(Send(WM_COMMAND, IDCANCEL), FALSE);
    EXPECT_TRUE(IsWindow(Dialog()));
    SetFocus(Control(IDC_PILOT));
    EXPECT_EQ(CloseProgram(WM_COMMAND, IDOK), 1);
}

// Each toolbar page and the page its command opens; a new page is one more line.
static const struct { int command; uint8_t page; } kPages[] = {
    {IDM_PILOT_PAGE, PAGE_PILOT}, {IDM_SETTINGS1_PAGE, PAGE_SETTINGS1}, {IDM_SETTINGS2_PAGE, PAGE_SETTINGS2},
    {IDM_FILES_PAGE, PAGE_FILES}, {IDM_WAYPOINTS_PAGE, PAGE_WAYPOINTS}, {IDM_ABOUT_PAGE, PAGE_ABOUT},
    {IDM_FLIGHTBOOK_PAGE, PAGE_FLIGHTBOOK}, {IDC_BOOK_VIEW, PAGE_FLIGHT},   // the flight of the first row
    {IDM_IMPORT_PAGE, PAGE_IMPORT},
};

// The pages' controls (5000 on), all or those now visible. The animate
// controls have no page: they show only while an operation runs.
static std::set<int> PageControls(bool shownOnly)
{
    std::set<int> ids;
    for (HWND child = GetWindow(Dialog(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char kind[32] = "";
        GetClassNameA(child, kind, sizeof kind);
        int id = GetDlgCtrlID(child);
        if (id >= IDC_PREVIEW_FRAME && (shownOnly ? IsShown(id) : lstrcmpiA(kind, ANIMATE_CLASSA) != 0))
            ids.insert(id);
    }
    return ids;
}

class Pages : public SampleInstrumentTest {
protected:
    void SetUp() override
    {
        SampleInstrumentTest::SetUp();
        DeleteFileA("E:\\WAYPOINTS\\waypoints.skt");   // no clip on the waypoint page
        StartProgram();
    }
};

// One tour: each page shows controls of its own that no other page shows,
// and every page control belongs to one page. Showing and hiding depend
// on one page each, so the tour is the guard of every pair.
TEST_F(Pages, EachPageShowsItsOwnControlsAndEveryControlHasAPage)
{
    std::set<int> all = {IDC_PREVIEW_FRAME};
    EXPECT_EQ(PageControls(true), all);
    for (const auto &page : kPages) {
        SCOPED_TRACE("page " + std::to_string(page.page));
        if (page.command == IDC_BOOK_VIEW)
            SelectRow(IDC_BOOK_LIST, 0);
        Command(page.command);
        EXPECT_EQ(g_page, page.page);
        std::set<int> shown = PageControls(true);
        EXPECT_GT(shown.size(), 0u);
        for (int id : shown)
            EXPECT_TRUE(all.insert(id).second) << "control " << id << " shown on two pages";
    }
    EXPECT_EQ(all, PageControls(false));
    // The file page's and the waypoint page's buttons lead back to page 1.
    for (int back : {IDC_FILES_CLOSE, IDC_WP_BACK}) {
        Command(back == IDC_FILES_CLOSE ? IDM_FILES_PAGE : IDM_WAYPOINTS_PAGE);
        Command(back);
        EXPECT_EQ(g_page, PAGE_PREVIEW);
        EXPECT_EQ(PageControls(true), std::set<int>{IDC_PREVIEW_FRAME});
    }
    // The same page again changes nothing: this control would be shown again.
    Command(IDM_SETTINGS2_PAGE);
    ShowWindow(Control(IDC_S2_SAVE), SW_HIDE);
    Command(IDM_SETTINGS2_PAGE);
    EXPECT_FALSE(IsShown(IDC_S2_SAVE));
    EXPECT_TRUE(IsShown(IDC_S2_CANCEL));
}

// The picture's place in the client area, and its display there.
enum { PICTURE_LEFT = 24, PICTURE_TOP = 58 };
static const RECT kDisplay = {81, 203, 337, 377};

// Draws on a bitmap in a memory context, reads its pixels back, 1000 to a
// row, and deletes the bitmap.
static std::vector<COLORREF> Pixels(HBITMAP bitmap, int width, int height,
                                    const std::function<void(HDC)> &draw = [](HDC) {})
{
    HDC memory = CreateCompatibleDC(NULL);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    draw(memory);
    std::vector<COLORREF> pixels(1000 * height, CLR_INVALID);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            pixels[y * 1000 + x] = GetPixel(memory, x, y);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return pixels;
}

// Waits until the dialog and its controls have painted all that was
// invalid, and the dialog's thread has left its last paint.
static void WaitUntilPainted()
{
    bool pending = true;
    for (int i = 0; i < 500 && pending; i++, Sleep(pending ? 10 : 0)) {
        pending = GetUpdateRect(Dialog(), NULL, FALSE);
        for (HWND child = GetWindow(Dialog(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            pending = pending || GetUpdateRect(child, NULL, FALSE);
    }
    Send(WM_NULL);
}

// The client area after a complete repaint. Shortly after start-up Wine may
// erase the new window once more, so a copy counts when the next is the same.
static std::vector<COLORREF> CaptureClient()
{
    std::vector<COLORREF> last;
    for (int i = 0; i < 20; i++, Sleep(50)) {
        RedrawWindow(Dialog(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        WaitUntilPainted();
        RECT client;
        GetClientRect(Dialog(), &client);
        HDC window = GetDC(Dialog());
        std::vector<COLORREF> next =
            Pixels(CreateCompatibleBitmap(window, client.right, client.bottom), client.right, client.bottom,
                   [&](HDC memory) { BitBlt(memory, 0, 0, client.right, client.bottom, window, 0, 0, SRCCOPY); });
        ReleaseDC(Dialog(), window);
        if (next == last)
            break;
        last = next;
    }
    return last;
}

static bool InDisplay(size_t at)
{
    POINT point = {(LONG)(at % 1000), (LONG)(at / 1000)};
    return PtInRect(&kDisplay, point) != 0;
}

// Of the instrument's own pixels (not the picture's background) outside
// its display, the share shown unchanged at the picture's place.
static double PictureShown(const std::vector<COLORREF> &client)
{
    std::vector<COLORREF> picture = Pixels(LoadBitmapA(g_shell.instance, MAKEINTRESOURCEA(IDB_INSTRUMENT)), 372, 460);
    long instrument = 0, same = 0;
    for (size_t at = 0, to = PICTURE_TOP * 1000 + PICTURE_LEFT; at < picture.size() && to < client.size(); at++, to++)
        if (picture[at] != CLR_INVALID && picture[at] != picture[0] && !InDisplay(to)) {
            instrument++;
            same += client[to] == picture[at];
        }
    return (double)same / instrument;
}

// The rows [top, end) where two captures of the page area differ: more
// than a few pixels, every one of them on the display.
struct Rows {
    int top, end;
};
static Rows Difference(const std::vector<COLORREF> &a, const std::vector<COLORREF> &b, const char *what)
{
    Rows rows = {1000000, -1};
    size_t count = 0, outside = 0;
    for (size_t at = 0; at < a.size() && at < b.size(); at++) {
        POINT point = {(LONG)(at % 1000), (LONG)(at / 1000)};
        if (a[at] != b[at] && PtInRect(&g_shell.pageArea, point)) {
            count++;
            outside += !InDisplay(at);
            rows = {std::min(rows.top, (int)point.y), std::max(rows.end, (int)point.y + 1)};
        }
    }
    EXPECT_GT(count, 20u) << what;
    EXPECT_EQ(outside, 0u) << what;
    return rows;
}

// The preview after a load of this pilot file.
static std::vector<COLORREF> WithPilotFile(const std::string &pilot, const std::string &glider)
{
    WriteFileBytes("E:\\SETUP\\igcheader.txt",
                   "IDJoBr\nHOPLTPILOT: " + pilot + "\nHOGTYGLIDERTYPE: " + glider + "\nHOCCLCOMPETITION CLASS: \n");
    ReloadInstrument();
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    return CaptureClient();
}

class Preview : public Pages {};

TEST_F(Preview, PictureOnPagesZeroAndOneTheirLinesOnItsDisplay)
{
    // A missing about document leaves the control empty; the next stream
    // starts over. The document's parts are read by unrtf (tests/checks/check_about.py).
    std::string text = ControlText(IDC_ABOUT);
    EXPECT_EQ(LoadAboutDocument(Control(IDC_ABOUT), IDR_ABOUT_ENGLISH + 1), 1u);
    EXPECT_EQ(ControlText(IDC_ABOUT), "");
    EXPECT_EQ(LoadAboutDocument(Control(IDC_ABOUT), IDR_ABOUT), 0u);
    EXPECT_EQ(ControlText(IDC_ABOUT), text);
    for (const auto &page : kPages) {
        Command(page.command);
        // A stray pixel of a control may share a colour with the picture.
        EXPECT_LT(PictureShown(CaptureClient()), 0.001) << "page " << (int)g_page;
    }
    Command(IDM_FILES_PAGE);
    Command(IDC_FILES_CLOSE);
    std::vector<COLORREF> sample = CaptureClient();
    EXPECT_EQ(PictureShown(sample), 1.0);
    // Each line by what it adds: the pilot to the glider alone, the glider
    // to no lines; a pilot saved on page 2 to no lines.
    std::vector<COLORREF> gliderOnly = WithPilotFile("", "Nova Mentor 7"), none = WithPilotFile("", "");
    Rows pilot = Difference(gliderOnly, sample, "pilot"), glider = Difference(none, gliderOnly, "glider");
    Command(IDM_PILOT_PAGE);
    SetDlgItemTextA(Dialog(), IDC_PILOT, "Max Mustermann");
    Command(IDC_PILOT_SAVE);
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    Rows saved = Difference(none, CaptureClient(), "saved pilot");
    // Page 0, in English: the credit changes, and nothing else is drawn.
    DeleteFileA("E:\\SETUP\\igcheader.txt");
    SetSetupValue("Sprache", "1");
    ReloadInstrument();
    EXPECT_EQ(g_page, PAGE_START);
    std::vector<COLORREF> english = CaptureClient();
    EXPECT_EQ(PictureShown(english), 1.0);
    Rows credit = Difference(none, english, "credit");
    // Top to bottom and apart; an empty pilot line leaves the glider where it was.
    EXPECT_LE(credit.end, pilot.top);
    EXPECT_LE(pilot.end, glider.top);
    EXPECT_TRUE(saved.top >= credit.end && saved.end <= glider.top) << saved.top << " to " << saved.end;
}
