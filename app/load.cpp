// The load of an instrument into its record, and the program's texts in the
// instrument's language.
#include "app/load.h"

#include <windows.h>

#include "app/about.h"
#include "device/stream.h"
#include "flights/flightbook.h"
#include "pilot/pilotpage.h"
#include "settings/settingspages.h"
#include "ui/captions.h"
#include "ui/pages.h"
#include "ui/resource.h"
#include "ui/shell.h"
#include "ui/status.h"
#include "ui/texts.h"
#include "waypoints/waypointpage.h"

Instrument g_instrument = {{"", 3}, {}, {}, {}};

// Once a detection has shown the language file's heading, the program's
// own heading is not shown again.
static bool g_pilotHeadingOfLanguageFile;

void ShowTextsInLanguage(int sprache)
{
    ShowProgramTexts(sprache);
    LabelFlightBookColumns();
    if (!g_pilotHeadingOfLanguageFile)
        SetDlgItemTextA(g_shell.dialog, IDC_PILOT_HEADING, Text(TEXT_PILOT_HEADING));
    ShowAboutDocumentIn(CurrentTextLanguage());
}

void ShowPilotHeadingOfLanguageFile()
{
    g_pilotHeadingOfLanguageFile = true;
    SetDlgItemTextA(g_shell.dialog, IDC_PILOT_HEADING, LanguageSlot(&g_instrument.language, SLOT_PILOT_HEADING));
}

void LoadLanguageOfInstrument()
{
    LoadLanguage(&g_instrument.root, &g_instrument.settings, &g_instrument.language);
    ShowTextsInLanguage(g_instrument.settings.Sprache);
}

void LoadDeviceData(Stream *setupFile)
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
