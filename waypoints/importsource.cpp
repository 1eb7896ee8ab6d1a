// The bytes and characters of a waypoint file being read, Windows-1252 with
// best-fit letters, and the choice of the reader by the file's content.
#include "waypoints/importsource.h"

#include <stdlib.h>
#include <string.h>

void SourceFromStream(ByteSource *source, Stream *stream)
{
    source->stream = stream;
    source->data = NULL;
    source->size = 0;
    source->next = source->filled = 0;
    source->blockStart = 0;
}

void SourceFromMemory(ByteSource *source, const uint8_t *data, size_t size)
{
    source->stream = NULL;
    source->data = data;
    source->size = size;
    source->next = source->filled = 0;
    source->blockStart = 0;
}

void RewindSource(ByteSource *source)
{
    source->next = source->filled = 0;
    source->blockStart = 0;
    if (source->stream)
        ReadBytesAt(source->stream, 0, source->block, 0);
}

// The memory's bytes go through the block as well, so that both kinds of
// source behave alike (and a fuzzer sees reads past a block's end).
int ReadSourceBlock(ByteSource *source)
{
    source->blockStart += (int64_t)source->filled;
    source->next = source->filled = 0;
    if (source->stream) {
        source->filled = ReadBytes(source->stream, source->block, sizeof source->block);
    } else if ((size_t)source->blockStart < source->size) {
        size_t n = source->size - (size_t)source->blockStart;
        source->filled = n < sizeof source->block ? n : sizeof source->block;
        memcpy(source->block, source->data + source->blockStart, source->filled);
    }
    if (source->filled == 0)
        return -1;
    return source->block[source->next++];
}

// Bytes that continue a sequence: 10xxxxxx.
static bool IsContinuation(int c)
{
    return c >= 0 && (c & 0xC0) == 0x80;
}

// The length of a sequence by its first byte and the smallest code point it
// may hold (no overlong forms); 0 for a byte that starts none.
static int SequenceLength(int first, uint32_t *smallest)
{
    if (first < 0x80) {
        *smallest = 0;
        return 1;
    }
    if (first >= 0xC2 && first <= 0xDF) {
        *smallest = 0x80;
        return 2;
    }
    if (first >= 0xE0 && first <= 0xEF) {
        *smallest = 0x800;
        return 3;
    }
    if (first >= 0xF0 && first <= 0xF4) {
        *smallest = 0x10000;
        return 4;
    }
    return 0;
}

