// The instrument's settings: the Settings record and the codec of its
// settings file "SETUP\setupdata.txt".
//
// The file is fifteen lines "Key:value;" (CR LF on disk) and a final "*".
// Values are read leniently: out of range values are clamped or replaced by
// the default, never rejected; unknown lines are skipped.
#ifndef TOLMARO_SETUPFILE_H
#define TOLMARO_SETUPFILE_H

#include <stddef.h>
#include <stdint.h>

struct Stream;

struct Settings {
    float Sinkton;                  // held positive, written negated
    float Steigton;
    int32_t Timeoffset;
    uint8_t Trackinterval;
    uint8_t Lautstaerke;
    uint8_t Feld1;
    uint8_t Feld2;
    uint8_t Sprache;
    uint8_t Contrast;
    float POffset;
    uint8_t TOffset;
    uint16_t AirspaceWarnDistance;
    uint8_t Unit;
    uint8_t CoordinateFormat;
    uint8_t Integralzeit;
};

// The copies of eight fields that the settings pages edit before a save.
struct WorkingValues {
    float Sinkton;
    float Steigton;
    int32_t Timeoffset;
    uint8_t Trackinterval;
    uint8_t Lautstaerke;
    uint8_t Contrast;
    uint16_t AirspaceWarnDistance;
    uint8_t Integralzeit;
};

enum {
    SETUP_LINE_SIZE = 256,    // a line is read in pieces of at most 255 characters
    SETUP_TEXT_SIZE = 1024,   // room for the whole file as written
};

void SetDefaultSettings(Settings *settings);

// Applies one line to the record. Returns false for a line that begins
// with "*", which ends the file.
bool ApplySetupLine(Settings *settings, const char *line);

// Resets the record to the defaults and reads the stream over it.
void ReadSetupFile(Settings *settings, Stream *in);

// Formats the whole file, "\n" line ends (the stream's text mode makes them
// CR LF). Returns the length, or 0 if size is too small.
size_t FormatSetupFile(const Settings *settings, char *out, size_t size);

void CopySettingsToWorking(const Settings *settings, WorkingValues *working);

// The six values of settings page 2 from the Settings record to the working
// values or back, which carry the same names.
template <typename To, typename From> void CopyPage2Values(To *to, const From *from)
{
    to->Sinkton = from->Sinkton;
    to->Steigton = from->Steigton;
    to->Timeoffset = from->Timeoffset;
    to->Trackinterval = from->Trackinterval;
    to->Integralzeit = from->Integralzeit;
    to->AirspaceWarnDistance = from->AirspaceWarnDistance;
}

// Number parsing as the instrument's files need it: leading white space,
// optional sign, decimal digits ("." and an exponent for reals); parsing
// stops at the first character that does not belong; no number gives 0.
// Integers saturate at the 32-bit limits.
double ParseReal(const char *text);
int32_t ParseInteger(const char *text);

#endif
