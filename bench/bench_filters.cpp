// Filter speed on a 4000 x 3000 RGBA picture: each filter into a new pooled image, as
// the filter chain runs them. Prints one line per filter: name and milliseconds (best
// of several runs). With a second argument (a Windows path) the picture is also written
// there as raw top-down BGRA rows, so other tools can time the same pixels.
//   bench_filters [runs] [picture.raw]
#include <windows.h>

#include <cstdio>

#include "bench/BenchSupport.h"
#include "imaging/filters/ColorFilters.h"
#include "imaging/filters/Geometry.h"
#include "imaging/filters/Sharpness.h"
#include "imaging/filters/ShearRotation.h"
#include "imaging/image/BufferedImage.h"

using s::image::win::BufferedImage;
using namespace s::image::filters;

namespace {

bool writeRaw(BufferedImage* img, const wchar_t* path)
{
    HANDLE f = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    for (int y = 0; y < img->getHeight() && ok; ++y) {
        DWORD done = 0;
        ok = WriteFile(f, img->getRow(y), DWORD(img->getRowBytes()), &done, nullptr) && done == DWORD(img->getRowBytes());
    }
    CloseHandle(f);
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int runs = argc > 1 ? _wtoi(argv[1]) : 5;
    if (runs < 1) runs = 1;
    BufferedImage* src = bench::photoLike(4000, 3000);
    if (!src->hasPixels()) {
        std::printf("no picture\n");
        return 1;
    }
    if (argc > 2 && !writeRaw(src, argv[2])) {
        std::printf("cannot write the picture\n");
        return 1;
    }

    auto sharpness = [](int level) { auto* f = sharpness::Sharpness::create(); f->setLevel(level); return f; };
    auto shear = [](double angle) { auto* f = rotation::Shear::create(); f->angle = angle; return f; };
    auto level = [](int l) { auto* f = colors::Level::create(); f->level = l; return f; };
    auto curve = [](int s) { auto* f = colors::Curve::create(); f->strength = s; return f; };
    auto hsv = [](int h, int s, int v) { auto* f = colors::Hsv::create(); f->set(h, s, v); return f; };
    auto monotone = [](int m) { auto* f = monotone::Monotone::create(); f->mode = m; return f; };
    auto alpha = [](int o) { auto* f = colors::Alpha::create(); f->opacity = o; return f; };
    auto flip = [] { auto* f = flip::Flip::create(); f->horizontal = true; return f; };
    auto cut = [] { auto* f = cut::Cut::create(); f->set(10, 10, 10, 10); return f; };
    auto frame = [] { auto* f = feather::Frame::create(); f->width = 100; return f; };
    // "copy" (a flip without flags) always writes fresh pixel memory: the cost of
    // touching a new 48 MB picture, which every "new" figure includes.
    struct Job { const char* name; IFilter* filter; } jobs[] = {
        {"copy", flip::Flip::create()},
        {"sharpen3x3", sharpness(80)}, {"blur3x3", sharpness(-50)}, {"level", level(40)}, {"curve", curve(50)},
        {"rotate30", shear(30)},       {"rotate90", shear(90)},     {"hsv", hsv(40, 20, 10)}, {"grey", monotone(1)},
        {"sepia", monotone(2)},        {"desaturate", monotone(3)}, {"alpha", alpha(50)},  {"flip", flip()},
        {"cut", cut()},                {"frame", frame()},
    };
    // Two figures per filter: into a new pooled image (as the chain runs it; the new
    // pixel memory is touched for the first time) and into one reused destination.
    BufferedImage* reused = BufferedImage::create();
    std::printf("%-12s %10s %10s\n", "filter", "new_ms", "reused_ms");
    for (const Job& j : jobs) {
        double best[2] = {1e30, 1e30};
        for (int r = 0; r < runs; ++r) {
            for (int mode = 0; mode < 2; ++mode) {
                double t0 = bench::nowMs();
                BufferedImage* out = j.filter->apply(src, mode ? reused : nullptr);
                double t = bench::nowMs() - t0;
                if (!out) {
                    std::printf("%s failed\n", j.name);
                    return 1;
                }
                if (!mode) out->release();
                if (t < best[mode]) best[mode] = t;
            }
        }
        std::printf("%-12s %10.2f %10.2f\n", j.name, best[0], best[1]);
        std::fflush(stdout);
        j.filter->release();
    }
    reused->release();
    src->release();
    return 0;
}
