// Resampling speed: a 4000 x 3000 RGBA picture to 1600 x 1200 and 400 x 300 with each
// kernel, and 1000 x 750 to 2000 x 1500. Prints milliseconds (best of several runs).
#include <windows.h>

#include <cstdio>

#include "bench/BenchSupport.h"
#include "imaging/filters/Scale.h"
#include "imaging/image/BufferedImage.h"

using s::image::win::BufferedImage;
using namespace s::image::filters::scale;

int wmain(int argc, wchar_t** argv)
{
    int runs = argc > 1 ? _wtoi(argv[1]) : 5;
    if (runs < 1) runs = 1;
    struct Kernel { const char* name; IScaleFilter* k; } kernels[] = {
        {"box", BoxFilter::shared()},         {"bilinear", BilinearFilter::shared()}, {"hamming", HammingFilter::shared()},
        {"blackman", BlackmanFilter::shared()}, {"gaussian", GaussianFilter::shared()},
    };
    struct Job { int sw, sh, dw, dh; } jobs[] = {{4000, 3000, 1600, 1200}, {4000, 3000, 400, 300}, {1000, 750, 2000, 1500}};
    BufferedImage* big = bench::photoLike(4000, 3000);
    BufferedImage* small = bench::photoLike(1000, 750);
    BufferedImage* out = BufferedImage::create();
    std::printf("%-10s %-22s %10s\n", "kernel", "size", "ms");
    for (const Job& j : jobs) {
        BufferedImage* src = j.sw == 4000 ? big : small;
        for (const Kernel& k : kernels) {
            double best = 1e30;
            for (int r = 0; r < runs; ++r) {
                double t0 = bench::nowMs();
                if (!scaleImage(k.k, src, j.dw, j.dh, out)) {
                    std::printf("scaling failed\n");
                    return 1;
                }
                double t = bench::nowMs() - t0;
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
