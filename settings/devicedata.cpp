// The load sequence of an instrument's data, and the save of its settings.
#include "settings/devicedata.h"

#include <stdio.h>
#include <windows.h>

#include "ui/pages.h"
#include "ui/prompts.h"
#include "ui/resource.h"
#include "ui/shell.h"
#include "ui/status.h"
#include "ui/texts.h"
#include "device/devpath.h"
#include "device/stream.h"
#include "pilot/pilotpage.h"
#include "settings/language.h"
#include "settings/settingspages.h"

Settings g_settings;   // the defaults from start-up on (RunTolmaro)
WorkingValues g_working;

// The settings are written here first and take the old file's place only
// when complete, so that a failed save never leaves a truncated file.
static const char kSetupTempName[] = "SETUP\\setupdata.new";

void LoadDeviceData(Stream *setupFile)
{
    ReadSetupFile(&g_settings, setupFile);
    CloseStream(setupFile);
    CopySettingsToWorking(&g_settings, &g_working);
    LoadLanguage();
    FillSettingsPages();

    bool pilotRead = ReadPilotFile();

    // The next visit to the waypoint page counts the new instrument's store.
    SetDlgItemInt(g_shell.dialog, IDC_WP_THERMAL, 0, FALSE);
    SetDlgItemInt(g_shell.dialog, IDC_WP_USED, 0, FALSE);
    SetDlgItemInt(g_shell.dialog, IDC_WP_DELETED, 0, FALSE);

    ShowPage(pilotRead ? PAGE_PREVIEW : PAGE_START);
    SetDeviceButtons(pilotRead);
    SetStatusTextF(Text(TEXT_STATUS_LOADED), g_deviceRoot.path[0],
                   LanguageSlot(SLOT_SPRACHE), LanguageSlot(SLOT_LANGUAGE_NAMES + g_settings.Sprache));
}

static bool SaveSetupText(const char *text)
{
    if (!FormDevicePath(kSetupTempName))
        return false;
    char temp[DEVICE_PATH_SIZE];
    lstrcpynA(temp, g_deviceRoot.path, sizeof temp);

    Stream out;
    if (!OpenStream(&out, temp, "wt"))
        return false;
    WriteText(&out, text);
    bool saved = CloseStream(&out) && FormDevicePath(kSetupFileName) && ReplaceWithFile(temp, g_deviceRoot.path);
    if (!saved)
        DeleteFileA(temp);
    return saved;
}

bool WriteSetupFile()
{
    char text[SETUP_TEXT_SIZE];
    if (!FormatSetupFile(&g_settings, text, sizeof text) || !SaveSetupText(text)) {
        ShowMessageBox(g_shell.dialog, Text(TEXT_BOX_SETUP_NOT_SAVED), Text(TEXT_BOX_FILE_ERROR), MB_ICONWARNING);
        return false;
    }
    SetStatusTextF(Text(TEXT_STATUS_SETUP_SAVED), g_deviceRoot.path);
    return true;
}
