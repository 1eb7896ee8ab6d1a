// Reads a flight log's head and tail into a flight book row; the rows'
// order and their CSV lines.
#include "flights/flightlog.h"

#include <stdio.h>
#include <string.h>

#include "base/text.h"
#include "device/stream.h"

// An IGC file is lines of records, each naming its kind in its first byte.
// The head holds the header records (H) up to the first fix (B); the tail
// ends with the last fix, perhaps followed by other records (L, G). A fix:
//   B HHMMSS DDMMmmmN DDDMMmmmE V PPPPP GGGGG ...
// 35 characters of fixed fields, its UTC time first. Every part read is
// outside data: lengths are kept, never NUL bytes looked for.

// The parts are read in steps, so that a log is read no further than its
// first and last fixes: a header is about a kilobyte.
static const size_t READ_STEP = 1024;

enum { SECONDS_PER_DAY = 24 * 60 * 60 };

// The two parts of the log being read; kept out of the stack, and the same
// memory for every file whatever its size.
static char g_head[FLIGHT_LOG_PART_SIZE];
static char g_tail[FLIGHT_LOG_PART_SIZE];

static bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Two digits as a number, -1 when they are not digits.
static int TwoDigits(const char *p)
{
    if (!IsDigit(p[0]) || !IsDigit(p[1]))
        return -1;
    return (p[0] - '0') * 10 + p[1] - '0';
}

static bool BeginsWith(const char *line, size_t length, const char *prefix)
{
    size_t prefixLength = strlen(prefix);
    return length >= prefixLength && memcmp(line, prefix, prefixLength) == 0;
}

bool ReadFixTime(const char *line, size_t length, int32_t *seconds)
{
    if (length < FIX_FIELDS_LENGTH || line[0] != 'B')
        return false;
    int hours = TwoDigits(line + 1), minutes = TwoDigits(line + 3), secondsPart = TwoDigits(line + 5);
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || secondsPart < 0 || secondsPart > 59)
        return false;
    *seconds = hours * 3600 + minutes * 60 + secondsPart;
    return true;
}

// "HFDTEddmmyy" or "HFDTEDATE:ddmmyy,nn"; years 80 to 99 are 19xx.
static void ReadDate(const char *line, size_t length, FlightRow *row)
{
    size_t at = BeginsWith(line, length, "HFDTEDATE:") ? 10 : 5;
    if (length < at + 6)
        return;
    int day = TwoDigits(line + at), month = TwoDigits(line + at + 2), year = TwoDigits(line + at + 4);
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < 0)
        return;
    int century = year >= 80 ? 19 : 20;
    row->day = (century * 100 + year) * 10000 + month * 100 + day;
    // DD.MM.YYYY
    FormatDigits(row->date, (uint64_t)day, 2);
    row->date[2] = '.';
    FormatDigits(row->date + 3, (uint64_t)month, 2);
    row->date[5] = '.';
    FormatDigits(row->date + 6, (uint64_t)century, 2);
    FormatDigits(row->date + 8, (uint64_t)year, 2);
    row->date[10] = '\0';
}

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The text after the colon, without surrounding blanks; cut to its column.
static void ReadGlider(const char *line, size_t length, FlightRow *row)
{
    const char *colon = (const char *)memchr(line, ':', length);
    if (!colon)
        return;
    const char *text = colon + 1;
    size_t textLength = length - (size_t)(text - line);
    while (textLength > 0 && IsBlank(*text)) {
        text++;
        textLength--;
    }
    if (textLength >= sizeof row->glider)
        textLength = sizeof row->glider - 1;
    memcpy(row->glider, text, textLength);
    row->glider[textLength] = '\0';
    // A NUL byte in the text ends it; blanks before that end go too.
    size_t end = strlen(row->glider);
    while (end > 0 && IsBlank(row->glider[end - 1]))
        row->glider[--end] = '\0';
}

// The glider type has one record for each source of the data: the
// recorder's own (F), the pilot's entry (O, as the instrument copies it from
// its pilot file) and another program's (P).
static bool IsGliderRecord(const char *line, size_t length)
{
    return BeginsWith(line, length, "HFGTYGLIDERTYPE") || BeginsWith(line, length, "HOGTYGLIDERTYPE") ||
           BeginsWith(line, length, "HPGTYGLIDERTYPE");
}

// A line without its line end: LF, or CR LF.
static size_t ContentLength(const char *line, size_t length)
{
    return length > 0 && line[length - 1] == '\r' ? length - 1 : length;
}

