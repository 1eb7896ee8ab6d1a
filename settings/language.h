// The Language text table: the instrument's language file held as one
// block of text, with one slot per line (slot n is line n + 1).
#ifndef TOLMARO_LANGUAGE_H
#define TOLMARO_LANGUAGE_H

struct Stream;

enum {
    LANGUAGE_SLOTS = 100,
    // Slots the program uses.
    SLOT_SETTINGS_HEADING = 22,
    SLOT_PILOT_HEADING = 28,
    SLOT_SINKTON = 32,
    SLOT_STEIGTON = 33,
    SLOT_TIMEOFFSET = 34,
    SLOT_TRACKINTERVAL = 35,
    SLOT_LAUTSTAERKE = 36,
    SLOT_CONTRAST = 37,
    SLOT_UNIT = 38,
    SLOT_COORDINATE_FORMAT = 39,
    SLOT_SPRACHE = 40,
    SLOT_INTEGRALZEIT = 41,
    SLOT_UNIT_NAMES = 42,          // 2 slots
    SLOT_COORDINATE_NAMES = 44,    // 3 slots
    SLOT_LANGUAGE_NAMES = 47,      // 8 slots
    SLOT_AIRSPACE = 57,
};

struct LanguageTable {
    char *text;                          // the file's text, or NULL
    const char *slots[LANGUAGE_SLOTS];   // NULL before the first load
};

// Replaces the table by the stream's text: line feeds end lines, carriage
// returns are left out. Lines beyond the last slot are ignored; slots the
// file does not reach read as empty text. Returns false when no memory
// could be had (the table then has no text).
bool ReadLanguageFile(LanguageTable *table, Stream *in);

// Points every slot at the text "NULL" while the table has no text.
void UseLanguageFallback(LanguageTable *table);

// The text of slot 0..99; an empty or unknown slot gives "".
const char *LanguageSlot(const LanguageTable *table, int slot);

#endif
