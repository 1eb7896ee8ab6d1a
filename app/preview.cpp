// The instrument preview: picture 1021 copied 1:1 into the client area and
// the texts drawn onto its display, as the instrument would show them.
#include "app/preview.h"

#include <string.h>
#include <windows.h>

#include "app/instrument.h"
#include "settings/labels.h"
#include "ui/pages.h"
#include "ui/resource.h"
#include "ui/shell.h"

// Client-area pixels. The picture's display covers x 81 to 336 and y 203 to
// 376; the three lines sit on its lower, plain part, centred on it.
enum {
    PICTURE_LEFT = 24,
    PICTURE_TOP = 58,
    PICTURE_WIDTH = 372,
    PICTURE_HEIGHT = 460,
    TEXT_CENTRE = 212,
    CREDIT_TOP = 270,
    PILOT_TOP = 288,
    GLIDER_TOP = 310,
};

static const COLORREF kCreditColour = RGB(220, 200, 190);
static const COLORREF kPilotColour = RGB(45, 45, 55);

// Loaded afresh and released on every paint, so that painting holds no GDI
// objects however often it runs. A picture that fails to load leaves the
// area as the background erase left it.
static void DrawInstrumentPicture(HDC dc)
{
    HBITMAP picture = LoadBitmapA(g_shell.instance, MAKEINTRESOURCEA(IDB_INSTRUMENT));
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, picture);
    BitBlt(dc, PICTURE_LEFT, PICTURE_TOP, PICTURE_WIDTH, PICTURE_HEIGHT, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteObject(picture);
    DeleteDC(memory);
}

// Centred on x, its top at y, the whole text; an empty text draws nothing.
static void DrawCentredLine(HDC dc, int y, const char *text)
{
    TextOutA(dc, TEXT_CENTRE, y, text, (int)strlen(text));
}

BOOL Paint()
{
    if (g_page >= PAGE_PILOT)
        return FALSE;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(g_shell.dialog, &paint);
    DrawInstrumentPicture(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_CENTER | TA_TOP | TA_NOUPDATECP);
    SetTextColor(dc, kCreditColour);
    HGDIOBJ previousFont = SelectObject(dc, g_shell.creditFont);
    DrawCentredLine(dc, CREDIT_TOP, BuiltInLabel(LABEL_CREDIT + g_instrument.settings.Sprache));
    if (g_page == PAGE_PREVIEW) {
        SetTextColor(dc, kPilotColour);
        SelectObject(dc, g_shell.pilotFont);
        DrawCentredLine(dc, PILOT_TOP, g_instrument.pilot.pilot);
        DrawCentredLine(dc, GLIDER_TOP, g_instrument.pilot.glider);
    }
    // The fonts belong to the dialog for the whole run, not to this context.
    SelectObject(dc, previousFont);
    EndPaint(g_shell.dialog, &paint);
    return FALSE;
}
