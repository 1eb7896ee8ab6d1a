// The main dialog's frame: handles that live for the whole run.
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

#endif
