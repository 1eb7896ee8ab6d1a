// Small text jobs that every part of the program shares: A-to-Z case
// folding, decimal digits, bounded paths and text built piece by piece.
// They know nothing of the instrument.
#ifndef TOLMARO_BASE_TEXT_H
#define TOLMARO_BASE_TEXT_H

#include <stddef.h>
#include <stdint.h>

enum { PATH_SIZE = 260 };   // 259 characters and the terminator

// The letters A to Z as a to z; every other byte as it is.
char FoldAscii(char c);

// Compares A to Z without regard to case, other bytes by their value
// (as unsigned bytes); the sign of the result orders the texts.
int CompareAsciiNoCase(const char *a, const char *b);

// Writes the decimal digits of value into out, at least width of them
// (leading zeros; width at most 20), without a terminator. Returns their
// number.
size_t FormatDigits(char *out, uint64_t value, size_t width);

// Writes folder, name and ending one after the other into out (PATH_SIZE
// bytes, not one of the three inputs). A path longer than 259 characters is
// refused, never cut: out is then "" and the result false.
bool FormPath(char *out, const char *folder, const char *name, const char *ending);

// Text built piece by piece; pieces that do not fit are cut, and the text
// always ends in NUL.
struct LineText {
    char *text;
    size_t size;
    size_t length;
};

void Append(LineText *line, const char *piece, size_t count);
void AppendText(LineText *line, const char *text);
void AppendDigits(LineText *line, uint64_t value, size_t width);

#endif
