// Case folding, digits, paths and piecewise text, written once.
#include "base/text.h"

#include <string.h>

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
}

int CompareAsciiNoCase(const char *a, const char *b)
{
    for (;; a++, b++) {
        unsigned char x = (unsigned char)FoldAscii(*a), y = (unsigned char)FoldAscii(*b);
        if (x != y || x == 0)
            return (int)x - (int)y;
    }
}

size_t FormatDigits(char *out, uint64_t value, size_t width)
{
    char digits[20];   // 2^64 has 20 digits
    size_t n = sizeof digits;
    if (width > sizeof digits)
        width = sizeof digits;
    do {
        digits[--n] = (char)('0' + value % 10);
        value /= 10;
    } while (value != 0 || sizeof digits - n < width);
    memcpy(out, digits + n, sizeof digits - n);
    return sizeof digits - n;
}

bool FormPath(char *out, const char *folder, const char *name, const char *ending)
{
    size_t folderLength = strlen(folder);
    size_t nameLength = strlen(name);
    size_t endingLength = strlen(ending);
    // Added one at a time, so that no sum can wrap around.
    if (folderLength >= PATH_SIZE || nameLength >= PATH_SIZE - folderLength ||
        endingLength >= PATH_SIZE - folderLength - nameLength) {
        out[0] = '\0';
        return false;
    }
    memcpy(out, folder, folderLength);
    memcpy(out + folderLength, name, nameLength);
    memcpy(out + folderLength + nameLength, ending, endingLength + 1);
    return true;
}

void Append(LineText *line, const char *piece, size_t count)
{
    if (line->size == 0)
        return;
    size_t room = line->size - 1 - line->length;
    if (count > room)
        count = room;
    memcpy(line->text + line->length, piece, count);
    line->length += count;
    line->text[line->length] = '\0';
}

void AppendText(LineText *line, const char *text)
{
    Append(line, text, strlen(text));
}

void AppendDigits(LineText *line, uint64_t value, size_t width)
{
    char digits[20];
    Append(line, digits, FormatDigits(digits, value, width));
}
