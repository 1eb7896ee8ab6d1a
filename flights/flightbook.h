// The flight book page (page 8, toolbar command 3007): every flight log on
// the instrument in a list, sorted by a click on a column's header, and
// saved as a CSV file (command 5701).
#ifndef TOLMARO_FLIGHTBOOK_H
#define TOLMARO_FLIGHTBOOK_H

#include <windows.h>
#include <commctrl.h>

struct DeviceRoot;

// Gives the list its columns (during the dialog's initialisation).
void CreateFlightBookColumns();

// Titles the columns again in the current language.
void LabelFlightBookColumns();

// The text of a row's field, which the list asks for when it shows it.
void GiveFlightBookText(LVITEMA *item);

// Shows page 8 with the list built afresh from the instrument, the newest
// flight first, and the count and airtime on the Status line.
void ShowFlightBook(const DeviceRoot *root);

// A click on a column's header: sorts by it, a second click on the same
// header the other way round.
void SortFlightBook(int column);

// Enables "Flug ansehen" while a row is selected (a change of the list's
// selection).
void UpdateFlightButton();

// Shows the selected row's flight on page 10, its numbers in the unit of
// the settings' "Unit"; false when no row is selected.
bool ViewSelectedFlight(const DeviceRoot *root, int unit);

// Shows page 8 again as it was left, its totals on the Status line and the
// list ready for Enter.
void ReturnToFlightBook();

// Asks for a file and writes the list into it in its current order.
void SaveFlightBook();

#endif
