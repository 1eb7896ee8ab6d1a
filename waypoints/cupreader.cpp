// The SeeYou CUP reader, for files as they are written in the wild.
//
//   name,code,country,lat,lon,elev,style,rwdir,rwlen,rwwidth,freq,desc,userdata,pics
//   "Koessen","KOESSEN",AT,4739.822N,01224.123E,620.0m,1,,,,,"Landeplatz",,
//   -----Related Tasks-----
//
// A first line whose lat and lon are not coordinates names the columns (case
// ignored, in other words too: title, latitude ...); without one the columns
// are those of the older 11-column format. Fields follow csv rules with
// quotes; a quote inside a quoted field that no comma follows is kept, as
// in "Rabbit holes, 20" ditch". Points end at the tasks section.
#include <math.h>
#include <string.h>

#include "base/text.h"
#include "waypoints/importsource.h"

namespace {

enum CupColumn { COLUMN_NAME, COLUMN_CODE, COLUMN_LAT, COLUMN_LON, COLUMN_ELEV, COLUMN_DESC, CUP_COLUMNS };

enum { CUP_LINE_SIZE = 4096, CUP_FIELDS = 32 };

// The fields of a line, unquoted, in buffer.
struct CupFields {
    size_t count;
    size_t start[CUP_FIELDS];
    size_t length[CUP_FIELDS];
    char buffer[CUP_LINE_SIZE];
};

struct CupReader {
    char line[CUP_LINE_SIZE];
    CupFields fields;
};

}   // namespace

// The older format's order: name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc
static const int kOlderColumns[CUP_COLUMNS] = {0, 1, 3, 4, 5, 10};

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

static void SplitCupLine(const char *line, size_t length, CupFields *fields)
{
    fields->count = 0;
    size_t i = 0, out = 0;
    for (;;) {
        while (i < length && IsBlank(line[i]))
            i++;
        size_t start = out;
        if (i < length && line[i] == '"') {
            for (i++; i < length;) {
                if (line[i] != '"') {
                    fields->buffer[out++] = line[i++];
                    continue;
                }
                if (i + 1 < length && line[i + 1] == '"') {   // a doubled quote
                    fields->buffer[out++] = '"';
                    i += 2;
                    continue;
                }
                size_t after = i + 1;
                while (after < length && IsBlank(line[after]))
                    after++;
                if (after == length || line[after] == ',') {   // the closing quote
                    i = after;
                    break;
                }
                fields->buffer[out++] = line[i++];   // a lone quote is a character
            }
        } else {
            while (i < length && line[i] != ',')
                fields->buffer[out++] = line[i++];
            while (out > start && IsBlank(fields->buffer[out - 1]))
                out--;
        }
        if (fields->count < CUP_FIELDS) {
            fields->start[fields->count] = start;
            fields->length[fields->count] = out - start;
            fields->count++;
        }
        if (i >= length || line[i] != ',')
            return;
        i++;
    }
}

static const char *Field(const CupFields *fields, int column, size_t *length)
{
    if (column < 0 || (size_t)column >= fields->count) {
        *length = 0;
        return "";
    }
    *length = fields->length[column];
    return fields->buffer + fields->start[column];
}

static bool SameWord(const char *text, size_t length, const char *word)
{
    if (strlen(word) != length)
        return false;
    for (size_t i = 0; i < length; i++)
        if (FoldAscii(text[i]) != word[i])
            return false;
    return true;
}

// DDMM.mmm or DDDMM.mmm and the hemisphere letter.
static bool ReadCupAngle(const char *text, size_t length, char positive, char negative, double *degrees)
{
    if (length < 2)
        return false;
    char letter = FoldAscii(text[length - 1]);
    double value;
    if ((letter != FoldAscii(positive) && letter != FoldAscii(negative)) || !ReadWholeNumber(text, length - 1, &value) ||
        !(value >= 0))
        return false;
    double whole = floor(value / 100);
    double minutes = value - whole * 100;
    // Writers that round 59.9996 minutes up write 60.000 (GPSBabel does).
    if (!(minutes <= 60))
        return false;
    *degrees = (whole + minutes / 60) * (letter == FoldAscii(negative) ? -1 : 1);
    return true;
}

// A number followed by "m" or "ft" (a number alone is metres); empty is
// no altitude.
static bool ReadElevation(const char *text, size_t length, double *metres)
{
    while (length > 0 && IsBlank(text[length - 1]))
        length--;
    double factor = 1;
    if (length >= 2 && FoldAscii(text[length - 2]) == 'f' && FoldAscii(text[length - 1]) == 't') {
        factor = 0.3048;
        length -= 2;
    } else if (length >= 1 && FoldAscii(text[length - 1]) == 'm') {
        length -= 1;
    }
    double value;
    if (!ReadWholeNumber(text, length, &value))
        return false;
    *metres = value * factor;
    return true;
}

