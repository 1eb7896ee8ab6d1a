// The page of waypoints onto the instrument: reading a waypoint file, the
// list of its points, and writing the store safely.
//
// Writing keeps the instrument's store whole whatever fails: the store is
// first copied to WAYPOINTS\waypoints.bak, the new store is written to
// WAYPOINTS\waypoints.tmp and put in the store's place, and read back. If
// any step fails, the store, the backup and the folder are put back as they
// were.
#include "waypoints/importpage.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "device/devpath.h"
#include "device/stream.h"
#include "ui/filedialog.h"
#include "ui/pages.h"
#include "ui/prompts.h"
#include "ui/resource.h"
#include "ui/shell.h"
#include "ui/status.h"
#include "ui/texts.h"
#include "waypoints/waypointpage.h"
#include "waypoints/importsource.h"

enum { IMPORT_COLUMNS = 6 };

// A file may hold more points than this; the rest are not read (the store
// takes at most MAX_STORE_WAYPOINTS anyway).
enum { MAX_POINTS_READ = 100000 };

static const int kColumnWidths[IMPORT_COLUMNS] = {64, 150, 92, 96, 64, 230};

static const char kFolderName[] = "WAYPOINTS";
static const char kBackupName[] = "WAYPOINTS\\waypoints.bak";
static const char kTempName[] = "WAYPOINTS\\waypoints.tmp";

// The points of the file read last, and what becomes of them.
static PointList g_points = {NULL, 0, 0, MAX_POINTS_READ};
static ImportPlan g_plan;
static ImportMode g_mode = IMPORT_ADD;
static bool g_fileRead;

static HWND ImportList()
{
    return GetDlgItem(g_shell.dialog, IDC_IMPORT_LIST);
}

void CreateImportColumns()
{
    HWND list = ImportList();
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int column = 0; column < IMPORT_COLUMNS; column++) {
        LVCOLUMNA entry = {};
        entry.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        entry.pszText = (char *)Text(TEXT_IMPORT_COLUMN_NAME + column);
        entry.cx = kColumnWidths[column];
        entry.iSubItem = column;
        SendMessageA(list, LVM_INSERTCOLUMNA, column, (LPARAM)&entry);
    }
    CheckRadioButton(g_shell.dialog, IDC_IMPORT_ADD, IDC_IMPORT_REPLACE, IDC_IMPORT_ADD);
}

void LabelImportColumns()
{
    for (int column = 0; column < IMPORT_COLUMNS; column++) {
        LVCOLUMNA entry = {};
        entry.mask = LVCF_TEXT;
        entry.pszText = (char *)Text(TEXT_IMPORT_COLUMN_NAME + column);
        SendMessageA(ImportList(), LVM_SETCOLUMNA, column, (LPARAM)&entry);
    }
}

// The notes joined by ", " in their order.
static void FormatNotes(uint8_t notes, char *text, size_t size)
{
    size_t used = 0;
    text[0] = '\0';
    for (int note = 0; note < IMPORT_NOTES; note++) {
        if (!(notes & 1 << note))
            continue;
        int n = snprintf(text + used, size - used, "%s%s", used ? ", " : "", Text(TEXT_NOTE_INVALID + note));
        if (n < 0 || (size_t)n >= size - used)
            return;
        used += (size_t)n;
    }
}

void GiveImportText(LVITEMA *item)
{
    if (!(item->mask & LVIF_TEXT) || item->iItem < 0 || (uint32_t)item->iItem >= g_plan.rowCount ||
        item->iSubItem < 0 || item->iSubItem >= IMPORT_COLUMNS || item->cchTextMax <= 0)
        return;
    const ImportRow &row = g_plan.rows[item->iItem];
    Waypoint point;
    DecodeWaypoint(row.record, &point);
    bool comma = CurrentTextLanguage() == TEXTS_GERMAN;
    char text[160] = "";
    switch (item->iSubItem) {
    case 0: snprintf(text, sizeof text, "%s", point.name); break;
    case 1: snprintf(text, sizeof text, "%s", point.description); break;
    case 2:
        if (!(row.notes & NOTE_INVALID))
            FormatStoredAngle(point.latitude, 'N', 'S', comma, text, sizeof text);
        break;
    case 3:
        if (!(row.notes & NOTE_INVALID))
            FormatStoredAngle(point.longitude, 'E', 'W', comma, text, sizeof text);
        break;
    case 4: snprintf(text, sizeof text, "%d m", point.altitude); break;
    case 5: FormatNotes(row.notes, text, sizeof text); break;
    }
    lstrcpynA(item->pszText, text, item->cchTextMax);
}

