// The two settings pages: labels from the instrument's language file, the
// bars and lists that edit the settings, and their save and cancel buttons.
#ifndef TOLMARO_SETTINGSPAGES_H
#define TOLMARO_SETTINGSPAGES_H

#include <windows.h>

#include "settings/setupfile.h"

struct DeviceRoot;
struct LanguageTable;

// Reads the language file that the settings' "Sprache" names into table
// and labels both pages in it; refills the language, unit and coordinate
// format lists.
void LoadLanguage(const DeviceRoot *root, const Settings *settings, LanguageTable *table);

// Shows the settings on both pages: the bars' values and the display field
// choices.
void FillSettingsPages(const Settings *settings);

// WM_HSCROLL of a settings bar.
void HandleSettingsScroll(WPARAM wParam, LPARAM lParam);

// "Speichern" of page 1 and page 2 take the page's values into the record;
// page 1 returns whether "Sprache" changed, so that its caller relabels the
// program before the file is written.
bool TakeSettingsPage1(Settings *settings);
void TakeSettingsPage2(Settings *settings);

// Writes the record to the instrument's settings file, through a temporary
// file. A failure is reported with a warning box and the old file stays
// intact; returns whether the file was saved.
bool WriteSetupFile(const DeviceRoot *root, const Settings *settings);

// "Abbruch": the pages show the record again, and the preview is shown.
void CancelSettingsPage1(const Settings *settings);
void CancelSettingsPage2(const Settings *settings);

#endif
