// The loaded instrument: its record and its load, the drive scan at
// start-up and on arrival, the manual choice of its settings file, and the
// program's texts in its language.
#include "app/instrument.h"

#include <string.h>
#include <windows.h>

#include "app/about.h"
#include "device/stream.h"
#include "flights/flightbook.h"
#include "pilot/pilotpage.h"
#include "settings/labels.h"
#include "settings/settingspages.h"
#include "ui/captions.h"
#include "ui/filedialog.h"
#include "ui/pages.h"
#include "ui/prompts.h"
#include "ui/resource.h"
#include "ui/shell.h"
#include "ui/status.h"
#include "ui/texts.h"
#include "waypoints/importpage.h"
#include "waypoints/waypointpage.h"

Instrument g_instrument = {{"", 3}, {}, {}, {}};

// Once a detection has shown the language file's heading, the program's
// own heading is not shown again.
static bool g_pilotHeadingOfLanguageFile;

void ShowTextsInLanguage(int sprache)
{
    ShowProgramTexts(sprache);
    LabelFlightBookColumns();
    LabelImportColumns();
    if (!g_pilotHeadingOfLanguageFile)
        SetDlgItemTextA(g_shell.dialog, IDC_PILOT_HEADING, Text(TEXT_PILOT_HEADING));
    ShowAboutDocumentIn(CurrentTextLanguage());
}

static void ShowPilotHeadingOfLanguageFile()
{
    g_pilotHeadingOfLanguageFile = true;
    SetDlgItemTextA(g_shell.dialog, IDC_PILOT_HEADING, LanguageSlot(&g_instrument.language, SLOT_PILOT_HEADING));
}

void LoadLanguageOfInstrument()
{
    LoadLanguage(&g_instrument.root, &g_instrument.settings, &g_instrument.language);
    ShowTextsInLanguage(g_instrument.settings.Sprache);
}

// The load sequence: reads and closes the open settings file, loads the
// language, fills the pages, reads the pilot file, resets the waypoint
// counts and reports the drive.
static void LoadDeviceData(Stream *setupFile)
{
    Instrument *instrument = &g_instrument;
    ReadSetupFile(&instrument->settings, setupFile);
    CloseStream(setupFile);
    LoadLanguageOfInstrument();
    FillSettingsPages(&instrument->settings);

    bool pilotRead = ReadPilotFile(&instrument->root, &instrument->pilot);

    // The next visit to the waypoint page counts the new instrument's store.
    ResetWaypointCounts();

    ShowPage(pilotRead ? PAGE_PREVIEW : PAGE_START);
    SetDeviceButtons(pilotRead);
    const LanguageTable *language = &instrument->language;
    SetStatusTextF(Text(TEXT_STATUS_LOADED), instrument->root.path[0], LanguageSlot(language, SLOT_SPRACHE),
                   LanguageSlot(language, SLOT_LANGUAGE_NAMES + instrument->settings.Sprache));
}

// Whether the program's path began with a drive letter worth probing first.
static bool g_ownDriveKnown;

// Whether a load has succeeded in this run. The instrument counts as loaded
// while its settings file is still at its root.
static bool g_loadedOnce;

void StartAtProgramDrive(const char *modulePath)
{
    g_ownDriveKnown = SetRootFromModulePath(&g_instrument.root, modulePath);
}

static void AddComboItem(int id, const char *text)
{
    SendDlgItemMessageA(g_shell.dialog, id, CB_ADDSTRING, 0, (LPARAM)text);
}

// The display field and glider class lists never change during a run.
static void FillFixedLists()
{
    for (int i = 0; i < DISPLAY_FIELD_COUNT; i++) {
        AddComboItem(IDC_FIELD1, BuiltInLabel(LABEL_DISPLAY_FIELD + i));
        AddComboItem(IDC_FIELD2, BuiltInLabel(LABEL_DISPLAY_FIELD + i));
    }
    for (int i = 0; i < GLIDER_CLASS_COUNT; i++)
        AddComboItem(IDC_CLASS, BuiltInLabel(LABEL_GLIDER_CLASS + i));
}

static bool OpenSetupFile(Stream *in)
{
    char path[PATH_SIZE];
    return FormDevicePath(path, &g_instrument.root, kSetupFileName) && OpenStream(in, path, "rt");
}

// Tries every drive root of the system, in the system's order.
static bool ScanDrives(Stream *in)
{
    // 27 drives of four characters ("E:\" and NUL) and the final NUL.
    char drives[109];
    DWORD length = GetLogicalDriveStringsA(sizeof drives, drives);
    if (length >= sizeof drives)
        length = 0;
    for (DWORD p = 0; p < length; p += 4) {
        SetRootToDrive(&g_instrument.root, drives[p]);
        if (OpenSetupFile(in))
            return true;
    }
    return false;
}

// The load of an instrument found on a drive, at start-up or on arrival.
static void LoadFoundInstrument(Stream *in)
{
    LoadDeviceData(in);
    g_loadedOnce = true;
    ShowPilotHeadingOfLanguageFile();
}

void DetectInstrument()
{
    FillFixedLists();
    Stream in;
    bool found = (g_ownDriveKnown && OpenSetupFile(&in)) || ScanDrives(&in);
    if (!found) {
        ShowMessageBox(g_shell.dialog, Text(TEXT_BOX_CHOOSE_FOLDER), Text(TEXT_BOX_NOT_FOUND), MB_ICONWARNING);
        return;
    }
    LoadFoundInstrument(&in);
}

static bool InstrumentLoaded()
{
    Stream in;
    if (!g_loadedOnce || !OpenSetupFile(&in))
        return false;
    CloseStream(&in);
    return true;
}

void LoadArrivedInstrument(uint32_t driveMask)
{
    if (InstrumentLoaded())
        return;
    DeviceRoot previous = g_instrument.root;
    for (int drive = 0; drive < 26; drive++) {
        if (!(driveMask & (1u << drive)))
            continue;
        SetRootToDrive(&g_instrument.root, (char)('A' + drive));
        Stream in;
        if (OpenSetupFile(&in)) {
            LoadFoundInstrument(&in);
            return;
        }
    }
    // No instrument among them: as if nothing had arrived.
    g_instrument.root = previous;
}

void ChooseSetupFile()
{
    char chosen[PATH_SIZE] = "";
    char filter[64];
    FileType type = {Text(TEXT_SETUP_FILE_TYPE), "setupdata.txt"};
    FormFileFilter(filter, sizeof filter, &type, 1);

    // The file name must be exactly the settings file's; the folder and the
    // file need not exist, so that any folder can be pointed at.
    OPENFILENAMEA dialog;
    SetUpFileDialog(&dialog, filter, chosen, sizeof chosen, Text(TEXT_SETUP_DIALOG_TITLE), "txt");
    if (!ShowOpenFileDialog(&dialog))
        return;

    // Taken after the dialog: an instrument may have arrived and been loaded
    // while it was open.
    DeviceRoot previous = g_instrument.root;
    Stream in;
    if (!SetRootFromSetupPath(&g_instrument.root, chosen) || !OpenStream(&in, chosen, "rt")) {
        g_instrument.root = previous;
        return;
    }
    LoadDeviceData(&in);
    g_loadedOnce = true;
}
