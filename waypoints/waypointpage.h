// The operations of the waypoint page: the analysis of the instrument's
// waypoint store (toolbar command 3005) and the three exports.
#ifndef TOLMARO_WAYPOINTPAGE_H
#define TOLMARO_WAYPOINTPAGE_H

#include <stdint.h>

// Shows the waypoint page; while its three counts are all 0, counts the
// store's records by kind and enables the export buttons of the kinds found.
void AnalyseWaypointStore();

// Asks for an output file and writes the store's records whose kind lies
// between lowest and highest (both included) into it, as CompeGPS text, GPX
// or CUP by the file's extension or the type chosen.
void ExportWaypoints(uint8_t lowest, uint8_t highest);

#endif
