// Fuzzes the walks' path forming: random names, descended into level after
// level as a walk does, must never give a path above 259 characters.
//
// A path must be refused exactly when the whole would be longer, and every
// formed folder must stay the same folder with its separators doubled or
// its letters in the other case.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "flights/flightpaths.h"

static void CheckFormed(const char *folder, const std::string &name, const char *ending)
{
    char out[WALK_PATH_SIZE];
    std::string whole = std::string(folder) + name + ending;
    bool formed = FormWalkPath(out, folder, name.c_str(), ending);
    if (formed != (whole.size() <= WALK_PATH_SIZE - 1))
        abort();
    if (strlen(out) > WALK_PATH_SIZE - 1 || (formed ? whole != out : out[0] != '\0'))
        abort();
}

static std::string Doubled(const char *path)
{
    std::string doubled;
    for (const char *p = path; *p; p++) {
        doubled += *p;
        if (*p == '\\')
            doubled += '\\';
    }
    return doubled;
}

static std::string Swapped(const char *path)
{
    std::string swapped(path);
    for (char &c : swapped)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
            c ^= 0x20;
    return swapped;
}

// The input is a list of names separated by NUL bytes; each name is a folder
// one level further down, and also tried as a file and a listing.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    char folder[WALK_PATH_SIZE] = "E:\\";
    size_t start = 0;
    while (start <= size) {
        const uint8_t *end = (const uint8_t *)memchr(data + start, 0, size - start);
        size_t length = end ? (size_t)(end - data) - start : size - start;
        std::string name((const char *)data + start, length);
        start += length + 1;

        CheckFormed(folder, name, "");
        CheckFormed(folder, "", "*.*");
        CheckFormed(folder, name, "\\");
        if (!IsSameFolder(folder, Doubled(folder).c_str()) || !IsSameFolder(Swapped(folder).c_str(), folder))
            abort();
        char child[WALK_PATH_SIZE];
        if (!FormWalkPath(child, folder, name.c_str(), "\\"))
            break;
        // A folder is never the same as one of its own sub-folders.
        if (!name.empty() && name.find_first_not_of('\\') != std::string::npos && IsSameFolder(folder, child))
            abort();
        memcpy(folder, child, sizeof folder);
    }
    return 0;
}
