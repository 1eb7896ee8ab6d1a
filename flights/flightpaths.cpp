// Paths and names of the flight-folder walks, without the file system.
#include "flights/flightpaths.h"

#include <string.h>

bool IsFlightLogName(const char *name)
{
    size_t length = strlen(name);
    if (length < 4)
        return false;
    return CompareAsciiNoCase(name + length - 4, ".igc") == 0;
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
        if (FoldAscii(*first) != FoldAscii(*second))
            return false;
        first = NextCharacter(first);
        second = NextCharacter(second);
    }
    return *first == *second;
}
