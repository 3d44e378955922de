// The vector loop of the brightness tone filters (Level, Curve), internal to
// imaging/filters/ColorFilters*.cpp.
#pragma once

#include <cstdint>

namespace s::image::filters::colors::kernels {

// Maps pixels 0..n-8*k of src into dst as the per-pixel tone path does with only a new
// value (no hue or saturation shift): value[max channel] becomes the new value, hue and
// saturation are kept in whole degrees and percent. Returns how many pixels it did (a
// multiple of 8); the caller does the rest. AVX2; call only when the processor has it.
int valueToneAvx2(const uint32_t* src, uint32_t* dst, int n, const int32_t* value);

}  // namespace s::image::filters::colors::kernels
