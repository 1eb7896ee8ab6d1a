// The export writes degrees from integers; the C runtime's printf of the
// same double is the reference, on both builds, down to the rounding of
// exact ties to the even digit. Random records are compared with printf by
// fuzz/fuzz_waypoints.cpp.
#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>

#include "waypoints/wptformat.h"

TEST(WaypointExport, DegreesAsTheRuntimesPrintfWritesThem)
{
    const double values[] = {
        0.0, -0.0, 1.0, 47.5, -11.25, 180.0, 360.0, 999.99999999995,
        47.5000007526, 11.2500003131, 180.0000050090,
        1.0 / 2048, 3.0 / 2048, 5.0 / 2048, 2047.0 / 2048,     // exact ties at the tenth decimal
        1.0 / 1024, 0.5, 0.25, 12.5 + 1.0 / 2048,
        0.99999999995, 0.999999999949999, 0.99999999999, 9.99999999999999,
        1e-10, 5e-11, 4.9999999999e-11, 1e-300, 4.9e-324,
        2147483647.99999, 2147483648.0, 4294967296.5, 1e15, 1.9497e40,
        1.7976931348623157e308, HUGE_VAL, -HUGE_VAL, NAN,
    };
    for (double value : values) {
        char own[128], printed[128];
        own[FormatDegrees(value, own, sizeof own)] = '\0';
        snprintf(printed, sizeof printed, "%14.10f", fabs(value));
        EXPECT_STREQ(own, printed) << value;
    }
}
