// The instrument preview and the about page, read back from the real
// dialog: the pixels of its client area and the rich-edit control.
#include <gtest/gtest.h>

#include <windows.h>
#include <richedit.h>

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/about.h"
#include "app/pages.h"
#include "app/resource.h"
#include "app/shell.h"
#include "resources/version.h"
#include "tests/win/harness.h"

static const uint32_t kCredit = 0xDCC8BE;       // (220, 200, 190)
static const uint32_t kPilotInk = 0x2D2D37;     // (45, 45, 55)
static const uint32_t kBackground = 0xF0F0F0;   // the picture around the instrument
static const COLORREF kDisplay = RGB(104, 122, 110);

// Client rows: the instrument's display, and the band of each line, which
// ends where the next line begins.
enum { DISPLAY_TOP = 203, CREDIT_TOP = 270, PILOT_TOP = 288, GLIDER_TOP = 310, DISPLAY_END = 377 };

// Pixels as 0xRRGGBB, row by row.
struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;
    uint32_t At(int x, int y) const { return rgb[(size_t)y * width + x]; }
};

// A 32-bit copy of what the context shows, from its top left.
static Pixels CopyPixels(HDC source, int width, int height)
{
    Pixels out;
    out.width = width;
    out.height = height;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = NULL;
    HBITMAP dib = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ previous = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const uint32_t *words = (const uint32_t *)bits;
    for (size_t i = 0; i < (size_t)width * height; i++)
        out.rgb.push_back(words[i] & 0xFFFFFF);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(dib);
    return out;
}

// Waits until the dialog and its controls have painted all that was
// invalid; the dialog's thread paints when it has nothing else to do.
static void WaitUntilPainted()
{
    bool pending = true;
    for (int i = 0; i < 500 && pending; i++) {
        pending = GetUpdateRect(Dialog(), NULL, FALSE);
        for (HWND child = GetWindow(Dialog(), GW_CHILD); child && !pending; child = GetWindow(child, GW_HWNDNEXT))
            pending = GetUpdateRect(child, NULL, FALSE);
        if (pending)
            Sleep(10);
    }
    // Answered once the thread has left its last paint.
    Send(WM_NULL);
}

static Pixels RepaintAndCopyClient()
{
    RedrawWindow(Dialog(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    WaitUntilPainted();
    RECT client;
    GetClientRect(Dialog(), &client);
    HDC window = GetDC(Dialog());
    Pixels pixels = CopyPixels(window, client.right, client.bottom);
    ReleaseDC(Dialog(), window);
    return pixels;
}

// The client area as it is on the screen after a complete repaint. Shortly
// after start-up Wine may still erase the new window once more (when the
// display reports it shown), so a copy counts when the next one is the same.
static Pixels CaptureClient()
{
    Pixels last = RepaintAndCopyClient();
    for (int i = 0; i < 20; i++) {
        Sleep(50);
        Pixels next = RepaintAndCopyClient();
        if (next.rgb == last.rgb)
            break;
        last = next;
    }
    return last;
}

static Pixels InstrumentPicture()
{
    HBITMAP picture = LoadBitmapA(g_shell.instance, MAKEINTRESOURCEA(IDB_INSTRUMENT));
    HDC memory = CreateCompatibleDC(NULL);
    HGDIOBJ previous = SelectObject(memory, picture);
    Pixels pixels = CopyPixels(memory, 372, 460);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(picture);
    return pixels;
}

// Of the instrument's own pixels (the picture without its background) that
// lie in the client area outside the text lines, the share shown unchanged
// at (24, 58).
static double PictureShown(const Pixels &client)
{
    static const Pixels picture = InstrumentPicture();
    long instrument = 0, same = 0;
    for (int y = 0; y < picture.height && 58 + y < client.height; y++) {
        if (58 + y >= CREDIT_TOP && 58 + y < GLIDER_TOP + 22)
            continue;
        for (int x = 0; x < picture.width && 24 + x < client.width; x++) {
            if (picture.At(x, y) == kBackground)
                continue;
            instrument++;
            same += client.At(24 + x, 58 + y) == picture.At(x, y);
        }
    }
    return instrument ? (double)same / instrument : 0;
}

// Where the pixels of exactly one colour lie.
struct Ink {
    int count = 0, left = 1 << 30, right = -1, top = 1 << 30;
    int Width() const { return right - left + 1; }
    int Centre2() const { return left + right; }   // twice the centre
};

static Ink FindInk(const Pixels &pixels, uint32_t colour, int left, int right, int top, int end)
{
    Ink ink;
    for (int y = top; y < end; y++)
        for (int x = left; x <= right; x++)
            if (pixels.At(x, y) == colour) {
                ink.count++;
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
            }
    return ink;
}

// Within the display's columns (x 81 to 336).
static Ink DisplayInk(const Pixels &client, uint32_t colour, int top, int end)
{
    return FindInk(client, colour, 81, 336, top, end);
}

// The ink of a text that the test draws itself with the same font and
// colour on the display's colour, centred on x 200, its top at y 0.
static Ink ReferenceInk(HFONT font, uint32_t colour, const char *text)
{
    HDC screen = GetDC(NULL);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 400, 40);
    HGDIOBJ previousBitmap = SelectObject(dc, canvas);
    RECT all = {0, 0, 400, 40};
    HBRUSH display = CreateSolidBrush(kDisplay);
    FillRect(dc, &all, display);
    DeleteObject(display);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_CENTER);
    SetTextColor(dc, RGB(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF));
    HGDIOBJ previousFont = SelectObject(dc, font);
    TextOutA(dc, 200, 0, text, (int)strlen(text));
    SelectObject(dc, previousFont);
    Pixels pixels = CopyPixels(dc, 400, 40);
    SelectObject(dc, previousBitmap);
    DeleteObject(canvas);
    DeleteDC(dc);
    ReleaseDC(NULL, screen);
    return FindInk(pixels, colour, 0, 399, 0, 40);
}

