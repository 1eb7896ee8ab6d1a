// The file page's operations: removing empty flight folders (command 5401),
// copying the flight logs (5402) and copying the whole instrument (5403).
#ifndef TOLMARO_FILEPAGE_H
#define TOLMARO_FILEPAGE_H

struct DeviceRoot;

// Removes the empty folders below the instrument's "FLIGHTS" folder.
void RemoveEmptyFlightFolders(const DeviceRoot *root);

// Asks for a target folder and copies the flight logs into it, side by
// side, or the whole instrument with its folders.
void CopyFromInstrument(const DeviceRoot *root, bool wholeInstrument);

#endif
