// The pilot data that the instrument puts into every IGC flight log header:
// the Pilot record and the codec of its file "SETUP\igcheader.txt".
//
// The file is four lines, each ended by a line feed (LF only on disk):
//   "ID" + IGC-ID (1 to 4 characters, exactly 4 when written)
//   "HOPLTPILOT: " + pilot name              (0 to 22 characters)
//   "HOGTYGLIDERTYPE: " + glider type        (0 to 22 characters)
//   "HOCCLCOMPETITION CLASS: " + class       (0 to 22, empty for "no class")
// It is read all or nothing: the keys must follow one another line after
// line, the first at the very beginning of the file.
#ifndef TOLMARO_PILOTFILE_H
#define TOLMARO_PILOTFILE_H

#include <stddef.h>

struct Stream;

enum {
    IGC_ID_LENGTH = 4,
    PILOT_NAME_LENGTH = 22,                  // pilot, glider and class
    IGC_ID_SIZE = IGC_ID_LENGTH + 1,
    PILOT_NAME_SIZE = PILOT_NAME_LENGTH + 1,
    PILOT_TEXT_LENGTH = 255,                 // characters of the file that are read
    PILOT_FILE_SIZE = 130,                   // the longest file as written, and a NUL
    PILOT_FIELD_MISSING = -1,
};

// Single-byte Windows-1252 strings, empty at program start.
struct Pilot {
    char igcId[IGC_ID_SIZE];
    char pilot[PILOT_NAME_SIZE];
    char glider[PILOT_NAME_SIZE];
    char gliderClass[PILOT_NAME_SIZE];
};

extern const char kPilotFileName[];   // "SETUP\\igcheader.txt"
// The file is written here first and replaces the old one only when complete.
extern const char kPilotTempName[];   // "SETUP\\igcheader.new"

// Reads at most PILOT_TEXT_LENGTH characters of a stream opened in text
// mode into text (size bytes, NUL-terminated). Returns the count read.
size_t ReadPilotText(Stream *in, char *text, size_t size);

// Takes the value of the line at the cursor if that line begins with key:
// copies at most maxLength characters of it to value (maxLength + 1 bytes),
// moves the cursor past the line's line feed and returns the length copied
// (a longer value is cut silently). An empty value counts as found (0). When the line
// does not begin with the key, or has no line feed, the cursor stays and the
// result is PILOT_FIELD_MISSING. Start a text by pointing the cursor at it.
int ReadPilotField(const char **cursor, const char *key, char *value, size_t maxLength);

// Takes the four fields in file order straight into the record. The first
// field missing ends the reading with false: the fields before it keep their
// new values, the later ones their old.
bool ParsePilotText(const char *text, Pilot *pilot);

// Whether every character is one the instrument accepts in a header:
// 0-9, A-Z, a-z, blank, ( ) + - / , the degree sign and the lower-case
// umlauts. An empty text is allowed.
bool IsAllowedPilotText(const char *text);

// The index 0..7 of the glider class name in the class list, or -1. The
// empty class, which is how "no class" (item 0) is saved, is item 0.
int FindGliderClass(const char *name);

// An IGC-ID of the wrong length made into four characters: cut after the
// fourth, or padded with "X". igcId holds IGC_ID_SIZE bytes.
void PadIgcId(const char *text, char *igcId);

// The class chosen in the list: item 0 empties it, items 1 to 7 name it,
// anything else (the file's own unknown class, no selection) keeps it.
void TakeClassSelection(Pilot *pilot, int selection);

// Formats the whole file. Returns its length, or 0 if size is too small.
size_t FormatPilotFile(const Pilot *pilot, char *out, size_t size);

// Writes the file to tempPath in binary mode and, when that is complete,
// puts it in the place of path. Returns false on any failure; path then
// stays as it was and no file is left at tempPath.
bool WritePilotFile(const Pilot *pilot, const char *tempPath, const char *path);

#endif
