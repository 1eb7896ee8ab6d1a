// Fuzzes the settings file reader: any bytes must load without a fault, and
// what the writer makes of the result must be stable once read back.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "device/stream.h"
#include "settings/setupfile.h"

static void Load(const void *bytes, size_t size, Settings *settings)
{
    Stream in = {fmemopen((void *)bytes, size, "rb"), true, false, false, false, 0};
    if (!in.file)
        abort();
    ReadSetupFile(settings, &in);
    CloseStream(&in);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    Settings first;
    Load(data, size, &first);

    char once[SETUP_TEXT_SIZE], twice[SETUP_TEXT_SIZE], thrice[SETUP_TEXT_SIZE];
    size_t length = FormatSetupFile(&first, once, sizeof once);
    if (length == 0)
        abort();
    // Volume and contrast bytes above their caps read back capped, so the
    // text is stable from the second writing on.
    Settings second, third;
    Load(once, length, &second);
    size_t length2 = FormatSetupFile(&second, twice, sizeof twice);
    Load(twice, length2, &third);
    size_t length3 = FormatSetupFile(&third, thrice, sizeof thrice);
    if (length2 != length3 || memcmp(twice, thrice, length2) != 0)
        abort();
    // Every value is within what the instrument accepts.
    if (!(third.Sinkton >= 0 && third.Sinkton <= 5) || !(third.Steigton >= 0 && third.Steigton <= 5) ||
        third.Timeoffset < -12 || third.Timeoffset > 13 || third.Feld1 > 16 || third.Feld2 > 16 ||
        third.Sprache > 7 || third.Unit > 1 || third.CoordinateFormat > 2 ||
        third.Trackinterval < 1 || third.Trackinterval > 60 || third.Integralzeit < 1 ||
        third.Integralzeit > 60 || third.AirspaceWarnDistance > 10000 ||
        third.Lautstaerke > 8 || third.Contrast > 24)
        abort();
    return 0;
}