// Goes through the head's lines from *at, the start of a line, up to its
// first fix; true when one was found, its time in startTime. A line cut by
// the head's end is not read unless the head is the whole file: *at is left
// at its start. With row NULL only looks for the fix. The first date record
// counts, and the first glider record whose text is not empty.
static bool ReadHead(const char *head, size_t length, bool whole, size_t *at, FlightRow *row, int32_t *startTime)
{
    bool dateSeen = false;
    while (*at < length) {
        const char *newline = (const char *)memchr(head + *at, '\n', length - *at);
        if (!newline && !whole)
            return false;
        size_t end = newline ? (size_t)(newline - head) : length;
        const char *line = head + *at;
        size_t lineLength = ContentLength(line, end - *at);
        *at = end + 1;
        if (ReadFixTime(line, lineLength, startTime))
            return true;
        if (!row)
            continue;
        if (!dateSeen && BeginsWith(line, lineLength, "HFDTE")) {
            dateSeen = true;
            ReadDate(line, lineLength, row);
        } else if (row->glider[0] == '\0' && IsGliderRecord(line, lineLength)) {
            ReadGlider(line, lineLength, row);
        }
    }
    return false;
}

// Where the tail's backward search begins: behind its last line's end.
static size_t LastLineEnd(const char *tail, size_t length)
{
    return length > 0 && tail[length - 1] == '\n' ? length - 1 : length;
}

// Goes backwards through the tail's lines that end at *end or before, to
// its last fix. A line that begins before the tail is not read, unless the
// tail begins the file: *end is left at its end, for a longer tail.
static bool ReadLastFix(const char *tail, size_t *end, bool atFileStart, int32_t *landingTime)
{
    for (;;) {
        size_t start = *end;
        while (start > 0 && tail[start - 1] != '\n')
            start--;
        if (start == 0 && !atFileStart)
            return false;
        if (ReadFixTime(tail + start, ContentLength(tail + start, *end - start), landingTime))
            return true;
        if (start == 0)
            return false;
        *end = start - 1;
    }
}

void FormatTimeOfDay(char *out, int32_t seconds)
{
    FormatDigits(out, (uint64_t)(seconds / 3600), 2);
    out[2] = ':';
    FormatDigits(out + 3, (uint64_t)(seconds / 60 % 60), 2);
    out[5] = ':';
    FormatDigits(out + 6, (uint64_t)(seconds % 60), 2);
    out[8] = '\0';
}

void FormatDuration(char *out, int32_t minutes)
{
    int hours = (int)(minutes / 60);
    if (hours >= 10)
        FormatDigits(out++, (uint64_t)hours, 2);
    else
        out[0] = (char)('0' + hours);
    out[1] = ':';
    FormatDigits(out + 2, (uint64_t)(minutes % 60), 2);
    out[4] = '\0';
}

static void ClearFields(FlightRow *row)
{
    row->date[0] = row->start[0] = row->landing[0] = row->duration[0] = row->glider[0] = '\0';
    row->day = row->startTime = row->minutes = -1;
}

void ReadFlightParts(const char *head, size_t headLength, bool headIsWhole, const char *tail, size_t tailLength,
                     bool tailIsWhole, FlightRow *row)
{
    ClearFields(row);
    int32_t start = -1, landing = -1;
    size_t at = 0, end = LastLineEnd(tail, tailLength);
    if (ReadHead(head, headLength, headIsWhole, &at, row, &start)) {
        row->startTime = start;
        FormatTimeOfDay(row->start, start);
    }
    if (ReadLastFix(tail, &end, tailIsWhole, &landing))
        FormatTimeOfDay(row->landing, landing);
    if (start >= 0 && landing >= 0) {
        // A flight over midnight UTC lands at an earlier time of day.
        row->minutes = (landing - start + SECONDS_PER_DAY) % SECONDS_PER_DAY / 60;
        FormatDuration(row->duration, row->minutes);
    }
}

// Reads the head step by step until it holds a whole first fix, the whole
// file, or its full size. Returns its length; whole tells which.
static size_t ReadHeadPart(Stream *in, int64_t size, bool *whole)
{
    size_t length = 0, at = 0;
    int32_t start;
    for (;;) {
        size_t step = sizeof g_head - length < READ_STEP ? sizeof g_head - length : READ_STEP;
        size_t read = ReadBytesAt(in, (int64_t)length, g_head + length, step);
        length += read;
        *whole = read < step || (int64_t)length == size;
        if (*whole || length == sizeof g_head || ReadHead(g_head, length, false, &at, NULL, &start))
            return length;
    }
}

