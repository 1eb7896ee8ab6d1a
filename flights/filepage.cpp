// The file page's three operations: each plays its clip while its walk runs,
// then reports the count on the Status line and any failures in one box.
#include "flights/filepage.h"

#include <stdio.h>
#include <windows.h>
#include <shlobj.h>

#include "ui/prompts.h"
#include "ui/resource.h"
#include "ui/shell.h"
#include "ui/status.h"
#include "ui/texts.h"
#include "device/devpath.h"
#include "flights/walks.h"

static const char kFlightsFolder[] = "FLIGHTS\\";

// One warning box with the number of failures, when there were any.
static void ShowFailures(int format)
{
    if (g_walkCounts.failureCount == 0)
        return;
    char text[128];
    snprintf(text, sizeof text, Text(format), (unsigned)g_walkCounts.failureCount);
    ShowMessageBox(g_shell.dialog, text, Text(TEXT_BOX_FILE_ERROR), MB_ICONWARNING);
}

// The page as it is now, before the walk keeps the dialog's thread from
// painting it (the folder browser has just left a hole in it).
static void PaintPageBeforeWork()
{
    RedrawWindow(g_shell.dialog, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void RemoveEmptyFlightFolders(const DeviceRoot *root)
{
    StartActivityAnimation(IDC_FILES_ANIMATION, IDR_CLIP_CLEAN);
    g_walkCounts = WalkCounts();
    // Any root leaves room for this name (at most 240 + 8 characters).
    char flights[PATH_SIZE];
    if (FormDevicePath(flights, root, kFlightsFolder))
        RemoveEmptyFolders(flights);
    SetStatusTextF(Text(TEXT_STATUS_FOLDERS_REMOVED), (unsigned)g_walkCounts.folderCount);
    FinishActivityAnimation(IDC_FILES_ANIMATION);
    ShowFailures(TEXT_BOX_NOT_REMOVED);
}

// The folder browser, starting at the desktop; true with the chosen
// folder's full path in chosen (MAX_PATH characters).
static bool ChooseTargetFolder(bool wholeInstrument, char *chosen)
{
    BROWSEINFOA browse = {};
    browse.hwndOwner = g_shell.dialog;
    browse.pidlRoot = NULL;
    browse.pszDisplayName = chosen;
    browse.lpszTitle = Text(wholeInstrument ? TEXT_BROWSE_WHOLE_TITLE : TEXT_BROWSE_FLIGHTS_TITLE);
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    return BrowseForFolder(&browse, chosen);
}

void CopyFromInstrument(const DeviceRoot *root, bool wholeInstrument)
{
    char chosen[MAX_PATH] = "";
    if (!ChooseTargetFolder(wholeInstrument, chosen))
        return;
    g_walkCounts = WalkCounts();
    StartActivityAnimation(IDC_FILES_ANIMATION, wholeInstrument ? IDR_CLIP_COPY_ALL : IDR_CLIP_COPY_FLIGHTS);
    PaintPageBeforeWork();

    // A drive root comes with its backslash and so ends in two.
    char target[PATH_SIZE];
    bool targetFits = FormPath(target, chosen, "", "\\");
    // A folder of 259 characters has no room for anything in it.
    if (!targetFits)
        g_walkCounts.failureCount++;
    char source[PATH_SIZE];
    if (wholeInstrument) {
        if (FormDevicePath(source, root, "") && targetFits)
            CopyTree(source, target);
        SetStatusTextF(Text(TEXT_STATUS_TREE_COPIED), (unsigned)g_walkCounts.fileCount,
                       (unsigned)g_walkCounts.folderCount);
    } else {
        if (FormDevicePath(source, root, kFlightsFolder) && targetFits)
            CopyFlightLogs(source, target);
        SetStatusTextF(Text(TEXT_STATUS_FILES_COPIED), (unsigned)g_walkCounts.fileCount);
    }
    FinishActivityAnimation(IDC_FILES_ANIMATION);
    ShowFailures(TEXT_BOX_NOT_COPIED);
}
