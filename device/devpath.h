// The instrument's root, and the full paths of the files on the instrument
// built behind it.
#ifndef TOLMARO_DEVPATH_H
#define TOLMARO_DEVPATH_H

#include <stddef.h>
#include <stdint.h>

#include "base/text.h"

// The folder that holds the instrument's SETUP, FLIGHTS and WAYPOINTS
// folders, normally a drive root ("E:\\").
struct DeviceRoot {
    char path[PATH_SIZE];   // the root, ending in NUL at rootLength
    uint16_t rootLength;
};

// The relative name of the settings file below an instrument's root.
extern const char kSetupFileName[];   // "SETUP\\setupdata.txt"

// Writes the full path of an instrument file (a name relative to the root)
// into out (PATH_SIZE bytes). Returns false, with out "", when root and name
// do not fit; callers treat that like a file that cannot be opened.
bool FormDevicePath(char *out, const DeviceRoot *root, const char *relative);

// Starts the root at the drive the program runs from. Returns false when the
// program's path begins with no drive letter (a network path, say): the root
// is then a placeholder drive and only the drive scan can find the instrument.
bool SetRootFromModulePath(DeviceRoot *root, const char *modulePath);

// Makes a drive's root the instrument's root: "X:\\", root length 3.
void SetRootToDrive(DeviceRoot *root, char letter);

// Takes a settings file path chosen by hand: the root is everything before a
// trailing "SETUP\\setupdata.txt" (exact letter case). Returns false when the
// path does not end that way; the root is then unchanged.
bool SetRootFromSetupPath(DeviceRoot *root, const char *chosenPath);

#endif
