// The about page (page 7): the about document streamed into its rich-edit
// control once, during the dialog's initialisation.
#ifndef TOLMARO_ABOUT_H
#define TOLMARO_ABOUT_H

#include <windows.h>

// Replaces the control's content by the data resource with this number, an
// RTF document. Returns the stream's error: 0 after a complete read, 1 when
// the resource is missing or empty (the control is then left empty).
DWORD LoadAboutDocument(HWND control, int resourceNumber);

// Shows the about document of the language (a TextLanguage) in the about
// page's control, unless the control holds it already.
void ShowAboutDocumentIn(int language);

#endif
