// The flight view page: the numbers of one flight in static texts, and its
// barogram, climb and track drawn with GDI into a memory bitmap that the
// drawing area shows; the pointer's moment marked on a copy of it.
#include "flights/flightview.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include "flights/flighttrace.h"
#include "ui/pages.h"
#include "ui/resource.h"
#include "ui/shell.h"
#include "ui/status.h"
#include "ui/texts.h"

// The sign of a number that cannot be computed: an en dash.
static const char kNoNumber[] = "\x96";

static const double kMetresPerDegree = 6371000.0 * 3.14159265358979323846 / 180.0;

// The flight on show; its trace is the same memory whatever the log's length.
static FlightTrace g_trace;
static char g_file[PATH_SIZE];
static int g_unit;   // the settings' "Unit" the flight is shown in
static char g_pageStatus[512];

// The pictures as drawn, and the copy on screen with the pointer's marks.
struct Picture {
    HBITMAP bitmap;
    uint32_t *bits;   // top-down rows of 0x00RRGGBB
};
static Picture g_drawn, g_shown;
static int g_width, g_height;
static FlightPictureLayout g_layout;
static HFONT g_font;
static bool g_pointing;

// The scales of the pictures, set while drawing.
struct Scales {
    int32_t duration;                // seconds, at least 1
    double lowAltitude, highAltitude;
    double lowClimb, highClimb;      // m/s
    double trackScale;               // pixels per metre
    double eastCentre, northCentre;  // metres from the take-off to the box's centre
    double cosine;                   // of the mean latitude
};
static Scales g_scales;

static int Unit()
{
    return g_unit;
}

static bool DecimalComma()
{
    return CurrentTextLanguage() == TEXTS_GERMAN;
}

// ---- The numbers

static void SetNumber(int control, const char *text)
{
    SetDlgItemTextA(g_shell.dialog, control, text);
}

static void SetAltitude(int control, bool known, double metres)
{
    char text[32];
    FormatAltitude(text, sizeof text, metres, Unit());
    SetNumber(control, known ? text : kNoNumber);
}

static void SetClimb(int control, bool known, double climb)
{
    char text[32];
    FormatClimb(text, sizeof text, climb, Unit(), DecimalComma());
    SetNumber(control, known ? text : kNoNumber);
}

static void SetDistance(int control, bool known, double metres)
{
    char text[32];
    FormatDistance(text, sizeof text, metres, Unit(), DecimalComma());
    SetNumber(control, known ? text : kNoNumber);
}

static void ShowNumbers(const FlightRow *row)
{
    const FlightTrace *t = &g_trace;
    bool any = t->fixes > 0;
    char start[9], landing[9], duration[6], fixes[16];
    FormatTimeOfDay(start, any ? FixTimeOfDay(t, &t->takeOff) : 0);
    FormatTimeOfDay(landing, any ? FixTimeOfDay(t, &t->landing) : 0);
    FormatDuration(duration, any ? t->landing.time / 60 : 0);
    snprintf(fixes, sizeof fixes, "%lu", (unsigned long)t->fixes);
    SetNumber(IDC_FLIGHT_DATE, row->date[0] ? row->date : kNoNumber);
    SetNumber(IDC_FLIGHT_START, any ? start : kNoNumber);
    SetNumber(IDC_FLIGHT_LANDING, any ? landing : kNoNumber);
    SetNumber(IDC_FLIGHT_DURATION, any ? duration : kNoNumber);
    SetAltitude(IDC_FLIGHT_MAX_GPS, t->hasGps, t->highGps);
    SetAltitude(IDC_FLIGHT_MAX_PRESSURE, t->hasPressure, t->highPressure);
    int32_t startAltitude = 0;
    bool hasStart = TraceStartAltitude(t, &startAltitude);
    SetAltitude(IDC_FLIGHT_START_ALTITUDE, hasStart, startAltitude);
    ClimbSeries series = TraceClimbSeries(t);
    SetClimb(IDC_FLIGHT_MAX_CLIMB, t->hasClimb[series], t->highClimb[series]);
    SetClimb(IDC_FLIGHT_MAX_SINK, t->hasClimb[series], t->lowClimb[series]);
    SetDistance(IDC_FLIGHT_TRACK_LENGTH, any, t->trackLength);
    SetDistance(IDC_FLIGHT_STRAIGHT, any, t->straightLine);
    SetDistance(IDC_FLIGHT_FARTHEST, any, t->farthest);
    SetNumber(IDC_FLIGHT_FIXES, fixes);
    snprintf(g_pageStatus, sizeof g_pageStatus, Text(TEXT_STATUS_FLIGHT), g_file, (unsigned)t->fixes,
             any ? duration : kNoNumber);
}

