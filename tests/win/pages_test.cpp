// The frame, its toolbar and pages, the instrument preview and the about
// page, driven through the real dialog and read back from its controls and
// the pixels of its client area.
#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "app/about.h"
#include "ui/pages.h"
#include "ui/resource.h"
#include "ui/shell.h"
#include "tests/win/harness.h"

// The class name is the one the harness finds the dialog by; the export
// buttons' disabled style is checked by the waypoint page's tests.
TEST(Frame, ToolbarEscapeAndEnterEndsWithOne)
{
    ClearTestDrives();
    StartProgram();
    // Without an instrument only the choice of the settings file and the
    // about page are enabled.
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(ToolbarButtonEnabled(i), i == 0 || i == 6) << i;
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
    {IDM_FLIGHTBOOK_PAGE, PAGE_FLIGHTBOOK, IDC_BOOK_LIST, IDC_BOOK_BACK},
};

// Of the pages' controls (5000 on), exactly first..last are visible.
static void ExpectOnlyShown(int first, int last)
{
    for (int id = IDC_PREVIEW_FRAME; id <= IDC_BOOK_BACK; id++)
        EXPECT_EQ(IsShown(id), id >= first && id <= last) << "control " << id;
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

TEST_F(Pages, EveryToolbarCommandFromEveryPage)
{
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
}

static const COLORREF kCredit = RGB(220, 200, 190), kPilotInk = RGB(45, 45, 55);

// Client rows: the display, and the band of each line up to the next line.
enum { DISPLAY_TOP = 203, CREDIT_TOP = 270, PILOT_TOP = 288, GLIDER_TOP = 310, DISPLAY_END = 377 };

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

// Of the instrument's own pixels (not the picture's background) outside
// the text lines, the share shown unchanged at (24, 58).
static double PictureShown(const std::vector<COLORREF> &client)
{
    std::vector<COLORREF> picture = Pixels(LoadBitmapA(g_shell.instance, MAKEINTRESOURCEA(IDB_INSTRUMENT)), 372, 460);
    long instrument = 0, same = 0;
    for (size_t at = 0; at < picture.size() && at + 58 * 1000 + 24 < client.size(); at++) {
        int y = 58 + (int)at / 1000;
        if (picture[at] != CLR_INVALID && picture[at] != picture[0] && (y < CREDIT_TOP || y >= GLIDER_TOP + 22)) {
            instrument++;
            same += client[at + 58 * 1000 + 24] == picture[at];
        }
    }
    return (double)same / instrument;
}

// Where the display's columns show exactly this colour in a band of rows.
static std::vector<int> Ink(const std::vector<COLORREF> &pixels, COLORREF colour, int top, int end)
{
    std::vector<int> at;
    for (int y = top; y < end; y++)
        for (int x = 81; x <= 336; x++)
            if (pixels[y * 1000 + x] == colour)
                at.push_back(y * 1000 + x);
    return at;
}

// The band shows the very ink of the text drawn with this font and colour on
// the display's colour, centred on x 212 with its top at the band's top.
static void ExpectLine(const std::vector<COLORREF> &client, COLORREF colour, int top, int end, HFONT font,
                       const char *text)
{
    HDC screen = GetDC(NULL);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 400, DISPLAY_END);
    ReleaseDC(NULL, screen);
    std::vector<COLORREF> drawn = Pixels(canvas, 400, DISPLAY_END, [&](HDC dc) {
        RECT all = {0, 0, 400, DISPLAY_END};
        SetDCBrushColor(dc, RGB(104, 122, 110));
        FillRect(dc, &all, (HBRUSH)GetStockObject(DC_BRUSH));
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, TA_CENTER);
        SetTextColor(dc, colour);
        HGDIOBJ previous = SelectObject(dc, font);
        TextOutA(dc, 212, top, text, lstrlenA(text));
        SelectObject(dc, previous);
    });
    std::vector<int> expected = Ink(drawn, colour, top, end);
    EXPECT_GT(expected.size(), 20u) << text;
    EXPECT_EQ(Ink(client, colour, top, end), expected) << text;
}

// The picture whole, and the lines drawn with the program's fonts and
// colours; an empty text draws no ink in its band.
static void ExpectPreview(const char *credit, const char *pilot, const char *glider)
{
    std::vector<COLORREF> client = CaptureClient();
    EXPECT_EQ(PictureShown(client), 1.0);
    ExpectLine(client, kCredit, CREDIT_TOP, PILOT_TOP, g_shell.creditFont, credit);
    EXPECT_EQ(Ink(client, kCredit, DISPLAY_TOP, DISPLAY_END), Ink(client, kCredit, CREDIT_TOP, PILOT_TOP));
    const struct { const char *text; int top, end; } lines[] = {
        {pilot, PILOT_TOP, GLIDER_TOP}, {glider, GLIDER_TOP, DISPLAY_END}};
    for (const auto &line : lines) {
        if (*line.text)
            ExpectLine(client, kPilotInk, line.top, line.end, g_shell.pilotFont, line.text);
        else
            EXPECT_TRUE(Ink(client, kPilotInk, line.top, line.end).empty()) << line.top;
    }
}

class Preview : public Pages {};

TEST_F(Preview, OtherPagesShowNoneOfThePicturePagesZeroAndOneTheirLines)
{
    // A missing about document leaves the control empty; the next stream
    // starts over. The document's parts are read by unrtf (tests/checks/check_about.py).
    std::string text = ControlText(IDC_ABOUT);
    EXPECT_EQ(LoadAboutDocument(Control(IDC_ABOUT), IDR_ABOUT_ENGLISH + 1), 1u);
    EXPECT_EQ(ControlText(IDC_ABOUT), "");
    EXPECT_EQ(LoadAboutDocument(Control(IDC_ABOUT), IDR_ABOUT), 0u);
    EXPECT_EQ(ControlText(IDC_ABOUT), text);
    for (int command = IDM_PILOT_PAGE; command <= IDM_ABOUT_PAGE; command++) {
        Command(command);
        std::vector<COLORREF> client = CaptureClient();
        // A stray pixel of a control may share a colour with the picture.
        EXPECT_LT(PictureShown(client), 0.001) << "page " << (int)g_page;
        EXPECT_TRUE(Ink(client, kCredit, DISPLAY_TOP, DISPLAY_END).empty()) << "page " << (int)g_page;
    }
    Command(IDM_FILES_PAGE);
    Command(IDC_FILES_CLOSE);
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    ExpectPreview("Tolmaro von Holdranek", "Jonas Brandstetter", "Nova Mentor 7");
    // An empty pilot name leaves the glider where it was.
    WriteFileBytes("E:\\SETUP\\igcheader.txt",
                   "IDJoBr\nHOPLTPILOT: \nHOGTYGLIDERTYPE: Nova Mentor 7\nHOCCLCOMPETITION CLASS: \n");
    ReloadInstrument();
    ExpectPreview("Tolmaro von Holdranek", "", "Nova Mentor 7");
    // Page 0, in English: the credit line alone.
    DeleteFileA("E:\\SETUP\\igcheader.txt");
    std::string setup = ReadFileBytes("E:\\SETUP\\setupdata.txt");
    WriteFileBytes("E:\\SETUP\\setupdata.txt", setup.replace(setup.find("Sprache:0"), 9, "Sprache:1"));
    ReloadInstrument();
    EXPECT_EQ(g_page, PAGE_START);
    ExpectPreview("Tolmaro from Holdranek", "", "");
}
