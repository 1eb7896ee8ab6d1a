// The flight view on a flight of known shape: opened from the flight book
// in its three ways, its numbers read back, the pointer's Status line, and
// the pixels where the highest fix and the take-off and landing must lie.
#include <windows.h>
#include <commctrl.h>
#include <math.h>
#include <stdio.h>

#include "ui/pages.h"
#include "ui/resource.h"
#include "flights/flightview.h"
#include "tests/win/harness.h"

// Ten minutes at 60 degrees north, a fix every 10 s: 5 km north, then 5 km
// east (5.4 minutes of longitude at half the length). The pressure altitude
// climbs 1 m/s to 1200 m at 10:03:20, then sinks 1.5 m/s; the GPS altitude
// is 20 m lower.
static std::string SquareFlight()
{
    std::string log = "AZIR001\r\nHFDTEDATE:140625,01\r\n";
    for (int i = 0; i <= 60; i++) {
        int north = (i < 30 ? i : 30) * 90, east = (i < 30 ? 0 : i - 30) * 180;
        int pressure = i <= 20 ? 1000 + 10 * i : 1200 - 15 * (i - 20), seconds = 10 * 3600 + 10 * i;
        char fix[64];
        snprintf(fix, sizeof fix, "B%02d%02d%02d60%05dN010%05dEA%05d%05d\r\n", seconds / 3600, seconds / 60 % 60,
                 seconds % 60, north, east, pressure, pressure - 20);
        log += fix;
    }
    return log;
}

// The numbers in the order of their controls, each its label's plus one.
static std::string Numbers()
{
    std::string numbers;
    for (int id = IDC_FLIGHT_DATE; id <= IDC_FLIGHT_FIXES; id += 2)
        numbers += (numbers.empty() ? "" : "|") + ControlText(id);
    return numbers;
}

// Waits for the dialog's thread to show a page after a posted message.
static bool ShowsPage(uint8_t page)
{
    for (int i = 0; i < 200 && g_page != page; i++)
        Sleep(10);
    return g_page == page;
}

// A point of the drawing area, in the dialog's client coordinates.
static LPARAM DialogPoint(int x, int y)
{
    POINT at = {x, y};
    MapWindowPoints(Control(IDC_FLIGHT_PICTURE), Dialog(), &at, 1);
    return MAKELPARAM(at.x, at.y);
}

struct Spot {
    double x, y;
    int count;
};

// Where pixels of a colour lie in an area of the pictures: their centre,
// and the topmost row (y) when top is asked.
static Spot FindColour(COLORREF colour, const RECT &area, bool top)
{
    DIBSECTION section;
    EXPECT_EQ(GetObjectA(FlightPictures(), sizeof section, &section), (int)sizeof section);
    const uint32_t *bits = (const uint32_t *)section.dsBm.bmBits;
    uint32_t wanted = (uint32_t)GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    Spot spot = {0, 0, 0};
    for (int y = area.top; y <= area.bottom; y++)
        for (int x = area.left; x <= area.right; x++) {
            if ((bits[y * section.dsBm.bmWidth + x] & 0xFFFFFF) != wanted)
                continue;
            spot = {spot.x + x, spot.y + y, spot.count + 1};
            if (top)
                return spot;
        }
    if (spot.count > 0 && !top)
        spot = {spot.x / spot.count, spot.y / spot.count, spot.count};
    return spot;
}

