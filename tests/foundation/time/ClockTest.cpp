#include <gtest/gtest.h>

#include <windows.h>

#include "foundation/time/Clock.h"

using namespace s::time;

TEST(Clock, UnixSecondsToFileTime) {
    EXPECT_EQ(unixSecondsToFileTime(0), 116444736000000000ull);
    EXPECT_EQ(unixSecondsToFileTime(86400), 116445600000000000ull);
    // 2001-09-09 01:46:40 UTC, checked against the system's own conversion.
    SYSTEMTIME st = {2001, 9, 0, 9, 1, 46, 40, 0};
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
    EXPECT_EQ(unixSecondsToFileTime(1000000000ull), (uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

TEST(Clock, CurrentTimeMillisFollowsSystemClock) {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const int64_t before = int64_t(((uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) - kEpochOffset) / 10000;
    const int64_t a = currentTimeMillis();
    const int64_t b = currentTimeMillis();
    EXPECT_GE(a, before);
    EXPECT_LE(a - before, 5000);
    EXPECT_GE(b, a);
    EXPECT_GT(a, 1600000000000ll);  // later than September 2020
}

TEST(Clock, FitToAspect) {
    struct Case {
        int32_t srcW, srcH, boxW, boxH, wantW, wantH;
    };
    const Case cases[] = {
        {400, 300, 200, 200, 200, 150},  // wider source: height changes
        {300, 400, 200, 200, 150, 200},  // taller source: width changes
        {4, 3, 400, 300, 400, 300},      // same ratio: width recomputed to itself
        {3, 2, 5, 5, 5, 3},              // round(10 / 3)
        {2, 1, 5, 5, 5, 3},              // round(2.5) = 3: halves away from zero
        {1, 2, 5, 5, 3, 5},
        {0, 0, 640, 480, 640, 480},  // no ratio: box unchanged
        {0, 10, 640, 480, 0, 480},   // zero-width source
        {10, 0, 640, 480, 640, 0},   // zero-height source
        {100, 100, 0, 0, 0, 0},
        // Products beyond 32 bits: 70000 * 70000 would overflow a 32-bit product.
        {70000, 35000, 70000, 70000, 70000, 35000},
        {35000, 70000, 70000, 70000, 35000, 70000},
    };
    for (const Case& c : cases) {
        int32_t w = c.boxW, h = c.boxH;
        fitToAspect(c.srcW, c.srcH, &w, &h);
        EXPECT_EQ(w, c.wantW) << c.srcW << "x" << c.srcH << " into " << c.boxW << "x" << c.boxH;
        EXPECT_EQ(h, c.wantH) << c.srcW << "x" << c.srcH << " into " << c.boxW << "x" << c.boxH;
    }
}
