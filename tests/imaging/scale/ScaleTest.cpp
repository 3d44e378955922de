#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "imaging/filters/Scale.h"
#include "imaging/image/BufferedImage.h"

using s::image::win::BufferedImage;
using namespace s::image::filters::scale;

namespace {

BufferedImage* randomImage(int w, int h, uint32_t seed) {
    BufferedImage* img = BufferedImage::createSized(w, h);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img->getRow(y)[x] = rng();
    return img;
}

std::vector<uint32_t> pixels(BufferedImage* img) {
    std::vector<uint32_t> v;
    for (int y = 0; y < img->getHeight(); ++y) v.insert(v.end(), img->getRow(y), img->getRow(y) + img->getWidth());
    return v;
}

uint32_t mix(const std::vector<std::pair<uint32_t, int32_t>>& taps) {
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        int32_t sum = 0;
        for (auto [p, w] : taps) sum += w * int32_t((p >> shift) & 0xFF);
        out |= uint32_t(((sum + 32768) >> 16) & 0xFF) << shift;
    }
    return out;
}

IScaleFilter* kernels[] = {BilinearFilter::shared(), BoxFilter::shared(), HammingFilter::shared(),
                           BlackmanFilter::shared(), GaussianFilter::shared()};

}  // namespace

TEST(ScaleKernels, Values) {
    EXPECT_DOUBLE_EQ(BilinearFilter::shared()->weight(0.25), 0.75);
    EXPECT_DOUBLE_EQ(BilinearFilter::shared()->weight(-1.0), 0.0);
    EXPECT_DOUBLE_EQ(BoxFilter::shared()->weight(0.5), 1.0);
    EXPECT_DOUBLE_EQ(BoxFilter::shared()->weight(0.51), 0.0);
    EXPECT_DOUBLE_EQ(HammingFilter::shared()->weight(0.0), 1.0);
    EXPECT_NEAR(BlackmanFilter::shared()->weight(0.5), 0.00001, 1e-12);
    EXPECT_NEAR(GaussianFilter::shared()->weight(0.0), 0.3989422804, 1e-9);
    EXPECT_DOUBLE_EQ(GaussianFilter::shared()->getSupport(), 3.0);
    EXPECT_EQ(kernelFor(3), HammingFilter::shared());
    EXPECT_EQ(kernelFor(6), nullptr);
}

TEST(ScaleContribution, ExactWeightsOnSmallRows) {
    Contribution c;
    ASSERT_TRUE(c.build(BilinearFilter::shared(), 2, 4, 0.5));
    EXPECT_EQ(c.first(0), 0);
    EXPECT_EQ(c.last(0), 1);
    EXPECT_EQ(c.weights(0)[0], 43690);  // 2/3
    EXPECT_EQ(c.weights(0)[1], 21845);  // 1/3
    EXPECT_EQ(c.first(1), 1);
    EXPECT_EQ(c.last(1), 3);
    EXPECT_EQ(c.weights(1)[0], 16384);
    EXPECT_EQ(c.weights(1)[1], 32768);
    EXPECT_EQ(c.weights(1)[2], 16384);

    ASSERT_TRUE(c.build(BoxFilter::shared(), 4, 2, 2.0));
    EXPECT_EQ(c.first(1), 0);  // centre 0.5: the box includes its border
    EXPECT_EQ(c.last(1), 1);
    EXPECT_EQ(c.weights(1)[0], 32768);
    EXPECT_EQ(c.weights(1)[1], 32768);
    EXPECT_EQ(c.first(3), 1);  // centre 1.5 clipped at the last input
    EXPECT_EQ(c.last(3), 1);
}

TEST(ScaleContribution, EntriesNeverHoldMoreThanTheirTableAllows) {
    for (IScaleFilter* k : kernels)
        for (auto [n, m] : {std::pair{7, 3}, {400, 3}, {101, 100}, {3, 1000}, {1, 5}, {5, 1}, {1000, 999}}) {
            Contribution c;
            ASSERT_TRUE(c.build(k, n, m, double(n) / double(m)));
            int64_t total = 0;
            for (int i = 0; i < n; ++i) {
                ASSERT_GE(c.first(i), 0);
                ASSERT_LE(c.last(i), m - 1);
                ASSERT_LE(c.last(i) - c.first(i) + 1, c.maxTaps()) << k->getClassName() << " " << n << "/" << m;
                for (int j = 0; j <= c.last(i) - c.first(i); ++j) total += c.weights(i)[j];
            }
            EXPECT_GT(total, 0);
        }
}

