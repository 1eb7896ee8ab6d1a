// The program's own texts on screen: the dialog title and the control
// captions, in the language of the loaded instrument.
#ifndef TOLMARO_CAPTIONS_H
#define TOLMARO_CAPTIONS_H

// Chooses the language of the program's texts by the instrument's
// "Sprache" and shows the title and the captions in it.
void ShowProgramTexts(int sprache);

#endif
