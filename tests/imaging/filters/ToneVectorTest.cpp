// Level and Curve through the vector loop against a copy of the per-pixel path they
// had before it, kept here as the reference, on a table of pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>

#include "FilterTestSupport.h"
#include "imaging/filters/ColorFilters.h"

using namespace filtertest;
using namespace s::image::filters::colors;
using s::image::filters::IFilter;

namespace {

// ---- the reference: the per-pixel path as it was

struct RefMap {
    uint8_t value[256];
};

uint32_t refDivide(uint32_t x, uint32_t n) {
    const uint64_t reciprocal = ((uint64_t(1) << 32) + n - 1) / n;
    return uint32_t((uint64_t(x) * reciprocal) >> 32);
}

uint32_t refRgb(uint32_t alpha, uint32_t r, uint32_t g, uint32_t b) { return alpha | r << 16 | g << 8 | b; }

uint32_t refFromHsv(uint32_t alpha, uint32_t hue, uint32_t saturation, uint32_t v) {
    const uint32_t m = (100 - saturation) * v / 100;
    const uint32_t d = v - m;
    const uint32_t sector = hue / 60;
    const uint32_t x = (hue - sector * 60) * d / 60;
    switch (sector) {
        case 0: return refRgb(alpha, v, m + x, m);
        case 1: return refRgb(alpha, v - x, v, m);
        case 2: return refRgb(alpha, m, v, m + x);
        case 3: return refRgb(alpha, m, v - x, v);
        case 4: return refRgb(alpha, m + x, m, v);
        default: return refRgb(alpha, v, m, v - x);
    }
}

uint32_t refTonePixel(uint32_t p, const RefMap& map) {
    if (p < 0x01000000u) return p;
    const uint32_t alpha = p & 0xFF000000u;
    const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    const uint32_t mx = std::max(r, std::max(g, b)), mn = std::min(r, std::min(g, b));
    const uint32_t v = map.value[mx];
    const uint32_t grey = alpha | v * 0x010101u;
    if (mx == mn) return grey;
    const uint32_t d = mx - mn;
    uint32_t saturation = refDivide(d * 100, mx);
    if (saturation == 0) return grey;
    uint32_t hue;
    if (r == mx) {
        if (g >= b) {
            hue = refDivide((g - b) * 60, d);
        } else {
            hue = refDivide((b - g) * 60, d);
            if (hue) hue = 360 - hue;
        }
    } else if (g == mx) {
        hue = refDivide(b * 60 + 120 * d - r * 60, d);
    } else {
        hue = refDivide(r * 60 + 240 * d - g * 60, d);
    }
    return refFromHsv(alpha, hue, saturation, v);
}

uint8_t refToByte(float v) { return uint8_t(std::clamp(int(v), 0, 255)); }

RefMap refLevel(int level) {
    RefMap map;
    const float l = float(level);
    for (int mx = 0; mx < 256; ++mx) {
        float v = float(mx) * 100.0f / 255.0f;
        if (v <= l) {
            if (level != 0) v = v * 50.0f / l;
        } else {
            v = 100.0f - (100.0f - v) * 50.0f / (100.0f - l);
        }
        map.value[mx] = refToByte(v * 255.0f / 100.0f);
    }
    return map;
}

RefMap refCurve(int strength) {
    RefMap map;
    const float b = float(strength) / 100.0f;
    for (int mx = 0; mx < 256; ++mx) {
        float v = float(mx) * 100.0f / 255.0f;
        if (v < 50.0f) {
            const int t = 25 - std::abs(int(v - 25.0f));
            v = v - float(t) * v * b / 200.0f;
        } else if (v > 50.0f) {
            const int t = 25 - std::abs(int(v - 75.0f));
            v = v + float(t) * v * b / 200.0f;
        }
        map.value[mx] = refToByte(v * 255.0f / 100.0f);
    }
    return map;
}

// ---- the pictures

// Every 24-bit colour once (4096 x 4096 is too big for a test; every red and green with
// a sparse set of blues, and the greys), at opaque, half and zero alpha.
BufferedImage* colourSweep(int w) {
    const int count = 256 * 256 * 8 + 256;
    const int h = (count + w - 1) / w;
    BufferedImage* img = BufferedImage::createSized(w, h);
    for (int i = 0; i < w * h; ++i) {
        uint32_t p;
        if (i < 256 * 256 * 8) {
            const uint32_t r = uint32_t(i) >> 11, g = (uint32_t(i) >> 3) & 0xFF, b = (uint32_t(i) & 7) * 36 + (r % 3);
            const uint32_t a = i % 7 == 0 ? 0 : i % 5 == 0 ? 0x80 : 0xFF;
            p = a << 24 | r << 16 | g << 8 | b;
        } else {
            p = 0xFF000000u | uint32_t(i & 0xFF) * 0x010101u;
        }
        img->getRow(i / w)[i % w] = p;
    }
    return img;
}

BufferedImage* noise(int w, int h, uint32_t seed) {
    BufferedImage* img = BufferedImage::createSized(w, h);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img->getRow(y)[x] = rng();
    return img;
}

}  // namespace

