// The modal prompts: message boxes, the open and save dialogs and the
// folder browser. Every one the program shows goes through here, so that
// tests can link scripted answers in place of real prompts.
#ifndef TOLMARO_PROMPTS_H
#define TOLMARO_PROMPTS_H

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

int ShowMessageBox(HWND owner, const char *text, const char *caption, UINT type);
BOOL ShowOpenFileDialog(OPENFILENAMEA *dialog);
BOOL ShowSaveFileDialog(OPENFILENAMEA *dialog);

// Lets the user pick a file-system folder; on success writes its full path
// into path (MAX_PATH characters) and returns true.
bool BrowseForFolder(BROWSEINFOA *browse, char *path);

#endif
