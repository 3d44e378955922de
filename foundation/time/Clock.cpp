#include "foundation/time/Clock.h"

#include <windows.h>

#include <cmath>

namespace s::time {

int64_t currentTimeMillis() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const int64_t ticks = int64_t((uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
    return (ticks - int64_t(kEpochOffset)) / 10000;
}

uint64_t unixSecondsToFileTime(uint64_t seconds) { return seconds * 10000000ull + kEpochOffset; }

namespace {

// round(float(a * b) / c), halves away from zero, kept within 32 bits.
// The product is taken in 64 bits so that large sizes do not overflow.
int32_t scaledSide(int32_t a, int32_t b, int32_t c) {
    const float q = float(int64_t(a) * int64_t(b)) / float(c);
    if (!(q == q)) return 0;
    if (q >= 2147483647.0f) return INT32_MAX;
    if (q <= -2147483648.0f) return INT32_MIN;
    return int32_t(std::lround(q));
}

}  // namespace

void fitToAspect(int32_t srcW, int32_t srcH, int32_t* boxW, int32_t* boxH) {
    if (!boxW || !boxH) return;
    const float srcRatio = float(srcW) / float(srcH);
    const float boxRatio = float(*boxW) / float(*boxH);
    if (srcRatio > boxRatio) {
        if (srcW == 0) return;
        *boxH = scaledSide(*boxW, srcH, srcW);
    } else {
        if (srcH == 0) return;  // includes the 0x0 source: no ratio to fit
        *boxW = scaledSide(*boxH, srcW, srcH);
    }
}

}  // namespace s::time
