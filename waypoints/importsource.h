// Reading waypoint files of other programs (GPX, SeeYou CUP, CompeGPS): the
// bytes they are read from, their text turned into Windows-1252, the point
// that every reader hands on, and the choice of the reader by the content.
#ifndef TOLMARO_IMPORTSOURCE_H
#define TOLMARO_IMPORTSOURCE_H

#include <stddef.h>
#include <stdint.h>

#include "device/stream.h"

// The bytes of a file, from a stream opened "rb" or from memory, read in
// blocks: a reader's memory does not grow with the file.
enum { SOURCE_BLOCK_SIZE = 16384 };

struct ByteSource {
    Stream *stream;          // NULL: the bytes are data and size
    const uint8_t *data;
    size_t size;
    size_t next;             // the next byte of block (or data)
    size_t filled;           // bytes in block
    int64_t blockStart;      // file offset of block
    uint8_t block[SOURCE_BLOCK_SIZE];
};

void SourceFromStream(ByteSource *source, Stream *stream);
void SourceFromMemory(ByteSource *source, const uint8_t *data, size_t size);
void RewindSource(ByteSource *source);

int ReadSourceBlock(ByteSource *source);

// The next byte, -1 at the end (or a read error).
inline int NextByte(ByteSource *source)
{
    if (source->next < source->filled)
        return source->block[source->next++];
    return ReadSourceBlock(source);
}

// Whether the whole source is valid UTF-8; leaves it at its start.
bool SourceIsUtf8(ByteSource *source);

// Skips a UTF-8 byte-order mark at the start of the source.
void SkipByteOrderMark(ByteSource *source);

int NextCharacterAfter(ByteSource *source, bool utf8, int first);

// The next character as a Unicode code point: a UTF-8 sequence, or one
// Windows-1252 byte; -1 at the end. A broken sequence gives U+FFFD.
inline int NextCharacter(ByteSource *source, bool utf8)
{
    int c = NextByte(source);
    return c < 0x80 ? c : NextCharacterAfter(source, utf8, c);
}

// A line without its line feed (and a CR before it); a longer line is cut
// at size - 1 bytes and its rest skipped. False at the end of the source.
bool NextLine(ByteSource *source, char *line, size_t size, size_t *length);

// Text of a field as the readers collect it: UTF-8, at most
// RAW_TEXT_SIZE bytes of whole characters (what follows is dropped).
enum { RAW_TEXT_SIZE = 256 };

struct RawText {
    size_t length;
    bool full;   // a character did not fit: nothing more is taken
    char bytes[RAW_TEXT_SIZE];
};

void AppendCodePoint(RawText *text, uint32_t code);

// Room for a text field of a point: at most 32 bytes are kept, so that a
// text longer than the store's widest field (31) shows as such.
enum { POINT_TEXT_SIZE = 33, POINT_TEXT_KEPT = 32 };

// UTF-8 text as Windows-1252: characters outside the code page as their
// best-fit letter (l for U+0142) or "_", control characters dropped,
// blanks at both ends trimmed; at most POINT_TEXT_KEPT bytes.
void TextToWindows1252(const char *utf8, size_t length, char out[POINT_TEXT_SIZE]);

// Bytes of a line field (UTF-8 when utf8, else Windows-1252) as UTF-8.
void BytesToRawText(const char *bytes, size_t length, bool utf8, RawText *text);

// A point as a reader found it; its record is made from it later.
struct SourcePoint {
    char name[POINT_TEXT_SIZE];          // the record's name, before shortening
    char description[POINT_TEXT_SIZE];   // the source's description
    char otherName[POINT_TEXT_SIZE];     // CUP: the name, when the record's name came from a different code
    double latitude, longitude;          // degrees, negative south and west
    double altitude;                     // metres
    bool hasPosition;                    // both coordinates read as numbers
    bool hasAltitude;
};

// Where the points read go, in a block that grows as they come (the
// program holds no standard containers, so that it stays small). A reader
// stops adding beyond limit, or when the memory is not there.
struct PointList {
    SourcePoint *points;
    size_t count;
    size_t capacity;
    size_t limit;
};

// Adds a point; false when the list is full.
bool AddPoint(PointList *list, const SourcePoint &point);

// Gives the list's memory back; the list is then empty.
void FreePoints(PointList *list);

// Fills a point from raw fields; a NULL field is missing.
void SetPointTexts(SourcePoint *point, const RawText *name, const RawText *description);

// The readers, from the start of the source. Each returns the points in the
// file's order.
// GPX: false when the document's root element is not gpx.
bool ReadGpxPoints(ByteSource *source, bool utf8, PointList *list);
// SeeYou CUP.
void ReadCupPoints(ByteSource *source, bool utf8, PointList *list);
// CompeGPS: false when the file gives UTM coordinates (its "U" line is not
// "U  1").
bool ReadCompeGpsPoints(ByteSource *source, bool utf8, PointList *list);

enum WaypointFileKind { FILE_GPX, FILE_CUP, FILE_COMPEGPS };

// Reads the points of any of the three formats, chosen by the content: an
// XML document whose root is gpx, a first line "G  WGS 84" (CompeGPS), else
// CUP. False when the file holds no point that can be read.
bool ReadWaypointFile(ByteSource *source, PointList *list, WaypointFileKind *kind);

// Shared by the readers: a decimal number as strtod reads it, filling the
// whole of text but for blanks around it; false when it does not.
bool ReadWholeNumber(const char *text, size_t length, double *value);

#endif
