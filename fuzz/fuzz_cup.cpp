// Fuzzes the SeeYou CUP reader: any bytes as a file read without a fault,
// and every point mapped to a well-formed record (fuzz/import_check.h).
#include "fuzz/import_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CheckImport(data, size, [](ByteSource *source, bool utf8, PointList *list) {
        ReadCupPoints(source, utf8, list);
    });
    return 0;
}
