// Finding the instrument: the drive scan at start-up and the manual choice
// of its settings file.
#ifndef TOLMARO_LOCATE_H
#define TOLMARO_LOCATE_H

#include <stdint.h>

// Starts the Device root at the drive the program runs from (start-up).
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

#endif
