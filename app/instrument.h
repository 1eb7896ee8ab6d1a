// The instrument: one record of the loaded instrument, which the load fills
// and every operation reads; finding it at start-up, on arrival and by the
// choice of its settings file; and the program's texts in its language.
#ifndef TOLMARO_INSTRUMENT_H
#define TOLMARO_INSTRUMENT_H

#include <stdint.h>

#include "device/devpath.h"
#include "pilot/pilotfile.h"
#include "settings/language.h"
#include "settings/setupfile.h"

struct Instrument {
    DeviceRoot root;          // where its files are; the program's drive at start-up
    Settings settings;        // the defaults until a settings file is read
    Pilot pilot;
    LanguageTable language;   // its language file
};

extern Instrument g_instrument;

// Starts the root at the drive the program runs from (start-up).
void StartAtProgramDrive(const char *modulePath);

// Message 4000: fills the fixed choice lists, looks for the settings file on
// the program's own drive, then on every drive, and loads the first found.
void DetectInstrument();

// Command 3000: lets the user pick the settings file and loads it. A
// cancelled or refused choice leaves the loaded instrument as it was.
void ChooseSetupFile();

// A drive arrived (WM_DEVICECHANGE): while no instrument is loaded, the
// first of the drives in driveMask (bit 0 is A:) that holds the settings
// file is loaded as at start-up. Otherwise nothing changes.
void LoadArrivedInstrument(uint32_t driveMask);

// Reads the language file that the settings name and shows the settings
// pages and the program's own texts in the instrument's language.
void LoadLanguageOfInstrument();

// The program's own texts in the language of "Sprache": the title, the
// captions, the columns of the flight book and of the waypoints to import,
// the pilot page's heading (until the language file's takes its place) and
// the about document.
void ShowTextsInLanguage(int sprache);

#endif