// ---- Drawing

// A 32-bit top-down bitmap of the drawing area's size, whose pixels the
// program can read.
static bool MakePicture(Picture *picture)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = g_width;
    info.bmiHeader.biHeight = -g_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    picture->bitmap = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    picture->bits = (uint32_t *)bits;
    return picture->bitmap != NULL;
}

// The pictures' bitmaps and layout, once, for the drawing area's size.
static bool PreparePictures()
{
    if (g_drawn.bitmap)
        return true;
    RECT area;
    GetClientRect(GetDlgItem(g_shell.dialog, IDC_FLIGHT_PICTURE), &area);
    g_width = area.right;
    g_height = area.bottom;
    if (g_width < 100 || g_height < 100 || !MakePicture(&g_drawn) || !MakePicture(&g_shown))
        return false;
    g_font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, 0, "Arial");
    // Left: the barogram over the climb, with room for the axes' labels;
    // right: the track, north up.
    int trackWidth = g_width * 36 / 100, left = 36, right = g_width - trackWidth - 12;
    int baroBottom = g_height * 58 / 100;
    g_layout.barogram = {left, 18, right, baroBottom};
    g_layout.climb = {left, baroBottom + 20, right, g_height - 6};
    g_layout.track = {g_width - trackWidth, 18, g_width - 4, g_height - 6};
    return true;
}

static void DrawLine(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, NULL);
    LineTo(dc, x2, y2);
}

static void PutText(HDC dc, int x, int y, UINT align, COLORREF colour, const char *text)
{
    SetTextAlign(dc, align);
    SetTextColor(dc, colour);
    TextOutA(dc, x, y, text, (int)strlen(text));
}

// A round step for an axis: the smallest of steps that gives at most
// count ticks over span.
static double RoundStep(double span, int count, const double *steps, int stepCount)
{
    for (int i = 0; i < stepCount; i++)
        if (span / steps[i] <= count)
            return steps[i];
    return steps[stepCount - 1] * ceil(span / count / steps[stepCount - 1]);
}

static int TimeX(int32_t seconds)
{
    const RECT &plot = g_layout.barogram;
    return plot.left + (int)lround((double)seconds * (plot.right - plot.left) / g_scales.duration);
}

static int AltitudeY(double metres)
{
    const RECT &plot = g_layout.barogram;
    double span = g_scales.highAltitude - g_scales.lowAltitude;
    return plot.bottom - (int)lround((metres - g_scales.lowAltitude) * (plot.bottom - plot.top) / span);
}

static int ClimbY(double climb)
{
    const RECT &plot = g_layout.climb;
    double span = g_scales.highClimb - g_scales.lowClimb;
    return plot.bottom - (int)lround((climb - g_scales.lowClimb) * (plot.bottom - plot.top) / span);
}

// The time of day axis: round ticks under the barogram, with their time,
// and the same lines through both plots.
static void DrawTimeAxis(HDC dc, HPEN grid, HPEN axis)
{
    static const double steps[] = {60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600};
    const RECT &baro = g_layout.barogram;
    double step = RoundStep(g_scales.duration, (baro.right - baro.left) / 56, steps, 10);
    int32_t first = g_trace.firstTimeOfDay;
    for (double tick = ceil(first / step) * step; tick <= first + g_scales.duration; tick += step) {
        int x = TimeX((int32_t)(tick - first));
        SelectObject(dc, grid);
        DrawLine(dc, x, baro.top, x, baro.bottom);
        DrawLine(dc, x, g_layout.climb.top, x, g_layout.climb.bottom);
        SelectObject(dc, axis);
        DrawLine(dc, x, baro.bottom, x, baro.bottom + 4);
        char text[8];
        int32_t minutes = (int32_t)tick / 60 % (24 * 60);
        snprintf(text, sizeof text, "%02ld:%02ld", (long)(minutes / 60), (long)(minutes % 60));
        PutText(dc, x, baro.bottom + 4, TA_CENTER | TA_TOP, RGB(0, 0, 0), text);
    }
    PutText(dc, baro.left - 3, baro.bottom + 4, TA_RIGHT | TA_TOP, RGB(0, 0, 0), "UTC");
}

