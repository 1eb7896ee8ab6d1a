// The pilot file codec: reading the four keyed lines, the character and
// length rules of the instrument, and the exact bytes written.
#include "pilot/pilotfile.h"

#include <stdio.h>
#include <string.h>

#include "device/stream.h"
#include "settings/labels.h"

const char kPilotFileName[] = "SETUP\\igcheader.txt";
const char kPilotTempName[] = "SETUP\\igcheader.new";

// The keys in file order. Keys 2 to 4 are IGC header records of source O;
// the blank after each colon belongs to the key.
static const char kIdKey[] = "ID";
static const char kPilotKey[] = "HOPLTPILOT: ";
static const char kGliderKey[] = "HOGTYGLIDERTYPE: ";
static const char kClassKey[] = "HOCCLCOMPETITION CLASS: ";

size_t ReadPilotText(Stream *in, char *text, size_t size)
{
    if (size == 0)
        return 0;
    size_t limit = size - 1;
    if (limit > (size_t)PILOT_TEXT_LENGTH)
        limit = PILOT_TEXT_LENGTH;
    size_t n = 0;
    for (int c; n < limit && (c = ReadChar(in)) != EOF;)
        text[n++] = (char)c;
    text[n] = '\0';
    return n;
}

int ReadPilotField(const char **cursor, const char *key, char *value, size_t maxLength)
{
    const char *line = *cursor;
    size_t keyLength = strlen(key);
    // The key is looked for only at the cursor, never further on.
    if (strncmp(line, key, keyLength) != 0)
        return PILOT_FIELD_MISSING;
    const char *start = line + keyLength;
    const char *end = strchr(start, '\n');
    // A last line without its line feed is not a complete field.
    if (!end)
        return PILOT_FIELD_MISSING;
    size_t length = (size_t)(end - start);
    if (length > maxLength)
        length = maxLength;
    memcpy(value, start, length);
    value[length] = '\0';
    *cursor = end + 1;
    return (int)length;
}

bool ParsePilotText(const char *text, Pilot *pilot)
{
    const char *cursor = text;
    return ReadPilotField(&cursor, kIdKey, pilot->igcId, IGC_ID_LENGTH) != PILOT_FIELD_MISSING &&
           ReadPilotField(&cursor, kPilotKey, pilot->pilot, PILOT_NAME_LENGTH) != PILOT_FIELD_MISSING &&
           ReadPilotField(&cursor, kGliderKey, pilot->glider, PILOT_NAME_LENGTH) != PILOT_FIELD_MISSING &&
           ReadPilotField(&cursor, kClassKey, pilot->gliderClass, PILOT_NAME_LENGTH) != PILOT_FIELD_MISSING;
}

static bool IsAllowedPilotChar(unsigned char c)
{
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
        return true;
    // Blank ( ) degree sign + - / , and the lower-case umlauts a o u
    // (Windows-1252). Capital umlauts and the sharp s are not among them.
    static const char kOthers[] = " ()\xB0+-/,\xE4\xF6\xFC";
    return c != '\0' && strchr(kOthers, c) != NULL;
}

bool IsAllowedPilotText(const char *text)
{
    for (const unsigned char *p = (const unsigned char *)text; *p; p++)
        if (!IsAllowedPilotChar(*p))
            return false;
    return true;
}

int FindGliderClass(const char *name)
{
    // Item 0 "<>" is saved as the empty class, so the empty class is item 0.
    if (name[0] == '\0')
        return 0;
    for (int i = 0; i < GLIDER_CLASS_COUNT; i++)
        if (strcmp(name, BuiltInLabel(LABEL_GLIDER_CLASS + i)) == 0)
            return i;
    return -1;
}

void PadIgcId(const char *text, char *igcId)
{
    size_t length = strnlen(text, IGC_ID_LENGTH);
    memcpy(igcId, text, length);
    memset(igcId + length, 'X', IGC_ID_LENGTH - length);
    igcId[IGC_ID_LENGTH] = '\0';
}

void TakeClassSelection(Pilot *pilot, int selection)
{
    if (selection == 0)
        pilot->gliderClass[0] = '\0';
    else if (selection > 0 && selection < GLIDER_CLASS_COUNT)
        snprintf(pilot->gliderClass, sizeof pilot->gliderClass, "%s",
                 BuiltInLabel(LABEL_GLIDER_CLASS + selection));
}

size_t FormatPilotFile(const Pilot *pilot, char *out, size_t size)
{
    int length = snprintf(out, size, "%s%s\n%s%s\n%s%s\n%s%s\n", kIdKey, pilot->igcId, kPilotKey,
                          pilot->pilot, kGliderKey, pilot->glider, kClassKey, pilot->gliderClass);
    if (length < 0 || (size_t)length >= size)
        return 0;
    return (size_t)length;
}

bool WritePilotFile(const Pilot *pilot, const char *tempPath, const char *path)
{
    char text[PILOT_FILE_SIZE];
    size_t length = FormatPilotFile(pilot, text, sizeof text);
    if (length == 0)
        return false;
    Stream out;
    if (!OpenStream(&out, tempPath, "wb"))
        return false;
    WriteBytes(&out, text, length);
    return FinishSave(&out, tempPath, path);
}
