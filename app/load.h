// The loaded instrument: one record that the load fills and every operation
// reads, and the load itself with the texts in the instrument's language.
#ifndef TOLMARO_LOAD_H
#define TOLMARO_LOAD_H

#include "device/devpath.h"
#include "pilot/pilotfile.h"
#include "settings/language.h"
#include "settings/setupfile.h"

struct Stream;

struct Instrument {
    DeviceRoot root;          // where its files are; the program's drive at start-up
    Settings settings;        // the defaults until a settings file is read
    Pilot pilot;
    LanguageTable language;   // its language file
};

extern Instrument g_instrument;

// The load sequence: reads and closes the open settings file, loads the
// language, fills the pages, reads the pilot file, resets the waypoint
// counts and reports the drive.
void LoadDeviceData(Stream *setupFile);

// Reads the language file that the settings name and shows the settings
// pages and the program's own texts in the instrument's language.
void LoadLanguageOfInstrument();

// The program's own texts in the language of "Sprache": the title, the
// captions, the flight book's columns, the pilot page's heading (until the
// language file's takes its place) and the about document.
void ShowTextsInLanguage(int sprache);

// The pilot page's heading from the instrument's language file, which from
// then on takes the place of the program's own.
void ShowPilotHeadingOfLanguageFile();

#endif
