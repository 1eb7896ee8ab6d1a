// The program's own texts on screen: the dialog title, the control
// captions and the about document, in the language of the loaded instrument.
#ifndef TOLMARO_CAPTIONS_H
#define TOLMARO_CAPTIONS_H

// Chooses the language of the program's texts by the instrument's
// "Sprache" and shows the title, the captions and the about document in it.
void ShowProgramTexts(int sprache);

// The pilot page's heading from the instrument's language file, which from
// then on takes the place of the program's own.
void ShowPilotHeadingOfLanguageFile();

#endif
