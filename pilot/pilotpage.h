// The pilot page (page 2): the Pilot record shown in its four controls, read
// from the instrument at every load and written back on "Speichern".
#ifndef TOLMARO_PILOTPAGE_H
#define TOLMARO_PILOTPAGE_H

#include "pilot/pilotfile.h"

struct DeviceRoot;

// Reads "SETUP\igcheader.txt" of the instrument into the record and, when
// all four fields were found, fills the page and returns true. A file that
// cannot be opened or is incomplete gives false and leaves the page alone.
bool ReadPilotFile(const DeviceRoot *root, Pilot *pilot);

// Command 5110: checks the page's values, stores them in the record and
// writes the file.
void SavePilotData(const DeviceRoot *root, Pilot *pilot);

// Command 5109: shows the record again and returns to the preview.
void CancelPilotEdits(const Pilot *pilot);

#endif
