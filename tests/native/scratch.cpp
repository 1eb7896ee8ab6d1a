// Scratch files for the native tests.
#include "tests/native/scratch.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

std::string ScratchPath(const std::string &name)
{
    static char folder[] = "/tmp/tolmaro-test-XXXXXX";
    static const char *made = mkdtemp(folder);
    if (!made)
        abort();
    std::string path = std::string(made) + "/" + name;
    // Make the folders of a relative name such as "SETUP/x.txt".
    for (size_t at = strlen(made) + 1; (at = path.find('/', at)) != std::string::npos; at++)
        mkdir(path.substr(0, at).c_str(), 0755);
    return path;
}

std::string ScratchFile(const std::string &name, const std::string &bytes)
{
    std::string path = ScratchPath(name);
    FILE *f = fopen(path.c_str(), "wb");
    if (!f)
        abort();
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    return path;
}
