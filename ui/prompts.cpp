// The modal prompts, shown by the system.
#include "ui/prompts.h"

int ShowMessageBox(HWND owner, const char *text, const char *caption, UINT type)
{
    return MessageBoxA(owner, text, caption, type);
}

BOOL ShowOpenFileDialog(OPENFILENAMEA *dialog)
{
    return GetOpenFileNameA(dialog);
}

BOOL ShowSaveFileDialog(OPENFILENAMEA *dialog)
{
    return GetSaveFileNameA(dialog);
}

bool BrowseForFolder(BROWSEINFOA *browse, char *path)
{
    PIDLIST_ABSOLUTE list = SHBrowseForFolderA(browse);
    if (!list)
        return false;
    BOOL found = SHGetPathFromIDListA(list, path);
    CoTaskMemFree(list);
    return found != FALSE;
}
