// The walks over the instrument's folders, counting what really happened.
#include "flights/walks.h"

#include <string.h>
#include <windows.h>

#include "app/status.h"
#include "flights/flightpaths.h"

// Each level keeps one listing and two paths, so memory grows with the depth
// of the tree alone. A copy never walks into its own target, and every entry
// that cannot be copied or removed is counted as a failure, not passed over.

WalkCounts g_walkCounts;

enum Listing {
    LISTING_OPEN,       // the first entry is at hand
    LISTING_NONE,       // the folder is not there, or lists nothing at all
    LISTING_FAILED,     // the folder is there but cannot be listed
    LISTING_TOO_LONG,   // the listing pattern would pass 259 characters
};

static Listing StartListing(const char *folder, HANDLE *find, WIN32_FIND_DATAA *entry)
{
    char pattern[WALK_PATH_SIZE];
    if (!FormWalkPath(pattern, folder, "", "*.*"))
        return LISTING_TOO_LONG;
    *find = FindFirstFileA(pattern, entry);
    if (*find != INVALID_HANDLE_VALUE)
        return LISTING_OPEN;
    // A drive root lists no "." and "..", so an empty one finds nothing.
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES)
        return LISTING_NONE;
    return LISTING_FAILED;
}

static bool IsFolderEntry(const WIN32_FIND_DATAA &entry)
{
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A copy's source that cannot be listed is one failure; one that is not
// there (no "FLIGHTS" folder) is none.
static bool StartCopyListing(const char *folder, HANDLE *find, WIN32_FIND_DATAA *entry)
{
    Listing listing = StartListing(folder, find, entry);
    if (listing == LISTING_FAILED || listing == LISTING_TOO_LONG)
        g_walkCounts.failureCount++;
    return listing == LISTING_OPEN;
}

// A folder path ending in a backslash, without it (RemoveDirectoryA and
// CreateDirectoryA take the folder's own name).
static void FormFolderName(char *out, const char *folder)
{
    FormWalkPath(out, folder, "", "");
    size_t length = strlen(out);
    if (length > 0 && out[length - 1] == '\\')
        out[length - 1] = '\0';
}

// Removes an empty folder (path ending in a backslash); true when it is gone.
static bool RemoveFolder(const char *folder)
{
    char path[WALK_PATH_SIZE];
    FormFolderName(path, folder);
    if (!RemoveDirectoryA(path)) {
        g_walkCounts.failureCount++;
        return false;
    }
    g_walkCounts.folderCount++;
    return true;
}

bool RemoveEmptyFolders(const char *folder)
{
    HANDLE find;
    WIN32_FIND_DATAA entry;
    Listing listing = StartListing(folder, &find, &entry);
    if (listing == LISTING_TOO_LONG)
        g_walkCounts.failureCount++;
    // A folder that cannot be looked into stays, whatever it holds.
    if (listing != LISTING_OPEN)
        return listing != LISTING_NONE;
    // Every entry is looked at: the sub-folders are handled whether they
    // are listed before or after a file.
    bool stays = false;
    do {
        const char *name = entry.cFileName;
        char child[WALK_PATH_SIZE];
        if (!IsFolderEntry(entry))
            stays = true;
        else if (IsSelfOrParent(name))
            continue;
        else if (BeginsWithPoint(name))
            stays = true;
        else if (!FormWalkPath(child, folder, name, "\\")) {
            g_walkCounts.failureCount++;
            stays = true;
        } else if (RemoveEmptyFolders(child) || !RemoveFolder(child))
            stays = true;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return stays;
}

// Copies one file, replacing one of the same name in the target.
static void CopyOneFile(const char *source, const char *target, const char *name)
{
    char from[WALK_PATH_SIZE];
    char to[WALK_PATH_SIZE];
    if (!FormWalkPath(from, source, name, "") || !FormWalkPath(to, target, name, "")) {
        g_walkCounts.failureCount++;
        return;
    }
    ShowCopyProgress(from);
    if (CopyFileA(from, to, FALSE))
        g_walkCounts.fileCount++;
    else
        g_walkCounts.failureCount++;
}

void VisitFlightLogs(const char *source, const char *skip, FlightLogVisit visit, void *context)
{
    // The copy's target, inside the tree or the source folder, holds the
    // copies already: never walked.
    if (IsSameFolder(source, skip))
        return;
    HANDLE find;
    WIN32_FIND_DATAA entry;
    if (!StartCopyListing(source, &find, &entry))
        return;
    do {
        const char *name = entry.cFileName;
        char folder[WALK_PATH_SIZE];
        if (!IsFolderEntry(entry)) {
            if (IsFlightLogName(name))
                visit(source, name, (int64_t)entry.nFileSizeHigh << 32 | entry.nFileSizeLow, context);
        } else if (BeginsWithPoint(name))
            continue;
        else if (FormWalkPath(folder, source, name, "\\"))
            VisitFlightLogs(folder, skip, visit, context);
        else
            g_walkCounts.failureCount++;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

static void CopyFlightLog(const char *folder, const char *name, int64_t, void *target)
{
    CopyOneFile(folder, (const char *)target, name);
}

void CopyFlightLogs(const char *source, const char *target)
{
    VisitFlightLogs(source, target, CopyFlightLog, (void *)target);
}

// The target folder for a source folder: created, or already there as a
// folder. A file of that name is no folder to copy into.
static bool MakeTargetFolder(const char *folder)
{
    char path[WALK_PATH_SIZE];
    FormFolderName(path, folder);
    if (CreateDirectoryA(path, NULL))
        return true;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// One level of the full copy; chosen is the target the user picked, which
// the walk skips when it lies inside the tree.
static void CopyTreeLevel(const char *source, const char *target, const char *chosen)
{
    HANDLE find;
    WIN32_FIND_DATAA entry;
    if (!StartCopyListing(source, &find, &entry))
        return;
    do {
        const char *name = entry.cFileName;
        char from[WALK_PATH_SIZE];
        char to[WALK_PATH_SIZE];
        if (!IsFolderEntry(entry))
            CopyOneFile(source, target, name);
        else if (BeginsWithPoint(name))
            continue;
        else if (!FormWalkPath(from, source, name, "\\") || !FormWalkPath(to, target, name, "\\"))
            g_walkCounts.failureCount++;
        else if (IsSameFolder(from, chosen))
            continue;
        else if (!MakeTargetFolder(to))
            g_walkCounts.failureCount++;
        else {
            g_walkCounts.folderCount++;
            CopyTreeLevel(from, to, chosen);
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

void CopyTree(const char *source, const char *target)
{
    if (!IsSameFolder(source, target))
        CopyTreeLevel(source, target, target);
}
