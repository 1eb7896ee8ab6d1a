// The Language text table.
#include "settings/language.h"

#include <stdlib.h>
#include <string.h>

#include "device/stream.h"

static char g_fallback[] = "NULL";

static void ReleaseText(LanguageTable *table)
{
    if (table->text != g_fallback)
        free(table->text);
    table->text = NULL;
}

bool ReadLanguageFile(LanguageTable *table, Stream *in)
{
    // A language file is a few kilobytes; one beyond 2 GB is read that far.
    int64_t size = StreamSize(in);
    size_t length = size < 0 ? 0 : size > INT32_MAX ? (size_t)INT32_MAX : (size_t)size;
    ReleaseText(table);
    // One byte more than the file, so that a last line without a line feed
    // ends at the end of the text.
    table->text = (char *)malloc(length + 1);
    for (int i = 0; i < LANGUAGE_SLOTS; i++)
        table->slots[i] = "";
    if (!table->text)
        return false;

    char *out = table->text;
    table->slots[0] = out;
    int next = 1;
    for (int c; (c = ReadChar(in)) != EOF && out < table->text + length;) {
        if (c == '\r')
            continue;
        if (c == '\n') {
            *out++ = '\0';
            if (next < LANGUAGE_SLOTS)
                table->slots[next++] = out;
            continue;
        }
        *out++ = (char)c;
    }
    *out = '\0';
    return true;
}

void UseLanguageFallback(LanguageTable *table)
{
    if (table->text)
        return;
    table->text = g_fallback;
    for (int i = 0; i < LANGUAGE_SLOTS; i++)
        table->slots[i] = g_fallback;
}

const char *LanguageSlot(const LanguageTable *table, int slot)
{
    if (slot < 0 || slot >= LANGUAGE_SLOTS || !table->slots[slot])
        return "";
    return table->slots[slot];
}
