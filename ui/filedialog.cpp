// The open and save dialogs that the pages show, owned by the main dialog.
#include "ui/filedialog.h"

#include "ui/shell.h"

void SetUpFileDialog(OPENFILENAMEA *dialog, const char *filter, char *path, DWORD size, const char *title,
                     const char *extension)
{
    *dialog = OPENFILENAMEA();
    dialog->lStructSize = sizeof *dialog;
    dialog->hwndOwner = g_shell.dialog;
    dialog->hInstance = g_shell.instance;
    dialog->lpstrFilter = filter;
    dialog->lpstrFile = path;
    dialog->nMaxFile = size;
    dialog->lpstrTitle = title;
    dialog->lpstrDefExt = extension;
    dialog->Flags = OFN_EXPLORER;
}
