// The page of waypoints onto the instrument (page 9, toolbar command 3008):
// a waypoint file read into a list that shows what becomes of each point,
// written into the waypoint store with a backup, and the backup restored.
#ifndef TOLMARO_IMPORTPAGE_H
#define TOLMARO_IMPORTPAGE_H

#include <windows.h>
#include <commctrl.h>

#include "device/devpath.h"
#include "waypoints/importmap.h"

// Gives the list its columns and chooses adding (during the dialog's
// initialisation).
void CreateImportColumns();

// Titles the columns again in the current language.
void LabelImportColumns();

// The text of a row's field, which the list asks for when it shows it.
void GiveImportText(LVITEMA *item);

// Shows page 9.
void ShowImportPage(const DeviceRoot *root);

// A click on one of the two radio buttons.
void ChooseImportMode(const DeviceRoot *root, ImportMode mode);

// "Datei öffnen": asks for a waypoint file and lists its points.
void OpenWaypointFile(const DeviceRoot *root);

// "Auf das Gerät schreiben": backs the store up, writes it and reads it back.
void WriteImportedWaypoints(const DeviceRoot *root);

// "Sicherung zurückholen": swaps the store and its backup.
void RestoreWaypointBackup(const DeviceRoot *root);

#endif
