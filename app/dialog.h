// Start-up and the main dialog.
#ifndef TOLMARO_DIALOG_H
#define TOLMARO_DIALOG_H

#include <windows.h>

// Start-up: registers the window class, starts the instrument's root at the
// program's own drive and runs the main dialog. Returns the exit code.
int RunTolmaro(HINSTANCE instance);

#endif