namespace {

// A kernel that is positive everywhere: its runs of weights end only at the window's edge.
class FlatKernel : public IScaleFilter {
public:
    double weight(double) const override { return 1.0; }
    double getSupport() const override { return 1.0; }
    void setSupport(double) override {}
    const wchar_t* getClassName() const override { return L"tests_FlatKernel"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void release() override {}
    void reset() override {}
};

}  // namespace

TEST(ScaleContribution, AnEnlargementNeverWritesPastItsEntry) {
    // Window 1 gives 3 taps an entry; a centre between two inputs spans 4 of them.
    FlatKernel flat;
    Contribution c;
    ASSERT_TRUE(c.build(&flat, 9, 4, 9.0 / 4.0));
    EXPECT_EQ(c.maxTaps(), 3);
    for (int i = 0; i < 9; ++i) {
        EXPECT_LE(c.last(i) - c.first(i) + 1, 3) << i;
        // The next entry's header is intact.
        if (i + 1 < 9) {
            EXPECT_LE(c.first(i + 1), 3) << i;
        }
    }
    EXPECT_EQ(c.first(1), 0);  // centre 4/9
    EXPECT_EQ(c.last(1), 2);
    EXPECT_EQ(c.weights(1)[0] + c.weights(1)[1] + c.weights(1)[2], 65535);
}

TEST(ScaleContribution, TapsWhoseWeightRoundsToZeroAreDropped) {
    // A windowed sinc is only almost 0 at its zeros: at 2x a Hamming of width 1 has
    // at most two taps an entry, like the triangle, never a third of weight 0.
    HammingFilter hamming;
    hamming.setSupport(1.0);
    Contribution c;
    ASSERT_TRUE(c.build(&hamming, 2000, 1000, 2.0));
    for (int i = 0; i < 2000; ++i) {
        const int taps = c.last(i) - c.first(i) + 1;
        ASSERT_LE(taps, 2) << i;
        int32_t sum = 0;
        for (int k = 0; k < taps; ++k) sum += c.weights(i)[k];
        EXPECT_GE(sum, 65534) << i;
        // On an input, the entry is that input alone.
        if (i % 2 == 0) EXPECT_EQ(taps, 1) << i;
    }
}

TEST(ScalePixels, RowAndBottomAnchoredColumn) {
    const uint32_t row[4] = {0x10203040, 0x50607080, 0x90A0B0C0, 0xD0E0F0FF};
    BufferedImage* src = BufferedImage::createSized(4, 1);
    std::memcpy(src->getRow(0), row, sizeof(row));
    BufferedImage* out = scaleImage(BilinearFilter::shared(), src, 2, 1, nullptr);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(out->getRow(0)[0], mix({{row[0], 43690}, {row[1], 21845}}));
    EXPECT_EQ(out->getRow(0)[1], mix({{row[1], 16384}, {row[2], 32768}, {row[3], 16384}}));
    out->release();
    src->release();

    // The same four values as a column: the grid starts at the bottom edge, so the
    // bottom output row takes the bottom two source rows.
    src = BufferedImage::createSized(1, 4);
    for (int y = 0; y < 4; ++y) src->getRow(y)[0] = row[y];
    out = scaleImage(BilinearFilter::shared(), src, 1, 2, nullptr);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(out->getRow(1)[0], mix({{row[3], 43690}, {row[2], 21845}}));
    EXPECT_EQ(out->getRow(0)[0], mix({{row[2], 16384}, {row[1], 32768}, {row[0], 16384}}));
    out->release();
    src->release();
}

TEST(ScalePixels, EqualSizeIsAnExactCopy) {
    BufferedImage* src = randomImage(37, 23, 1);
    src->setHasAlpha(true);
    for (IScaleFilter* k : kernels) {
        BufferedImage* out = scaleImage(k, src, 37, 23, nullptr);
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(pixels(out), pixels(src));
        EXPECT_TRUE(out->hasAlpha());
        out->release();
    }
    src->release();
}

TEST(ScalePixels, VectorLoopsMatchThePlainOnesBitForBit) {
    // Odd widths, one-pixel edges, single rows and columns, enlargements and reductions
    // in one direction only, and sizes around the vector widths (4 and 8 pixels, 4 rows).
    const struct {
        int sw, sh, dw, dh;
    } sizes[] = {
        {37, 23, 11, 7},  {13, 9, 40, 31}, {64, 64, 33, 65}, {5, 3, 1, 1},    {1, 1, 9, 5},       {101, 51, 50, 25},
        {3, 200, 7, 3},   {1, 40, 1, 13},  {40, 1, 13, 1},   {9, 17, 9, 5},   {17, 9, 5, 9},      {8, 8, 7, 9},
        {33, 35, 31, 37}, {2, 2, 3, 3},    {250, 3, 97, 2},  {7, 300, 3, 41}, {95, 61, 190, 122},
    };
    HammingFilter wide;
    wide.setSupport(1.0);
    std::vector<IScaleFilter*> all(std::begin(kernels), std::end(kernels));
    all.push_back(&wide);
    for (IScaleFilter* k : all)
        for (const auto& s : sizes) {
            BufferedImage* src = randomImage(s.sw, s.sh, uint32_t(s.sw * 131 + s.dh));
            detail::limitSimd(detail::kPlain);
            BufferedImage* plain = scaleImage(k, src, s.dw, s.dh, nullptr);
            ASSERT_NE(plain, nullptr);
            const std::vector<uint32_t> want = pixels(plain);
            for (int level : {detail::kSse41, detail::kAvx2}) {
                detail::limitSimd(level);
                if (detail::simdLevel() != level) continue;  // the processor lacks it
                BufferedImage* fast = scaleImage(k, src, s.dw, s.dh, nullptr);
                ASSERT_NE(fast, nullptr);
                EXPECT_EQ(pixels(fast), want) << "level " << level << " " << k->getClassName() << " " << s.sw << "x"
                                              << s.sh << "->" << s.dw << "x" << s.dh;
                fast->release();
            }
            detail::limitSimd(detail::kAvx2);
            plain->release();
            src->release();
        }
}

TEST(ScalePixels, BandsOnSeveralThreadsGiveTheSingleThreadResult) {
    const struct {
        int sw, sh, dw, dh, threads;
    } cases[] = {
        {600, 450, 240, 180, 4}, {300, 200, 600, 401, 3}, {500, 300, 500, 97, 4},  {333, 100, 111, 100, 4},
        {64, 999, 50, 700, 7},   {80, 60, 40, 9, 8},      {900, 700, 899, 701, 0},
    };
    for (IScaleFilter* k :
         {static_cast<IScaleFilter*>(BilinearFilter::shared()), static_cast<IScaleFilter*>(GaussianFilter::shared())})
        for (const auto& c : cases) {
            BufferedImage* src = randomImage(c.sw, c.sh, uint32_t(c.sw + c.dh));
            BufferedImage* one = scaleImage(k, src, c.dw, c.dh, nullptr, 1);
            BufferedImage* many = scaleImage(k, src, c.dw, c.dh, nullptr, c.threads);
            ASSERT_NE(one, nullptr);
            ASSERT_NE(many, nullptr);
            EXPECT_EQ(pixels(many), pixels(one)) << k->getClassName() << " " << c.sw << "x" << c.sh << "->" << c.dw
                                                 << "x" << c.dh << " on " << c.threads;
            one->release();
            many->release();
            src->release();
        }
}

TEST(ScalePixels, ScalingOnTwoThreadsAtOnceGivesTheSameResults) {
    BufferedImage* a = randomImage(300, 200, 7);
    BufferedImage* b = randomImage(170, 260, 8);
    BufferedImage* refA = scaleImage(HammingFilter::shared(), a, 123, 77, nullptr);
    BufferedImage* refB = scaleImage(BilinearFilter::shared(), b, 400, 333, nullptr);
    const std::vector<uint32_t> wantA = pixels(refA), wantB = pixels(refB);
    bool okA = true, okB = true;
    std::thread ta([&] {
        BufferedImage* out = BufferedImage::create();
        for (int i = 0; i < 20 && okA; ++i)
            okA = scaleImage(HammingFilter::shared(), a, 123, 77, out) && pixels(out) == wantA;
        out->release();
    });
    std::thread tb([&] {
        BufferedImage* out = BufferedImage::create();
        for (int i = 0; i < 20 && okB; ++i)
            okB = scaleImage(BilinearFilter::shared(), b, 400, 333, out) && pixels(out) == wantB;
        out->release();
    });
    ta.join();
    tb.join();
    EXPECT_TRUE(okA);
    EXPECT_TRUE(okB);
    for (BufferedImage* i : {a, b, refA, refB}) i->release();
}

TEST(ScaleFilter, SizeRules) {
    struct Case {
        int sw, sh;
        int width;
        bool wAbs;
        int height;
        bool hAbs;
        bool keep;
        int mode;
        bool canvas;
        int rw, rh;
        bool unscaled;  // the result is a plain copy of the source
    } cases[] = {
        {101, 51, 50, false, 50, false, false, 0, false, 50, 25, false},
        {200, 100, 100, true, 100, true, true, 0, false, 100, 50, false},
        {200, 100, 100, true, 100, true, false, 0, false, 100, 100, false},
        {200, 100, 300, true, 300, true, true, 1, false, 200, 100, true},  // only shrink, larger target
        {200, 100, 100, true, 50, true, false, 2, false, 200, 100, true},  // only enlarge, smaller target
        {200, 100, 400, true, 150, true, false, 2, false, 400, 150, false},
        {200, 100, 100, true, 50, true, false, 1, false, 100, 50, false},
        {10, 10, 1, false, 1, false, false, 0, false, 1, 1, false},  // 0.1 px becomes 1
        {10, 10, 0, true, 5, true, false, 0, false, 1, 5, false},
        {1000, 2, 10, true, 10, true, true, 0, false, 10, 1, false},  // kept ratio gives 0 -> 1
        {64, 48, 64, true, 48, true, false, 0, false, 64, 48, true},
        {200, 100, 300, true, 300, true, true, 0, true, 300, 300, false},  // canvas
        {300, 300, 300, true, 300, true, true, 0, true, 300, 300, true},
    };
    for (const Case& c : cases) {
        BufferedImage* src = randomImage(c.sw, c.sh, 3);
        src->setHasAlpha(false);
        ScaleFilter* f = ScaleFilter::create();
        f->set(c.width, c.wAbs, c.height, c.hAbs, c.keep, 1);
        f->mode = c.mode;
        f->canvas = c.canvas;
        BufferedImage* out = f->apply(src, nullptr);
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(out->getWidth(), c.rw) << c.sw << "x" << c.sh << " " << c.width << "/" << c.height;
        EXPECT_EQ(out->getHeight(), c.rh) << c.sw << "x" << c.sh << " " << c.width << "/" << c.height;
        EXPECT_EQ(f->resultWidth, c.rw);
        EXPECT_EQ(f->resultHeight, c.rh);
        EXPECT_EQ(f->sourceWidth, c.sw);
        if (c.unscaled) {
            EXPECT_EQ(pixels(out), pixels(src));
        }
        EXPECT_EQ(out->hasAlpha(), c.canvas && !c.unscaled);
        out->release();
        f->release();
        src->release();
    }
}

TEST(ScaleFilter, CanvasPlacesThePictureCentredOnTransparentWhite) {
    BufferedImage* src = BufferedImage::createSized(200, 100);
    src->fill(255, 10, 20, 30);
    ScaleFilter* f = ScaleFilter::create();
    f->set(300, true, 300, true, true, 1);
    f->canvas = true;
    BufferedImage* given = BufferedImage::create();
    BufferedImage* out = f->apply(src, given);
    ASSERT_EQ(out, given);
    ASSERT_EQ(out->getWidth(), 300);
    EXPECT_TRUE(out->hasAlpha());
    EXPECT_EQ(out->getRow(74)[150], 0x00FFFFFFu);
    EXPECT_EQ(out->getRow(75)[0], 0xFF0A141Eu);
    EXPECT_EQ(out->getRow(224)[299], 0xFF0A141Eu);
    EXPECT_EQ(out->getRow(225)[150], 0x00FFFFFFu);
    out->release();

    // Percent sizes can make the picture larger than the canvas: its middle is shown.
    for (int kernel = 1; kernel <= 5; ++kernel) {
        f->set(300, false, 50, true, false, kernel);  // 600 x 50 picture on a 300 x 50 canvas
        out = f->apply(src, nullptr);
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(out->getWidth(), 300);
        EXPECT_EQ(out->getHeight(), 50);
        EXPECT_EQ(out->getRow(0)[0], 0xFF0A141Eu);
        EXPECT_EQ(out->getRow(49)[299], 0xFF0A141Eu);
        out->release();
    }
    f->release();
    src->release();
}

TEST(ScaleFilter, FailsWhenTheResultCannotBeMade) {
    BufferedImage* src = randomImage(20, 20, 5);
    ScaleFilter* f = ScaleFilter::create();
    f->set(100000, true, 100000, true, false, 2);
    EXPECT_EQ(f->apply(src, nullptr), nullptr);
    BufferedImage* given = BufferedImage::createSized(4, 4);
    EXPECT_EQ(f->apply(src, given), nullptr);
    EXPECT_EQ(given->getWidth(), 0);
    EXPECT_EQ(given->getHeight(), 0);
    // In an image's chain the failure gives no filtered picture.
    src->addFilter(f);
    EXPECT_EQ(src->getFiltered(), nullptr);
    f->set(10, true, 10, true, false, 2);
    src->clearFilters();
    given->release();
    src->release();
}
