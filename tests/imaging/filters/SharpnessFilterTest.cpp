#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "FilterTestSupport.h"
#include "imaging/filters/Sharpness.h"

using namespace filtertest;
using s::image::filters::convolution::Convolution;
using s::image::filters::sharpness::Sharpness;
namespace conv = s::image::filters::convolution;

namespace {

BufferedImage* sharpened(BufferedImage* src, int level)
{
    Sharpness* f = Sharpness::create();
    f->setLevel(level);
    BufferedImage* out = f->apply(src, nullptr);
    f->release();
    return out;
}

// A direct reading of the 3 x 3 convolution: clamped edges, every tap from the source,
// truncating division, clamping.
std::vector<uint32_t> reference(BufferedImage* src, const int32_t* k, int32_t divisor)
{
    const int w = src->getWidth(), h = src->getHeight();
    std::vector<uint32_t> out;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c) {
                long long sum = 0;
                for (int i = 0; i < 9; ++i) {
                    const int yy = std::clamp(y + i / 3 - 1, 0, h - 1), xx = std::clamp(x + i % 3 - 1, 0, w - 1);
                    sum += (long long)k[i] * ((src->getRow(yy)[xx] >> (8 * c)) & 0xFF);
                }
                if (divisor != 0) sum /= divisor;
                pixel |= uint32_t(std::clamp(sum, 0LL, 255LL)) << (8 * c);
            }
            out.push_back(pixel);
        }
    }
    return out;
}

}  // namespace

TEST(SharpnessFilter, LevelsBuildTheirKernels)
{
    struct Case { int level; std::vector<int32_t> k; int32_t divisor; } cases[] = {
        {-50, {50, 100, 50, 100, 400, 100, 50, 100, 50}, 1000},
        {-100, {100, 200, 100, 200, 400, 200, 100, 200, 100}, 1600},
        {100, {0, -180, 0, -180, 1100, -180, 0, -180, 0}, 380},
        {80, {0, -144, 0, -144, 1100, -144, 0, -144, 0}, 524},
        {500, {0, -180, 0, -180, 1100, -180, 0, -180, 0}, 380},  // above 100 acts as 100
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        Sharpness* f = Sharpness::create();
        f->setLevel(c.level);
        int32_t k[9], divisor = 0;
        ASSERT_TRUE(f->getKernel(k, &divisor));
        EXPECT_EQ(std::vector<int32_t>(k, k + 9), c.k);
        EXPECT_EQ(divisor, c.divisor);
        f->setLevel(0);
        EXPECT_FALSE(f->getKernel(k, &divisor));
        f->release();
    }
}

// Every tap reads the unchanged source: one bright pixel spreads the same way in every
// direction (filtering in place would smear it towards the later rows and columns).
TEST(SharpnessFilter, ASingleBrightPixelSpreadsSymmetrically)
{
    std::vector<uint32_t> px(49, 0xFF000000u);
    px[24] = 0xFFFFFFFFu;
    BufferedImage* src = imageOf(7, 7, px);
    struct Case { int level; uint32_t centre, side, corner; } cases[] = {
        {-50, 0xFF666666u, 0xFF191919u, 0xFF0C0C0Cu},  // 255*400/1000 = 102, 255*100/1000 = 25, 255*50/1000 = 12
        {80, 0xFFFFFFFFu, 0xFF000000u, 0xFF000000u},   // centre saturates, sides go below 0
        {-100, 0xFF3F3F3Fu, 0xFF1F1F1Fu, 0xFF0F0F0Fu}, // 255*400/1600 = 63, 255*200/1600 = 31, 255*100/1600 = 15
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        BufferedImage* out = sharpened(src, c.level);
        ASSERT_NE(out, nullptr);
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 7; ++x) {
                const uint32_t p = out->getRow(y)[x];
                EXPECT_EQ(p, out->getRow(y)[6 - x]);
                EXPECT_EQ(p, out->getRow(6 - y)[x]);
                EXPECT_EQ(p, out->getRow(x)[y]);
            }
        }
        EXPECT_EQ(out->getRow(3)[3], c.centre);
        EXPECT_EQ(out->getRow(2)[3], c.side);
        EXPECT_EQ(out->getRow(2)[2], c.corner);
        EXPECT_EQ(out->getRow(0)[0], 0xFF000000u);
        out->release();
    }
    src->release();
}

