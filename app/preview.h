// The instrument preview of pages 0 and 1: the picture of the instrument
// with the credit line and, on page 1, the pilot and the glider on its display.
#ifndef TOLMARO_PREVIEW_H
#define TOLMARO_PREVIEW_H

#include <windows.h>

// WM_PAINT of the main dialog. Paints only on pages 0 and 1 and returns
// FALSE in every case, so that the dialog manager's own handling follows.
BOOL Paint();

#endif