// The ink in the line's band is the text's own, centred on x 212 with its
// top at the band's top.
static void ExpectLine(const Pixels &client, uint32_t colour, int top, int end, HFONT font, const char *text)
{
    SCOPED_TRACE(text);
    Ink ink = DisplayInk(client, colour, top, end);
    Ink reference = ReferenceInk(font, colour, text);
    ASSERT_GT(reference.count, 20);
    EXPECT_EQ(ink.count, reference.count);
    EXPECT_EQ(ink.Width(), reference.Width());
    EXPECT_EQ(ink.Centre2() - 2 * 212, reference.Centre2() - 2 * 200);
    EXPECT_EQ(ink.top - top, reference.top);
}

// Live GDI objects of this process, the program's included. Wine answers 0
// to GetGuiResources; there they are the used entries of the GDI handle
// table that the process environment block points to: 65,536 entries of 24
// bytes whose type byte (offset 14) is 0 when the entry is free.
static long GdiObjectCount()
{
    DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0)
        return (long)counted;
    typedef const uint8_t *(WINAPI * CurrentEnvironment)();
    CurrentEnvironment environment =
        (CurrentEnvironment)(void *)GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetCurrentPeb");
    if (!environment)
        return -1;
    const size_t tableField = sizeof(void *) == 8 ? 0xF8 : 0x94;
    const uint8_t *table = *(const uint8_t *const *)(environment() + tableField);
    if (!table)
        return -1;
    long used = 0;
    for (size_t entry = 0; entry < 0x10000; entry++)
        used += table[entry * 24 + 14] != 0;
    return used;
}

static void SetLanguage(int language)
{
    std::string setup = ReadFileBytes("E:\\SETUP\\setupdata.txt");
    size_t at = setup.find("Sprache:0;");
    ASSERT_NE(at, std::string::npos);
    setup[at + 8] = (char)('0' + language);
    WriteFileBytes("E:\\SETUP\\setupdata.txt", setup);
}

static std::string AboutText()
{
    std::string text(GetWindowTextLengthA(Control(IDC_ABOUT)) + 1, '\0');
    text.resize(GetWindowTextA(Control(IDC_ABOUT), &text[0], (int)text.size()));
    return text;
}

class Preview : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearTestDrives();
        CopySampleInstrument("E:\\");
        // Without a waypoint store, showing the waypoint page plays no clip.
        DeleteFileA("E:\\WAYPOINTS\\waypoints.skt");
    }
    void TearDown() override
    {
        CloseProgram(WM_CLOSE);
    }
};

using AboutPage = Preview;

// Starts the program on the sample in this language, with or without its
// pilot file, and reads the preview of page 1 or page 0 back.
static void ExpectPreview(int language, bool pilotFile, const char *credit)
{
    SetLanguage(language);
    if (!pilotFile)
        DeleteFileA("E:\\SETUP\\igcheader.txt");
    StartProgram();
    ASSERT_EQ(g_page, pilotFile ? PAGE_PREVIEW : PAGE_START);
    Pixels client = CaptureClient();
    EXPECT_EQ(PictureShown(client), 1.0);
    ExpectLine(client, kCredit, CREDIT_TOP, PILOT_TOP, g_shell.creditFont, credit);
    // Nothing else on the display in the credit line's colour.
    EXPECT_EQ(DisplayInk(client, kCredit, DISPLAY_TOP, DISPLAY_END).count,
              DisplayInk(client, kCredit, CREDIT_TOP, PILOT_TOP).count);
    if (pilotFile) {
        ExpectLine(client, kPilotInk, PILOT_TOP, GLIDER_TOP, g_shell.pilotFont, "Jonas Brandstetter");
        ExpectLine(client, kPilotInk, GLIDER_TOP, DISPLAY_END, g_shell.pilotFont, "Nova Mentor 7");
    } else {
        EXPECT_EQ(DisplayInk(client, kPilotInk, DISPLAY_TOP, DISPLAY_END).count, 0);
    }
}