// Round altitude ticks, in the instrument's unit, left of the barogram.
static void DrawAltitudeAxis(HDC dc, HPEN grid)
{
    static const double steps[] = {1, 2, 5, 10, 20, 25, 50, 100, 200, 250, 500, 1000, 2000, 2500, 5000};
    const RECT &baro = g_layout.barogram;
    double perMetre = Unit() == 0 ? 1 : 1 / 0.3048;
    double low = g_scales.lowAltitude * perMetre, high = g_scales.highAltitude * perMetre;
    double step = RoundStep(high - low, (baro.bottom - baro.top) / 28 + 1, steps, 15);
    SelectObject(dc, grid);
    for (double tick = ceil(low / step) * step; tick <= high; tick += step) {
        int y = AltitudeY(tick / perMetre);
        DrawLine(dc, baro.left, y, baro.right, y);
        char text[16];
        snprintf(text, sizeof text, "%.0f", tick);
        PutText(dc, baro.left - 3, y - 6, TA_RIGHT | TA_TOP, RGB(0, 0, 0), text);
    }
    PutText(dc, baro.left - 3, baro.top - 16, TA_RIGHT | TA_TOP, RGB(0, 0, 0), Unit() == 0 ? "m" : "ft");
}

static void DrawLegend(HDC dc, HPEN gpsPen, HPEN pressurePen)
{
    int x = g_layout.barogram.left + 4, y = 2;
    if (g_trace.hasGps) {
        SelectObject(dc, gpsPen);
        DrawLine(dc, x, y + 7, x + 14, y + 7);
        PutText(dc, x + 18, y, TA_LEFT | TA_TOP, RGB(0, 0, 0), Text(TEXT_LEGEND_GPS));
        SIZE size;
        GetTextExtentPoint32A(dc, Text(TEXT_LEGEND_GPS), (int)strlen(Text(TEXT_LEGEND_GPS)), &size);
        x += 18 + size.cx + 12;
    }
    if (g_trace.hasPressure) {
        SelectObject(dc, pressurePen);
        DrawLine(dc, x, y + 7, x + 14, y + 7);
        PutText(dc, x + 18, y, TA_LEFT | TA_TOP, RGB(0, 0, 0), Text(TEXT_LEGEND_PRESSURE));
    }
}

// One altitude curve: each column's lowest and highest, joined in time.
static void DrawAltitudeCurve(HDC dc, HPEN pen, bool gps)
{
    SelectObject(dc, pen);
    bool started = false;
    int lastY = 0;
    for (int c = 0; c < TraceColumnsInUse(&g_trace); c++) {
        const TraceColumn &column = g_trace.columns[c];
        if (!column.used || (gps && !column.hasGps))
            continue;
        int x = TimeX(column.first.time);
        int lowY = AltitudeY(gps ? column.lowGps : column.lowPressure);
        int highY = AltitudeY(gps ? column.highGps : column.highPressure);
        // From the end nearer the last point to the farther one.
        int fromY = abs(lowY - lastY) < abs(highY - lastY) ? lowY : highY, toY = fromY == lowY ? highY : lowY;
        if (started)
            LineTo(dc, x, fromY);
        else
            MoveToEx(dc, x, fromY, NULL);
        LineTo(dc, x, toY);
        SetPixel(dc, x, toY, gps ? FLIGHT_GPS_LINE : FLIGHT_PRESSURE_LINE);
        started = true;
        lastY = toY;
    }
}

static void DrawBarogram(HDC dc, HPEN grid, HPEN axis)
{
    const FlightTrace *t = &g_trace;
    double low = 1e9, high = -1e9;
    for (int c = 0; c < TraceColumnsInUse(t); c++) {
        const TraceColumn &column = t->columns[c];
        if (column.used && t->hasPressure) {
            low = fmin(low, column.lowPressure);
            high = fmax(high, column.highPressure);
        }
        if (column.hasGps) {
            low = fmin(low, column.lowGps);
            high = fmax(high, column.highGps);
        }
    }
    if (low > high)
        low = high = 0;
    // The highest fix at the top; a flat flight still has a span.
    g_scales.lowAltitude = low;
    g_scales.highAltitude = high > low ? high : low + 1;
    DrawAltitudeAxis(dc, grid);
    DrawTimeAxis(dc, grid, axis);
    HPEN gpsPen = CreatePen(PS_SOLID, 1, FLIGHT_GPS_LINE), pressurePen = CreatePen(PS_SOLID, 1, FLIGHT_PRESSURE_LINE);
    if (t->hasPressure)
        DrawAltitudeCurve(dc, pressurePen, false);
    if (t->hasGps)
        DrawAltitudeCurve(dc, gpsPen, true);
    DrawLegend(dc, gpsPen, pressurePen);
    SelectObject(dc, axis);
    const RECT &baro = g_layout.barogram;
    DrawLine(dc, baro.left, baro.top, baro.left, baro.bottom + 1);
    DrawLine(dc, baro.left, baro.bottom + 1, baro.right + 1, baro.bottom + 1);
    DeleteObject(gpsPen);
    DeleteObject(pressurePen);
}

