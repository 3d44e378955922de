// Resampling speed: a 4000 x 3000 RGBA picture to 1600 x 1200 and 400 x 300 with each
// kernel, and 1000 x 750 to 2000 x 1500. Prints milliseconds (best of several runs).
#include <windows.h>

#include <cstdio>
#include <random>

#include "imaging/filters/Scale.h"
#include "imaging/image/BufferedImage.h"

using s::image::win::BufferedImage;
using namespace s::image::filters::scale;

namespace {

double nowMs()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
}

BufferedImage* picture(int w, int h)
{
    // A smooth gradient with noise, like a photograph.
    BufferedImage* img = BufferedImage::createSized(w, h);
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

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int runs = argc > 1 ? _wtoi(argv[1]) : 5;
    if (runs < 1) runs = 1;
    struct Kernel { const char* name; IScaleFilter* k; } kernels[] = {
        {"box", BoxFilter::shared()},         {"bilinear", BilinearFilter::shared()}, {"hamming", HammingFilter::shared()},
        {"blackman", BlackmanFilter::shared()}, {"gaussian", GaussianFilter::shared()},
    };
    struct Job { int sw, sh, dw, dh; } jobs[] = {{4000, 3000, 1600, 1200}, {4000, 3000, 400, 300}, {1000, 750, 2000, 1500}};
    BufferedImage* big = picture(4000, 3000);
    BufferedImage* small = picture(1000, 750);
    BufferedImage* out = BufferedImage::create();
    std::printf("%-10s %-22s %10s\n", "kernel", "size", "ms");
    for (const Job& j : jobs) {
        BufferedImage* src = j.sw == 4000 ? big : small;
        for (const Kernel& k : kernels) {
            double best = 1e30;
            for (int r = 0; r < runs; ++r) {
                double t0 = nowMs();
                if (!scaleImage(k.k, src, j.dw, j.dh, out)) {
                    std::printf("scaling failed\n");
                    return 1;
                }
                double t = nowMs() - t0;
                if (t < best) best = t;
            }
            char size[64];
            std::snprintf(size, sizeof(size), "%dx%d->%dx%d", j.sw, j.sh, j.dw, j.dh);
            std::printf("%-10s %-22s %10.2f\n", k.name, size, best);
        }
    }
    std::fflush(stdout);
    out->release();
    big->release();
    small->release();
    return 0;
}