// Reads the tail backwards from the file's end, step by step, until it
// holds a whole last fix, reaches the file's start or its full size. The
// tail lies at the end of g_tail; returns its length.
static size_t ReadTailPart(Stream *in, int64_t size, bool *atFileStart)
{
    // The lines that end this far from the file's end were looked at.
    size_t length = 0, looked = 0;
    int32_t landing;
    for (;;) {
        int64_t left = size - (int64_t)length;
        size_t step = sizeof g_tail - length < READ_STEP ? sizeof g_tail - length : READ_STEP;
        if ((int64_t)step > left)
            step = (size_t)left;
        char *to = g_tail + sizeof g_tail - length - step;
        if (ReadBytesAt(in, left - (int64_t)step, to, step) != step)
            return 0;
        length += step;
        *atFileStart = (int64_t)length == size;
        const char *tail = g_tail + sizeof g_tail - length;
        size_t end = looked ? length - looked : LastLineEnd(tail, length);
        if (*atFileStart || length == sizeof g_tail || ReadLastFix(tail, &end, false, &landing))
            return length;
        looked = length - end;
    }
}

void ReadFlightLog(const char *path, const char *file, int64_t size, FlightRow *row)
{
    ClearFields(row);
    snprintf(row->file, sizeof row->file, "%s", file);
    Stream in;
    if (!OpenStream(&in, path, "rd"))
        return;
    if (size < 0)
        size = StreamSize(&in);
    if (size < 0) {
        CloseStream(&in);
        return;
    }
    bool headIsWhole = false, tailIsWhole = false;
    size_t headLength = ReadHeadPart(&in, size, &headIsWhole);
    const char *tail = g_head;
    size_t tailLength = headLength;
    // A file that fits in the head is read once.
    if (headIsWhole)
        tailIsWhole = true;
    else {
        tailLength = ReadTailPart(&in, size, &tailIsWhole);
        tail = g_tail + sizeof g_tail - tailLength;
    }
    CloseStream(&in);
    ReadFlightParts(g_head, headLength, headIsWhole, tail, tailLength, tailIsWhole, row);
}

static int CompareNumbers(int32_t a, int32_t b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}

void RowFields(const FlightRow *row, const char *fields[FLIGHT_COLUMNS])
{
    fields[COLUMN_DATE] = row->date;
    fields[COLUMN_START] = row->start;
    fields[COLUMN_LANDING] = row->landing;
    fields[COLUMN_DURATION] = row->duration;
    fields[COLUMN_GLIDER] = row->glider;
    fields[COLUMN_FILE] = row->file;
}

int CompareFlightRows(const FlightRow *a, const FlightRow *b, FlightColumn column, bool descending)
{
    const char *aFields[FLIGHT_COLUMNS], *bFields[FLIGHT_COLUMNS];
    RowFields(a, aFields);
    RowFields(b, bFields);
    bool aEmpty = aFields[column][0] == '\0', bEmpty = bFields[column][0] == '\0';
    if (aEmpty || bEmpty)
        return (int)aEmpty - (int)bEmpty;
    int order;
    if (column == COLUMN_DATE)
        order = CompareNumbers(a->day, b->day);
    else if (column == COLUMN_DURATION)
        order = CompareNumbers(a->minutes, b->minutes);
    else
        order = CompareAsciiNoCase(aFields[column], bFields[column]);
    return descending ? -order : order;
}

int CompareNewestFirst(const FlightRow *a, const FlightRow *b)
{
    int order = CompareFlightRows(a, b, COLUMN_DATE, true);
    if (order != 0)
        return order;
    if ((a->startTime < 0) != (b->startTime < 0))
        return a->startTime < 0 ? 1 : -1;
    return CompareNumbers(b->startTime, a->startTime);
}

static bool NeedsQuotes(const char *field)
{
    return strpbrk(field, ";\"\r\n") != NULL;
}

// Appends one byte while room is left for the terminator; counts it anyway.
static void PutByte(char *out, size_t size, size_t *length, char c)
{
    if (*length + 1 < size)
        out[*length] = c;
    (*length)++;
}

size_t FormatCsvLine(const char *const fields[FLIGHT_COLUMNS], char *out, size_t size)
{
    size_t length = 0;
    for (int column = 0; column < FLIGHT_COLUMNS; column++) {
        if (column > 0)
            PutByte(out, size, &length, ';');
        bool quoted = NeedsQuotes(fields[column]);
        if (quoted)
            PutByte(out, size, &length, '"');
        for (const char *c = fields[column]; *c; c++) {
            if (*c == '"')
                PutByte(out, size, &length, '"');
            PutByte(out, size, &length, *c);
        }
        if (quoted)
            PutByte(out, size, &length, '"');
    }
    PutByte(out, size, &length, '\r');
    PutByte(out, size, &length, '\n');
    if (length + 1 > size) {
        if (size > 0)
            out[0] = '\0';
        return 0;
    }
    out[length] = '\0';
    return length;
}