TEST(SharpnessFilter, MatchesTheDirectConvolutionWithAndWithoutVectors)
{
    BufferedImage* src = randomImage(37, 23, 11);
    for (bool simd : {true, false}) {
        conv::detail::allowSimd(simd);
        for (int level : {-100, -37, -1, 1, 50, 80, 100}) {
            SCOPED_TRACE(level);
            Sharpness* f = Sharpness::create();
            f->setLevel(level);
            int32_t k[9], divisor;
            ASSERT_TRUE(f->getKernel(k, &divisor));
            BufferedImage* out = f->apply(src, nullptr);
            ASSERT_NE(out, nullptr);
            EXPECT_EQ(pixelsOf(out), reference(src, k, divisor));
            out->release();
            f->release();
        }
    }
    conv::detail::allowSimd(true);
    src->release();
}

TEST(SharpnessFilter, KernelsOfAnyWeights)
{
    BufferedImage* src = randomImage(9, 6, 5);
    struct Case { std::vector<int32_t> k; } cases[] = {
        {{-1, -1, -1, -1, 8, -1, -1, -1, -1}},          // divisor 0 counts as 1
        {{1, 2, 3, -4, 5, -6, 7, 8, -9}},               // negative weights, divisor 7
        {{0, 0, 0, 0, -1, 0, 0, 0, 0}},                 // divisor -1
        {{0, 0, 0, 0, 100000, 0, 0, 0, -99999}},        // too wide for the vector loop
    };
    for (const Case& c : cases) {
        Convolution* kernel = Convolution::fromWeights(c.k[0], c.k[1], c.k[2], c.k[3], c.k[4], c.k[5], c.k[6], c.k[7], c.k[8]);
        BufferedImage* out = BufferedImage::createSized(9, 6);
        std::vector<const uint32_t*> from;
        std::vector<uint32_t*> to;
        for (int y = 0; y < 6; ++y) {
            from.push_back(src->getRow(y));
            to.push_back(out->getRow(y));
        }
        kernel->convolve(from.data(), to.data(), 9, 6);
        EXPECT_EQ(pixelsOf(out), reference(src, kernel->k, kernel->divisor));
        kernel->release();
        out->release();
    }
    src->release();
}

TEST(SharpnessFilter, SmallAndUniformPictures)
{
    // 1 x 1: every tap is the pixel itself, so the weights sum to the divisor and it stays.
    // Uniform pictures stay uniform; thin ones repeat their edges.
    struct Case { int w, h; } sizes[] = {{1, 1}, {1, 5}, {5, 1}, {2, 2}, {3, 3}};
    for (const Case& s : sizes) {
        BufferedImage* src = uniform(s.w, s.h, 0x80402010u);
        for (int level : {-60, 80}) {
            BufferedImage* out = sharpened(src, level);
            ASSERT_NE(out, nullptr);
            EXPECT_EQ(pixelsOf(out), pixelsOf(src));
            out->release();
        }
        src->release();
    }
    BufferedImage* src = randomImage(3, 2, 9);
    BufferedImage* out = sharpened(src, 100);
    int32_t k[9] = {0, -180, 0, -180, 1100, -180, 0, -180, 0};
    EXPECT_EQ(pixelsOf(out), reference(src, k, 380));
    out->release();
    src->release();
}

TEST(SharpnessFilter, LevelZeroCopiesAndTheFlagFollowsTheSource)
{
    BufferedImage* src = randomImage(8, 8, 2);
    src->setHasAlpha(true);
    BufferedImage* copy = sharpened(src, 0);
    EXPECT_EQ(pixelsOf(copy), pixelsOf(src));
    EXPECT_TRUE(copy->hasAlpha());
    BufferedImage* out = sharpened(src, 40);
    EXPECT_TRUE(out->hasAlpha());
    copy->release();
    out->release();
    src->release();
}
