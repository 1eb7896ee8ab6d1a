// The flight view (page 10): one flight log of the flight book drawn as a
// barogram, its climb and its track, with its numbers; pointing at a moment
// shows it on the three pictures and on the Status line.
#ifndef TOLMARO_FLIGHTVIEW_H
#define TOLMARO_FLIGHTVIEW_H

#include <windows.h>

#include "flights/flightlog.h"

// The colours of the pictures.
enum : COLORREF {
    FLIGHT_BACKGROUND = RGB(255, 255, 255),
    FLIGHT_GPS_LINE = RGB(0, 90, 200),
    FLIGHT_PRESSURE_LINE = RGB(230, 120, 0),
    FLIGHT_CLIMB = RGB(0, 150, 60),
    FLIGHT_SINK = RGB(210, 30, 30),
    FLIGHT_TRACK_LINE = RGB(70, 70, 110),
    FLIGHT_TAKE_OFF = RGB(0, 200, 0),
    FLIGHT_LANDING = RGB(230, 0, 0),
    FLIGHT_POINTER = RGB(200, 0, 200),
};

// Where the pictures lie in the drawing area, in its pixels: the plot
// areas of the barogram and the climb, and the track's.
struct FlightPictureLayout {
    RECT barogram, climb, track;
};

// Reads the log at path and shows page 10 with its row's date and file, in
// the unit of the settings' "Unit" (0 metres, any other feet).
void ShowFlightView(const char *path, const FlightRow *row, int unit);

// Puts the drawn pictures on the screen (WM_DRAWITEM of the drawing area).
void PaintFlightPictures(const DRAWITEMSTRUCT *item);

// The pointer moved to x, y of the dialog's client area (WM_MOUSEMOVE).
void PointAtFlight(int x, int y);

// The pointer left the dialog (WM_MOUSELEAVE): the pictures and the Status
// line of the page again.
void StopPointingAtFlight();

// The drawn pictures with the pointer's marks, and their layout.
HBITMAP FlightPictures();
const FlightPictureLayout *FlightPicturesLayout();

#endif
