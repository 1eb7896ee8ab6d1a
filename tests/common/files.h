// File helpers that the native tests and the Windows tests share.
#ifndef TOLMARO_TEST_FILES_H
#define TOLMARO_TEST_FILES_H

#include <string>

// The whole file's bytes; empty when it does not open.
std::string ReadFileBytes(const std::string &path);

// An IGC fix at a time of day ("hhmmss"), with its 35 characters of fixed fields.
inline std::string IgcFix(const char *time, const char *end = "\r\n")
{
    return std::string("B") + time + "4739822N01131662EA0153001562" + end;
}

#endif
