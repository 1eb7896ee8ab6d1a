// Runs the real main dialog on a thread of its own and drives it from the
// test: commands and messages are sent as the system would send them.
// Drives D: to G: are empty folders of the test run's Wine prefix; H:\inst is
// an instrument with a flight log that cannot be read (tools/wine/wine_env.sh).
#ifndef TOLMARO_HARNESS_H
#define TOLMARO_HARNESS_H

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/common/files.h"

// Empties drives D: to G:.
void ClearTestDrives();

// Copies the sample instrument into a folder ("E:\\" or "E:\\backup\\").
void CopySampleInstrument(const std::string &folder);

// The entries of a folder (ending in a backslash), "." and ".." left out.
std::vector<WIN32_FIND_DATAA> ListFolder(const std::string &folder);
bool IsFolder(const WIN32_FIND_DATAA &entry);

void WriteFileBytes(const std::string &path, const std::string &bytes);
bool FileExists(const std::string &path);
void MakeFolder(const std::string &path);

// Starts the program in this process and waits until its dialog has ended
// its initialisation (the instrument detection included). Each test runs in
// a process of its own, which ends the program after the test.
void StartProgram();

// Ends the program with a message and returns its exit code.
int CloseProgram(UINT message, WPARAM wParam = 0);

HWND Dialog();
HWND Control(int id);
LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
LRESULT Command(int id);

std::string ControlText(int id);
std::string StatusText();
bool IsShown(int id);

// A report list view's rows, a line each, its six columns separated by "|".
std::string ListRows(int list);

// Selects and focuses a row of a list view.
void SelectRow(int list, int row);

// The items of a combo box ("" past the last).
std::string ComboItem(int id, int index);
int ComboSelection(int id);

// Exactly one message box so far: a warning owned by the main dialog, with
// this text and caption.
::testing::AssertionResult ShownOneWarning(const std::string &text, const std::string &caption);

// Toolbar button states, by index.
bool ToolbarButtonEnabled(int index);

// Sets one value in the settings file on E: ("Sprache", "1").
void SetSetupValue(const char *key, const std::string &value);

// Loads the instrument on E: again, as a choice of its settings file does.
void ReloadInstrument();

// Drives D: to G: emptied and the sample instrument copied to E:.
class SampleInstrumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearTestDrives();
        CopySampleInstrument("E:\\");
    }
};

#endif
