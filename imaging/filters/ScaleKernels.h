// The inner loops of the resampler, one set per instruction set, behind one interface
// so the scaler picks a set once at run time. All sets give the same bytes.
// Internal to imaging/filters/Scale*.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/filters/Scale.h"

namespace s::image::filters::scale::kernels {

// The horizontal weights laid out for the vector loops, two taps at a time for 16-bit
// multiply-adds. An entry whose weights all fit in 15 bits ("small") holds per pair of
// taps 8 int16: the pair four times. Any other entry splits every 16.16 weight w into
// hi * 256 + lo (hi <= 256, lo < 256), which leaves the integer sums unchanged, and
// holds per pair 16 int16: the hi pair four times, then the lo pair four times.
struct PackedWeights {
    const int16_t* pairs = nullptr;
    const int32_t* offsets = nullptr;  // per entry: where it starts in pairs, in units of 8 int16
    const uint8_t* small = nullptr;    // per entry: 1 when its weights fit in 15 bits
};

// True when every weight fits a signed 16-bit multiply as it is.
inline bool smallWeights(const int32_t* w, int taps) {
    for (int k = 0; k < taps; ++k)
        if (w[k] > 32767) return false;
    return true;
}

// Scales rows src[0..rows) horizontally into dst[0..rows), c.count() pixels each.
using HorizontalFn = void (*)(const Contribution& c, const PackedWeights& pw, const uint8_t* const* src,
                              uint8_t* const* dst, int rows);
// One output row of the vertical pass: the weighted sum of taps rows, bytes bytes each.
using VerticalFn = void (*)(const uint8_t* const* rows, const int32_t* w, int taps, size_t bytes, uint8_t* dst);

void horizontalAvx2(const Contribution& c, const PackedWeights& pw, const uint8_t* const* src, uint8_t* const* dst,
                    int rows);
void verticalAvx2(const uint8_t* const* rows, const int32_t* w, int taps, size_t bytes, uint8_t* dst);

// The plain loop for the bytes a vector loop leaves over at the end of a row.
inline void verticalTail(const uint8_t* const* rows, const int32_t* w, int taps, size_t from, size_t bytes,
                         uint8_t* dst) {
    for (size_t b = from; b < bytes; ++b) {
        int32_t sum = 0;
        for (int j = 0; j < taps; ++j) sum += w[j] * int32_t(rows[j][b]);
        dst[b] = uint8_t((sum + 32768) >> 16 & 0xFF);
    }
}

}  // namespace s::image::filters::scale::kernels
