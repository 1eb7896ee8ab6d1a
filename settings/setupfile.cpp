// Settings record defaults, the settings file reader with its clamps, and
// the writer.
#include "settings/setupfile.h"

#include <float.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "device/stream.h"

enum FieldType { FIELD_REAL, FIELD_INT32, FIELD_BYTE, FIELD_WORD };

// How a parsed number becomes the stored value.
enum LoadRule {
    RULE_NEGATED_RANGE,   // negate, then limit to low..high
    RULE_RANGE,           // limit to low..high
    RULE_CAP_THEN_BYTE,   // above high becomes high, then the low byte
    RULE_BYTE_OR_DEFAULT, // the low byte; above high becomes the default
    RULE_BYTE,            // the low byte
    RULE_AS_READ,         // kept as read (a real kept finite)
};

struct SetupKey {
    const char *name;
    FieldType type;
    size_t offset;
    double byDefault;
    LoadRule rule;
    double low, high;
    int decimals;       // reals: digits after the point when written
};

// One line per key, in the order the file is written and keys are matched.
static const SetupKey kSetupKeys[] = {
    {"Sinkton",              FIELD_REAL,  offsetof(Settings, Sinkton),              2.5,  RULE_NEGATED_RANGE,   0, 5,     1},
    {"Steigton",             FIELD_REAL,  offsetof(Settings, Steigton),             0.3,  RULE_RANGE,           0, 5,     1},
    {"Timeoffset",           FIELD_INT32, offsetof(Settings, Timeoffset),           1,    RULE_RANGE,         -12, 13,    0},
    {"Trackinterval",        FIELD_BYTE,  offsetof(Settings, Trackinterval),        1,    RULE_RANGE,           1, 60,    0},
    {"Lautstaerke",          FIELD_BYTE,  offsetof(Settings, Lautstaerke),          4,    RULE_CAP_THEN_BYTE,   0, 8,     0},
    {"Feld1",                FIELD_BYTE,  offsetof(Settings, Feld1),                2,    RULE_BYTE_OR_DEFAULT, 0, 16,    0},
    {"Feld2",                FIELD_BYTE,  offsetof(Settings, Feld2),                1,    RULE_BYTE_OR_DEFAULT, 0, 16,    0},
    {"Sprache",              FIELD_BYTE,  offsetof(Settings, Sprache),              0,    RULE_BYTE_OR_DEFAULT, 0, 7,     0},
    {"Contrast",             FIELD_BYTE,  offsetof(Settings, Contrast),             12,   RULE_CAP_THEN_BYTE,   0, 24,    0},
    {"POffset",              FIELD_REAL,  offsetof(Settings, POffset),              0,    RULE_AS_READ,         0, 0,     2},
    {"TOffset",              FIELD_BYTE,  offsetof(Settings, TOffset),              0,    RULE_BYTE,            0, 0,     0},
    {"AirspaceWarnDistance", FIELD_WORD,  offsetof(Settings, AirspaceWarnDistance), 1000, RULE_RANGE,           0, 10000, 0},
    {"Unit",                 FIELD_BYTE,  offsetof(Settings, Unit),                 0,    RULE_BYTE_OR_DEFAULT, 0, 1,     0},
    {"CoordinateFormat",     FIELD_BYTE,  offsetof(Settings, CoordinateFormat),     0,    RULE_BYTE_OR_DEFAULT, 0, 2,     0},
    {"Integralzeit",         FIELD_BYTE,  offsetof(Settings, Integralzeit),         3,    RULE_RANGE,           1, 60,    0},
};
enum { SETUP_KEY_COUNT = sizeof kSetupKeys / sizeof kSetupKeys[0] };

static void *FieldOf(Settings *settings, const SetupKey *key)
{
    return (char *)settings + key->offset;
}

static const void *FieldOf(const Settings *settings, const SetupKey *key)
{
    return (const char *)settings + key->offset;
}

static double Limit(double value, double low, double high)
{
    return value < low ? low : value > high ? high : value;
}

// Stores a value that is already within the field's type.
static void StoreField(Settings *settings, const SetupKey *key, double value)
{
    void *field = FieldOf(settings, key);
    switch (key->type) {
    case FIELD_REAL:  *(float *)field = (float)value; break;
    case FIELD_INT32: *(int32_t *)field = (int32_t)value; break;
    case FIELD_BYTE:  *(uint8_t *)field = (uint8_t)value; break;
    case FIELD_WORD:  *(uint16_t *)field = (uint16_t)value; break;
    }
}

void SetDefaultSettings(Settings *settings)
{
    memset(settings, 0, sizeof *settings);
    for (int i = 0; i < SETUP_KEY_COUNT; i++)
        StoreField(settings, &kSetupKeys[i], kSetupKeys[i].byDefault);
}

static const char *SkipSpace(const char *p)
{
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        p++;
    return p;
}

static bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int32_t ParseInteger(const char *text)
{
    const char *p = SkipSpace(text);
    bool negative = *p == '-';
    if (*p == '+' || *p == '-')
        p++;
    // Saturate like a 32-bit strtol, whatever the width of long here.
    int64_t value = 0;
    for (; IsDigit(*p); p++) {
        value = value * 10 + (*p - '0');
        if (value > (int64_t)INT32_MAX + 1)
            value = (int64_t)INT32_MAX + 1;
    }
    if (negative)
        return (int32_t)(-value < INT32_MIN ? INT32_MIN : -value);
    return (int32_t)(value > INT32_MAX ? INT32_MAX : value);
}

double ParseReal(const char *text)
{
    // Find the extent of the number first, so that the C library never sees
    // the forms this file does not use (hexadecimal, "inf", "nan").
    const char *start = SkipSpace(text);
    const char *p = start;
    if (*p == '+' || *p == '-')
        p++;
    int digits = 0;
    for (; IsDigit(*p); p++)
        digits++;
    if (*p == '.')
        for (p++; IsDigit(*p); p++)
            digits++;
    if (digits == 0)
        return 0.0;
    if (*p == 'e' || *p == 'E') {
        const char *q = p + 1;
        if (*q == '+' || *q == '-')
            q++;
        if (IsDigit(*q)) {
            while (IsDigit(*q))
                q++;
            p = q;
        }
    }
    char number[SETUP_LINE_SIZE];
    size_t length = (size_t)(p - start);
    if (length >= sizeof number)
        length = sizeof number - 1;
    memcpy(number, start, length);
    number[length] = '\0';
    return strtod(number, NULL);
}

static double LoadValue(const SetupKey *key, const char *text)
{
    if (key->type == FIELD_REAL) {
        double value = ParseReal(text);
        // Adding 0.0 turns a negative zero into zero, so that every zero
        // threshold is written "-0.0" like the one set on the page.
        if (key->rule == RULE_NEGATED_RANGE)
            return Limit(-value, key->low, key->high) + 0.0;
        if (key->rule == RULE_RANGE)
            return Limit(value, key->low, key->high);
        // Kept as read, but finite: a value beyond the float range would be
        // written back as "inf", which no reader takes for a number.
        return Limit(value, -FLT_MAX, FLT_MAX);
    }
    int32_t value = ParseInteger(text);
    switch (key->rule) {
    case RULE_RANGE:
        return Limit(value, key->low, key->high);
    case RULE_CAP_THEN_BYTE:
        return (uint8_t)(value > key->high ? (int32_t)key->high : value);
    case RULE_BYTE_OR_DEFAULT:
        return (uint8_t)value > key->high ? key->byDefault : (uint8_t)value;
    default:
        return (uint8_t)value;
    }
}

bool ApplySetupLine(Settings *settings, const char *line)
{
    if (line[0] == '*')
        return false;
    for (int i = 0; i < SETUP_KEY_COUNT; i++) {
        const SetupKey *key = &kSetupKeys[i];
        size_t length = strlen(key->name);
        if (strncmp(line, key->name, length) == 0 && line[length] == ':') {
            StoreField(settings, key, LoadValue(key, line + length + 1));
            break;
        }
    }
    return true;
}

void ReadSetupFile(Settings *settings, Stream *in)
{
    SetDefaultSettings(settings);
    char line[SETUP_LINE_SIZE];
    while (ReadLine(in, line, sizeof line))
        if (!ApplySetupLine(settings, line))
            break;
}

// Formats one value with the blanks of a padded format already left out.
static void FormatValue(const Settings *settings, const SetupKey *key, char *out, size_t size)
{
    const void *field = FieldOf(settings, key);
    switch (key->type) {
    case FIELD_REAL: {
        double value = *(const float *)field;
        // The sink threshold is held positive; a zero is written "-0.0".
        if (key->rule == RULE_NEGATED_RANGE)
            value = -value;
        snprintf(out, size, "%.*f", key->decimals, value);
        break;
    }
    case FIELD_INT32: snprintf(out, size, "%d", (int)*(const int32_t *)field); break;
    case FIELD_BYTE:  snprintf(out, size, "%u", (unsigned)*(const uint8_t *)field); break;
    case FIELD_WORD:  snprintf(out, size, "%u", (unsigned)*(const uint16_t *)field); break;
    }
}

size_t FormatSetupFile(const Settings *settings, char *out, size_t size)
{
    size_t used = 0;
    for (int i = 0; i < SETUP_KEY_COUNT; i++) {
        char value[64];
        FormatValue(settings, &kSetupKeys[i], value, sizeof value);
        int n = snprintf(out + used, size - used, "%s:%s;\n", kSetupKeys[i].name, value);
        if (n < 0 || (size_t)n >= size - used)
            return 0;
        used += (size_t)n;
    }
    if (used + 2 > size)
        return 0;
    out[used++] = '*';
    out[used] = '\0';
    return used;
}

void CopySettingsToWorking(const Settings *settings, WorkingValues *working)
{
    CopyPage2Values(working, settings);
    working->Lautstaerke = settings->Lautstaerke;
    working->Contrast = settings->Contrast;
}
