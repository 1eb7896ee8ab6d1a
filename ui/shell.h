// The main dialog's frame: handles that live for the whole run, and start-up.
#ifndef TOLMARO_SHELL_H
#define TOLMARO_SHELL_H

#include <windows.h>

struct Shell {
    HINSTANCE instance;
    HWND dialog;
    HWND toolbar;        // NULL when it could not be created
    HFONT creditFont;
    HFONT pilotFont;
    RECT pageArea;       // redrawn on every page switch
};

extern Shell g_shell;

// Start-up: registers the window class, sets the Device root to the
// program's own drive and runs the main dialog. Returns the exit code.
int RunTolmaro(HINSTANCE instance);

#endif
