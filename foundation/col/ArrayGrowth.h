// Storage growth rule shared by the strings and the arrays.
#pragma once

#include <cstdint>

namespace s::col {

// One growth step from capacity c: below 100 -> 100, then x3 up to 9,999,999,
// x2 up to 49,999,999, x1.5 up to 99,999,999 and x1.2 beyond (truncated, capped at
// the largest 32-bit count).
inline uint32_t growthStep(uint32_t c) {
    uint64_t n;
    if (c < 100)
        n = 100;
    else if (c < 10000000u)
        n = uint64_t(c) * 3;
    else if (c < 50000000u)
        n = uint64_t(c) * 2;
    else if (c < 100000000u)
        n = uint64_t(c) * 3 / 2;
    else
        n = uint64_t(c) * 6 / 5;
    return n > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(n);
}

// Steps from the current capacity until the result holds at least n elements
// (the current capacity when it already does).
inline uint32_t grownCapacity(uint32_t capacity, uint32_t n) {
    uint32_t c = capacity;
    while (c < n) {
        uint32_t next = growthStep(c);
        if (next <= c) return n;  // cannot step further: take exactly n
        c = next;
    }
    return c;
}

}  // namespace s::col
