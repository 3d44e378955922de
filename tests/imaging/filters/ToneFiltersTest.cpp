#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>

#include "FilterTestSupport.h"
#include "imaging/filters/ColorFilters.h"

using namespace filtertest;
using namespace s::image::filters::colors;
using s::image::filters::IFilter;
using s::image::filters::monotone::Monotone;

namespace {

uint32_t rgb(uint32_t r, uint32_t g, uint32_t b, uint32_t a = 255) { return a << 24 | r << 16 | g << 8 | b; }

IFilter* monotone(int mode) { auto* f = Monotone::create(); f->mode = mode; return f; }
IFilter* hsv(int h, int s, int v) { auto* f = Hsv::create(); f->set(h, s, v); return f; }
IFilter* level(int l) { auto* f = Level::create(); f->level = l; return f; }
IFilter* curve(int s) { auto* f = Curve::create(); f->strength = s; return f; }
IFilter* alpha(int o) { auto* f = Alpha::create(); f->opacity = o; return f; }

uint32_t applied(IFilter* f, uint32_t pixel)
{
    BufferedImage* src = uniform(1, 1, pixel);
    BufferedImage* out = f->apply(src, nullptr);
    uint32_t p = out ? out->getRow(0)[0] : 0xDEADBEEFu;
    if (out) out->release();
    src->release();
    f->release();
    return p;
}

}  // namespace

// Worked by hand from the conversion rules: whole-degree hue, whole-percent saturation,
// every product truncated.
TEST(ToneFilters, HandComputedPixels)
{
    struct Case { const char* what; std::function<IFilter*()> make; uint32_t in, out; } cases[] = {
        {"grey of white: 54 + 178 + 18", [] { return monotone(1); }, rgb(255, 255, 255), rgb(250, 250, 250)},
        {"grey of (10, 20, 30): 2 + 14 + 2", [] { return monotone(1); }, rgb(10, 20, 30), rgb(18, 18, 18)},
        {"sepia of white", [] { return monotone(2); }, rgb(255, 255, 255), rgb(255, 255, 238)},
        {"sepia of (100, 50, 25)", [] { return monotone(2); }, rgb(100, 50, 25, 9), rgb(81, 72, 56, 9)},
        {"desaturate: grey of value 78 percent", [] { return monotone(3); }, rgb(200, 100, 50), rgb(198, 198, 198)},
        {"hue +120: red to green", [] { return hsv(120, 0, 0); }, rgb(255, 0, 0), rgb(0, 255, 0)},
        {"saturation -100", [] { return hsv(0, -100, 0); }, rgb(200, 100, 50), rgb(198, 198, 198)},
        {"hue -30 wraps to 350", [] { return hsv(-30, 0, 0); }, rgb(100, 50, 25), rgb(99, 24, 37)},
        {"hue +330 is -30", [] { return hsv(330, 0, 0); }, rgb(100, 50, 25), rgb(99, 24, 37)},
        {"value +50 on grey 51", [] { return hsv(0, 0, 50); }, rgb(51, 51, 51), rgb(153, 153, 153)},
        {"saturation +50", [] { return hsv(0, 50, 0); }, rgb(100, 50, 25), rgb(99, 41, 12)},
        {"level 40: 20 to 25 percent", [] { return level(40); }, rgb(51, 51, 51), rgb(63, 63, 63)},
        {"level 30 above the level", [] { return level(30); }, rgb(100, 50, 25), rgb(144, 72, 36)},
        {"curve 100 in the shadows", [] { return curve(100); }, rgb(100, 50, 25), rgb(94, 46, 23)},
        {"curve 100 on grey 60", [] { return curve(100); }, rgb(60, 60, 60), rgb(52, 52, 52)},
        {"curve 100 keeps black", [] { return curve(100); }, rgb(0, 0, 0), rgb(0, 0, 0)},
        {"curve 100 keeps white", [] { return curve(100); }, rgb(255, 255, 255), rgb(255, 255, 255)},
        {"alpha 50 on opaque", [] { return alpha(50); }, rgb(1, 2, 3), rgb(1, 2, 3, 127)},
        {"alpha 50 on alpha 100", [] { return alpha(50); }, rgb(1, 2, 3, 100), rgb(1, 2, 3, 50)},
        {"alpha 0", [] { return alpha(0); }, rgb(1, 2, 3), rgb(1, 2, 3, 0)},
    };
    for (const Case& c : cases) EXPECT_EQ(applied(c.make(), c.in), c.out) << c.what;
}

TEST(ToneFilters, FullyTransparentPixelsStayAsTheyAre)
{
    const uint32_t clear = 0x00123456u;
    for (auto make : std::vector<std::function<IFilter*()>>{[] { return monotone(1); }, [] { return monotone(2); },
                                                             [] { return monotone(3); }, [] { return hsv(40, 20, 20); },
                                                             [] { return level(20); }, [] { return curve(-70); }})
        EXPECT_EQ(applied(make(), clear), clear);
}

TEST(ToneFilters, NeutralSettingsLeaveThePictureUnchanged)
{
    BufferedImage* src = randomImage(23, 9, 4);
    src->setHasAlpha(true);
    for (IFilter* f : {monotone(0), hsv(0, 0, 0), hsv(360, 0, 0), level(50), curve(0), alpha(100)}) {
        SCOPED_TRACE(f->getClassName());
        BufferedImage* out = f->apply(src, nullptr);
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(pixelsOf(out), pixelsOf(src));
        EXPECT_TRUE(out->hasAlpha());
        out->release();
        f->release();
    }
    src->release();
}

