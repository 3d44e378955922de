// Resampling speed, driven run by run by bench/compare.py (see bench/run_resample.sh):
//   resize SLOT KERNEL W H [THREADS [reuse]]   scales the picture in SLOT into a new
// image (or one kept between runs) and answers with the milliseconds. Kernels: box, bilinear, hamming (at support 1.0,
// the width other resamplers give it), blackman, gaussian.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/BenchSupport.h"
#include "imaging/filters/Scale.h"
#include "imaging/image/BufferedImage.h"

using s::image::win::BufferedImage;
using namespace s::image::filters::scale;

int wmain() {
    HammingFilter* hamming = HammingFilter::create();
    hamming->setSupport(1.0);
    struct Kernel {
        const char* name;
        IScaleFilter* k;
    } kernels[] = {
        {"box", BoxFilter::shared()},           {"bilinear", BilinearFilter::shared()}, {"hamming", hamming},
        {"blackman", BlackmanFilter::shared()}, {"gaussian", GaussianFilter::shared()},
    };
    BufferedImage* kept = nullptr;
    return bench::serve([&](char** words, int count, BufferedImage** slots) -> std::string {
        if (std::strcmp(words[0], "resize") || count < 5) return "error unknown command";
        BufferedImage* src = slots[std::atoi(words[1]) & 3];
        IScaleFilter* k = nullptr;
        for (const Kernel& c : kernels)
            if (!std::strcmp(c.name, words[2])) k = c.k;
        if (!src || !k) return "error no picture or kernel";
        const int threads = count > 5 ? std::atoi(words[5]) : 1;
        // "reuse" scales into one destination kept between runs (its memory already touched).
        const bool reuse = count > 6 && !std::strcmp(words[6], "reuse");
        if (reuse && !kept) kept = BufferedImage::create();
        double t0 = bench::nowMs();
        BufferedImage* out =
            scaleImage(k, src, std::atoi(words[3]), std::atoi(words[4]), reuse ? kept : nullptr, threads);
        double t = bench::nowMs() - t0;
        if (!out) return "error scaling failed";
        if (!reuse) out->release();
        return bench::ms(t);
    });
}
