// The flight book page: the rows of the flight logs below FLIGHTS\ in a
// report list, their order, the totals and the CSV file.
#include "flights/flightbook.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>
#include <commctrl.h>

#include "ui/filedialog.h"
#include "ui/pages.h"
#include "ui/prompts.h"
#include "ui/resource.h"
#include "ui/shell.h"
#include "ui/status.h"
#include "ui/texts.h"
#include "device/devpath.h"
#include "device/stream.h"
#include "flights/flightlog.h"
#include "flights/walks.h"

static const char kFlightsFolder[] = "FLIGHTS\\";

// Column widths in pixels; the list scrolls sideways for the rest.
static const int kColumnWidths[FLIGHT_COLUMNS] = {84, 72, 72, 74, 104, 250};

// Each row in the list, and the list's order as indices into it (with room
// for the sort's merging). They grow with the number of logs; reading a log
// needs no memory of its own.
static FlightRow *g_rows;
static uint32_t g_rowCount;
static uint32_t g_rowCapacity;
static uint32_t *g_order;
static uint32_t *g_merged;

// The column of the last header click and its direction; -1 before any.
static int g_sortColumn = -1;
static bool g_sortDescending;

static HWND BookList()
{
    return GetDlgItem(g_shell.dialog, IDC_BOOK_LIST);
}

// The column titles in the current language, in the columns' order.
static void ColumnTitles(const char *titles[FLIGHT_COLUMNS])
{
    for (int column = 0; column < FLIGHT_COLUMNS; column++)
        titles[column] = Text(TEXT_COLUMN_DATE + column);
}

void CreateFlightBookColumns()
{
    HWND list = BookList();
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const char *titles[FLIGHT_COLUMNS];
    ColumnTitles(titles);
    for (int column = 0; column < FLIGHT_COLUMNS; column++) {
        LVCOLUMNA entry = {};
        entry.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        entry.pszText = (char *)titles[column];
        entry.cx = kColumnWidths[column];
        entry.iSubItem = column;
        SendMessageA(list, LVM_INSERTCOLUMNA, column, (LPARAM)&entry);
    }
}

void LabelFlightBookColumns()
{
    const char *titles[FLIGHT_COLUMNS];
    ColumnTitles(titles);
    for (int column = 0; column < FLIGHT_COLUMNS; column++) {
        LVCOLUMNA entry = {};
        entry.mask = LVCF_TEXT;
        entry.pszText = (char *)titles[column];
        SendMessageA(BookList(), LVM_SETCOLUMNA, column, (LPARAM)&entry);
    }
}

// Room for one more row; false when the memory is not there.
static bool GrowRows()
{
    if (g_rowCount < g_rowCapacity)
        return true;
    uint32_t capacity = g_rowCapacity ? g_rowCapacity * 2 : 64;
    FlightRow *rows = (FlightRow *)realloc(g_rows, capacity * sizeof *rows);
    if (!rows)
        return false;
    g_rows = rows;
    uint32_t *order = (uint32_t *)realloc(g_order, capacity * sizeof *order);
    if (!order)
        return false;
    g_order = order;
    uint32_t *merged = (uint32_t *)realloc(g_merged, capacity * sizeof *merged);
    if (!merged)
        return false;
    g_merged = merged;
    g_rowCapacity = capacity;
    return true;
}

// One log found by the walk: a row, when its path keeps within 259
// characters as the copy's does.
static void AddFlightLog(const char *folder, const char *name, int64_t size, uint64_t, uint32_t, void *)
{
    char path[WALK_PATH_SIZE];
    if (!FormWalkPath(path, folder, name, "") || !GrowRows())
        return;
    // The path below FLIGHTS\ begins behind the root and that folder.
    const char *below = path + g_deviceRoot.rootLength + sizeof kFlightsFolder - 1;
    ReadFlightLog(path, below, size, &g_rows[g_rowCount]);
    g_order[g_rowCount] = g_rowCount;
    g_rowCount++;
}

// The list holds no texts of its own (owner data): it asks for each one it
// shows, so that its memory does not grow with the rows.
static void FillList()
{
    HWND list = BookList();
    SendMessageA(list, LVM_SETITEMCOUNT, g_rowCount, 0);
    InvalidateRect(list, NULL, TRUE);
}

void GiveFlightBookText(LVITEMA *item)
{
    if (!(item->mask & LVIF_TEXT) || item->iItem < 0 || (uint32_t)item->iItem >= g_rowCount ||
        item->iSubItem < 0 || item->iSubItem >= FLIGHT_COLUMNS || item->cchTextMax <= 0)
        return;
    const char *fields[FLIGHT_COLUMNS];
    RowFields(&g_rows[g_order[item->iItem]], fields);
    lstrcpynA(item->pszText, fields[item->iSubItem], item->cchTextMax);
}

static int CompareNewer(uint32_t a, uint32_t b)
{
    return CompareNewestFirst(&g_rows[a], &g_rows[b]);
}

