// The walks over the instrument's folders, counting what really happened.
#include "flights/walks.h"

#include <string.h>
#include <windows.h>

#include "ui/status.h"
#include "flights/flightpaths.h"

// Each level keeps one listing and two paths, so memory grows with the depth
// of the tree alone. A copy never walks into its own target, and every entry
// that cannot be copied or removed is counted as a failure, not passed over.

WalkCounts g_walkCounts;

enum Listing {
    LISTING_OPEN,       // the first entry is at hand
    LISTING_EMPTY,      // the folder is there and lists nothing at all
    LISTING_MISSING,    // the folder is not there (or its drive is gone)
    LISTING_FAILED,     // the folder is there but cannot be listed
    LISTING_TOO_LONG,   // the listing pattern would pass 259 characters
};

static Listing StartListing(const char *folder, HANDLE *find, WIN32_FIND_DATAA *entry)
{
    char pattern[PATH_SIZE];
    if (!FormPath(pattern, folder, "", "*.*"))
        return LISTING_TOO_LONG;
    *find = FindFirstFileA(pattern, entry);
    if (*find != INVALID_HANDLE_VALUE)
        return LISTING_OPEN;
    // A drive root lists no "." and "..", so an empty one finds nothing.
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES)
        return LISTING_EMPTY;
    if (error == ERROR_PATH_NOT_FOUND)
        return LISTING_MISSING;
    return LISTING_FAILED;
}

// Closes a listing once FindNextFileA has said no; false when the listing
// broke off (the drive went away) rather than came to its end.
static bool EndListing(HANDLE find)
{
    bool finished = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(find);
    return finished;
}