// Decodes one sequence that starts with first; -2 when it is broken (the
// byte that broke it is left to the next call through pending).
static int DecodeSequence(ByteSource *source, int first, int *pending)
{
    uint32_t smallest;
    int length = SequenceLength(first, &smallest);
    if (length == 0)
        return -2;
    uint32_t code = length == 1 ? (uint32_t)first : (uint32_t)first & (0x7F >> length);
    for (int i = 1; i < length; i++) {
        int c = NextByte(source);
        if (!IsContinuation(c)) {
            *pending = c;
            return -2;
        }
        code = code << 6 | (uint32_t)(c & 0x3F);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return -2;
    return (int)code;
}

bool SourceIsUtf8(ByteSource *source)
{
    RewindSource(source);
    bool valid = true;
    int pending = -3;
    for (;;) {
        int c = pending != -3 ? pending : NextByte(source);
        pending = -3;
        if (c < 0)
            break;
        if (c < 0x80)
            continue;
        if (DecodeSequence(source, c, &pending) < 0) {
            valid = false;
            break;
        }
    }
    RewindSource(source);
    return valid;
}

void SkipByteOrderMark(ByteSource *source)
{
    RewindSource(source);
    if (NextByte(source) == 0xEF && NextByte(source) == 0xBB && NextByte(source) == 0xBF)
        return;
    RewindSource(source);
}

// Unicode of the Windows-1252 bytes 0x80 to 0x9F; the five the code page
// leaves free stand for themselves, as Windows converts them.
static const uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

static uint32_t Windows1252ToUnicode(uint8_t byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

// The rest of NextCharacter, for a first byte beyond ASCII.
int NextCharacterAfter(ByteSource *source, bool utf8, int c)
{
    if (!utf8)
        return (int)Windows1252ToUnicode((uint8_t)c);
    // A broken sequence in a file taken as UTF-8 (cut, or a read error):
    // the byte that broke it is lost with it.
    int pending = -3;
    int code = DecodeSequence(source, c, &pending);
    return code < 0 ? 0xFFFD : code;
}

bool NextLine(ByteSource *source, char *line, size_t size, size_t *length)
{
    size_t n = 0;
    int c = NextByte(source);
    if (c < 0) {
        *length = 0;
        if (size > 0)
            line[0] = '\0';
        return false;
    }
    for (; c >= 0 && c != '\n'; c = NextByte(source))
        if (n + 1 < size)
            line[n++] = (char)c;
    if (n > 0 && line[n - 1] == '\r')
        n--;
    line[n] = '\0';
    *length = n;
    return true;
}

void AppendCodePoint(RawText *text, uint32_t code)
{
    char bytes[4];
    size_t n;
    if (code < 0x80) {
        bytes[0] = (char)code;
        n = 1;
    } else if (code < 0x800) {
        bytes[0] = (char)(0xC0 | code >> 6);
        bytes[1] = (char)(0x80 | (code & 0x3F));
        n = 2;
    } else if (code < 0x10000) {
        bytes[0] = (char)(0xE0 | code >> 12);
        bytes[1] = (char)(0x80 | (code >> 6 & 0x3F));
        bytes[2] = (char)(0x80 | (code & 0x3F));
        n = 3;
    } else {
        bytes[0] = (char)(0xF0 | code >> 18);
        bytes[1] = (char)(0x80 | (code >> 12 & 0x3F));
        bytes[2] = (char)(0x80 | (code >> 6 & 0x3F));
        bytes[3] = (char)(0x80 | (code & 0x3F));
        n = 4;
    }
    // A character that does not fit whole is dropped with all that follows.
    if (text->full || text->length + n > RAW_TEXT_SIZE) {
        text->full = true;
        return;
    }
    memcpy(text->bytes + text->length, bytes, n);
    text->length += n;
}

// The next character of the bytes from *at to end, as NextCharacter reads
// a source; -1 at the end. For the short texts of fields.
static int NextCharacterOf(const uint8_t **at, const uint8_t *end, bool utf8)
{
    if (*at == end)
        return -1;
    int c = *(*at)++;
    if (c < 0x80)
        return c;
    if (!utf8)
        return (int)Windows1252ToUnicode((uint8_t)c);
    uint32_t smallest;
    int length = SequenceLength(c, &smallest);
    if (length == 0)
        return 0xFFFD;
    uint32_t code = (uint32_t)c & (0x7F >> length);
    for (int i = 1; i < length; i++) {
        if (*at == end || !IsContinuation(**at))
            return 0xFFFD;
        code = code << 6 | (uint32_t)(*(*at)++ & 0x3F);
    }
    return code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ? 0xFFFD : (int)code;
}

void BytesToRawText(const char *bytes, size_t length, bool utf8, RawText *text)
{
    text->length = 0;
    text->full = false;
    const uint8_t *at = (const uint8_t *)bytes, *end = at + length;
    for (int c; (c = NextCharacterOf(&at, end, utf8)) >= 0;)
        AppendCodePoint(text, (uint32_t)c);
}

// Best-fit letters of U+0100 to U+017F (Latin Extended-A): the letter
// without its accent. The ones Windows-1252 holds (S, s, Z, z with caron,
// OE, oe, Y with diaeresis) are taken from the code page before this.
static const char kLatinExtendedA[] =
    "AaAaAaCcCcCcCcDd"
    "DdEeEeEeEeEeGgGg"
    "GgGgHhHhIiIiIiIi"
    "Ii__JjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOo"
    "OoOoRrRrRrSsSsSs"
    "SsTtTtTtUuUuUuUu"
    "UuUuWwYyYZzZzZzs";

// One Unicode character as a Windows-1252 byte; 0 drops it (a control).
static uint8_t BestFit(uint32_t code)
{
    if (code < 0x20 || code == 0x7F || (code >= 0x80 && code < 0xA0))
        return 0;
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return (uint8_t)code;
    for (int i = 0; i < 32; i++)
        if (kCp1252High[i] == code && code > 0xFF)
            return (uint8_t)(0x80 + i);
    if (code >= 0x100 && code <= 0x17F)
        return (uint8_t)kLatinExtendedA[code - 0x100];
    switch (code) {
    case 0x0218: return 'S';
    case 0x0219: return 's';
    case 0x021A: return 'T';
    case 0x021B: return 't';
    case 0x2010: case 0x2011: case 0x2012: case 0x2212: return '-';
    case 0x2032: return '\'';
    case 0x2033: return '"';
    }
    return '_';
}

void TextToWindows1252(const char *utf8, size_t length, char out[POINT_TEXT_SIZE])
{
    char converted[RAW_TEXT_SIZE];
    size_t n = 0;
    const uint8_t *at = (const uint8_t *)utf8, *end = at + length;
    for (int c; (c = NextCharacterOf(&at, end, true)) >= 0 && n < sizeof converted;) {
        uint8_t byte = BestFit((uint32_t)c);
        if (byte != 0)
            converted[n++] = (char)byte;
    }
    size_t start = 0;
    while (start < n && converted[start] == ' ')
        start++;
    while (n > start && converted[n - 1] == ' ')
        n--;
    size_t kept = n - start < (size_t)POINT_TEXT_KEPT ? n - start : (size_t)POINT_TEXT_KEPT;
    memcpy(out, converted + start, kept);
    out[kept] = '\0';
}

void SetPointTexts(SourcePoint *point, const RawText *name, const RawText *description)
{
    point->name[0] = point->description[0] = point->otherName[0] = '\0';
    if (name)
        TextToWindows1252(name->bytes, name->length, point->name);
    if (description)
        TextToWindows1252(description->bytes, description->length, point->description);
}

bool AddPoint(PointList *list, const SourcePoint &point)
{
    if (list->count >= list->limit)
        return false;
    if (list->count == list->capacity) {
        size_t capacity = list->capacity ? list->capacity * 2 : 256;
        SourcePoint *points = (SourcePoint *)realloc(list->points, capacity * sizeof *points);
        if (!points)
            return false;
        list->points = points;
        list->capacity = capacity;
    }
    list->points[list->count++] = point;
    return true;
}

void FreePoints(PointList *list)
{
    free(list->points);
    list->points = NULL;
    list->count = list->capacity = 0;
}

bool ReadWholeNumber(const char *text, size_t length, double *value)
{
    char number[64];
    while (length > 0 && (*text == ' ' || *text == '\t')) {
        text++;
        length--;
    }
    while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\t'))
        length--;
    if (length == 0 || length >= sizeof number)
        return false;
    // Only decimal numbers: strtod would also take "nan", "inf" and hex.
    for (size_t i = 0; i < length; i++)
        if (!strchr("0123456789.+-eE", text[i]))
            return false;
    memcpy(number, text, length);
    number[length] = '\0';
    char *end;
    *value = strtod(number, &end);
    return end == number + length;
}

// The first line, for the CompeGPS header.
static bool StartsWithCompeGpsHeader(ByteSource *source)
{
    SkipByteOrderMark(source);
    char line[64];
    size_t length;
    if (!NextLine(source, line, sizeof line, &length))
        return false;
    while (length > 0 && line[length - 1] == ' ')
        length--;
    return length == 9 && memcmp(line, "G  WGS 84", 9) == 0;
}

// Blanks and line ends, then "<": an XML document.
static bool StartsWithMarkup(ByteSource *source)
{
    SkipByteOrderMark(source);
    int c;
    do
        c = NextByte(source);
    while (c == ' ' || c == '\t' || c == '\r' || c == '\n');
    return c == '<';
}

bool ReadWaypointFile(ByteSource *source, PointList *list, WaypointFileKind *kind)
{
    bool utf8 = SourceIsUtf8(source);
    list->count = 0;
    if (StartsWithMarkup(source)) {
        RewindSource(source);
        *kind = FILE_GPX;
        if (ReadGpxPoints(source, utf8, list))
            return list->count != 0;
        list->count = 0;
    }
    if (StartsWithCompeGpsHeader(source)) {
        RewindSource(source);
        *kind = FILE_COMPEGPS;
        if (!ReadCompeGpsPoints(source, utf8, list))
            list->count = 0;
        return list->count != 0;
    }
    RewindSource(source);
    *kind = FILE_CUP;
    ReadCupPoints(source, utf8, list);
    return list->count != 0;
}
