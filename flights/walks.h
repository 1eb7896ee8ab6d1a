// The walks over the instrument's folders: empty-folder removal, flight-log
// copy and full copy. The copies show each file on the Status line.
#ifndef TOLMARO_WALKS_H
#define TOLMARO_WALKS_H

#include <stdint.h>

struct WalkCounts {
    uint32_t fileCount;      // files copied
    uint32_t folderCount;    // folders present in the copy's target, or removed
    uint32_t failureCount;   // entries not copied, folders not removed
    uint64_t bytesRead;      // read from the copy's sources
};

// Program-wide; each operation starts them from zero.
extern WalkCounts g_walkCounts;

// Removes the folders below folder (a path ending in a backslash) that
// hold nothing but further such folders, and returns true when the folder
// itself must stay. Folders whose names begin with "." are left alone and
// keep their parent.
bool RemoveEmptyFolders(const char *folder);

// Called with the folder a flight log lies in (ending in a backslash), the
// log's name, and its size, time of last change (a FILETIME: 100 ns steps
// since 1601) and attributes (FILE_ATTRIBUTE_*) as the folder lists them.
typedef void (*FlightLogVisit)(const char *folder, const char *name, int64_t size, uint64_t written,
                               uint32_t attributes, void *context);

// Calls visit for every flight log below source (ending in a backslash),
// in listing order, never walking into the folder skip ("" for none). Folders
// whose names begin with "." are not entered; one that cannot be listed
// or whose path would pass 259 characters counts as a failure.
void VisitFlightLogs(const char *source, const char *skip, FlightLogVisit visit, void *context);

// The two copies leave alone a target file of the same size and time of
// last change as its source: an earlier copy made it, and it counts as
// copied. They replace any other file, a read-only one too.

// Copies every flight log found below source into target, all side by
// side, replacing files of the same names. Both paths end in a backslash.
void CopyFlightLogs(const char *source, const char *target);

// Copies everything below source into target, recreating the folders.
void CopyTree(const char *source, const char *target);

#endif
