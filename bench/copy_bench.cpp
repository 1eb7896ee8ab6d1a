// Times the full copy (command 5403) in the real dialog, its prompts
// scripted, and prints the time, Status line, boxes, bytes read and peak
// working set.
//
// Loads the instrument from the settings file given and copies it into the
// folder given, then again into the same folder (the repeat backup, which
// finds every file there already); or builds the flight book (command 3007)
// of the instrument; or times a double-click on the flight book's first row
// until page 10 is drawn.
//
//   copy_bench SETTINGS-FILE TARGET-FOLDER
//   copy_bench --walk SOURCE\ TARGET\    the walk alone, without the dialog
//   copy_bench --book SETTINGS-FILE      the flight book instead of the copy
//   copy_bench --flight SETTINGS-FILE    the flight view of the first row
#include <windows.h>
#include <commctrl.h>
#include <process.h>
#include <psapi.h>
#include <stdio.h>
#include <string.h>

#include "ui/pages.h"
#include "ui/resource.h"
#include "app/dialog.h"
#include "ui/shell.h"
#include "flights/walks.h"
#include "tests/win/scripted_prompts.h"

static unsigned __stdcall ProgramThread(void *)
{
    return (unsigned)RunTolmaro(GetModuleHandleA(NULL));
}

static HWND WaitForDialog(HANDLE thread)
{
    for (int i = 0; i < 1000; i++) {
        HWND dialog = FindWindowA("Tolmaro", NULL);
        if (dialog) {
            // Answered once the dialog runs its message loop.
            SendMessageA(dialog, WM_NULL, 0, 0);
            return dialog;
        }
        if (WaitForSingleObject(thread, 10) == WAIT_OBJECT_0)
            break;
    }
    return NULL;
}

static double Milliseconds(const LARGE_INTEGER &start, const LARGE_INTEGER &end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (double)(end.QuadPart - start.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

static int TimeWalkAlone(const char *source, const char *target)
{
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    CopyTree(source, target);
    QueryPerformanceCounter(&end);
    printf("walk ms: %.1f\n", Milliseconds(start, end));
    printf("files: %u\n", (unsigned)g_walkCounts.fileCount);
    return 0;
}

// Prints the Status line and the boxes shown since promptsBefore, each key
// after prefix.
static void PrintOutcome(HWND dialog, const char *prefix, size_t promptsBefore)
{
    char status[512] = "";
    if (LOWORD(SendDlgItemMessageA(dialog, IDC_STATUS, SB_GETTEXTLENGTHA, 0, 0)) < sizeof status)
        SendDlgItemMessageA(dialog, IDC_STATUS, SB_GETTEXTA, 0, (LPARAM)status);
    printf("%sstatus: %s\n", prefix, status);
    printf("%sboxes: %u\n", prefix, (unsigned)(PromptsOfKind("message").size() - promptsBefore));
}

// Sends one command and prints its time, the Status line after it, the
// boxes it showed and the bytes a copy read, each key after prefix.
static void TimeCommand(HWND dialog, int command, const char *prefix)
{
    size_t promptsBefore = PromptsOfKind("message").size();
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    SendMessageA(dialog, WM_COMMAND, command, 0);
    QueryPerformanceCounter(&end);
    printf("%s%s ms: %.1f\n", prefix, command == IDC_COPY_ALL ? "copy" : "book", Milliseconds(start, end));
    PrintOutcome(dialog, prefix, promptsBefore);
    if (command == IDC_COPY_ALL)
        printf("%sbytes read: %llu\n", prefix, (unsigned long long)g_walkCounts.bytesRead);
}

// A double-click on the flight book's first row, as the mouse gives it,
// until the flight view has been painted.
static void DoubleClickFirstRow(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_BOOK_LIST);
    RECT row = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, 0, (LPARAM)&row);
    LPARAM at = MAKELPARAM(row.left + 20, (row.top + row.bottom) / 2);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        PostMessageA(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    for (DWORD begin = GetTickCount(); g_page != PAGE_FLIGHT && GetTickCount() - begin < 10000;)
        Sleep(0);
    RedrawWindow(dialog, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Shows the flight book, then prints the time of a double-click on its
// first row until page 10 is drawn, the page then shown and its Status line.
static void TimeFlightView(HWND dialog)
{
    SendMessageA(dialog, WM_COMMAND, IDM_FLIGHTBOOK_PAGE, 0);
    // Away from the screen's pointer, which would point at a moment.
    SetWindowPos(dialog, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    size_t promptsBefore = PromptsOfKind("message").size();
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    DoubleClickFirstRow(dialog);
    QueryPerformanceCounter(&end);
    printf("flight ms: %.1f\npage: %u\n", Milliseconds(start, end), (unsigned)g_page);
    PrintOutcome(dialog, "", promptsBefore);
}

int main(int argc, char **argv)
{
    if (argc == 4 && strcmp(argv[1], "--walk") == 0)
        return TimeWalkAlone(argv[2], argv[3]);
    bool book = argc == 3 && strcmp(argv[1], "--book") == 0;
    bool flight = argc == 3 && strcmp(argv[1], "--flight") == 0;
    if (argc != 3) {
        fprintf(stderr, "usage: copy_bench SETTINGS-FILE TARGET-FOLDER | --walk SOURCE TARGET | --book SETTINGS-FILE"
                        " | --flight SETTINGS-FILE\n");
        return 2;
    }
    HANDLE thread = (HANDLE)_beginthreadex(NULL, 0, ProgramThread, NULL, 0, NULL);
    HWND dialog = WaitForDialog(thread);
    if (!dialog) {
        fprintf(stderr, "the main dialog did not appear\n");
        return 1;
    }
    ScriptChoice(argv[book || flight ? 2 : 1]);
    SendMessageA(dialog, WM_COMMAND, IDM_CHOOSE_SETUP, 0);
    if (flight) {
        TimeFlightView(dialog);
    } else if (book) {
        TimeCommand(dialog, IDM_FLIGHTBOOK_PAGE, "");
    } else {
        ScriptChoice(argv[2]);
        TimeCommand(dialog, IDC_COPY_ALL, "");
        ScriptChoice(argv[2]);
        TimeCommand(dialog, IDC_COPY_ALL, "repeat ");
    }
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    WaitForSingleObject(thread, 10000);

    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    printf("peak KiB: %lu\n", (unsigned long)(memory.PeakWorkingSetSize / 1024));
    return 0;
}
