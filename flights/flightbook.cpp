// The flight book page: the rows of the flight logs below FLIGHTS\ in a
// report list, their order, the totals and the CSV file.
#include "flights/flightbook.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

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
#include "flights/flightview.h"
#include "flights/walks.h"

static const char kFlightsFolder[] = "FLIGHTS\\";

// Column widths in pixels; the list scrolls sideways for the rest.
static const int kColumnWidths[FLIGHT_COLUMNS] = {84, 72, 72, 74, 104, 250};

// Each row in the list, and the list's order as indices into it. They grow
// with the number of logs; reading a log needs no memory of its own.
static std::vector<FlightRow> g_rows;
static std::vector<uint32_t> g_order;

// The column of the last header click and its direction; -1 before any.
static int g_sortColumn = -1;
static bool g_sortDescending;

static HWND BookList()
{
    return GetDlgItem(g_shell.dialog, IDC_BOOK_LIST);
}

// Titles the columns in the current language; on the first call, inserts
// them with their widths.
static void SetColumns(UINT message)
{
    for (int column = 0; column < FLIGHT_COLUMNS; column++) {
        LVCOLUMNA entry = {};
        entry.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        entry.pszText = (char *)Text(TEXT_COLUMN_DATE + column);
        entry.cx = kColumnWidths[column];
        entry.iSubItem = column;
        if (message == LVM_SETCOLUMNA)
            entry.mask = LVCF_TEXT;
        SendMessageA(BookList(), message, column, (LPARAM)&entry);
    }
}

void CreateFlightBookColumns()
{
    SendMessageA(BookList(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    SetColumns(LVM_INSERTCOLUMNA);
}

void LabelFlightBookColumns()
{
    SetColumns(LVM_SETCOLUMNA);
}

// One log found by the walk: a row, when its path keeps within 259
// characters as the copy's does.
static void AddFlightLog(const char *folder, const char *name, int64_t size, uint64_t, uint32_t, void *context)
{
    const DeviceRoot *root = (const DeviceRoot *)context;
    char path[PATH_SIZE];
    if (!FormPath(path, folder, name, ""))
        return;
    // The path below FLIGHTS\ begins behind the root and that folder.
    const char *below = path + root->rootLength + sizeof kFlightsFolder - 1;
    FlightRow row;
    ReadFlightLog(path, below, size, &row);
    g_order.push_back((uint32_t)g_rows.size());
    g_rows.push_back(row);
}

// The list holds no texts of its own (owner data): it asks for each one it
// shows, so that its memory does not grow with the rows.
static void FillList()
{
    HWND list = BookList();
    SendMessageA(list, LVM_SETITEMCOUNT, g_rows.size(), 0);
    InvalidateRect(list, NULL, TRUE);
}

void GiveFlightBookText(LVITEMA *item)
{
    if (!(item->mask & LVIF_TEXT) || item->iItem < 0 || (size_t)item->iItem >= g_rows.size() ||
        item->iSubItem < 0 || item->iSubItem >= FLIGHT_COLUMNS || item->cchTextMax <= 0)
        return;
    const char *fields[FLIGHT_COLUMNS];
    RowFields(&g_rows[g_order[item->iItem]], fields);
    lstrcpynA(item->pszText, fields[item->iSubItem], item->cchTextMax);
}

// The number of flights and their airtime on the Status line.
static void ShowTotals()
{
    uint32_t minutes = 0;
    for (const FlightRow &row : g_rows)
        if (row.minutes > 0)
            minutes += (uint32_t)row.minutes;
    SetStatusTextF(Text(TEXT_FLIGHTBOOK_SUMMARY), (unsigned)g_rows.size(), (unsigned)(minutes / 60),
                   (unsigned)(minutes % 60));
}

void ShowFlightBook(const DeviceRoot *root)
{
    ShowPage(PAGE_FLIGHTBOOK);
    g_rows.clear();
    g_order.clear();
    g_sortColumn = -1;
    char flights[PATH_SIZE];
    if (FormDevicePath(flights, root, kFlightsFolder))
        VisitFlightLogs(flights, "", AddFlightLog, (void *)root);
    // Rows that compare equal keep the order they had: the walk's, or the
    // last sort's.
    std::stable_sort(g_order.begin(), g_order.end(), [](uint32_t a, uint32_t b) {
        return CompareNewestFirst(&g_rows[a], &g_rows[b]) < 0;
    });
    FillList();
    // A new list has no selection.
    ListView_SetItemState(BookList(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    UpdateFlightButton();
    ShowTotals();
}

// The list's row that is selected; -1 for none.
static int SelectedRow()
{
    int item = (int)SendMessageA(BookList(), LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
    return item >= 0 && (size_t)item < g_rows.size() ? item : -1;
}

void SortFlightBook(int column)
{
    if (column < 0 || column >= FLIGHT_COLUMNS)
        return;
    g_sortDescending = column == g_sortColumn ? !g_sortDescending : false;
    g_sortColumn = column;
    int selected = SelectedRow();
    uint32_t flight = selected >= 0 ? g_order[selected] : 0;
    std::stable_sort(g_order.begin(), g_order.end(), [](uint32_t a, uint32_t b) {
        return CompareFlightRows(&g_rows[a], &g_rows[b], (FlightColumn)g_sortColumn, g_sortDescending) < 0;
    });
    FillList();
    // The selected flight stays selected where it now stands.
    for (size_t i = 0; selected >= 0 && i < g_order.size(); i++)
        if (g_order[i] == flight) {
            ListView_SetItemState(BookList(), (int)i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            ListView_EnsureVisible(BookList(), (int)i, FALSE);
        }
}

void UpdateFlightButton()
{
    EnableWindow(GetDlgItem(g_shell.dialog, IDC_BOOK_VIEW), SelectedRow() >= 0);
}

bool ViewSelectedFlight(const DeviceRoot *root, int unit)
{
    int item = SelectedRow();
    if (item < 0)
        return false;
    const FlightRow *row = &g_rows[g_order[item]];
    char flights[PATH_SIZE], path[PATH_SIZE];
    if (!FormDevicePath(flights, root, kFlightsFolder) || !FormPath(path, flights, row->file, ""))
        return false;
    ShowFlightView(path, row, unit);
    return true;
}

void ReturnToFlightBook()
{
    ShowPage(PAGE_FLIGHTBOOK);
    ShowTotals();
    SendMessageA(g_shell.dialog, WM_NEXTDLGCTL, (WPARAM)BookList(), TRUE);
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
    char line[2 * (PATH_SIZE + FLIGHT_GLIDER_SIZE) + 128];
    const char *titles[FLIGHT_COLUMNS];
    for (int column = 0; column < FLIGHT_COLUMNS; column++)
        titles[column] = Text(TEXT_COLUMN_DATE + column);
    size_t length = FormatCsvLine(titles, line, sizeof line);
    WriteBytes(out, line, length);
    for (uint32_t index : g_order) {
        const char *fields[FLIGHT_COLUMNS];
        RowFields(&g_rows[index], fields);
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
    return FinishSave(&out, temp, path);
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
    SetStatusTextF(Text(TEXT_STATUS_FLIGHTS_WRITTEN), (unsigned)g_rows.size());
}
