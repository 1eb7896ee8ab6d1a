// Fuzzes the walks' path forming: random names, descended into level after
// level as a walk does, must never give a path above 259 characters.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "flights/flightpaths.h"

// Formed exactly when the whole fits, and then the whole.
static void CheckFormed(const char *folder, const std::string &name, const char *ending)
{
    char out[PATH_SIZE];
    std::string whole = std::string(folder) + name + ending;
    bool formed = FormPath(out, folder, name.c_str(), ending);
    if (formed != (whole.size() < PATH_SIZE) || strlen(out) >= PATH_SIZE ||
        (formed ? whole != out : out[0] != '\0'))
        abort();
}

// The input is names separated by NUL bytes, each a folder one level
// further down, and tried as a file and a listing there too.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    char folder[PATH_SIZE] = "E:\\";
    for (size_t start = 0; start <= size;) {
        const uint8_t *end = (const uint8_t *)memchr(data + start, 0, size - start);
        size_t length = end ? (size_t)(end - data) - start : size - start;
        std::string name((const char *)data + start, length);
        start += length + 1;
        CheckFormed(folder, name, "");
        CheckFormed(folder, "", "*.*");
        CheckFormed(folder, name, "\\");
        char child[PATH_SIZE];
        if (!FormPath(child, folder, name.c_str(), "\\"))
            break;
        // Every folder is itself with its separators doubled, and never one
        // of its own sub-folders.
        std::string doubled;
        for (const char *c = child; *c; c++)
            doubled.append(*c == '\\' ? 2 : 1, *c);
        bool real = name.find_first_not_of('\\') != std::string::npos;
        if (!IsSameFolder(child, doubled.c_str()) || (real && IsSameFolder(folder, child)))
            abort();
        memcpy(folder, child, sizeof folder);
    }
    return 0;
}
