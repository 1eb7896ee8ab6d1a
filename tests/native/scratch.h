// Scratch files for the native tests: one fresh folder per test program run.
#ifndef TOLMARO_TEST_SCRATCH_H
#define TOLMARO_TEST_SCRATCH_H

#include <string>

#include "tests/common/files.h"

std::string ScratchPath(const std::string &name);
std::string ScratchFile(const std::string &name, const std::string &bytes);

#endif