static bool FileExists(const char *path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// The bytes of a whole file, in memory of their own.
struct Bytes {
    uint8_t *data;
    size_t size;
};

static void FreeBytes(Bytes *bytes)
{
    free(bytes->data);
    bytes->data = NULL;
    bytes->size = 0;
}

// A whole file into bytes. False when it cannot be read in full; a file
// that is not there is read as empty, with exists false.
static bool ReadWholeFile(const char *path, Bytes *bytes, bool *exists)
{
    FreeBytes(bytes);
    *exists = FileExists(path);
    if (!*exists)
        return true;
    Stream in;
    if (!OpenStream(&in, path, "rb"))
        return false;
    int64_t size = StreamSize(&in);
    bool read = size >= 0 && size < INT32_MAX && (bytes->data = (uint8_t *)malloc((size_t)size + 1)) != NULL;
    if (read) {
        bytes->size = (size_t)size;
        read = ReadBytes(&in, bytes->data, bytes->size) == bytes->size;
    }
    CloseStream(&in);
    return read;
}

// The store of the instrument as it is now; empty when there is none or it
// cannot be read.
static void ReadStore(const DeviceRoot *root, Bytes *bytes)
{
    char path[PATH_SIZE];
    bool exists;
    if (!FormDevicePath(path, root, kWaypointStoreName) || !ReadWholeFile(path, bytes, &exists))
        FreeBytes(bytes);
}

static void UpdateButtons(const DeviceRoot *root)
{
    char path[PATH_SIZE];
    bool backup = FormDevicePath(path, root, kBackupName) && FileExists(path);
    EnableWindow(GetDlgItem(g_shell.dialog, IDC_IMPORT_RESTORE), backup);
    EnableWindow(GetDlgItem(g_shell.dialog, IDC_IMPORT_WRITE), g_fileRead && g_plan.toWrite > 0);
}

static void ShowRows(const DeviceRoot *root)
{
    HWND list = ImportList();
    SendMessageA(list, LVM_SETITEMCOUNT, g_plan.rowCount, 0);
    InvalidateRect(list, NULL, TRUE);
    UpdateButtons(root);
}

// Plans the points read against a store, and shows them. Short of memory
// the list stays empty.
static void PlanAgainst(const DeviceRoot *root, const Bytes *store)
{
    PlanImport(g_points.points, g_points.count, store->data, store->size, g_mode, &g_plan);
    ShowRows(root);
}

// ... against the store as it is now.
static void PlanAgainstStore(const DeviceRoot *root)
{
    Bytes store = {NULL, 0};
    ReadStore(root, &store);
    PlanAgainst(root, &store);
    FreeBytes(&store);
}

static void ShowPlanStatus()
{
    SetStatusTextF(Text(TEXT_STATUS_IMPORT_READ), (unsigned)g_plan.pointsRead, (unsigned)g_plan.toWrite);
}

void ShowImportPage(const DeviceRoot *root)
{
    ShowPage(PAGE_IMPORT);
    UpdateButtons(root);
}

void ChooseImportMode(const DeviceRoot *root, ImportMode mode)
{
    if (mode == g_mode)
        return;
    g_mode = mode;
    if (!g_fileRead)
        return;
    PlanAgainstStore(root);
    ShowPlanStatus();
}

static void ShowFileError(int text)
{
    ShowMessageBox(g_shell.dialog, Text(text), Text(TEXT_BOX_WAYPOINT_FILE_ERROR), MB_ICONWARNING);
}

static bool ChooseWaypointFile(char *path, DWORD size)
{
    FileType types[] = {{Text(TEXT_IMPORT_FILE_TYPE), "*.gpx;*.cup;*.wpt"}, {Text(TEXT_ALL_FILES_TYPE), "*.*"}};
    char filter[160];
    FormFileFilter(filter, sizeof filter, types, 2);
    path[0] = '\0';
    OPENFILENAMEA dialog;
    SetUpFileDialog(&dialog, filter, path, size, Text(TEXT_IMPORT_OPEN_TITLE), NULL);
    dialog.nFilterIndex = 1;
    dialog.Flags |= OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    return ShowOpenFileDialog(&dialog) != FALSE;
}

// The file's points into list; false when it holds none that can be read.
static bool ReadPointsOfFile(const char *path, PointList *list)
{
    static ByteSource source;   // one block; kept off the stack
    Stream in;
    if (!OpenStream(&in, path, "rb"))
        return false;
    SourceFromStream(&source, &in);
    WaypointFileKind kind;
    bool read = ReadWaypointFile(&source, list, &kind);
    CloseStream(&in);
    return read;
}

void OpenWaypointFile(const DeviceRoot *root)
{
    char path[MAX_PATH];
    if (!ChooseWaypointFile(path, sizeof path))
        return;
    PointList points = {NULL, 0, 0, MAX_POINTS_READ};
    // A file without readable points leaves the page as it was.
    if (!ReadPointsOfFile(path, &points)) {
        FreePoints(&points);
        ShowFileError(TEXT_BOX_NO_WAYPOINTS);
        return;
    }
    FreePoints(&g_points);
    g_points = points;
    g_fileRead = true;
    PlanAgainstStore(root);
    ShowPlanStatus();
}

// The names of the files that writing and restoring touch.
struct StorePaths {
    char folder[PATH_SIZE];
    char store[PATH_SIZE];
    char backup[PATH_SIZE];
    char temp[PATH_SIZE];
};

static bool FormStorePaths(const DeviceRoot *root, StorePaths *paths)
{
    return FormDevicePath(paths->folder, root, kFolderName) && FormDevicePath(paths->store, root, kWaypointStoreName) &&
           FormDevicePath(paths->backup, root, kBackupName) && FormDevicePath(paths->temp, root, kTempName);
}

static bool SameAsFile(const char *path, const Bytes &bytes)
{
    Bytes read = {NULL, 0};
    bool exists;
    bool same = ReadWholeFile(path, &read, &exists) && exists && read.size == bytes.size &&
                (bytes.size == 0 || memcmp(read.data, bytes.data, bytes.size) == 0);
    FreeBytes(&read);
    return same;
}

// Saves bytes as the whole file at path, written to temp first.
static bool SaveFileBytes(const char *path, const char *temp, const Bytes &bytes)
{
    Stream out;
    if (!OpenStream(&out, temp, "wb"))
        return false;
    WriteBytes(&out, bytes.data, bytes.size);
    return FinishSave(&out, temp, path);
}

enum WriteResult { WRITE_DONE, WRITE_FAILED, WRITE_NOT_PUT_BACK };

// Puts the file at path back as it was: its old bytes, or no file. A file
// that was never replaced is left alone.
static bool PutBack(const char *path, const char *temp, bool existed, const Bytes &bytes)
{
    if (existed)
        return SameAsFile(path, bytes) ||
               (SaveFileBytes(path, temp, bytes) && SameAsFile(path, bytes));
    return DeleteFileA(path) || !FileExists(path);
}

// Writes wanted as the store, with the old store (old, if it existed) as
// the backup. On failure everything is put back as it was.
static WriteResult WriteStoreSafely(const StorePaths &paths, bool storeExisted, const Bytes &old, const Bytes &wanted)
{
    bool folderMade = false;
    if (!FileExists(paths.folder)) {
        if (!CreateDirectoryA(paths.folder, NULL))
            return WRITE_FAILED;
        folderMade = true;
    }
    Bytes oldBackup = {NULL, 0};
    bool backupExisted = false;
    bool backedUp = ReadWholeFile(paths.backup, &oldBackup, &backupExisted) &&
                    (!storeExisted || SaveFileBytes(paths.backup, paths.temp, old));
    WriteResult result = WRITE_FAILED;
    if (backedUp && SaveFileBytes(paths.store, paths.temp, wanted) &&
        SameAsFile(paths.store, wanted)) {
        result = WRITE_DONE;
    } else if (backedUp) {
        // The store first: while it is not back, the backup holds the old store.
        if (!PutBack(paths.store, paths.temp, storeExisted, old))
            result = WRITE_NOT_PUT_BACK;
        else if (storeExisted)
            PutBack(paths.backup, paths.temp, backupExisted, oldBackup);
    }
    FreeBytes(&oldBackup);
    if (result == WRITE_FAILED && folderMade)
        RemoveDirectoryA(paths.folder);
    return result;
}

static uint32_t CountStoreWaypoints(const Bytes &store)
{
    uint32_t count = 0;
    for (size_t at = 0; at + WAYPOINT_RECORD_SIZE <= store.size; at += WAYPOINT_RECORD_SIZE)
        if (store.data[at + WAYPOINT_KIND_OFFSET] == KIND_WAYPOINT)
            count++;
    return count;
}

static bool AskYesNo(int text)
{
    return ShowMessageBox(g_shell.dialog, Text(text), Text(TEXT_IMPORT_HEADING), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// Plans against the store as it is now (it may have changed since the file
// was read), and writes it. Returns how it went; WRITE_FAILED, with no box
// yet, when nothing was tried.
static WriteResult PlanAndWrite(const StorePaths &paths, uint32_t *written, uint32_t *onInstrument)
{
    Bytes old = {NULL, 0}, wanted = {NULL, 0};
    bool storeExisted;
    WriteResult result = WRITE_FAILED;
    if (!ReadWholeFile(paths.store, &old, &storeExisted) ||
        !PlanImport(g_points.points, g_points.count, old.data, old.size, g_mode, &g_plan)) {
        ShowFileError(TEXT_BOX_WAYPOINTS_NOT_WRITTEN);
    } else if (g_plan.waypointsAfter > MAX_STORE_WAYPOINTS) {
        ShowFileError(TEXT_BOX_TOO_MANY_WAYPOINTS);
    } else {
        wanted.size = PlannedStoreSize(&g_plan, old.data, old.size, g_mode);
        wanted.data = (uint8_t *)malloc(wanted.size + 1);
        if (wanted.data) {
            BuildStore(&g_plan, old.data, old.size, g_mode, wanted.data);
            *written = g_plan.toWrite;
            *onInstrument = g_plan.waypointsAfter;
            result = WriteStoreSafely(paths, storeExisted, old, wanted);
        }
        if (result == WRITE_NOT_PUT_BACK) {
            char text[512];
            snprintf(text, sizeof text, Text(TEXT_BOX_WAYPOINTS_NOT_RESTORED), paths.backup);
            ShowMessageBox(g_shell.dialog, text, Text(TEXT_BOX_WAYPOINT_FILE_ERROR), MB_ICONWARNING);
        } else if (result == WRITE_FAILED) {
            ShowFileError(TEXT_BOX_WAYPOINTS_NOT_WRITTEN);
        }
    }
    FreeBytes(&old);
    FreeBytes(&wanted);
    return result;
}

void WriteImportedWaypoints(const DeviceRoot *root)
{
    StorePaths paths;
    if (!g_fileRead || !FormStorePaths(root, &paths))
        return;
    if (g_mode == IMPORT_REPLACE && !AskYesNo(TEXT_BOX_REPLACE_ALL))
        return;
    uint32_t written = 0, onInstrument = 0;
    WriteResult result = PlanAndWrite(paths, &written, &onInstrument);
    if (result != WRITE_FAILED)
        ResetWaypointCounts();
    // The list shows what the points are to the store as it is now.
    PlanAgainstStore(root);
    if (result == WRITE_DONE)
        SetStatusTextF(Text(TEXT_STATUS_IMPORT_WRITTEN), (unsigned)written, (unsigned)onInstrument);
}

// Swaps the store and the backup through the temporary name; false, with
// both as they were, when a step fails.
static bool SwapStoreAndBackup(const StorePaths &paths)
{
    if (!FileExists(paths.store))
        return ReplaceWithFile(paths.backup, paths.store);
    if (!ReplaceWithFile(paths.store, paths.temp))
        return false;
    if (!ReplaceWithFile(paths.backup, paths.store)) {
        ReplaceWithFile(paths.temp, paths.store);
        return false;
    }
    if (!ReplaceWithFile(paths.temp, paths.backup)) {
        ReplaceWithFile(paths.store, paths.backup);
        ReplaceWithFile(paths.temp, paths.store);
        return false;
    }
    return true;
}

void RestoreWaypointBackup(const DeviceRoot *root)
{
    StorePaths paths;
    if (!FormStorePaths(root, &paths) || !FileExists(paths.backup)) {
        UpdateButtons(root);
        return;
    }
    if (!AskYesNo(TEXT_BOX_RESTORE_BACKUP))
        return;
    if (!SwapStoreAndBackup(paths)) {
        ShowFileError(TEXT_BOX_BACKUP_NOT_RESTORED);
        UpdateButtons(root);
        return;
    }
    ResetWaypointCounts();
    Bytes store = {NULL, 0};
    ReadStore(root, &store);
    uint32_t waypoints = CountStoreWaypoints(store);
    if (g_fileRead)
        PlanAgainst(root, &store);
    FreeBytes(&store);
    UpdateButtons(root);
    SetStatusTextF(Text(TEXT_STATUS_BACKUP_RESTORED), (unsigned)waypoints);
}
