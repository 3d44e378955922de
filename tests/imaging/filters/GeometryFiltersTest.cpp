#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <vector>

#include "FilterTestSupport.h"
#include "imaging/filters/ColorFilters.h"
#include "imaging/filters/Geometry.h"
#include "imaging/filters/Sharpness.h"
#include "imaging/filters/ShearRotation.h"

using namespace filtertest;
using s::image::filters::IFilter;
using s::image::filters::cut::Cut;
using s::image::filters::feather::Frame;
using s::image::filters::flip::Flip;

namespace {

// Pixel (x, y) of a picture names its place: 0xFF00yyxx.
BufferedImage* numbered(int w, int h)
{
    std::vector<uint32_t> v;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) v.push_back(0xFF000000u | uint32_t(y) << 8 | uint32_t(x));
    return imageOf(w, h, v);
}

}  // namespace

TEST(GeometryFilters, CutKeepsTheMiddleAndAtLeastOnePixel)
{
    struct Case { int w, h, l, r, t, b; int x0, y0, cw, ch; } cases[] = {
        {100, 50, 10, 10, 10, 10, 10, 5, 80, 40},
        {10, 3, 100, 0, 0, 0, 9, 0, 1, 3},     // the last column stays
        {10, 3, 60, 60, 0, 0, 6, 0, 1, 3},     // left and right overlap: column 6
        {7, 5, 33, 0, 0, 33, 2, 0, 5, 4},      // odd sizes round down
        {1, 1, 50, 50, 50, 50, 0, 0, 1, 1},
        {9, 9, -20, -20, 0, 200, 0, 0, 9, 1},  // negative percentages cut nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " " << c.l << "/" << c.r << "/" << c.t << "/" << c.b);
        BufferedImage* src = numbered(c.w, c.h);
        Cut* f = Cut::create();
        f->set(c.l, c.r, c.t, c.b);
        BufferedImage* out = f->apply(src, nullptr);
        ASSERT_NE(out, nullptr);
        ASSERT_EQ(out->getWidth(), c.cw);
        ASSERT_EQ(out->getHeight(), c.ch);
        for (int y = 0; y < c.ch; ++y)
            for (int x = 0; x < c.cw; ++x) ASSERT_EQ(out->getRow(y)[x], src->getRow(c.y0 + y)[c.x0 + x]);
        out->release();
        f->release();
        src->release();
    }
}

TEST(GeometryFilters, FlipMirrorsAndBothEqualAHalfTurn)
{
    struct Case { int w, h; bool hor, ver; } cases[] = {
        {5, 3, true, false}, {5, 3, false, true}, {5, 3, true, true}, {1, 1, true, true}, {1, 4, true, false}, {4, 1, false, true},
    };
    for (const Case& c : cases) {
        BufferedImage* src = numbered(c.w, c.h);
        src->setHasAlpha(true);
        Flip* f = Flip::create();
        f->horizontal = c.hor;
        f->vertical = c.ver;
        BufferedImage* out = f->apply(src, nullptr);
        ASSERT_NE(out, nullptr);
        EXPECT_TRUE(out->hasAlpha());
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x)
                ASSERT_EQ(out->getRow(y)[x], src->getRow(c.ver ? c.h - 1 - y : y)[c.hor ? c.w - 1 - x : x]);
        if (c.hor && c.ver) {
            BufferedImage* turned = src->rotate180();
            EXPECT_EQ(pixelsOf(out), pixelsOf(turned));
            turned->release();
        }
        out->release();
        f->release();
        src->release();
    }
}

TEST(GeometryFilters, FeatheredFrameFadesTheEdges)
{
    // Width 2 on an opaque 5 x 5 picture, worked by hand (alpha by place; symmetric).
    const uint32_t expected[3][3] = {{27, 55, 84}, {55, 112, 169}, {84, 169, 255}};
    BufferedImage* src = uniform(5, 5, 0xFF405060u);
    Frame* f = Frame::create();
    f->width = 2;
    BufferedImage* out = f->apply(src, nullptr);
    ASSERT_NE(out, nullptr);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            const uint32_t p = out->getRow(y)[x];
            EXPECT_EQ(p & 0x00FFFFFFu, 0x405060u);
            EXPECT_EQ(p >> 24, expected[std::min(y, 4 - y)][std::min(x, 4 - x)]) << x << "," << y;
        }
    }
    EXPECT_TRUE(out->hasAlpha());
    out->release();

    // Odd and one-pixel pictures; transparent pixels stay transparent.
    struct Case { int w, h, width; int x, y; uint32_t alpha; } cases[] = {
        {1, 1, 2, 0, 0, 27},   // the only pixel is a corner
        {1, 1, 1, 0, 0, 63},   // (1 * 65536 / 2 >> 8) = 128; (128 * 256 / 2 >> 8) = 64; 255 * 64 >> 8 = 63
        {7, 1, 3, 3, 0, 63},   // middle column 4 away from the sides, row 1 away: (256 * 256 / 4 >> 8) = 64
        {9, 3, 1, 4, 1, 255},  // the middle pixel of a thin picture is beyond the frame
        {2, 2, 100, 1, 1, 0},  // very wide frames still divide by width + 1
    };
    for (const Case& c : cases) {
        BufferedImage* s = uniform(c.w, c.h, 0xFF000000u);
        f->width = c.width;
        BufferedImage* o = f->apply(s, nullptr);
        ASSERT_NE(o, nullptr);
        EXPECT_EQ(o->getRow(c.y)[c.x] >> 24, c.alpha) << c.w << "x" << c.h << " width " << c.width;
        o->release();
        s->release();
    }
    BufferedImage* clear = uniform(3, 3, 0x00ABCDEFu);
    f->width = 1;
    BufferedImage* o = f->apply(clear, nullptr);
    EXPECT_EQ(pixelsOf(o), pixelsOf(clear));
    o->release();
    clear->release();
    f->release();
    src->release();
}