static void TakeHeader(const CupFields *fields, int columns[CUP_COLUMNS])
{
    static const struct { const char *word; CupColumn column; } words[] = {
        {"name", COLUMN_NAME}, {"title", COLUMN_NAME}, {"code", COLUMN_CODE},
        {"lat", COLUMN_LAT},   {"latitude", COLUMN_LAT}, {"lon", COLUMN_LON},
        {"longitude", COLUMN_LON}, {"elev", COLUMN_ELEV}, {"elevation", COLUMN_ELEV},
        {"desc", COLUMN_DESC}, {"description", COLUMN_DESC},
    };
    for (int c = 0; c < CUP_COLUMNS; c++)
        columns[c] = -1;
    for (size_t i = 0; i < fields->count; i++) {
        size_t length;
        const char *text = Field(fields, (int)i, &length);
        for (const auto &w : words)
            if (columns[w.column] < 0 && SameWord(text, length, w.word))
                columns[w.column] = (int)i;
    }
}

static bool LooksLikePoint(const CupFields *fields, const int columns[CUP_COLUMNS])
{
    size_t latLength, lonLength;
    const char *lat = Field(fields, columns[COLUMN_LAT], &latLength);
    const char *lon = Field(fields, columns[COLUMN_LON], &lonLength);
    double degrees;
    return ReadCupAngle(lat, latLength, 'N', 'S', &degrees) && ReadCupAngle(lon, lonLength, 'E', 'W', &degrees);
}

static void RawField(const CupFields *fields, int column, bool utf8, RawText *text)
{
    size_t length;
    const char *bytes = Field(fields, column, &length);
    BytesToRawText(bytes, length, utf8, text);
}

static bool TakePoint(const CupFields *fields, const int columns[CUP_COLUMNS], bool utf8, PointList *list)
{
    RawText name, code, description;
    RawField(fields, columns[COLUMN_NAME], utf8, &name);
    RawField(fields, columns[COLUMN_CODE], utf8, &code);
    RawField(fields, columns[COLUMN_DESC], utf8, &description);
    SourcePoint point;
    SetPointTexts(&point, &code, &description);
    if (point.name[0] == '\0') {
        SetPointTexts(&point, &name, &description);
    } else {
        TextToWindows1252(name.bytes, name.length, point.otherName);
        if (strcmp(point.otherName, point.name) == 0)
            point.otherName[0] = '\0';
    }
    size_t latLength, lonLength, elevLength;
    const char *lat = Field(fields, columns[COLUMN_LAT], &latLength);
    const char *lon = Field(fields, columns[COLUMN_LON], &lonLength);
    const char *elev = Field(fields, columns[COLUMN_ELEV], &elevLength);
    point.hasPosition = ReadCupAngle(lat, latLength, 'N', 'S', &point.latitude) &&
                        ReadCupAngle(lon, lonLength, 'E', 'W', &point.longitude);
    if (!point.hasPosition)
        point.latitude = point.longitude = 0;
    point.hasAltitude = ReadElevation(elev, elevLength, &point.altitude);
    if (!point.hasAltitude)
        point.altitude = 0;
    return AddPoint(list, point);
}

static bool IsBlankLine(const char *line, size_t length)
{
    for (size_t i = 0; i < length; i++)
        if (!IsBlank(line[i]))
            return false;
    return true;
}

static bool IsTasksLine(const char *line, size_t length)
{
    while (length > 0 && IsBlank(*line))
        line++, length--;
    while (length > 0 && IsBlank(line[length - 1]))
        length--;
    return SameWord(line, length, "-----related tasks-----");
}

void ReadCupPoints(ByteSource *source, bool utf8, PointList *list)
{
    static CupReader reader;   // kept off the stack: 8 KB
    SkipByteOrderMark(source);
    int columns[CUP_COLUMNS];
    memcpy(columns, kOlderColumns, sizeof columns);
    bool first = true;
    size_t length;
    while (NextLine(source, reader.line, sizeof reader.line, &length)) {
        if (IsBlankLine(reader.line, length))
            continue;
        if (IsTasksLine(reader.line, length))
            return;
        SplitCupLine(reader.line, length, &reader.fields);
        if (first) {
            first = false;
            if (!LooksLikePoint(&reader.fields, columns)) {
                TakeHeader(&reader.fields, columns);
                // Without coordinates in its columns the file holds no points.
                if (columns[COLUMN_LAT] < 0 || columns[COLUMN_LON] < 0)
                    return;
                continue;
            }
        }
        if (!TakePoint(&reader.fields, columns, utf8, list))
            return;
    }
}