TEST(FlightView, OpensThreeWaysShowsNumbersPointerAndPicturesInBothLanguages)
{
    ClearTestDrives();
    CopySampleInstrument("E:\\");
    ASSERT_TRUE(MoveFileA("E:\\FLIGHTS", "E:\\SAMPLE"));
    WriteFileBytes("E:\\FLIGHTS\\2025\\square.igc", SquareFlight());
    WriteFileBytes("E:\\FLIGHTS\\2025\\nofix.igc", "AZIR001\r\nHFDTEDATE:130625,01\r\nLXXX\r\n");
    StartProgram();
    // Away from the screen's pointer, which Xvfb keeps at the screen's
    // centre: only the test points at the pictures.
    SetWindowPos(Dialog(), NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Command(IDM_FLIGHTBOOK_PAGE);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_BOOK_VIEW)));

    // The button, enabled by the selection.
    SelectRow(IDC_BOOK_LIST, 0);
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_BOOK_VIEW)));
    Command(IDC_BOOK_VIEW);
    ASSERT_EQ(g_page, PAGE_FLIGHT);
    EXPECT_EQ(Numbers(), "14.06.2025|10:00:00|10:10:00|0:10|10,0 km|7,1 km|7,1 km|1180 m|1200 m|1000 m|+1,0 m/s|-1,5 m/s|61");
    EXPECT_EQ(StatusText(), " 2025\\square.igc: 61 Fixpunkte, 0:10");

    // The highest fix at the top of the barogram's plot, at its time.
    const FlightPictureLayout layout = *FlightPicturesLayout();
    const RECT &baro = layout.barogram;
    int peakX = baro.left + (int)lround(200.0 * (baro.right - baro.left) / 600);
    Spot highest = FindColour(FLIGHT_PRESSURE_LINE, baro, true);
    EXPECT_EQ(highest.y, baro.top);
    EXPECT_NEAR(highest.x, peakX, 1);
    // North up, the same scale across and along: the landing lies as far
    // east of the take-off as north of it.
    Spot takeOff = FindColour(FLIGHT_TAKE_OFF, layout.track, false), landing = FindColour(FLIGHT_LANDING, layout.track, false);
    ASSERT_GT(takeOff.count, 0);
    ASSERT_GT(landing.count, 0);
    EXPECT_GT(landing.x - takeOff.x, 30);
    EXPECT_NEAR(landing.x - takeOff.x, takeOff.y - landing.y, 1.5);

    // Pointing at 10:03:20 on the barogram, then leaving the pictures.
    Send(WM_MOUSEMOVE, 0, DialogPoint(peakX, (baro.top + baro.bottom) / 2));
    EXPECT_EQ(StatusText(), " 10:03:20 UTC  1200 m  +1,0 m/s");
    EXPECT_GT(FindColour(FLIGHT_POINTER, layout.track, false).count, 0);
    Send(WM_MOUSEMOVE, 0, DialogPoint(baro.left, baro.top));
    EXPECT_EQ(StatusText(), " 10:00:00 UTC  1000 m  \x96");
    Send(WM_MOUSEMOVE, 0, DialogPoint(baro.left - 20, baro.top));
    EXPECT_EQ(StatusText(), " 2025\\square.igc: 61 Fixpunkte, 0:10");
    EXPECT_EQ(FindColour(FLIGHT_POINTER, layout.track, false).count, 0);

    // Back to the flight book, sorted by file: order and selection kept.
    Command(IDC_FLIGHT_BACK);
    EXPECT_EQ(g_page, PAGE_FLIGHTBOOK);
    EXPECT_EQ(StatusText(), " 2 Fl\xFC" "ge, 0:10 h Flugzeit");
    NMLISTVIEW click = {};
    click.hdr = {Control(IDC_BOOK_LIST), IDC_BOOK_LIST, (UINT)LVN_COLUMNCLICK};
    click.iSubItem = 5;
    Send(WM_NOTIFY, IDC_BOOK_LIST, (LPARAM)&click);
    SelectRow(IDC_BOOK_LIST, 0);
    Command(IDC_BOOK_VIEW);
    EXPECT_EQ(Numbers(), "13.06.2025|\x96|\x96|\x96|\x96|\x96|\x96|\x96|\x96|\x96|\x96|\x96|0");
    EXPECT_EQ(StatusText(), " 2025\\nofix.igc: 0 Fixpunkte, \x96");
    Command(IDC_FLIGHT_BACK);
    EXPECT_EQ(SendMessageA(Control(IDC_BOOK_LIST), LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED), 0);
    char text[16] = "";
    ListView_GetItemText(Control(IDC_BOOK_LIST), 0, 0, text, sizeof text);
    EXPECT_STREQ(text, "13.06.2025");

    // A double-click on a row, as the mouse gives it.
    HWND list = Control(IDC_BOOK_LIST);
    RECT row = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, 1, (LPARAM)&row);
    LPARAM at = MAKELPARAM(row.left + 20, (row.top + row.bottom) / 2);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        PostMessageA(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    ASSERT_TRUE(ShowsPage(PAGE_FLIGHT));
    EXPECT_EQ(ControlText(IDC_FLIGHT_FIXES), "61");

    // Enter on the list, which has the focus again, with the first row selected.
    Command(IDC_FLIGHT_BACK);
    SelectRow(IDC_BOOK_LIST, 0);
    PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(ShowsPage(PAGE_FLIGHT));
    EXPECT_EQ(ControlText(IDC_FLIGHT_FIXES), "0");

    // In English and in feet, miles and ft/min.
    std::string setup = ReadFileBytes("E:\\SETUP\\setupdata.txt");
    setup.replace(setup.find("Sprache:0"), 9, "Sprache:1");
    setup.replace(setup.find("Unit:0"), 6, "Unit:1");
    WriteFileBytes("E:\\SETUP\\setupdata.txt", setup);
    ReloadInstrument();
    Command(IDM_FLIGHTBOOK_PAGE);
    SelectRow(IDC_BOOK_LIST, 0);
    Command(IDC_BOOK_VIEW);
    EXPECT_EQ(ControlText(IDC_FLIGHT_MAX_GPS_LABEL), "Max. altitude (GPS)");
    EXPECT_EQ(Numbers(), "14.06.2025|10:00:00|10:10:00|0:10|6.2 mi|4.4 mi|4.4 mi|3871 ft|3937 ft|3281 ft|+197 ft/min|-295 ft/min|61");
    EXPECT_EQ(StatusText(), " 2025\\square.igc: 61 fixes, 0:10");
}
