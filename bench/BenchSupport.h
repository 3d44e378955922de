// Shared pieces of the benchmarks: a millisecond clock, best-of-runs timing of two
// sides taken in turns, a photograph-like picture, raw picture files and the command
// loop through which bench/compare.py drives a benchmark run by run.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"

namespace bench {

inline double nowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
}

// Best time of each side over the runs, the two sides taking turns run by run so
// that both see the same machine state.
template <class A, class B>
void bestOfBoth(A first, B second, int runs, double* firstMs, double* secondMs) {
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
inline s::image::win::BufferedImage* photoLike(int w, int h) {
    auto* img = s::image::win::BufferedImage::createSized(w, h);
    if (!img->hasPixels()) return img;
    std::mt19937 rng(42);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = img->getRow(y);
        for (int x = 0; x < w; ++x) {
            uint32_t n = rng() & 0x1F;
            uint32_t r = (x * 255 / w + n) & 0xFF, g = (y * 255 / h + n) & 0xFF,
                     b = ((x + y) * 127 / (w + h) + n) & 0xFF;
            row[x] = 0xFF000000u | r << 16 | g << 8 | b;
        }
    }
    return img;
}

// A photo-like picture: smooth light over the frame, soft shapes, and sensor-like noise;
// each phase moves the light and the shapes a little (the frames of an animation).
inline s::image::win::BufferedImage* photoFrame(int w, int h, int phase) {
    auto* img = s::image::win::BufferedImage::createSized(w, h);
    if (!img->hasPixels()) return img;
    uint32_t seed = 12345u + uint32_t(phase);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = img->getRow(y);
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            int noise = int((seed >> 24) & 7) - 3;
            double fx = double(x) / w, fy = double(y) / h;
            double sky = 0.5 + 0.5 * std::sin(fx * 3.1 + phase * 0.07) * std::cos(fy * 2.3);
            double blob =
                std::exp(-((fx - 0.4 - phase * 0.003) * (fx - 0.4 - phase * 0.003) + (fy - 0.55) * (fy - 0.55)) * 18.0);
            int r = std::clamp(int(40 + 150 * sky + 60 * blob) + noise, 0, 255);
            int g = std::clamp(int(70 + 110 * fy + 90 * blob * fx) + noise, 0, 255);
            int b = std::clamp(int(160 - 100 * fy + 80 * sky * fx) + noise, 0, 255);
            row[x] = 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
        }
    }
    return img;
}

// The calling thread's CPU time (user + kernel) in milliseconds.
inline double threadCpuMs() {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
    auto ms = [](const FILETIME& t) { return double(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

inline double best(const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }
inline double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Raw pictures: top-down rows of 4-byte pixels as they lie in memory, nothing else.
inline bool writeRaw(s::image::win::BufferedImage* img, const char* path) {
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    bool ok = true;
    for (int y = 0; y < img->getHeight() && ok; ++y)
        ok = std::fwrite(img->getRow(y), 1, size_t(img->getRowBytes()), f) == size_t(img->getRowBytes());
    return std::fclose(f) == 0 && ok;
}

inline s::image::win::BufferedImage* readRaw(const char* path, int w, int h) {
    FILE* f = std::fopen(path, "rb");
    if (!f) return nullptr;
    auto* img = s::image::win::BufferedImage::createSized(w, h);
    bool ok = img && img->hasPixels();
    for (int y = 0; y < h && ok; ++y) ok = std::fread(img->getRow(y), 1, size_t(w) * 4, f) == size_t(w) * 4;
    std::fclose(f);
    if (!ok && img) {
        img->release();
        img = nullptr;
    }
    return img;
}

// The command loop bench/compare.py talks to: one command a line on stdin, one answer
// a line on stdout. Commands every benchmark knows:
//   make PATH W H        writes photoLike(W, H) as a raw picture  -> "ok"
//   load SLOT PATH W H   reads a raw picture into slot 0..3       -> "ok"
//   quit
// Anything else goes to run(words, count, slots), which times one run and answers
// with its milliseconds (or "error ...").
// BENCH_RECYCLE=off gives every new picture fresh memory from the system (the peers then
// run without their allocator's block cache); otherwise released picture memory is
// recycled on every side.
template <class Run>
int serve(Run run) {
    const char* recycle = std::getenv("BENCH_RECYCLE");
    s::image::bmp::win::setSectionRecycling(!(recycle && !std::strcmp(recycle, "off")));
    s::image::win::BufferedImage* slots[4] = {};
    char line[1024];
    while (std::fgets(line, sizeof(line), stdin)) {
        char* words[16];
        int count = 0;
        for (char* t = std::strtok(line, " \t\r\n"); t && count < 16; t = std::strtok(nullptr, " \t\r\n"))
            words[count++] = t;
        if (count == 0) continue;
        std::string answer = "ok";
        if (!std::strcmp(words[0], "quit")) break;
        if (!std::strcmp(words[0], "make") && count == 4) {
            auto* img = photoLike(std::atoi(words[2]), std::atoi(words[3]));
            if (!img->hasPixels() || !writeRaw(img, words[1])) answer = "error cannot write the picture";
            img->release();
        } else if (!std::strcmp(words[0], "load") && count == 5) {
            int slot = std::atoi(words[1]) & 3;
            if (slots[slot]) slots[slot]->release();
            slots[slot] = readRaw(words[2], std::atoi(words[3]), std::atoi(words[4]));
            if (!slots[slot]) answer = "error cannot read the picture";
        } else {
            answer = run(words, count, slots);
        }
        std::printf("%s\n", answer.c_str());
        std::fflush(stdout);
    }
    for (auto* s : slots)
        if (s) s->release();
    return 0;
}

inline std::string ms(double t) {
    char b[32];
    std::snprintf(b, sizeof(b), "%.3f", t);
    return b;
}

}  // namespace bench
