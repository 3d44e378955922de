// Filter speed, driven run by run by bench/compare.py (see bench/run_filters.sh):
//   filter NAME SLOT   runs the filter on the picture in SLOT into a new pooled image,
// as the filter chain runs it, and answers with the milliseconds.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "bench/BenchSupport.h"
#include "imaging/filters/ColorFilters.h"
#include "imaging/filters/Geometry.h"
#include "imaging/filters/Sharpness.h"
#include "imaging/filters/ShearRotation.h"
#include "imaging/image/BufferedImage.h"

using s::image::win::BufferedImage;
using namespace s::image::filters;

int wmain() {
    auto sharpness = [](int level) {
        auto* f = sharpness::Sharpness::create();
        f->setLevel(level);
        return f;
    };
    auto shear = [](double angle) {
        auto* f = rotation::Shear::create();
        f->angle = angle;
        return f;
    };
    auto level = [](int l) {
        auto* f = colors::Level::create();
        f->level = l;
        return f;
    };
    auto curve = [](int s) {
        auto* f = colors::Curve::create();
        f->strength = s;
        return f;
    };
    auto hsv = [](int h, int s, int v) {
        auto* f = colors::Hsv::create();
        f->set(h, s, v);
        return f;
    };
    auto monotone = [](int m) {
        auto* f = monotone::Monotone::create();
        f->mode = m;
        return f;
    };
    auto flip = [](bool h, bool v) {
        auto* f = flip::Flip::create();
        f->horizontal = h;
        f->vertical = v;
        return f;
    };
    auto cut = [] {
        auto* f = cut::Cut::create();
        f->set(10, 10, 10, 10);
        return f;
    };
    // "copy" (a flip without flags) writes fresh pixel memory and nothing else: the
    // cost of touching a new picture, which every other figure includes.
    struct Job {
        const char* name;
        IFilter* filter;
    } jobs[] = {
        {"copy", flip(false, false)},
        {"sharpen3x3", sharpness(80)},
        {"blur3x3", sharpness(-50)},
        {"level", level(40)},
        {"curve", curve(50)},
        {"rotate30", shear(30)},
        {"rotate90", shear(90)},
        {"rotate270", shear(270)},
        {"fliph", flip(true, false)},
        {"flipv", flip(false, true)},
        {"hsv", hsv(40, 20, 10)},
        {"grey", monotone(1)},
        {"cut", cut()},
        // The per-pixel colour filters split a large picture into bands on several threads;
        // every other job runs on one.
        {"level-4threads", level(40)},
        {"curve-4threads", curve(50)},
    };
    return bench::serve([&](char** words, int count, BufferedImage** slots) -> std::string {
        if (std::strcmp(words[0], "filter") || count < 3) return "error unknown command";
        BufferedImage* src = slots[std::atoi(words[2]) & 3];
        IFilter* f = nullptr;
        for (const Job& j : jobs)
            if (!std::strcmp(j.name, words[1])) f = j.filter;
        if (!src || !f) return "error no picture or filter";
        colors::detail::setThreads(std::strstr(words[1], "-4threads") ? 4 : 1);
        double t0 = bench::nowMs();
        BufferedImage* out = f->apply(src, nullptr);
        double t = bench::nowMs() - t0;
        if (!out) return "error filter failed";
        out->release();
        return bench::ms(t);
    });
}