TEST(ToneVector, LevelAndCurveGiveThePerPixelResultsExactly) {
    struct Picture {
        const char* name;
        BufferedImage* img;
    } pictures[] = {
        {"sweep 1024", colourSweep(1024)}, {"sweep 1021", colourSweep(1021)}, {"noise 1x1", noise(1, 1, 1)},
        {"noise 7x3", noise(7, 3, 2)},     {"noise 8x2", noise(8, 2, 3)},     {"noise 9x9", noise(9, 9, 4)},
        {"noise 33x17", noise(33, 17, 5)},
    };
    struct Setting {
        bool isLevel;
        int amount;
    } settings[] = {{true, 0},     {true, 1},    {true, 35},  {true, 70},  {true, 100},
                    {false, -100}, {false, -60}, {false, 40}, {false, 250}};
    for (bool simd : {true, false}) {
        detail::allowSimd(simd);
        for (const Setting& st : settings) {
            const RefMap map = st.isLevel ? refLevel(st.amount) : refCurve(st.amount);
            IFilter* f;
            if (st.isLevel) {
                auto* l = Level::create();
                l->level = st.amount;
                f = l;
            } else {
                auto* c = Curve::create();
                c->strength = st.amount;
                f = c;
            }
            for (const Picture& pic : pictures) {
                BufferedImage* out = f->apply(pic.img, nullptr);
                ASSERT_NE(out, nullptr);
                int wrong = 0;
                for (int y = 0; y < pic.img->getHeight(); ++y)
                    for (int x = 0; x < pic.img->getWidth(); ++x) {
                        const uint32_t p = pic.img->getRow(y)[x], want = refTonePixel(p, map), got = out->getRow(y)[x];
                        if (got != want && ++wrong <= 3)
                            ADD_FAILURE() << (st.isLevel ? "level " : "curve ") << st.amount << " " << pic.name
                                          << (simd ? " vector" : " plain") << ": " << std::hex << p << " -> " << got
                                          << " not " << want;
                    }
                EXPECT_EQ(wrong, 0);
                out->release();
            }
            f->release();
        }
    }
    detail::allowSimd(true);
    for (const Picture& pic : pictures) pic.img->release();
}

// A picture large enough to be split into bands gives the single thread's pixels.
TEST(ToneVector, BandsOnSeveralThreadsGiveTheSingleThreadResult) {
    BufferedImage* img = noise(1531, 803, 11);
    struct Case {
        const char* name;
        IFilter* (*make)();
    } cases[] = {
        {"level", [] { auto* f = Level::create(); f->level = 70; return static_cast<IFilter*>(f); }},
        {"curve", [] { auto* f = Curve::create(); f->strength = -60; return static_cast<IFilter*>(f); }},
        {"hsv", [] { auto* f = Hsv::create(); f->set(40, -20, 10); return static_cast<IFilter*>(f); }},
        {"alpha", [] { auto* f = Alpha::create(); f->opacity = 30; return static_cast<IFilter*>(f); }},
        {"grey", [] { auto* f = s::image::filters::monotone::Monotone::create(); f->mode = 1; return static_cast<IFilter*>(f); }},
    };
    for (const Case& c : cases) {
        IFilter* f = c.make();
        detail::setThreads(1);
        BufferedImage* one = f->apply(img, nullptr);
        detail::setThreads(0);
        BufferedImage* many = f->apply(img, nullptr);
        ASSERT_NE(one, nullptr) << c.name;
        ASSERT_NE(many, nullptr) << c.name;
        for (int y = 0; y < img->getHeight(); ++y)
            ASSERT_EQ(0, std::memcmp(one->getRow(y), many->getRow(y), size_t(img->getWidth()) * 4)) << c.name << " row " << y;
        EXPECT_EQ(one->hasAlpha(), many->hasAlpha()) << c.name;
        one->release();
        many->release();
        f->release();
    }
    img->release();
}
