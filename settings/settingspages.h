// The two settings pages: labels from the instrument's language file, the
// bars and lists that edit the settings, and their save and cancel buttons.
#ifndef TOLMARO_SETTINGSPAGES_H
#define TOLMARO_SETTINGSPAGES_H

#include <windows.h>

// Loads the language file that the settings name and labels both pages in
// it; refills the language, unit and coordinate format lists.
void LoadLanguage();

// Shows the working values and the display field choices on both pages.
void FillSettingsPages();

// WM_HSCROLL of a settings bar.
void HandleSettingsScroll(WPARAM wParam, LPARAM lParam);

void SaveSettingsPage1();
void CancelSettingsPage1();
void SaveSettingsPage2();
void CancelSettingsPage2();

#endif