static int CompareInColumn(uint32_t a, uint32_t b)
{
    return CompareFlightRows(&g_rows[a], &g_rows[b], (FlightColumn)g_sortColumn, g_sortDescending);
}

// Sorts the list's order, keeping rows that compare equal in the order
// they had: merges runs of 1, 2, 4 ... rows through g_merged.
static void SortOrder(int (*compare)(uint32_t, uint32_t))
{
    uint32_t *from = g_order, *to = g_merged;
    for (uint32_t run = 1; run < g_rowCount; run *= 2) {
        for (uint32_t start = 0; start < g_rowCount; start += 2 * run) {
            uint32_t middle = start + run < g_rowCount ? start + run : g_rowCount;
            uint32_t end = middle + run < g_rowCount ? middle + run : g_rowCount;
            uint32_t left = start, right = middle, out = start;
            while (left < middle && right < end)
                to[out++] = compare(from[right], from[left]) < 0 ? from[right++] : from[left++];
            while (left < middle)
                to[out++] = from[left++];
            while (right < end)
                to[out++] = from[right++];
        }
        uint32_t *swap = from;
        from = to;
        to = swap;
    }
    if (from != g_order)
        memcpy(g_order, from, g_rowCount * sizeof *g_order);
}

void ShowFlightBook()
{
    ShowPage(PAGE_FLIGHTBOOK);
    g_rowCount = 0;
    g_sortColumn = -1;
    if (FormDevicePath(kFlightsFolder))
        VisitFlightLogs(g_deviceRoot.path, "", AddFlightLog, NULL);
    SortOrder(CompareNewer);
    FillList();
    uint32_t minutes = 0;
    for (uint32_t i = 0; i < g_rowCount; i++)
        if (g_rows[i].minutes > 0)
            minutes += (uint32_t)g_rows[i].minutes;
    SetStatusTextF(Text(TEXT_FLIGHTBOOK_SUMMARY), (unsigned)g_rowCount, (unsigned)(minutes / 60), (unsigned)(minutes % 60));
}

void SortFlightBook(int column)
{
    if (column < 0 || column >= FLIGHT_COLUMNS)
        return;
    g_sortDescending = column == g_sortColumn ? !g_sortDescending : false;
    g_sortColumn = column;
    SortOrder(CompareInColumn);
    FillList();
}

// The save dialog offers "flugbuch.csv" ("flightbook.csv" in English) and
// asks before it replaces a file.
static bool ChooseCsvFile(char *path, DWORD size)
{
    const FileType csv = {Text(TEXT_CSV_FILE_TYPE), "*.csv"};
    char filter[64];
    FormFileFilter(filter, sizeof filter, &csv, 1);
    snprintf(path, size, "%s", Text(TEXT_FLIGHTBOOK_FILE_NAME));
    OPENFILENAMEA dialog;
    SetUpFileDialog(&dialog, filter, path, size, Text(TEXT_FLIGHTBOOK_SAVE_TITLE), "csv");
    dialog.Flags |= OFN_OVERWRITEPROMPT;
    return ShowSaveFileDialog(&dialog) != FALSE;
}

// The titles, then the rows in the list's order.
static void WriteCsvLines(Stream *out)
{
    char line[2 * (WALK_PATH_SIZE + FLIGHT_GLIDER_SIZE) + 128];
    const char *titles[FLIGHT_COLUMNS];
    ColumnTitles(titles);
    size_t length = FormatCsvLine(titles, line, sizeof line);
    WriteBytes(out, line, length);
    for (uint32_t i = 0; i < g_rowCount; i++) {
        const char *fields[FLIGHT_COLUMNS];
        RowFields(&g_rows[g_order[i]], fields);
        length = FormatCsvLine(fields, line, sizeof line);
        WriteBytes(out, line, length);
    }
}

// Writes the whole file beside the target first, then puts it in the
// target's place: a failed write leaves the target as it was, and no
// temporary file.
static bool WriteCsvFile(const char *path)
{
    char temp[MAX_PATH + 4];
    if (snprintf(temp, sizeof temp, "%s.new", path) >= (int)sizeof temp)
        return false;
    Stream out;
    if (!OpenStream(&out, temp, "wb"))
        return false;
    WriteCsvLines(&out);
    if (CloseStream(&out) && ReplaceWithFile(temp, path))
        return true;
    DeleteFileA(temp);
    return false;
}

void SaveFlightBook()
{
    char path[MAX_PATH];
    if (!ChooseCsvFile(path, sizeof path))
        return;
    if (!WriteCsvFile(path)) {
        ShowMessageBox(g_shell.dialog, Text(TEXT_BOX_FLIGHTBOOK_NOT_SAVED), Text(TEXT_BOX_FILE_ERROR), MB_ICONWARNING);
        return;
    }
    SetStatusTextF(Text(TEXT_STATUS_FLIGHTS_WRITTEN), (unsigned)g_rowCount);
}
