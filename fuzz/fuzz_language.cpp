// Fuzzes the language file reader: any bytes must read without a fault,
// every slot must lie within the table's block and end there in a NUL, and
// slot n must be line n + 1 of the text (up to 0x1A, carriage returns left out).
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "device/stream.h"
#include "settings/language.h"

// Kept for the whole run: each input replaces the text of the last.
static LanguageTable g_table;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    Stream in = {fmemopen((void *)data, size, "rb"), true, false, false, false, 0};
    if (!in.file || !ReadLanguageFile(&g_table, &in))
        abort();
    CloseStream(&in);

    // The lines as the format defines them, read independently.
    std::string text((const char *)data, size);
    text = text.substr(0, text.find('\x1A'));
    std::string lines[LANGUAGE_SLOTS];
    int line = 0;
    for (char c : text) {
        if (c == '\n' && ++line == LANGUAGE_SLOTS)
            break;
        if (c != '\n' && c != '\r')
            lines[line] += c;
    }

    const char *block = g_table.text;
    for (int slot = -1; slot <= LANGUAGE_SLOTS; slot++) {
        const char *value = LanguageSlot(&g_table, slot);
        bool inBlock = value >= block && value <= block + size;
        if (slot < 0 || slot == LANGUAGE_SLOTS || slot > line) {
            if (*value != '\0')
                abort();
        } else if (!inBlock || !memchr(value, '\0', (size_t)(block + size + 1 - value)) ||
                   strcmp(value, lines[slot].c_str()) != 0) {
            abort();
        }
    }
    return 0;
}
