// The operations of the waypoint page: the analysis of the instrument's
// waypoint store (toolbar command 3005) and the three exports.
#ifndef TOLMARO_WAYPOINTPAGE_H
#define TOLMARO_WAYPOINTPAGE_H

#include <stdint.h>

struct DeviceRoot;

// Sets the three counts to 0, so that the next visit of the page counts the
// store again (a new instrument, a changed store).
void ResetWaypointCounts();

// Shows the waypoint page; while its three counts are all 0, counts the
// store's records by kind and enables the export buttons of the kinds found.
void AnalyseWaypointStore(const DeviceRoot *root);

// Asks for an output file and writes the store's records whose kind lies
// between lowest and highest (both included) into it, as CompeGPS text, GPX
// or CUP by the file's extension or the type chosen.
void ExportWaypoints(const DeviceRoot *root, uint8_t lowest, uint8_t highest);

#endif
