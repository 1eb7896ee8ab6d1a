// The program's own texts on screen, taken from the text table.
#include "ui/captions.h"

#include <windows.h>

#include "ui/resource.h"
#include "ui/shell.h"
#include "ui/texts.h"

struct Caption {
    uint16_t control;
    uint8_t text;
};

// Every control whose caption is the program's own. The pilot page's field
// labels and the settings pages' labels are not among them: they are the
// instrument's words.
static const Caption kCaptions[] = {
    {IDC_PILOT_CANCEL, TEXT_CANCEL},
    {IDC_PILOT_SAVE, TEXT_SAVE},
    {IDC_S1_CANCEL, TEXT_CANCEL},
    {IDC_S1_SAVE, TEXT_SAVE},
    {IDC_S2_CANCEL, TEXT_CANCEL},
    {IDC_S2_SAVE, TEXT_SAVE},
    {IDC_FILES_HEADING, TEXT_FILES_HEADING},
    {IDC_REMOVE_EMPTY, TEXT_REMOVE_EMPTY},
    {IDC_COPY_FLIGHTS, TEXT_COPY_FLIGHTS},
    {IDC_COPY_ALL, TEXT_COPY_ALL},
    {IDC_FILES_CLOSE, TEXT_CLOSE},
    {IDC_WP_HEADING, TEXT_WAYPOINTS_HEADING},
    {IDC_WP_USED_LABEL, TEXT_WAYPOINTS_USED},
    {IDC_WP_DELETED_LABEL, TEXT_WAYPOINTS_DELETED},
    {IDC_WP_THERMAL_LABEL, TEXT_THERMALS},
    {IDC_EXPORT_WAYPOINTS, TEXT_EXPORT_WAYPOINTS},
    {IDC_EXPORT_DELETED, TEXT_EXPORT_DELETED},
    {IDC_EXPORT_THERMALS, TEXT_EXPORT_THERMALS},
    {IDC_WP_BACK, TEXT_BACK},
    {IDC_BOOK_SAVE, TEXT_FLIGHTBOOK_SAVE_TITLE},
    {IDC_BOOK_BACK, TEXT_BACK},
    {IDC_BOOK_VIEW, TEXT_VIEW_FLIGHT},
    {IDC_FLIGHT_DATE_LABEL, TEXT_COLUMN_DATE},
    {IDC_FLIGHT_START_LABEL, TEXT_COLUMN_TAKEOFF},
    {IDC_FLIGHT_LANDING_LABEL, TEXT_COLUMN_LANDING},
    {IDC_FLIGHT_DURATION_LABEL, TEXT_COLUMN_DURATION},
    {IDC_FLIGHT_TRACK_LENGTH_LABEL, TEXT_TRACK_LENGTH},
    {IDC_FLIGHT_STRAIGHT_LABEL, TEXT_STRAIGHT_LINE},
    {IDC_FLIGHT_FARTHEST_LABEL, TEXT_FARTHEST},
    {IDC_FLIGHT_MAX_GPS_LABEL, TEXT_MAX_GPS_ALTITUDE},
    {IDC_FLIGHT_MAX_PRESSURE_LABEL, TEXT_MAX_PRESSURE_ALTITUDE},
    {IDC_FLIGHT_START_ALTITUDE_LABEL, TEXT_START_ALTITUDE},
    {IDC_FLIGHT_MAX_CLIMB_LABEL, TEXT_MAX_CLIMB},
    {IDC_FLIGHT_MAX_SINK_LABEL, TEXT_MAX_SINK},
    {IDC_FLIGHT_FIXES_LABEL, TEXT_FIXES},
    {IDC_FLIGHT_BACK, TEXT_BACK},
};

void ShowProgramTexts(int sprache)
{
    ChooseTextLanguage(sprache);
    SetWindowTextA(g_shell.dialog, Text(TEXT_TITLE));
    for (const Caption &caption : kCaptions)
        SetDlgItemTextA(g_shell.dialog, caption.control, Text(caption.text));
}
