// The waypoint page's operations: counting the store by kind, exporting one
// kind window to a waypoint file the user names.
#include "waypoints/waypointpage.h"

#include <stdio.h>
#include <windows.h>

#include "ui/filedialog.h"
#include "ui/pages.h"
#include "ui/prompts.h"
#include "ui/resource.h"
#include "ui/shell.h"
#include "ui/status.h"
#include "ui/texts.h"
#include "device/devpath.h"
#include "device/stream.h"
#include "waypoints/exportformats.h"
#include "waypoints/waypointstore.h"

// The count controls and export buttons, in the order of WaypointCount.
static const int kCountControls[WAYPOINT_COUNTS] = {IDC_WP_USED, IDC_WP_DELETED, IDC_WP_THERMAL};
static const int kExportButtons[WAYPOINT_COUNTS] = {IDC_EXPORT_WAYPOINTS, IDC_EXPORT_DELETED,
                                                    IDC_EXPORT_THERMALS};

// One block of records; kept out of the dialog thread's stack.
static WaypointStore g_store;

// A store name that does not fit behind the root is a store that cannot be
// opened. path names the store.
static bool OpenStoreOfInstrument(const DeviceRoot *root, char *path)
{
    return FormDevicePath(path, root, kWaypointStoreName) && OpenWaypointStore(&g_store, path);
}

static void ShowCount(WaypointCount which, uint32_t count)
{
    SetDlgItemInt(g_shell.dialog, kCountControls[which], count, FALSE);
}

// All three counts 0: no analysis has found anything since the instrument
// was loaded, and the store is counted (again).
static bool CountsShown()
{
    for (int which = 0; which < WAYPOINT_COUNTS; which++)
        if (GetDlgItemInt(g_shell.dialog, kCountControls[which], NULL, FALSE) != 0)
            return true;
    return false;
}

void ResetWaypointCounts()
{
    for (int which = 0; which < WAYPOINT_COUNTS; which++)
        SetDlgItemInt(g_shell.dialog, kCountControls[which], 0, FALSE);
}

void AnalyseWaypointStore(const DeviceRoot *root)
{
    ShowPage(PAGE_WAYPOINTS);
    if (CountsShown())
        return;
    uint32_t counts[WAYPOINT_COUNTS] = {0, 0, 0};
    // A store that does not open is no error: the counts stay 0, nothing is said.
    char path[PATH_SIZE];
    if (OpenStoreOfInstrument(root, path)) {
        StartActivityAnimation(IDC_WP_ANIMATION, IDR_CLIP_WAYPOINTS);
        // Progress in steps of 100 records of a kind, not a repaint per record.
        WaypointCount which;
        while (CountWaypointsToStep(&g_store, counts, &which))
            ShowCount(which, counts[which]);
        CloseWaypointStore(&g_store);
        for (int which = 0; which < WAYPOINT_COUNTS; which++)
            ShowCount((WaypointCount)which, counts[which]);
        SetStatusTextF(Text(TEXT_STATUS_STORE_ANALYSED), path);
        FinishActivityAnimation(IDC_WP_ANIMATION);
    }
    // A button once enabled stays so, across reloads of the instrument too.
    for (int which = 0; which < WAYPOINT_COUNTS; which++)
        if (counts[which] != 0)
            EnableWindow(GetDlgItem(g_shell.dialog, kExportButtons[which]), TRUE);
}

static const char *SaveDialogTitle(uint8_t lowest)
{
    if (lowest == KIND_DELETED)
        return Text(TEXT_SAVE_DELETED_TITLE);
    if (lowest == KIND_WAYPOINT)
        return Text(TEXT_SAVE_WAYPOINTS_TITLE);
    return Text(TEXT_SAVE_THERMALS_TITLE);
}

// The save dialog offers "waypoints.wpt" under the first type every time. It
// asks before an existing file is replaced. Returns false when the user
// cancels; type is the type chosen.
static bool ChooseOutputFile(uint8_t lowest, char *path, DWORD size, unsigned *type)
{
    snprintf(path, size, "waypoints.wpt");
    // The types in the order of WaypointFormat.
    FileType types[] = {{Text(TEXT_WAYPOINT_FILE_TYPE), "*.wpt"}, {Text(TEXT_GPX_FILE_TYPE), "*.gpx"},
                        {Text(TEXT_CUP_FILE_TYPE), "*.cup"}};
    char filter[128];
    FormFileFilter(filter, sizeof filter, types, 3);
    // The dialog itself adds the chosen type's extension to a name without one.
    OPENFILENAMEA dialog;
    SetUpFileDialog(&dialog, filter, path, size, SaveDialogTitle(lowest), "wpt");
    dialog.nFilterIndex = 1;
    dialog.Flags |= OFN_OVERWRITEPROMPT;
    if (!ShowSaveFileDialog(&dialog))
        return false;
    *type = dialog.nFilterIndex;
    return true;
}

static void ShowFileError(int text)
{
    ShowMessageBox(g_shell.dialog, Text(text), Text(TEXT_BOX_WAYPOINT_FILE_ERROR), MB_ICONWARNING);
}

void ExportWaypoints(const DeviceRoot *root, uint8_t lowest, uint8_t highest)
{
    char path[MAX_PATH];
    unsigned type;
    if (!ChooseOutputFile(lowest, path, sizeof path, &type))
        return;
    WaypointFormat format;
    Stream out;
    // A name too long for its extension is a file that cannot be opened.
    if (!ChooseWaypointFormat(path, sizeof path, type, &format) || !OpenStream(&out, path, "wt")) {
        ShowFileError(TEXT_BOX_WAYPOINT_FILE_NOT_OPENED);
        return;
    }
    // Without a store the file has no points.
    char storePath[PATH_SIZE];
    bool opened = OpenStoreOfInstrument(root, storePath);
    if (opened)
        StartActivityAnimation(IDC_WP_ANIMATION, IDR_CLIP_WAYPOINTS);
    uint32_t count = WriteWaypointFile(opened ? &g_store : NULL, &out, KindWindow{lowest, highest}, format);
    if (opened) {
        CloseWaypointStore(&g_store);
        FinishActivityAnimation(IDC_WP_ANIMATION);
    }
    // A file that could not be written in full is no success (a full disk).
    if (!CloseStream(&out)) {
        ShowFileError(TEXT_BOX_WAYPOINT_FILE_NOT_WRITTEN);
        return;
    }
    SetStatusTextF(Text(TEXT_STATUS_POINTS_WRITTEN), (unsigned long)count);
}
