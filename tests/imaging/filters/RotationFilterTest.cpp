#include <gtest/gtest.h>

#include <cmath>

#include "FilterTestSupport.h"
#include "imaging/filters/ShearRotation.h"

using namespace filtertest;
using s::image::filters::rotation::Shear;
using s::image::filters::rotation::shearRow;

namespace {

constexpr uint32_t kBg = Shear::BACKGROUND;

BufferedImage* rotated(BufferedImage* src, double angle, BufferedImage* dst = nullptr)
{
    Shear* f = Shear::create();
    f->angle = angle;
    BufferedImage* out = f->apply(src, dst);
    f->release();
    return out;
}

}  // namespace

TEST(RotationFilter, QuarterTurnsAndWholeCirclesAreExact)
{
    BufferedImage* src = randomImage(5, 3, 7);
    src->setHasAlpha(false);
    struct Case { double angle; int turn; } cases[] = {
        {0, 0}, {360, 0}, {-360, 0}, {720, 0}, {90, 1}, {450, 1}, {-270, 1},
        {180, 2}, {-180, 2}, {540, 2}, {270, 3}, {-90, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        BufferedImage* expected = c.turn == 0 ? src->copy() : c.turn == 1 ? src->rotateRight() : c.turn == 2 ? src->rotate180() : src->rotateLeft();
        BufferedImage* out = rotated(src, c.angle);
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(out->getWidth(), expected->getWidth());
        EXPECT_EQ(out->getHeight(), expected->getHeight());
        EXPECT_EQ(pixelsOf(out), pixelsOf(expected));
        EXPECT_FALSE(out->hasAlpha());  // an exact turn of an opaque picture adds no corners
        out->release();
        expected->release();
    }
    src->release();
}

// Sizes, the uncovered corners and where a marker ends up, for angles that need shears.
TEST(RotationFilter, ShearedAnglesGiveTheTurnedSizeAndMoveAMarkerClockwise)
{
    const uint32_t grey = 0xFF808080u, red = 0xFFFF0000u;
    BufferedImage* src = uniform(100, 50, grey);
    for (int y = 2; y <= 4; ++y)
        for (int x = 49; x <= 51; ++x) src->getRow(y)[x] = red;
    struct Case { double angle; int w, h; } cases[] = {
        {10, 108, 67}, {30, 112, 94}, {44.9, 107, 107}, {100, 67, 108}, {-30, 112, 94}, {-100, 67, 108}, {200, 112, 82},
    };
    const double kPi = 3.14159265358979323846;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        BufferedImage* out = rotated(src, c.angle);
        ASSERT_NE(out, nullptr);
        ASSERT_EQ(out->getWidth(), c.w);
        ASSERT_EQ(out->getHeight(), c.h);
        EXPECT_TRUE(out->hasAlpha());  // the corners are transparent though the source is opaque
        // Corners: transparent white.
        EXPECT_EQ(out->getRow(0)[0], kBg);
        EXPECT_EQ(out->getRow(0)[c.w - 1], kBg);
        EXPECT_EQ(out->getRow(c.h - 1)[0], kBg);
        EXPECT_EQ(out->getRow(c.h - 1)[c.w - 1], kBg);
        // The middle keeps the colour exactly (a uniform area survives the shears).
        EXPECT_EQ(out->getRow(c.h / 2)[c.w / 2], grey);
        // The marker's centre (50, 3) turns clockwise about the picture's centre.
        double sx = 0, sy = 0, sw = 0;
        int visible = 0;
        for (int y = 0; y < c.h; ++y) {
            for (int x = 0; x < c.w; ++x) {
                const uint32_t p = out->getRow(y)[x];
                const int r = int((p >> 16) & 0xFF), g = int((p >> 8) & 0xFF), a = int(p >> 24);
                if (a) ++visible;
                const double weight = double(std::max(0, r - g)) * a / 255.0;
                sx += weight * x;
                sy += weight * y;
                sw += weight;
            }
        }
        ASSERT_GT(sw, 0);
        const double t = c.angle * kPi / 180, dx = 50 - 49.5, dy = 3 - 24.5;
        EXPECT_NEAR(sx / sw, (c.w - 1) / 2.0 + dx * std::cos(t) - dy * std::sin(t), 1.5);
        EXPECT_NEAR(sy / sw, (c.h - 1) / 2.0 + dx * std::sin(t) + dy * std::cos(t), 1.5);
        // No pixel is lost or doubled: the visible area is the source's, give or take the edges.
        EXPECT_NEAR(visible, 5000, 2 * (100 + 50) + 8);
        out->release();
    }
    src->release();
}

TEST(RotationFilter, ReusesAGivenDestinationAndKeepsTheSource)
{
    BufferedImage* src = randomImage(31, 17, 3);
    const auto before = pixelsOf(src);
    BufferedImage* dst = uniform(200, 200, 0xFF000000u);
    BufferedImage* fresh = rotated(src, 33);
    EXPECT_EQ(rotated(src, 33, dst), dst);
    EXPECT_EQ(dst->getWidth(), fresh->getWidth());
    EXPECT_EQ(dst->getHeight(), fresh->getHeight());
    EXPECT_EQ(pixelsOf(dst), pixelsOf(fresh));
    EXPECT_EQ(pixelsOf(src), before);
    fresh->release();
    dst->release();
    src->release();
}

