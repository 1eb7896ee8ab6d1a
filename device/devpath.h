// The Device root: the one path buffer in which every file on the instrument
// is named, and the length of the instrument's root at its start.
#ifndef TOLMARO_DEVPATH_H
#define TOLMARO_DEVPATH_H

#include <stddef.h>
#include <stdint.h>

enum { DEVICE_PATH_SIZE = 260 };   // 259 characters and the terminator

struct DeviceRoot {
    char path[DEVICE_PATH_SIZE];   // the root, then the name formed last
    uint16_t rootLength;           // leading characters of path that are the root
};

extern DeviceRoot g_deviceRoot;

// The relative name of the settings file below an instrument's root.
extern const char kSetupFileName[];   // "SETUP\\setupdata.txt"

// Starts the root at the drive the program runs from. Returns false when the
// program's path begins with no drive letter (a network path, say): the root
// is then a placeholder drive and only the drive scan can find the instrument.
bool SetRootFromModulePath(const char *modulePath);

// Writes a relative name behind the root. Returns false, leaving the root
// alone in the buffer, when root and name do not fit in the buffer; callers
// treat that like a file that cannot be opened.
bool FormDevicePath(const char *relative);

// Makes a drive's root the Device root: "X:\\", root length 3 (the drive
// scans).
void SetRootToDrive(char letter);

// Takes a settings file path chosen by hand: the root is everything before a
// trailing "SETUP\\setupdata.txt" (exact letter case). Returns false when the
// path does not end that way; the Device root is then unchanged.
bool SetRootFromSetupPath(const char *chosenPath);

#endif
