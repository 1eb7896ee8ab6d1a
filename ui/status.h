// The Status line and the Activity animations of the file and waypoint pages.
#ifndef TOLMARO_STATUS_H
#define TOLMARO_STATUS_H

// Creates the Status line (during the dialog's initialisation).
void CreateStatusLine();

void SetStatusText(const char *text);

// Formats a status text; a text longer than the Status line holds is cut.
void SetStatusTextF(const char *format, ...);

// " Kopiere Datei " (or its English) and the path of the file about to be copied.
void ShowCopyProgress(const char *path);

// Loops a clip in an animate control and shows the control.
void StartActivityAnimation(int control, int clip);

// Replaces the loop by one pass of the closing clip.
void FinishActivityAnimation(int control);

#endif