TEST(RotationFilter, TinyPicturesTurn)
{
    for (auto [w, h] : {std::pair{1, 1}, std::pair{1, 7}, std::pair{6, 1}}) {
        BufferedImage* src = uniform(w, h, 0xFF102030u);
        for (double angle : {1.0, 30.0, 45.0, 135.0, 300.0}) {
            BufferedImage* out = rotated(src, angle);
            ASSERT_NE(out, nullptr);
            EXPECT_GE(out->getWidth(), 1);
            EXPECT_GE(out->getHeight(), 1);
            out->release();
        }
        src->release();
    }
}

// The row shear's edge blending, by hand: black (opaque) moved by 1.5 pixels.
TEST(RotationFilter, RowShearBlendsTheEdgesWithTheBackground)
{
    struct Case { std::vector<uint32_t> from; int wd, offset; uint32_t weight; std::vector<uint32_t> to; } cases[] = {
        // Half a pixel: the left part of black is 127 (colour rounded down from 127.5) and alpha 127.
        {{0xFF000000u}, 4, 1, 1u << 23, {kBg, 0x80808080u, 0x7F7F7F7Fu, kBg}},
        // Whole pixels move exactly, either way, cut at the row's ends.
        {{1, 2, 3}, 5, 2, 0, {kBg, kBg, 1, 2, 3}},
        {{0xFF000001u, 0xFF000002u, 0xFF000003u}, 3, -1, 0, {0xFF000002u, 0xFF000003u, kBg}},
        {{0xFF000001u, 0xFF000002u}, 3, -5, 0, {kBg, kBg, kBg}},
        {{0xFF000001u, 0xFF000002u}, 3, 7, 1u << 23, {kBg, kBg, kBg}},
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> to(size_t(c.wd), 0x12345678u);
        shearRow(c.from.data(), int(c.from.size()), to.data(), c.wd, c.offset, c.weight);
        EXPECT_EQ(to, c.to);
    }
}

// The three shears done one after the other on whole pictures, each column sheared by
// gathering it into a row: the filter (which streams the last two) gives the same bits.
TEST(RotationFilter, StreamedShearsEqualThreeWholePasses)
{
    BufferedImage* src = randomImage(41, 23, 17);
    for (double angle : {10.0, -30.0, 44.9, 100.0, 200.0, 290.0, 359.0}) {
        SCOPED_TRACE(angle);
        double a = std::fmod(angle, 360.0);
        if (a < 0) a += 360.0;
        BufferedImage* p = a > 45 && a <= 135 ? src->rotateRight() : a > 135 && a <= 225 ? src->rotate180()
                         : a > 225 && a <= 315 ? src->rotateLeft() : src->copy();
        a -= a > 45 && a <= 135 ? 90 : a > 135 && a <= 225 ? 180 : a > 225 && a <= 315 ? 270 : 0;
        const int W = p->getWidth(), H = p->getHeight();
        const double th = -a * 3.14159265358979323846 / 180.0, S = std::sin(th), T = std::tan(th / 2), C = std::cos(th);
        const int W1 = W + int(std::fabs(T) * H), W3 = int(W * C + std::fabs(S) * H) + 1, H3 = int(W * std::fabs(S) + C * H) + 1;
        auto split = [](double s, int* o, uint32_t* w) { double f = std::floor(s); *o = int(f); *w = uint32_t((s - f) * 16777216.0); };
        std::vector<uint32_t> one(size_t(W1) * H), two(size_t(W1) * H3), three(size_t(W3) * H3);
        for (int i = 0; i < H; ++i) {
            int o; uint32_t w;
            split(((T >= 0 ? i : i - H) + 0.5) * T, &o, &w);
            shearRow(p->getRow(i), W, &one[size_t(i) * W1], W1, o, w);
        }
        double s = S > 0 ? (W - 1) * S : -(W - W1) * S;
        std::vector<uint32_t> col(static_cast<size_t>(H)), colOut(static_cast<size_t>(H3));
        for (int j = 0; j < W1; ++j, s -= S) {
            int o; uint32_t w;
            split(s, &o, &w);
            for (int i = 0; i < H; ++i) col[size_t(i)] = one[size_t(i) * W1 + j];
            shearRow(col.data(), H, colOut.data(), H3, o, w);
            for (int k = 0; k < H3; ++k) two[size_t(k) * W1 + j] = colOut[size_t(k)];
        }
        s = S >= 0 ? -(W - 1) * S * T : (1 - H3 - (W - 1) * S) * T;
        for (int k = 0; k < H3; ++k, s += T) {
            int o; uint32_t w;
            split(s, &o, &w);
            shearRow(&two[size_t(k) * W1], W1, &three[size_t(k) * W3], W3, o, w);
        }
        BufferedImage* out = rotated(src, angle);
        ASSERT_NE(out, nullptr);
        ASSERT_EQ(out->getWidth(), W3);
        ASSERT_EQ(out->getHeight(), H3);
        const auto got = pixelsOf(out);
        int wrong = 0;
        for (size_t n = 0; n < three.size(); ++n)
            if (got[n] != three[n] && ++wrong < 4) ADD_FAILURE() << "pixel " << n % W3 << "," << n / W3 << std::hex << " " << got[n] << " not " << three[n];
        EXPECT_EQ(wrong, 0);
        out->release();
        p->release();
    }
    src->release();
}
