// The GPX reader (versions 1.0 and 1.1): every wpt and rtept with its lat
// and lon, and its name, desc (else cmt) and ele children.
//
// The document is read as XML, in one pass and with memory for one point:
// comments, processing instructions, CDATA, character and entity
// references, either quote style, namespace prefixes, and elements of any
// kind (extensions) around and inside the points. A DOCTYPE is skipped as a
// whole: nothing it declares is ever expanded.
#include <string.h>

#include "waypoints/importsource.h"

namespace {

enum GpxField { FIELD_NAME, FIELD_DESC, FIELD_CMT, FIELD_ELE, GPX_FIELDS, FIELD_NONE = GPX_FIELDS };

enum { NAME_SIZE = 16, NO_CHARACTER = -2 };

struct GpxReader {
    ByteSource *source;
    bool utf8;
    int pushed;         // a character read ahead, or NO_CHARACTER
    int depth;          // elements open
    int pointDepth;     // the depth of the open wpt or rtept; 0 outside
    int field;          // the point's child whose text is collected
    bool rootSeen;
    RawText texts[GPX_FIELDS];
    RawText lat, lon;
    bool hasLat, hasLon;
};

}   // namespace

static int Next(GpxReader *r)
{
    if (r->pushed != NO_CHARACTER) {
        int c = r->pushed;
        r->pushed = NO_CHARACTER;
        return c;
    }
    return NextCharacter(r->source, r->utf8);
}

