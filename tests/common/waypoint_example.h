// The worked example of the waypoint file format, which both builds must
// write byte for byte: GIPFEL at 47.5 N, 11.25 W, 1234, kind 1.
#ifndef TOLMARO_TEST_WAYPOINT_EXAMPLE_H
#define TOLMARO_TEST_WAYPOINT_EXAMPLE_H

inline constexpr char kExampleRecord[] =
    "\xBE\x49\x0F\xDB" "\x3F\x54\x3B\x67" "\x04\xD2"
    "Startplatz Nord\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"
    "GIPFEL\0" "\x01" "\0\0\0";

inline constexpr char kExampleLines[] =
    "W  GIPFEL A 47.5000007526\xBAN 11.2500003131\xBAW 27-MAR-62 00:00:00 1234.000000 Startplatz Nord\r\n"
    "w  Waypoint,0,-1.0,16777215,255,1,7,,0.0,\r\n";

#endif