static void DrawClimb(HDC dc, HPEN axis)
{
    const FlightTrace *t = &g_trace;
    ClimbSeries series = TraceClimbSeries(t);
    g_scales.lowClimb = t->hasClimb[series] && t->lowClimb[series] < -1 ? t->lowClimb[series] : -1;
    g_scales.highClimb = t->hasClimb[series] && t->highClimb[series] > 1 ? t->highClimb[series] : 1;
    HPEN climbPen = CreatePen(PS_SOLID, 1, FLIGHT_CLIMB), sinkPen = CreatePen(PS_SOLID, 1, FLIGHT_SINK);
    int zero = ClimbY(0);
    for (int c = 0; c < TraceColumnsInUse(t); c++) {
        const TraceColumn &column = t->columns[c];
        if (!column.hasClimb[series])
            continue;
        int x = TimeX(column.first.time);
        if (column.highClimb[series] > 0) {
            SelectObject(dc, climbPen);
            DrawLine(dc, x, zero, x, ClimbY(column.highClimb[series]) - 1);
        }
        if (column.lowClimb[series] < 0) {
            SelectObject(dc, sinkPen);
            DrawLine(dc, x, zero, x, ClimbY(column.lowClimb[series]) + 1);
        }
    }
    const RECT &plot = g_layout.climb;
    SelectObject(dc, axis);
    DrawLine(dc, plot.left, plot.top, plot.left, plot.bottom + 1);
    DrawLine(dc, plot.left, zero, plot.right + 1, zero);
    // The zero, and the highest climb and sink of the scale, in whole units.
    double perMetre = Unit() == 0 ? 1 : 60 / 0.3048;
    double ticks[] = {0, floor(g_scales.highClimb * perMetre), ceil(g_scales.lowClimb * perMetre)};
    for (double tick : ticks) {
        char text[16];
        snprintf(text, sizeof text, "%+.0f", tick);
        int y = ClimbY(tick / perMetre);
        DrawLine(dc, plot.left - 3, y, plot.left, y);
        PutText(dc, plot.left - 4, y - 6, TA_RIGHT | TA_TOP, RGB(0, 0, 0), tick == 0 ? "0" : text);
    }
    PutText(dc, plot.left + 3, plot.top, TA_LEFT | TA_TOP, RGB(0, 0, 0), Unit() == 0 ? "m/s" : "ft/min");
    DeleteObject(climbPen);
    DeleteObject(sinkPen);
}

// A fix on the track: metres east and north of the take-off, then pixels.
static POINT TrackPoint(const TraceFix *fix)
{
    const FlightTrace *t = &g_trace;
    double east = DegreesEast(fix->longitude, t->takeOff.longitude) * kMetresPerDegree * g_scales.cosine;
    double north = (fix->latitude - t->takeOff.latitude) * kMetresPerDegree;
    const RECT &area = g_layout.track;
    POINT point;
    point.x = (area.left + area.right) / 2 + lround((east - g_scales.eastCentre) * g_scales.trackScale);
    point.y = (area.top + area.bottom) / 2 - lround((north - g_scales.northCentre) * g_scales.trackScale);
    return point;
}

