// The pilot page: copies strings between the Pilot record and its controls,
// and runs the load, save and cancel of the pilot data.
#include "pilot/pilotpage.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "ui/pages.h"
#include "ui/prompts.h"
#include "ui/resource.h"
#include "ui/shell.h"
#include "ui/status.h"
#include "ui/texts.h"
#include "device/devpath.h"
#include "device/stream.h"
#include "settings/labels.h"

// An edit is read with room for one character more than a field holds, so
// that a text that is too long can be told from one that fits.
enum { EDIT_TEXT_SIZE = PILOT_NAME_LENGTH + 2 };

// The list's item after the eight classes: a class from the file that is
// none of them.
enum { UNKNOWN_CLASS_ITEM = GLIDER_CLASS_COUNT };

static LRESULT SendToClassList(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendDlgItemMessageA(g_shell.dialog, IDC_CLASS, message, wParam, lParam);
}

static void ShowPilotRecord(const Pilot *pilot)
{
    SetDlgItemTextA(g_shell.dialog, IDC_IGCID, pilot->igcId);
    SetDlgItemTextA(g_shell.dialog, IDC_PILOT, pilot->pilot);
    SetDlgItemTextA(g_shell.dialog, IDC_GLIDER, pilot->glider);
}

// The file's class is selected; a class that is none of the eight becomes
// the list's last item, replacing the one an earlier load added.
static void ShowGliderClass(const Pilot *pilot)
{
    SendToClassList(CB_DELETESTRING, UNKNOWN_CLASS_ITEM, 0);
    int item = FindGliderClass(pilot->gliderClass);
    if (item < 0)
        item = (int)SendToClassList(CB_ADDSTRING, 0, (LPARAM)pilot->gliderClass);
    SendToClassList(CB_SETCURSEL, item, 0);
}

bool ReadPilotFile(const DeviceRoot *root, Pilot *pilot)
{
    // A name that does not fit behind the root is a file that cannot be opened.
    char path[PATH_SIZE];
    Stream in;
    if (!FormDevicePath(path, root, kPilotFileName) || !OpenStream(&in, path, "rt"))
        return false;
    char text[PILOT_TEXT_LENGTH + 1];
    ReadPilotText(&in, text, sizeof text);
    CloseStream(&in);
    if (!ParsePilotText(text, pilot))
        return false;
    ShowPilotRecord(pilot);
    ShowGliderClass(pilot);
    return true;
}

// Takes the IGC-ID edit into the record if it has four characters;
// otherwise shows it made into four and returns false.
static bool TakeIgcId(Pilot *pilot)
{
    char text[EDIT_TEXT_SIZE];
    GetDlgItemTextA(g_shell.dialog, IDC_IGCID, text, sizeof text);
    if (strlen(text) == IGC_ID_LENGTH) {
        snprintf(pilot->igcId, sizeof pilot->igcId, "%s", text);
        return true;
    }
    char padded[IGC_ID_SIZE];
    PadIgcId(text, padded);
    SetDlgItemTextA(g_shell.dialog, IDC_IGCID, padded);
    return false;
}

// Takes a name edit into its field if it fits; otherwise shows it cut to
// the field's length and returns false.
static bool TakeName(int edit, char *field, size_t fieldSize)
{
    char text[EDIT_TEXT_SIZE];
    GetDlgItemTextA(g_shell.dialog, edit, text, sizeof text);
    if (strlen(text) <= PILOT_NAME_LENGTH) {
        snprintf(field, fieldSize, "%s", text);
        return true;
    }
    text[PILOT_NAME_LENGTH] = '\0';
    SetDlgItemTextA(g_shell.dialog, edit, text);
    return false;
}

static void ShowWarning(int text, int caption)
{
    ShowMessageBox(g_shell.dialog, Text(text), Text(caption), MB_ICONWARNING);
}

// Writes the record to the instrument through a temporary file, so that a
// failed save leaves the old file whole; path names the pilot file.
static bool SavePilotFile(const DeviceRoot *root, const Pilot *pilot, char *path)
{
    char temp[PATH_SIZE];
    return FormDevicePath(temp, root, kPilotTempName) && FormDevicePath(path, root, kPilotFileName) &&
           WritePilotFile(pilot, temp, path);
}

void SavePilotData(const DeviceRoot *root, Pilot *pilot)
{
    // Every field is checked, so that each wrong one is corrected at once;
    // the ones that passed are already in the record.
    bool idFits = TakeIgcId(pilot);
    bool pilotFits = TakeName(IDC_PILOT, pilot->pilot, sizeof pilot->pilot);
    bool gliderFits = TakeName(IDC_GLIDER, pilot->glider, sizeof pilot->glider);
    if (!idFits || !pilotFits || !gliderFits) {
        ShowWarning(TEXT_BOX_FIELD_LENGTHS, TEXT_BOX_CORRECT_INPUT);
        return;
    }
    if (!IsAllowedPilotText(pilot->igcId) || !IsAllowedPilotText(pilot->pilot) ||
        !IsAllowedPilotText(pilot->glider)) {
        ShowWarning(TEXT_BOX_ALLOWED_CHARACTERS, TEXT_BOX_CORRECT_INPUT);
        return;
    }
    // Text typed into the list's edit field is not a class.
    TakeClassSelection(pilot, (int)SendToClassList(CB_GETCURSEL, 0, 0));
    char path[PATH_SIZE];
    if (!SavePilotFile(root, pilot, path)) {
        ShowWarning(TEXT_BOX_PILOT_NOT_SAVED, TEXT_BOX_FILE_ERROR);
        return;
    }
    SetStatusTextF(Text(TEXT_STATUS_FILE_SAVED), path);
    ShowPage(PAGE_PREVIEW);
}

void CancelPilotEdits(const Pilot *pilot)
{
    ShowPilotRecord(pilot);
    int item = FindGliderClass(pilot->gliderClass);
    if (item < 0)
        item = SendToClassList(CB_GETCOUNT, 0, 0) > UNKNOWN_CLASS_ITEM ? UNKNOWN_CLASS_ITEM : -1;
    SendToClassList(CB_SETCURSEL, item, 0);
    ShowPage(PAGE_PREVIEW);
}