static bool IsBlank(int c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

static int SkipBlanks(GpxReader *r, int c)
{
    while (IsBlank(c))
        c = Next(r);
    return c;
}

// Reads a name that begins with first; keeps its local part (behind the
// last colon) in local. Returns the character after the name.
static int ReadName(GpxReader *r, int first, char local[NAME_SIZE])
{
    size_t n = 0;
    bool tooLong = false;   // longer than any name looked for
    int c = first;
    for (; c >= 0 && !IsBlank(c) && c != '>' && c != '/' && c != '=' && c != '<'; c = Next(r)) {
        if (c == ':') {
            n = 0;
            tooLong = false;
        } else if (n + 1 < NAME_SIZE) {
            local[n++] = (char)c;
        } else {
            tooLong = true;
        }
    }
    local[tooLong ? 0 : n] = '\0';
    return c;
}

static bool Named(const char *local, const char *name)
{
    return strcmp(local, name) == 0;
}

// After "&": a character reference (&#38; &#x26;) or one of the five
// entities. Anything else stays as it was written.
static void ReadReference(GpxReader *r, RawText *into)
{
    char name[12];
    size_t n = 0;
    int c = Next(r);
    while (c >= 0 && c != ';' && n + 1 < sizeof name && !IsBlank(c) && c != '<' && c != '&') {
        name[n++] = (char)c;
        c = Next(r);
    }
    name[n] = '\0';
    uint32_t code = 0;
    bool known = c == ';';
    if (known && name[0] == '#') {
        bool hex = name[1] == 'x';
        known = name[hex ? 2 : 1] != '\0';
        for (const char *p = name + (hex ? 2 : 1); *p && known; p++) {
            int digit = *p >= '0' && *p <= '9' ? *p - '0'
                        : hex && *p >= 'a' && *p <= 'f' ? *p - 'a' + 10
                        : hex && *p >= 'A' && *p <= 'F' ? *p - 'A' + 10 : -1;
            known = digit >= 0 && code <= 0x10FFFF;
            code = code * (hex ? 16 : 10) + (uint32_t)(digit < 0 ? 0 : digit);
        }
        known = known && code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
    } else if (known) {
        static const struct { const char *name; char c; } entities[] = {
            {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
        known = false;
        for (const auto &entity : entities)
            if (strcmp(name, entity.name) == 0) {
                code = (uint32_t)entity.c;
                known = true;
            }
    }
    if (!into)
        return;
    if (known) {
        AppendCodePoint(into, code);
        return;
    }
    AppendCodePoint(into, '&');
    for (size_t i = 0; i < n; i++)
        AppendCodePoint(into, (uint8_t)name[i]);
    if (c >= 0)
        r->pushed = c;
}

// Where the text of the content goes now: the collected child of a point.
static RawText *TextTarget(GpxReader *r)
{
    if (r->pointDepth == 0 || r->field == FIELD_NONE || r->depth != r->pointDepth + 1)
        return NULL;
    return &r->texts[r->field];
}

// Skips up to and including end (of 2 or 3 characters).
static void SkipPast(GpxReader *r, const char *end)
{
    size_t length = strlen(end);
    char window[3] = {0, 0, 0};
    for (int c; (c = Next(r)) >= 0;) {
        window[0] = window[1];
        window[1] = window[2];
        window[2] = (char)c;
        if (memcmp(window + 3 - length, end, length) == 0)
            return;
    }
}

// After "<![": CDATA up to "]]>", taken as text as it is.
static void ReadCData(GpxReader *r)
{
    for (const char *p = "CDATA["; *p; p++)
        if (Next(r) != *p) {
            SkipPast(r, ">");
            return;
        }
    RawText *into = TextTarget(r);
    int brackets = 0;
    for (int c; (c = Next(r)) >= 0;) {
        if (c == ']') {
            brackets++;
            continue;
        }
        if (c == '>' && brackets >= 2) {
            brackets -= 2;
            for (; into && brackets > 0; brackets--)
                AppendCodePoint(into, ']');
            return;
        }
        for (; into && brackets > 0; brackets--)
            AppendCodePoint(into, ']');
        brackets = 0;
        if (into)
            AppendCodePoint(into, (uint32_t)c);
    }
}

// After "<!" and a first character: a declaration such as DOCTYPE, with an
// internal subset in brackets and quoted strings, skipped unread.
static void SkipDeclaration(GpxReader *r, int c)
{
    int brackets = 0, quote = 0;
    for (; c >= 0; c = Next(r)) {
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[') {
            brackets++;
        } else if (c == ']') {
            brackets--;
        } else if (c == '>' && brackets <= 0) {
            return;
        }
    }
}

static void EmitPoint(GpxReader *r, PointList *list, bool *full)
{
    SourcePoint point;
    SetPointTexts(&point, &r->texts[FIELD_NAME], &r->texts[FIELD_DESC]);
    if (point.description[0] == '\0')
        SetPointTexts(&point, &r->texts[FIELD_NAME], &r->texts[FIELD_CMT]);
    point.hasPosition = r->hasLat && r->hasLon && ReadWholeNumber(r->lat.bytes, r->lat.length, &point.latitude) &&
                        ReadWholeNumber(r->lon.bytes, r->lon.length, &point.longitude);
    if (!point.hasPosition)
        point.latitude = point.longitude = 0;
    point.hasAltitude = r->texts[FIELD_ELE].length > 0 &&
                        ReadWholeNumber(r->texts[FIELD_ELE].bytes, r->texts[FIELD_ELE].length, &point.altitude);
    if (!point.hasAltitude)
        point.altitude = 0;
    if (!AddPoint(list, point))
        *full = true;
}

static void EndElement(GpxReader *r, PointList *list, bool *full)
{
    if (r->pointDepth != 0 && r->depth == r->pointDepth + 1)
        r->field = FIELD_NONE;
    if (r->pointDepth != 0 && r->depth == r->pointDepth) {
        EmitPoint(r, list, full);
        r->pointDepth = 0;
    }
    if (r->depth > 0)
        r->depth--;
}

static void ClearText(RawText *text)
{
    text->length = 0;
    text->full = false;
}

// An attribute's value in either quote style, its references resolved.
static void ReadValue(GpxReader *r, int quote, RawText *into)
{
    ClearText(into);
    for (int c; (c = Next(r)) >= 0 && c != quote;) {
        if (c == '&')
            ReadReference(r, into);
        else
            AppendCodePoint(into, (uint32_t)c);
    }
}

// After "<" and the first character of a name. False when this is the
// document's root and it is not gpx.
static bool StartElement(GpxReader *r, int first, PointList *list, bool *full)
{
    char name[NAME_SIZE];
    int c = ReadName(r, first, name);
    if (!r->rootSeen) {
        r->rootSeen = true;
        if (!Named(name, "gpx"))
            return false;
    }
    bool point = r->pointDepth == 0 && (Named(name, "wpt") || Named(name, "rtept"));
    r->depth++;
    if (point) {
        for (RawText &text : r->texts)
            ClearText(&text);
        r->hasLat = r->hasLon = false;
        r->field = FIELD_NONE;
        r->pointDepth = r->depth;
    } else if (r->pointDepth != 0 && r->depth == r->pointDepth + 1) {
        r->field = Named(name, "name") ? FIELD_NAME : Named(name, "desc") ? FIELD_DESC
                   : Named(name, "cmt") ? FIELD_CMT : Named(name, "ele") ? FIELD_ELE : FIELD_NONE;
        if (r->field != FIELD_NONE)
            ClearText(&r->texts[r->field]);
    }
    bool closed = false;
    for (;;) {
        c = SkipBlanks(r, c);
        if (c < 0 || c == '>')
            break;
        if (c == '/') {
            c = Next(r);
            if (c == '>') {
                closed = true;
                break;
            }
            continue;
        }
        char attribute[NAME_SIZE];
        c = SkipBlanks(r, ReadName(r, c, attribute));
        if (c != '=') {
            if (c == '<') {   // broken markup: the next tag begins
                r->pushed = c;
                break;
            }
            if (!IsBlank(c) && c != '>' && c != '/' && c >= 0)
                c = Next(r);
            continue;
        }
        c = SkipBlanks(r, Next(r));
        if (c != '"' && c != '\'')
            continue;
        RawText scratch;
        RawText *into = point && Named(attribute, "lat") ? &r->lat : point && Named(attribute, "lon") ? &r->lon
                                                                                                        : &scratch;
        ReadValue(r, c, into);
        if (into == &r->lat)
            r->hasLat = true;
        if (into == &r->lon)
            r->hasLon = true;
        c = Next(r);
    }
    if (closed)
        EndElement(r, list, full);
    return true;
}

bool ReadGpxPoints(ByteSource *source, bool utf8, PointList *list)
{
    static GpxReader reader;   // kept off the stack: about 2 KB of text
    GpxReader *r = &reader;
    r->source = source;
    r->utf8 = utf8;
    r->pushed = NO_CHARACTER;
    r->depth = r->pointDepth = 0;
    r->field = FIELD_NONE;
    r->rootSeen = false;
    SkipByteOrderMark(source);
    bool full = false;
    for (int c; !full && (c = Next(r)) >= 0;) {
        if (c == '&') {
            ReadReference(r, TextTarget(r));
            continue;
        }
        if (c != '<') {
            if (RawText *into = TextTarget(r))
                AppendCodePoint(into, (uint32_t)c);
            continue;
        }
        c = Next(r);
        if (c == '!') {
            c = Next(r);
            if (c == '-') {
                if (Next(r) == '-')
                    SkipPast(r, "-->");
                else
                    SkipDeclaration(r, c);
            } else if (c == '[') {
                ReadCData(r);
            } else {
                SkipDeclaration(r, c);
            }
        } else if (c == '?') {
            SkipPast(r, "?>");
        } else if (c == '/') {
            char name[NAME_SIZE];
            SkipDeclaration(r, ReadName(r, Next(r), name));
            EndElement(r, list, &full);
        } else if (c >= 0) {
            if (!StartElement(r, c, list, &full))
                return false;
        }
    }
    return r->rootSeen;
}