static void DrawDot(HDC dc, POINT at, int radius, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
    Ellipse(dc, at.x - radius, at.y - radius, at.x + radius + 1, at.y + radius + 1);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

// A scale bar of a round length, at most two fifths of the track's width.
static void DrawScaleBar(HDC dc, HPEN axis)
{
    static const double lengths[] = {0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};
    const RECT &area = g_layout.track;
    double metresPerUnit = Unit() == 0 ? 1000 : 1609.344;
    double most = (area.right - area.left) * 2 / 5 / g_scales.trackScale / metresPerUnit;
    double length = lengths[0];
    for (double candidate : lengths)
        if (candidate <= most)
            length = candidate;
    int pixels = (int)lround(length * metresPerUnit * g_scales.trackScale);
    int x = area.left + 6, y = area.bottom - 4;
    SelectObject(dc, axis);
    DrawLine(dc, x, y, x + pixels, y);
    DrawLine(dc, x, y - 3, x, y + 1);
    DrawLine(dc, x + pixels, y - 3, x + pixels, y + 1);
    char text[24];
    snprintf(text, sizeof text, "%g %s", length, Unit() == 0 ? "km" : "mi");
    char *point = strchr(text, '.');
    if (point && DecimalComma())
        *point = ',';
    PutText(dc, x + pixels + 4, y - 7, TA_LEFT | TA_TOP, RGB(0, 0, 0), text);
}

static void DrawTrack(HDC dc, HPEN axis)
{
    const FlightTrace *t = &g_trace;
    const RECT &area = g_layout.track;
    g_scales.cosine = cos((t->latitudeSum / t->fixes) * 3.14159265358979323846 / 180);
    double west = t->westmost * kMetresPerDegree * g_scales.cosine, east = t->eastmost * kMetresPerDegree * g_scales.cosine;
    double south = (t->southmost - t->takeOff.latitude) * kMetresPerDegree;
    double north = (t->northmost - t->takeOff.latitude) * kMetresPerDegree;
    g_scales.eastCentre = (west + east) / 2;
    g_scales.northCentre = (south + north) / 2;
    // The same scale across and along; room left for the markers and the bar.
    int margin = 8;
    double across = (area.right - area.left - 2 * margin) / fmax(east - west, 1.0);
    double along = (area.bottom - area.top - 2 * margin - 14) / fmax(north - south, 1.0);
    g_scales.trackScale = fmin(fmin(across, along), 1.0);
    SelectObject(dc, axis);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, area.left, area.top, area.right, area.bottom);
    PutText(dc, area.right - 4, area.top + 2, TA_RIGHT | TA_TOP, RGB(0, 0, 0), "N");
    HPEN pen = CreatePen(PS_SOLID, 1, FLIGHT_TRACK_LINE);
    SelectObject(dc, pen);
    bool started = false;
    for (int c = 0; c < TraceColumnsInUse(t); c++) {
        const TraceColumn &column = t->columns[c];
        if (!column.used)
            continue;
        POINT p = TrackPoint(&column.first);
        if (started)
            LineTo(dc, p.x, p.y);
        else
            MoveToEx(dc, p.x, p.y, NULL);
        started = true;
    }
    POINT landing = TrackPoint(&t->landing);
    LineTo(dc, landing.x, landing.y);
    SelectObject(dc, axis);
    DeleteObject(pen);
    DrawScaleBar(dc, axis);
    DrawDot(dc, TrackPoint(&t->takeOff), 4, FLIGHT_TAKE_OFF);
    DrawDot(dc, landing, 4, FLIGHT_LANDING);
}

