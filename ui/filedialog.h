// The open and save dialogs that the pages show, owned by the main dialog.
#ifndef TOLMARO_FILEDIALOG_H
#define TOLMARO_FILEDIALOG_H

#include <windows.h>
#include <commdlg.h>

// Fills dialog for a file name into path (size bytes; what path holds is the
// name offered), offering the types of filter (as FormFileFilter forms it)
// under title; extension is added to a name typed without one. Flags are
// OFN_EXPLORER; a save dialog adds OFN_OVERWRITEPROMPT.
void SetUpFileDialog(OPENFILENAMEA *dialog, const char *filter, char *path, DWORD size, const char *title,
                     const char *extension);

#endif
