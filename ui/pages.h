// The pages of the main dialog and the toolbar that switches between them.
#ifndef TOLMARO_PAGES_H
#define TOLMARO_PAGES_H

#include <stdint.h>

enum Page : uint8_t {
    PAGE_START,
    PAGE_PREVIEW,
    PAGE_PILOT,
    PAGE_SETTINGS1,
    PAGE_SETTINGS2,
    PAGE_FILES,
    PAGE_WAYPOINTS,
    PAGE_ABOUT,
    PAGE_FLIGHTBOOK,
    PAGE_IMPORT,        // waypoints onto the instrument
    PAGE_FLIGHT,        // one flight of the flight book
};

// The visible page; only ShowPage changes it.
extern uint8_t g_page;

void ShowPage(uint8_t page);

// Enables or disables toolbar buttons 1 to 5, 7 and 8, which need a loaded
// instrument.
void SetDeviceButtons(bool enabled);

// Creates the toolbar of the main dialog (during its initialisation).
void CreateToolbar();

#endif
