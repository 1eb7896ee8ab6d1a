// Paths and names of the flight-folder walks, without the file system.
#include "flights/flightpaths.h"

#include <string.h>

bool FormWalkPath(char *out, const char *folder, const char *name, const char *ending)
{
    size_t folderLength = strlen(folder);
    size_t nameLength = strlen(name);
    size_t endingLength = strlen(ending);
    // Added one at a time, so that no sum can wrap around.
    if (folderLength >= WALK_PATH_SIZE || nameLength >= WALK_PATH_SIZE - folderLength ||
        endingLength >= WALK_PATH_SIZE - folderLength - nameLength) {
        out[0] = '\0';
        return false;
    }
    memcpy(out, folder, folderLength);
    memcpy(out + folderLength, name, nameLength);
    memcpy(out + folderLength + nameLength, ending, endingLength + 1);
    return true;
}

static char LowerAToZ(char c)
{
    return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
}

bool IsFlightLogName(const char *name)
{
    size_t length = strlen(name);
    if (length < 4)
        return false;
    const char *ending = name + length - 4;
    return ending[0] == '.' && LowerAToZ(ending[1]) == 'i' && LowerAToZ(ending[2]) == 'g' &&
           LowerAToZ(ending[3]) == 'c';
}

bool BeginsWithPoint(const char *name)
{
    return name[0] == '.';
}

bool IsSelfOrParent(const char *name)
{
    return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

// Steps past a character; a backslash takes the whole run of backslashes.
static const char *NextCharacter(const char *p)
{
    if (*p != '\\')
        return p + 1;
    while (*p == '\\')
        p++;
    return p;
}

bool IsSameFolder(const char *first, const char *second)
{
    while (*first && *second) {
        if (LowerAToZ(*first) != LowerAToZ(*second))
            return false;
        first = NextCharacter(first);
        second = NextCharacter(second);
    }
    return *first == *second;
}