// The fast path (tables and reciprocals) against a plain reading of the HSV rules in
// single precision, over a picture of random colours.
TEST(ToneFilters, LevelAndCurveFollowTheConversionRulesOnEveryPixel)
{
    BufferedImage* src = randomImage(128, 128, 21);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) src->getRow(y)[x] |= 0xFF000000u;
    auto expected = [](uint32_t p, const std::function<float(float)>& tone) {
        const int r = int((p >> 16) & 0xFF), g = int((p >> 8) & 0xFF), b = int(p & 0xFF);
        const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
        const int s = mx == 0 ? 0 : int(float((mx - mn) * 100) / float(mx));
        int h = 0;
        if (mx != mn) {
            const float d = float(mx - mn);
            if (r == mx) h = int(float((g - b) * 60) / d);
            else if (g == mx) h = int(float((b - r) * 60) / d + 120.0f);
            else h = int(float((r - g) * 60) / d + 240.0f);
            if (h < 0) h = 359 - ((-h - 1) % 360);
        }
        const int v8 = std::clamp(int(tone(float(mx) * 100.0f / 255.0f) * 255.0f / 100.0f), 0, 255);
        if (s == 0) return 0xFF000000u | uint32_t(v8) * 0x010101u;
        const int m = int(float((100 - s) * v8) / 100.0f), d = v8 - m, sec = h / 60;
        const int up = m + int(float((h - sec * 60) * d) / 60.0f), down = v8 - int(float((h - sec * 60) * d) / 60.0f);
        const int out[6][3] = {{v8, up, m}, {down, v8, m}, {m, v8, up}, {m, down, v8}, {up, m, v8}, {v8, m, down}};
        return 0xFF000000u | uint32_t(out[sec][0]) << 16 | uint32_t(out[sec][1]) << 8 | uint32_t(out[sec][2]);
    };
    struct Case { IFilter* f; std::function<float(float)> tone; } cases[] = {
        {level(35), [](float v) { return v <= 35.0f ? v * 50.0f / 35.0f : 100.0f - (100.0f - v) * 50.0f / 65.0f; }},
        {level(0), [](float v) { return v <= 0.0f ? v : 100.0f - (100.0f - v) * 50.0f / 100.0f; }},
        {curve(-60), [](float v) {
             const float b = -0.6f;
             if (v < 50.0f) return v - float(25 - std::abs(int(v - 25.0f))) * v * b / 200.0f;
             if (v > 50.0f) return v + float(25 - std::abs(int(v - 75.0f))) * v * b / 200.0f;
             return v;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.f->getClassName());
        BufferedImage* out = c.f->apply(src, nullptr);
        ASSERT_NE(out, nullptr);
        int wrong = 0;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                if (out->getRow(y)[x] != expected(src->getRow(y)[x], c.tone) && ++wrong < 5)
                    ADD_FAILURE() << std::hex << src->getRow(y)[x] << " -> " << out->getRow(y)[x] << " not " << expected(src->getRow(y)[x], c.tone);
        EXPECT_EQ(wrong, 0);
        out->release();
        c.f->release();
    }
    src->release();
}

TEST(ToneFilters, AlphaSetsTheFlagOthersKeepIt)
{
    BufferedImage* src = uniform(3, 2, rgb(9, 8, 7));
    src->setHasAlpha(false);
    struct Case { IFilter* f; bool flag; } cases[] = {{alpha(50), true}, {alpha(100), false}, {level(20), false}, {monotone(3), false}};
    for (const Case& c : cases) {
        BufferedImage* out = c.f->apply(src, nullptr);
        EXPECT_EQ(out->hasAlpha(), c.flag) << c.f->getClassName();
        out->release();
        c.f->release();
    }
    src->release();
}

TEST(ToneFilters, ColourConversions)
{
    struct Case { int h, s, v, r, g, b; } cases[] = {
        {0, 100, 100, 255, 0, 0}, {120, 100, 100, 0, 255, 0}, {240, 100, 100, 0, 0, 255},
        {30, 50, 80, 204, 153, 102}, {200, 0, 50, 127, 127, 127}, {330, 100, 100, 255, 0, 128},
    };
    for (const Case& c : cases) {
        int r = -1, g = -1, b = -1;
        hsvToRgb(c.h, c.s, c.v, &r, &g, &b);
        EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{c.r, c.g, c.b})) << c.h << " " << c.s << " " << c.v;
    }
    EXPECT_NEAR(hueToRgb(0, 1, 0.1), 0.6, 1e-12);
    EXPECT_DOUBLE_EQ(hueToRgb(0, 1, 0.3), 1.0);
    EXPECT_NEAR(hueToRgb(0, 1, 0.6), 0.4, 1e-12);
    EXPECT_DOUBLE_EQ(hueToRgb(0.2, 1, 0.9), 0.2);
    EXPECT_NEAR(hueToRgb(0, 1, -0.9), 0.6, 1e-12);  // wrapped once into 0..1
    EXPECT_NEAR(hueToRgb(0, 1, 1.1), 0.6, 1e-12);
}
