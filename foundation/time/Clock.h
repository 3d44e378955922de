// Wall-clock time in milliseconds since 1970, the file-time scale, and fitting a
// picture's aspect ratio into a box.
#pragma once

#include <cstdint>

namespace s::time {

// File time (100-ns ticks since 1601-01-01 UTC) of 1970-01-01 00:00 UTC.
constexpr uint64_t kEpochOffset = 116444736000000000ull;

// Milliseconds since 1970-01-01 00:00 UTC.
int64_t currentTimeMillis();

// Seconds since 1970 on the file-time scale.
uint64_t unixSecondsToFileTime(uint64_t seconds);

// Changes one side of the box so that it takes the source's aspect ratio: the height
// when the source is relatively wider than the box, else the width. A source (or box)
// that gives no usable ratio leaves the box as it is.
void fitToAspect(int32_t srcW, int32_t srcH, int32_t* boxW, int32_t* boxH);

}  // namespace s::time
