// File helpers that the native tests and the Windows tests share.
#ifndef TOLMARO_TEST_FILES_H
#define TOLMARO_TEST_FILES_H

#include <string>

// The whole file's bytes; empty when it does not open.
std::string ReadFileBytes(const std::string &path);

#endif
