// Fuzzes the pilot file reader: any bytes must read without a fault, every
// field must stay within its length, and a record read completely must come
// back unchanged from the file the writer makes of it.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "device/stream.h"
#include "pilot/pilotfile.h"

static bool Read(const void *bytes, size_t size, Pilot *pilot)
{
    Stream in = {fmemopen((void *)bytes, size, "rb"), true, false, false, false, 0};
    if (!in.file)
        abort();
    char text[PILOT_TEXT_LENGTH + 1];
    ReadPilotText(&in, text, sizeof text);
    CloseStream(&in);
    return ParsePilotText(text, pilot);
}

static bool EndsWithCarriageReturn(const char *value)
{
    size_t length = strlen(value);
    return length > 0 && value[length - 1] == '\r';
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    Pilot first;
    memset(&first, 0, sizeof first);
    bool complete = Read(data, size, &first);
    if (strlen(first.igcId) > IGC_ID_LENGTH || strlen(first.pilot) > PILOT_NAME_LENGTH ||
        strlen(first.glider) > PILOT_NAME_LENGTH || strlen(first.gliderClass) > PILOT_NAME_LENGTH)
        abort();
    if (!complete)
        return 0;

    // Written in binary mode and read in text mode, a carriage return right
    // before a line feed is taken for a CR LF line end: such values cannot
    // come back whole, and the program's checks never let one be written.
    if (EndsWithCarriageReturn(first.igcId) || EndsWithCarriageReturn(first.pilot) ||
        EndsWithCarriageReturn(first.glider) || EndsWithCarriageReturn(first.gliderClass))
        return 0;
    char text[PILOT_FILE_SIZE];
    size_t length = FormatPilotFile(&first, text, sizeof text);
    if (length == 0)
        abort();
    Pilot second;
    memset(&second, 0, sizeof second);
    if (!Read(text, length, &second) || memcmp(&first, &second, sizeof first) != 0)
        abort();
    return 0;
}