// Draws the three pictures, or the note that there are none, into the
// drawn bitmap.
static void DrawPictures()
{
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ oldBitmap = SelectObject(dc, g_drawn.bitmap), oldFont = SelectObject(dc, g_font);
    RECT all = {0, 0, g_width, g_height};
    HBRUSH background = CreateSolidBrush(FLIGHT_BACKGROUND);
    FillRect(dc, &all, background);
    DeleteObject(background);
    SetBkMode(dc, TRANSPARENT);
    HPEN grid = CreatePen(PS_SOLID, 1, RGB(222, 222, 222)), axis = CreatePen(PS_SOLID, 1, RGB(90, 90, 90));
    HGDIOBJ oldPen = SelectObject(dc, axis);
    if (g_trace.fixes == 0) {
        PutText(dc, g_width / 2, g_height / 2 - 6, TA_CENTER | TA_TOP, RGB(0, 0, 0), Text(TEXT_NO_POSITION_DATA));
    } else {
        g_scales.duration = g_trace.landing.time > 0 ? g_trace.landing.time : 1;
        DrawBarogram(dc, grid, axis);
        DrawClimb(dc, axis);
        DrawTrack(dc, axis);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(grid);
    DeleteObject(axis);
    DeleteDC(dc);
    GdiFlush();
}

static void ShowDrawnPictures()
{
    GdiFlush();
    memcpy(g_shown.bits, g_drawn.bits, (size_t)g_width * g_height * sizeof *g_shown.bits);
    InvalidateRect(GetDlgItem(g_shell.dialog, IDC_FLIGHT_PICTURE), NULL, FALSE);
}

void ShowFlightView(const char *path, const FlightRow *row, int unit)
{
    snprintf(g_file, sizeof g_file, "%s", row->file);
    g_unit = unit;
    ReadFlightTrace(path, &g_trace);
    ShowNumbers(row);
    g_pointing = false;
    if (PreparePictures()) {
        DrawPictures();
        ShowDrawnPictures();
    }
    ShowPage(PAGE_FLIGHT);
    // Enter then presses "Zurück".
    SendMessageA(g_shell.dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(g_shell.dialog, IDC_FLIGHT_BACK), TRUE);
    SetStatusText(g_pageStatus);
}

void PaintFlightPictures(const DRAWITEMSTRUCT *item)
{
    if (!g_shown.bitmap)
        return;
    GdiFlush();
    HDC dc = CreateCompatibleDC(item->hDC);
    HGDIOBJ old = SelectObject(dc, g_shown.bitmap);
    BitBlt(item->hDC, 0, 0, g_width, g_height, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
}

// ---- Pointing

// The pointer's moment: the fix's marks on the shown pictures and its
// time, altitude and climb on the Status line.
static void MarkFix(const TraceFix *fix)
{
    GdiFlush();
    memcpy(g_shown.bits, g_drawn.bits, (size_t)g_width * g_height * sizeof *g_shown.bits);
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ oldBitmap = SelectObject(dc, g_shown.bitmap);
    HPEN pen = CreatePen(PS_DOT, 1, FLIGHT_POINTER);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    int x = TimeX(fix->time);
    DrawLine(dc, x, g_layout.barogram.top, x, g_layout.barogram.bottom);
    DrawLine(dc, x, g_layout.climb.top, x, g_layout.climb.bottom);
    ClimbSeries series = TraceClimbSeries(&g_trace);
    bool hasAltitude = series == SERIES_PRESSURE || fix->hasGps;
    double altitude = series == SERIES_PRESSURE ? fix->pressure : fix->gps;
    if (hasAltitude)
        DrawDot(dc, {x, AltitudeY(altitude)}, 3, FLIGHT_POINTER);
    if (fix->hasClimb[series])
        DrawDot(dc, {x, ClimbY(fix->climb[series])}, 3, FLIGHT_POINTER);
    DrawDot(dc, TrackPoint(fix), 3, FLIGHT_POINTER);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBitmap);
    DeleteObject(pen);
    DeleteDC(dc);
    GdiFlush();
    InvalidateRect(GetDlgItem(g_shell.dialog, IDC_FLIGHT_PICTURE), NULL, FALSE);

    char time[9], altitudeText[32], climbText[32];
    FormatTimeOfDay(time, FixTimeOfDay(&g_trace, fix));
    FormatAltitude(altitudeText, sizeof altitudeText, altitude, Unit());
    FormatClimb(climbText, sizeof climbText, fix->climb[series], Unit(), DecimalComma());
    SetStatusTextF(" %s UTC  %s  %s", time, hasAltitude ? altitudeText : kNoNumber,
                   fix->hasClimb[series] ? climbText : kNoNumber);
}

static bool IsInside(const RECT &area, int x, int y)
{
    return x >= area.left && x <= area.right && y >= area.top && y <= area.bottom;
}

void PointAtFlight(int x, int y)
{
    if (g_page != PAGE_FLIGHT || !g_shown.bitmap || g_trace.fixes == 0)
        return;
    // From the dialog's client area to the drawing area's.
    HWND picture = GetDlgItem(g_shell.dialog, IDC_FLIGHT_PICTURE);
    POINT at = {x, y};
    MapWindowPoints(g_shell.dialog, picture, &at, 1);
    const RECT &baro = g_layout.barogram;
    if (IsInside(baro, at.x, at.y) || IsInside(g_layout.climb, at.x, at.y)) {
        if (!g_pointing) {
            TRACKMOUSEEVENT leave = {sizeof leave, TME_LEAVE, g_shell.dialog, 0};
            TrackMouseEvent(&leave);
        }
        g_pointing = true;
        double seconds = (double)(at.x - baro.left) * g_scales.duration / (baro.right - baro.left);
        MarkFix(NearestTraceFix(&g_trace, seconds));
    } else if (g_pointing) {
        StopPointingAtFlight();
    }
}

void StopPointingAtFlight()
{
    if (!g_pointing)
        return;
    g_pointing = false;
    ShowDrawnPictures();
    SetStatusText(g_pageStatus);
}

HBITMAP FlightPictures()
{
    GdiFlush();
    return g_shown.bitmap;
}

const FlightPictureLayout *FlightPicturesLayout()
{
    return &g_layout;
}
