// Shared pieces of the benchmarks: a millisecond clock, best-of-runs timing of two
// sides taken in turns, and a photograph-like picture.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "imaging/image/BufferedImage.h"

namespace bench {

inline double nowMs()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
}

// Best time of each side over the runs, the two sides taking turns run by run so
// that both see the same machine state.
template <class A, class B>
void bestOfBoth(A first, B second, int runs, double* firstMs, double* secondMs)
{
    *firstMs = *secondMs = 1e300;
    for (int i = 0; i < runs; ++i) {
        double t0 = nowMs();
        first();
        double t1 = nowMs();
        second();
        double t2 = nowMs();
        *firstMs = std::min(*firstMs, t1 - t0);
        *secondMs = std::min(*secondMs, t2 - t1);
    }
}

// A smooth gradient with noise, opaque, like a photograph (the same pixels every run).
inline s::image::win::BufferedImage* photoLike(int w, int h)
{
    auto* img = s::image::win::BufferedImage::createSized(w, h);
    if (!img->hasPixels()) return img;
    std::mt19937 rng(42);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = img->getRow(y);
        for (int x = 0; x < w; ++x) {
            uint32_t n = rng() & 0x1F;
            uint32_t r = (x * 255 / w + n) & 0xFF, g = (y * 255 / h + n) & 0xFF, b = ((x + y) * 127 / (w + h) + n) & 0xFF;
            row[x] = 0xFF000000u | r << 16 | g << 8 | b;
        }
    }
    return img;
}

}  // namespace bench
