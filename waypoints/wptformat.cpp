// Formatting the exported waypoint file.
//
// Per point, with "\n" as CR LF on disk and * standing for the degree sign,
// the byte 0xBA:
//   W  GIPFEL A 47.5000007526*N 11.2500003131*W 27-MAR-62 00:00:00 1234.000000 Startplatz Nord
//   w  Waypoint,0,-1.0,16777215,255,1,7,,0.0,
// Readers split the point line on runs of blanks, so a name of up to six
// characters is padded to seven columns and a longer one gets one blank.
#include "waypoints/wptformat.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

const char kWaypointFileHeader[] = "G  WGS 84\nU  1\n";

// Not the double nearest to pi (...2D18) but one step above it, as files of
// this format have always been written; the last decimals can show the
// difference.
static const double kPi = 0x1.921FB54442D19p+1;

double WaypointDegrees(float radians)
{
    return (double)radians * 180 / kPi;
}

float WaypointRadians(double degrees)
{
    return (float)(degrees * kPi / 180);
}

static void AppendBlanks(LineText *line, size_t count)
{
    static const char blanks[] = "                ";
    while (count > 0) {
        size_t n = count < sizeof blanks - 1 ? count : sizeof blanks - 1;
        Append(line, blanks, n);
        count -= n;
    }
}

// Decimal digits of value, right-aligned in width columns with leading
// zeros; returns the number of digits written (at least width).
static size_t PutDigits(uint64_t value, size_t width, char *digits)
{
    char reversed[24];
    size_t n = 0;
    do {
        reversed[n++] = (char)('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n < width)
        reversed[n++] = '0';
    for (size_t i = 0; i < n; i++)
        digits[i] = reversed[n - 1 - i];
    return n;
}

// A 128-bit number as two halves, enough for a 53-bit mantissa times 5^10.
struct Wide {
    uint64_t high, low;
};

static bool WideBit(Wide value, unsigned bit)
{
    if (bit >= 128)
        return false;
    return bit >= 64 ? (value.high >> (bit - 64)) & 1 : (value.low >> bit) & 1;
}

// Whether any of the bits below bit are set.
static bool WideBitsBelow(Wide value, unsigned bit)
{
    if (bit >= 128)
        return value.high != 0 || value.low != 0;
    if (bit > 64)
        return value.low != 0 || (value.high & ((1ull << (bit - 64)) - 1)) != 0;
    if (bit == 64)
        return value.low != 0;
    return bit != 0 && (value.low & ((1ull << bit) - 1)) != 0;
}

static uint64_t WideShiftRight(Wide value, unsigned shift)
{
    if (shift >= 128)
        return 0;
    if (shift >= 64)
        return value.high >> (shift - 64);
    if (shift == 0)
        return value.low;
    return (value.low >> shift) | (value.high << (64 - shift));
}

// fraction (0 <= fraction < 1) times 10^10, rounded to the nearest integer
// and a tie to the even one, as printf rounds the exact binary value.
// The result is at most 10^10.
static uint64_t ScaleFraction(double fraction)
{
    if (fraction == 0)
        return 0;
    int exponent;
    double mantissa = frexp(fraction, &exponent);   // fraction = mantissa * 2^exponent
    uint64_t k = (uint64_t)ldexp(mantissa, 53);     // exact: fraction = k / 2^(53 - exponent)
    // fraction * 10^10 = k * 5^10 / 2^shift; the shift is at least 43.
    unsigned shift = (unsigned)(53 - exponent) - 10;
    const uint64_t fivePow10 = 9765625;
    uint64_t low = (k & 0xFFFFFFFFu) * fivePow10;
    uint64_t high = (k >> 32) * fivePow10;
    Wide product = {high >> 32, (high << 32) + low};
    if (product.low < low)
        product.high++;
    uint64_t scaled = WideShiftRight(product, shift);
    bool half = WideBit(product, shift - 1);
    bool sticky = WideBitsBelow(product, shift - 1);
    if (half && (sticky || (scaled & 1)))
        scaled++;
    return scaled;
}

size_t FormatDegrees(double degrees, char *text, size_t size)
{
    double value = fabs(degrees);
    // Angles of real points are written from integers; what lies beyond 2^31
    // (and NaN, infinity) only garbage records hold, and printf writes it.
    if (!(value < 2147483648.0)) {
        int length = snprintf(text, size, "%14.10f", value);
        if (length < 0 || size == 0)
            return 0;
        return (size_t)length < size ? (size_t)length : size - 1;
    }
    uint64_t whole = (uint64_t)value;
    uint64_t decimals = ScaleFraction(value - (double)whole);   // the subtraction is exact
    if (decimals == 10000000000ull) {
        whole++;
        decimals = 0;
    }
    char digits[40];
    size_t n = PutDigits(whole, 1, digits);
    digits[n++] = '.';
    n += PutDigits(decimals, 10, digits + n);
    LineText line = {text, size, 0};
    if (size > 0)
        text[0] = '\0';
    AppendBlanks(&line, n < 14 ? 14 - n : 0);
    Append(&line, digits, n);
    return line.length;
}

// "DeletedWP", "Waypoint", or "Thermal" and the letter kind + 63 (kinds 2 to
// 5 are ThermalA to ThermalD). The letter wraps round as a byte; for kind
// 193 it would be NUL, and the word ends after "Thermal".
static void AppendTypeWord(LineText *line, uint8_t kind)
{
    if (kind == KIND_DELETED) {
        AppendText(line, "DeletedWP");
    } else if (kind == KIND_WAYPOINT) {
        AppendText(line, "Waypoint");
    } else {
        char word[] = "Thermal?";
        word[7] = (char)(kind + 63);
        AppendText(line, word);
    }
}

// printf's "%5i": the sign and digits right-aligned in five columns.
static void AppendAltitude(LineText *line, int16_t altitude)
{
    char digits[8];
    size_t n = 0;
    if (altitude < 0)
        digits[n++] = '-';
    n += PutDigits(altitude < 0 ? (uint64_t)(-(int)altitude) : (uint64_t)altitude, 1, digits + n);
    AppendBlanks(line, n < 5 ? 5 - n : 0);
    Append(line, digits, n);
}

static void AppendDegrees(LineText *line, float radians, char positive, char negative)
{
    char degrees[64];
    Append(line, degrees, FormatDegrees(WaypointDegrees(radians), degrees, sizeof degrees));
    // The hemisphere comes from the stored value: a negative zero is N or E.
    char hemisphere[2] = {'\xBA', radians < 0 ? negative : positive};
    Append(line, hemisphere, 2);
}

// The pieces of both lines are put together here rather than by one printf
// format, which spent most of an export's time; a test holds the two equal.
size_t FormatWaypointLines(const Waypoint *point, char *text, size_t size)
{
    LineText line = {text, size, 0};
    if (size > 0)
        text[0] = '\0';
    AppendText(&line, "W  ");
    size_t nameLength = strlen(point->name);
    Append(&line, point->name, nameLength);
    AppendBlanks(&line, 7 - (nameLength > 6 ? 6 : nameLength));
    AppendText(&line, "A");
    AppendDegrees(&line, point->latitude, 'N', 'S');
    AppendDegrees(&line, point->longitude, 'E', 'W');
    AppendText(&line, " 27-MAR-62 00:00:00");
    AppendAltitude(&line, point->altitude);
    AppendText(&line, ".000000 ");
    AppendText(&line, point->description);
    AppendText(&line, "\nw  ");
    AppendTypeWord(&line, point->kind);
    AppendText(&line, ",0,-1.0,16777215,255,1,7,,0.0,\n");
    return line.length;
}
