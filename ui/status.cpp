// The Status line and the Activity animations.
#include "ui/status.h"

#include <stdarg.h>
#include <stdio.h>
#include <windows.h>
#include <commctrl.h>

#include "ui/resource.h"
#include "ui/shell.h"
#include "ui/texts.h"

enum { STATUS_TEXT_SIZE = 512 };

// The copy's progress is shown at most this often. Every new text repaints
// the Status line, which costs milliseconds under Wine: more than copying a
// small file, and faster than anyone reads.
enum { COPY_PROGRESS_INTERVAL_MS = 100 };

static bool g_progressShown;
static DWORD g_progressShownAt;

void CreateStatusLine()
{
    HWND status = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | WS_BORDER,
                                      Text(TEXT_STATUS_SEARCHING), g_shell.dialog, IDC_STATUS);
    if (!status)
        return;
    // One part over the whole width of the dialog.
    int right = g_shell.pageArea.right;
    SendMessageA(status, SB_SETPARTS, 1, (LPARAM)&right);
}

void SetStatusText(const char *text)
{
    SendDlgItemMessageA(g_shell.dialog, IDC_STATUS, SB_SETTEXTA, 0, (LPARAM)text);
}

void SetStatusTextF(const char *format, ...)
{
    char text[STATUS_TEXT_SIZE];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    SetStatusText(text);
}

void ShowCopyProgress(const char *path)
{
    DWORD now = GetTickCount();
    if (g_progressShown && now - g_progressShownAt < COPY_PROGRESS_INTERVAL_MS)
        return;
    g_progressShown = true;
    g_progressShownAt = now;
    SetStatusTextF(Text(TEXT_STATUS_COPYING), path);
    // A copy keeps the dialog's thread busy: paint the text now, not after
    // the copy has ended.
    UpdateWindow(GetDlgItem(g_shell.dialog, IDC_STATUS));
}

void StartActivityAnimation(int control, int clip)
{
    SendDlgItemMessageA(g_shell.dialog, control, ACM_OPENA, 0, (LPARAM)MAKEINTRESOURCEA(clip));
    ShowWindow(GetDlgItem(g_shell.dialog, control), SW_SHOWNORMAL);
    SendDlgItemMessageA(g_shell.dialog, control, ACM_PLAY, (WPARAM)-1, MAKELONG(0, -1));
}

void FinishActivityAnimation(int control)
{
    SendDlgItemMessageA(g_shell.dialog, control, ACM_STOP, 0, 0);
    SendDlgItemMessageA(g_shell.dialog, control, ACM_OPENA, 0, (LPARAM)MAKEINTRESOURCEA(IDR_CLIP_DONE));
    // The closing clip is smaller than the loop it replaces: clear what the
    // loop's last frame left beside it.
    InvalidateRect(GetDlgItem(g_shell.dialog, control), NULL, TRUE);
    SendDlgItemMessageA(g_shell.dialog, control, ACM_PLAY, 1, MAKELONG(0, -1));
}