TEST(GeometryFilters, NeutralSettingsCopy)
{
    BufferedImage* src = randomImage(7, 5, 13);
    Cut* cut = Cut::create();
    Flip* flip = Flip::create();
    Frame* frame = Frame::create();
    frame->width = 0;
    for (IFilter* f : std::initializer_list<IFilter*>{cut, flip, frame}) {
        BufferedImage* out = f->apply(src, nullptr);
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(pixelsOf(out), pixelsOf(src));
        out->release();
        f->release();
    }
    src->release();
}

// A picture whose pixels could not be made (0 x 0, no DIB) makes every filter answer
// null, with or without a destination, and nothing is written.
TEST(GeometryFilters, EveryFilterFailsCleanlyOnAPictureWithoutPixels)
{
    using namespace s::image::filters;
    std::vector<std::function<IFilter*()>> makers = {
        [] { auto* f = cut::Cut::create(); f->set(10, 10, 10, 10); return f; },
        [] { return cut::Cut::create(); },
        [] { auto* f = flip::Flip::create(); f->horizontal = true; return f; },
        [] { return flip::Flip::create(); },
        [] { auto* f = feather::Frame::create(); f->width = 3; return f; },
        [] { auto* f = sharpness::Sharpness::create(); f->setLevel(80); return f; },
        [] { return sharpness::Sharpness::create(); },
        [] { auto* f = rotation::Shear::create(); f->angle = 30; return f; },
        [] { auto* f = rotation::Shear::create(); f->angle = 90; return f; },
        [] { return rotation::Shear::create(); },
        [] { auto* f = monotone::Monotone::create(); f->mode = 1; return f; },
        [] { auto* f = monotone::Monotone::create(); f->mode = 3; return f; },
        [] { auto* f = colors::Hsv::create(); f->set(10, 10, 10); return f; },
        [] { auto* f = colors::Level::create(); f->level = 30; return f; },
        [] { auto* f = colors::Curve::create(); f->strength = 30; return f; },
        [] { auto* f = colors::Alpha::create(); f->opacity = 30; return f; },
        [] { return colors::Alpha::create(); },
    };
    BufferedImage* empty = BufferedImage::create();
    ASSERT_FALSE(empty->hasPixels());
    for (auto& make : makers) {
        IFilter* f = make();
        SCOPED_TRACE(f->getClassName());
        EXPECT_EQ(f->apply(empty, nullptr), nullptr);
        BufferedImage* dst = BufferedImage::createSized(4, 4);
        EXPECT_EQ(f->apply(empty, dst), nullptr);
        EXPECT_EQ(f->apply(nullptr, dst), nullptr);
        dst->release();
        f->release();
    }
    empty->release();
}

TEST(GeometryFilters, TiledQuarterTurnsAndMirroredRowsMatchThePlainLoops)
{
    // Sizes on both sides of the 64-pixel tile and of the 4-pixel mirror step.
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 70}, {70, 1}, {3, 5}, {63, 64}, {64, 65}, {65, 129}, {130, 3}, {200, 131}};
    for (auto [w, h] : sizes) {
        std::vector<uint32_t> pixels(size_t(w) * size_t(h));
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint32_t(i * 2654435761u);
        std::vector<const uint32_t*> src(static_cast<size_t>(h));
        for (int y = 0; y < h; ++y) src[size_t(y)] = pixels.data() + size_t(y) * size_t(w);
        for (bool clockwise : {true, false}) {
            std::vector<uint32_t> turned(pixels.size(), 0);
            std::vector<uint32_t*> dst(static_cast<size_t>(w));
            for (int i = 0; i < w; ++i) dst[size_t(i)] = turned.data() + size_t(i) * size_t(h);
            s::image::filters::turn::quarterTurn(src.data(), w, h, dst.data(), clockwise);
            int wrong = 0;
            for (int i = 0; i < w; ++i)
                for (int j = 0; j < h; ++j) {
                    const uint32_t want = clockwise ? src[size_t(h - 1 - j)][i] : src[size_t(j)][w - 1 - i];
                    if (dst[size_t(i)][j] != want) ++wrong;
                }
            EXPECT_EQ(wrong, 0) << w << "x" << h << (clockwise ? " clockwise" : " anticlockwise");
        }
        std::vector<uint32_t> mirrored(static_cast<size_t>(w));
        s::image::filters::turn::mirrorRow(src[0], w, mirrored.data());
        EXPECT_TRUE(std::equal(mirrored.begin(), mirrored.end(), std::make_reverse_iterator(src[0] + w))) << w;
    }
}