static bool IsFolderEntry(const WIN32_FIND_DATAA &entry)
{
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Where a copy starts, a missing folder is no failure when the instrument
// need not have it (no "FLIGHTS" folder). Any other folder was met in its
// parent's listing: if it cannot be listed now, the instrument was unplugged
// or the folder taken away, and what it held is not copied.
static bool StartCopyListing(const char *folder, bool mayBeMissing, HANDLE *find, WIN32_FIND_DATAA *entry)
{
    Listing listing = StartListing(folder, find, entry);
    if (listing == LISTING_FAILED || listing == LISTING_TOO_LONG || (listing == LISTING_MISSING && !mayBeMissing))
        g_walkCounts.failureCount++;
    return listing == LISTING_OPEN;
}

// Ends a copy's listing; one that broke off left entries uncopied.
static void EndCopyListing(HANDLE find)
{
    if (!EndListing(find))
        g_walkCounts.failureCount++;
}

// A folder path ending in a backslash, without it (RemoveDirectoryA and
// CreateDirectoryA take the folder's own name).
static void FormFolderName(char *out, const char *folder)
{
    FormPath(out, folder, "", "");
    size_t length = strlen(out);
    if (length > 0 && out[length - 1] == '\\')
        out[length - 1] = '\0';
}

// Removes an empty folder (path ending in a backslash); true when it is gone.
static bool RemoveFolder(const char *folder)
{
    char path[PATH_SIZE];
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
    // A folder that cannot be looked into stays, whatever it holds. One
    // that has vanished needs no removing, and its parent waits for the
    // next run: nothing is counted for either.
    if (listing != LISTING_OPEN)
        return listing != LISTING_EMPTY;
    // Every entry is looked at: the sub-folders are handled whether they
    // are listed before or after a file.
    bool stays = false;
    do {
        const char *name = entry.cFileName;
        char child[PATH_SIZE];
        if (!IsFolderEntry(entry))
            stays = true;
        else if (IsSelfOrParent(name))
            continue;
        else if (BeginsWithPoint(name))
            stays = true;
        else if (!FormPath(child, folder, name, "\\")) {
            g_walkCounts.failureCount++;
            stays = true;
        } else if (RemoveEmptyFolders(child) || !RemoveFolder(child))
            stays = true;
    } while (FindNextFileA(find, &entry));
    // What a broken listing did not show may still be there.
    if (!EndListing(find))
        stays = true;
    return stays;
}

// The copy's buffer: large reads keep the calls per flight log few.
enum { COPY_BUFFER_SIZE = 256 * 1024 };
static char g_copyBuffer[COPY_BUFFER_SIZE];

// A file as its folder's listing shows it: all the copy needs of a source
// to know whether the target holds it already, without opening it.
struct ListedFile {
    uint64_t size;
    uint64_t written;      // time of last change, a FILETIME as stored
    DWORD attributes;
};

static uint64_t JoinHalves(DWORD high, DWORD low)
{
    return (uint64_t)high << 32 | low;
}

static ListedFile ListedFileOf(const WIN32_FIND_DATAA &entry)
{
    ListedFile file = {JoinHalves(entry.nFileSizeHigh, entry.nFileSizeLow),
                       JoinHalves(entry.ftLastWriteTime.dwHighDateTime, entry.ftLastWriteTime.dwLowDateTime),
                       entry.dwFileAttributes};
    return file;
}

// A target file that an earlier copy made: the copy gives it the source's
// time of last change, so the same size and time, compared exactly, mean
// the same file, and a repeat backup reads only what is new or changed.
static bool HoldsCopyOf(const WIN32_FILE_ATTRIBUTE_DATA &held, const ListedFile &file)
{
    return (held.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           JoinHalves(held.nFileSizeHigh, held.nFileSizeLow) == file.size &&
           JoinHalves(held.ftLastWriteTime.dwHighDateTime, held.ftLastWriteTime.dwLowDateTime) == file.written;
}

// Copies a file's bytes, attributes and time of last change, as CopyFileA
// does, but a copy that fails once the target is opened takes the target
// away again: a backup holds whole files or none. (Wine's CopyFileA takes a
// read error for the end of the file and reports success.) The attributes
// and the time come from the folder's listing: GetFileInformationByHandle
// would also ask for the volume's serial number, which Wine fetches from its
// mount manager in another process, a round trip that costs more than
// copying a small file. heldAttributes are those of the file the target
// already holds under that name, 0 for none.
static bool CopyWholeFile(const char *from, const char *to, const ListedFile &file, DWORD heldAttributes)
{
    HANDLE source = CreateFileA(from, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (source == INVALID_HANDLE_VALUE)
        return false;
    const DWORD carried = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                          FILE_ATTRIBUTE_ARCHIVE;
    // CreateFileA does not replace a read-only file, such as the copy of a
    // read-only source; the new copy then carries the source's attributes.
    if ((heldAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == FILE_ATTRIBUTE_READONLY) {
        DWORD rest = heldAttributes & carried & ~FILE_ATTRIBUTE_READONLY;
        SetFileAttributesA(to, rest ? rest : FILE_ATTRIBUTE_NORMAL);
    }
    DWORD attributes = file.attributes & carried;
    HANDLE target = CreateFileA(to, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                (attributes ? attributes : FILE_ATTRIBUTE_NORMAL) | FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (target == INVALID_HANDLE_VALUE) {
        CloseHandle(source);
        return false;
    }
    bool whole = true;
    for (;;) {
        DWORD got = 0;
        DWORD put = 0;
        if (!ReadFile(source, g_copyBuffer, COPY_BUFFER_SIZE, &got, NULL)) {
            whole = false;
            break;
        }
        g_walkCounts.bytesRead += got;
        if (got == 0)
            break;
        if (!WriteFile(target, g_copyBuffer, got, &put, NULL) || put != got) {
            whole = false;
            break;
        }
    }
    FILETIME written = {(DWORD)file.written, (DWORD)(file.written >> 32)};
    if (whole)
        whole = SetFileTime(target, NULL, NULL, &written) != 0;
    CloseHandle(source);
    // Closing writes out what the system still held back.
    if (!CloseHandle(target))
        whole = false;
    if (!whole) {
        if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            SetFileAttributesA(to, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(to);
    }
    return whole;
}

// Copies one file, replacing one of the same name in the target, unless
// the target holds it already.
static void CopyOneFile(const char *source, const char *target, const char *name, const ListedFile &file)
{
    char from[PATH_SIZE];
    char to[PATH_SIZE];
    if (!FormPath(from, source, name, "") || !FormPath(to, target, name, "")) {
        g_walkCounts.failureCount++;
        return;
    }
    ShowCopyProgress(from);
    // What the target's folder holds of the file, in one call that opens nothing.
    WIN32_FILE_ATTRIBUTE_DATA held;
    bool exists = GetFileAttributesExA(to, GetFileExInfoStandard, &held) != 0;
    if ((exists && HoldsCopyOf(held, file)) || CopyWholeFile(from, to, file, exists ? held.dwFileAttributes : 0))
        g_walkCounts.fileCount++;
    else
        g_walkCounts.failureCount++;
}

// One level of the walk over the flight logs; only the folder where the
// walk starts (FLIGHTS) may be missing.
static void VisitFlightLogsLevel(const char *source, const char *skip, bool atStart, FlightLogVisit visit,
                                 void *context)
{
    // The copy's target, inside the tree or the source folder, holds the
    // copies already: never walked.
    if (IsSameFolder(source, skip))
        return;
    HANDLE find;
    WIN32_FIND_DATAA entry;
    if (!StartCopyListing(source, atStart, &find, &entry))
        return;
    do {
        const char *name = entry.cFileName;
        char folder[PATH_SIZE];
        if (!IsFolderEntry(entry)) {
            if (IsFlightLogName(name)) {
                ListedFile file = ListedFileOf(entry);
                visit(source, name, (int64_t)file.size, file.written, file.attributes, context);
            }
        } else if (BeginsWithPoint(name))
            continue;
        else if (FormPath(folder, source, name, "\\"))
            VisitFlightLogsLevel(folder, skip, false, visit, context);
        else
            g_walkCounts.failureCount++;
    } while (FindNextFileA(find, &entry));
    EndCopyListing(find);
}

void VisitFlightLogs(const char *source, const char *skip, FlightLogVisit visit, void *context)
{
    VisitFlightLogsLevel(source, skip, true, visit, context);
}

static void CopyFlightLog(const char *folder, const char *name, int64_t size, uint64_t written, uint32_t attributes,
                          void *target)
{
    ListedFile file = {(uint64_t)size, written, attributes};
    CopyOneFile(folder, (const char *)target, name, file);
}

void CopyFlightLogs(const char *source, const char *target)
{
    VisitFlightLogs(source, target, CopyFlightLog, (void *)target);
}

// The target folder for a source folder: created, or already there as a
// folder. A file of that name is no folder to copy into.
static bool MakeTargetFolder(const char *folder)
{
    char path[PATH_SIZE];
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
    // The instrument's root, and every folder that a listing showed, must
    // be there.
    if (!StartCopyListing(source, false, &find, &entry))
        return;
    do {
        const char *name = entry.cFileName;
        char from[PATH_SIZE];
        char to[PATH_SIZE];
        if (!IsFolderEntry(entry))
            CopyOneFile(source, target, name, ListedFileOf(entry));
        else if (BeginsWithPoint(name))
            continue;
        else if (!FormPath(from, source, name, "\\") || !FormPath(to, target, name, "\\"))
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
    EndCopyListing(find);
}

void CopyTree(const char *source, const char *target)
{
    if (!IsSameFolder(source, target))
        CopyTreeLevel(source, target, target);
}
