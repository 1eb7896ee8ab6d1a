// The load of an instrument's data and the save of its settings file.
#ifndef TOLMARO_DEVICEDATA_H
#define TOLMARO_DEVICEDATA_H

#include "settings/setupfile.h"

struct Stream;

extern Settings g_settings;
extern WorkingValues g_working;

// The load sequence: reads and closes the open settings file, then loads
// the language, fills the pages, reads the pilot file and reports the drive.
void LoadDeviceData(Stream *setupFile);

// Writes the Settings record to the instrument's settings file. A failure
// is reported with a warning box and the old file stays intact; returns
// whether the file was saved.
bool WriteSetupFile();

#endif