// One start of the program per test process: its window class stays registered.
TEST_F(Preview, PreviewPageInGerman)
{
    ExpectPreview(0, true, "Tolmaro von Holdranek");
}

TEST_F(Preview, PreviewPageInEnglish)
{
    ExpectPreview(1, true, "Tolmaro from Holdranek");
}

TEST_F(Preview, StartPageInGerman)
{
    ExpectPreview(0, false, "Tolmaro von Holdranek");
}

TEST_F(Preview, StartPageInEnglish)
{
    ExpectPreview(1, false, "Tolmaro from Holdranek");
}

TEST_F(Preview, EmptyPilotNameLeavesTheGliderWhereItWas)
{
    WriteFileBytes("E:\\SETUP\\igcheader.txt",
                   "IDJoBr\nHOPLTPILOT: \nHOGTYGLIDERTYPE: Nova Mentor 7\nHOCCLCOMPETITION CLASS: \n");
    StartProgram();
    ASSERT_EQ(g_page, PAGE_PREVIEW);
    Pixels client = CaptureClient();
    EXPECT_EQ(DisplayInk(client, kPilotInk, DISPLAY_TOP, GLIDER_TOP).count, 0);
    ExpectLine(client, kPilotInk, GLIDER_TOP, DISPLAY_END, g_shell.pilotFont, "Nova Mentor 7");
}

TEST_F(Preview, OtherPagesShowNoneOfThePicture)
{
    StartProgram();
    const int commands[] = {IDM_PILOT_PAGE, IDM_SETTINGS1_PAGE, IDM_SETTINGS2_PAGE,
                            IDM_FILES_PAGE, IDM_WAYPOINTS_PAGE, IDM_ABOUT_PAGE};
    for (int command : commands) {
        Command(command);
        Pixels client = CaptureClient();
        // A stray pixel of a control may share a colour with the picture.
        EXPECT_LT(PictureShown(client), 0.001) << "page " << (int)g_page;
        EXPECT_EQ(DisplayInk(client, kCredit, DISPLAY_TOP, DISPLAY_END).count, 0) << "page " << (int)g_page;
    }
    Command(IDM_FILES_PAGE);
    Command(IDC_FILES_CLOSE);
    EXPECT_EQ(PictureShown(CaptureClient()), 1.0);
}

TEST_F(Preview, RepaintingKeepsTheGdiObjectCount)
{
    StartProgram();
    // Settled: the new window painted for good.
    CaptureClient();
    // The count sees objects come and go.
    long before = GdiObjectCount();
    HBRUSH brushes[10];
    for (HBRUSH &brush : brushes)
        brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(GdiObjectCount(), before + 10);
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    ASSERT_EQ(GdiObjectCount(), before);

    // Each paint is sent, so it has ended when SendMessage returns.
    for (int i = 0; i < 1000; i++) {
        InvalidateRect(Dialog(), NULL, FALSE);
        Send(WM_PAINT);
    }
    WaitUntilPainted();
    EXPECT_EQ(GdiObjectCount(), before);
    EXPECT_EQ(PictureShown(CaptureClient()), 1.0);
}

TEST_F(AboutPage, DocumentIsLoadedReadOnlyAndScrolls)
{
    StartProgram();
    std::string text = AboutText();
    char version[32];
    snprintf(version, sizeof version, "Version %d.%d vom %d. ", TOLMARO_VERSION_MAJOR,
             TOLMARO_VERSION_MINOR, TOLMARO_RELEASE_DAY);
    EXPECT_EQ(text.rfind("Tolmaro\r\n", 0), 0u) << text.substr(0, 40);
    EXPECT_NE(text.find(version), std::string::npos);
    EXPECT_NE(text.find("\r\n[autorun]\r\nopen=TOLMARO\\tolmaro.exe\r\nicon=TOLMARO\\tolmaro.exe\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("Viel Spa\xDF mit Tolmaro"), std::string::npos);

    Command(IDM_ABOUT_PAGE);
    HWND about = Control(IDC_ABOUT);
    EXPECT_TRUE(GetWindowLongA(about, GWL_STYLE) & ES_READONLY);
    SendMessageA(about, WM_CHAR, 'x', 0);
    SendMessageA(about, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(AboutText(), text);
    ASSERT_EQ(SendMessageA(about, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    SendMessageA(about, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(SendMessageA(about, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(AboutPage, StreamingAgainAndWithoutTheDocument)
{
    StartProgram();
    std::string text = AboutText();
    ASSERT_GT(text.size(), 2000u);
    EXPECT_EQ(LoadAboutDocument(Control(IDC_ABOUT), IDR_ABOUT + 1), 1u);
    EXPECT_EQ(AboutText(), "");
    EXPECT_EQ(LoadAboutDocument(Control(IDC_ABOUT), IDR_ABOUT), 0u);
    EXPECT_EQ(AboutText(), text);
}
