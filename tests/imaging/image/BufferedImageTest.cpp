#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "imaging/filters/Filter.h"
#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"

using s::image::win::BufferedImage;

namespace {

uint32_t pattern(int x, int y) { return 0xFF000000u | uint32_t(x * 37 + 11) << 16 | uint32_t(y * 53 + 7) << 8 | uint32_t(x * y + 3); }

BufferedImage* patterned(int w, int h)
{
    BufferedImage* img = BufferedImage::createSized(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img->getRow(y)[x] = pattern(x, y);
    return img;
}

}  // namespace

TEST(BufferedImage, RowsAreBottomUpInsideTheCapacity)
{
    BufferedImage* img = BufferedImage::createSized(4, 3);
    ASSERT_TRUE(img->hasPixels());
    EXPECT_EQ(img->getStride(), 16);
    // Row 0 (top) is the highest row in memory; the bottom logical row starts at the bits.
    EXPECT_EQ(img->getRowAddress(2), img->getBits());
    EXPECT_EQ(img->getRowAddress(0), img->getBits() + 2 * 16);
    // A smaller logical size keeps the top rows of the DIB.
    img->setSize(2, 2);
    EXPECT_EQ(img->getRowAddress(1), img->getBits() + 16);
    img->release();
}

TEST(BufferedImage, ReserveGrowsByOnePointTwoAndResizeStorageKeepsRows)
{
    BufferedImage* img = patterned(100, 10);
    img->setHasAlpha(false);
    ASSERT_TRUE(img->reserve(101, 10));
    EXPECT_EQ(img->getCapacityWidth(), 120);
    EXPECT_EQ(img->getCapacityHeight(), 10);
    EXPECT_EQ(img->getWidth(), 100);
    EXPECT_EQ(img->getHeight(), 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 100; ++x) ASSERT_EQ(img->getRow(y)[x], pattern(x, y)) << x << "," << y;
    // Shrinking requests never reallocate.
    uint8_t* bits = img->getBits();
    EXPECT_TRUE(img->resizeStorage(50, 5));
    EXPECT_EQ(img->getBits(), bits);
    img->release();
}

TEST(BufferedImage, ADibThatCannotBeMadeLeavesAnEmptyImage)
{
    struct Case { int w, h; } cases[] = {{-5, 10}, {10, 0}, {70000, 70000}, {0x7FFFFFFF, 2}, {2, 0x40000000}};
    for (const Case& c : cases) {
        BufferedImage* img = BufferedImage::createSized(c.w, c.h);
        EXPECT_FALSE(img->hasPixels()) << c.w << "x" << c.h;
        EXPECT_EQ(img->getWidth(), 0);
        EXPECT_EQ(img->getHeight(), 0);
        EXPECT_EQ(img->getBits(), nullptr);
        // Sizes beyond the (empty) capacity are not taken, so nothing writes anywhere.
        EXPECT_EQ(img->setSize(c.w, c.h), 0);
        img->fill(255, 1, 2, 3);
        img->makeOpaque();
        img->release();
    }
    BufferedImage* img = patterned(8, 8);
    EXPECT_FALSE(img->prepare(70000, 70000));
    EXPECT_EQ(img->getWidth(), 0);
    BufferedImage* turned = img->rotateRight();
    ASSERT_NE(turned, nullptr);
    EXPECT_EQ(turned->getWidth(), 0);
    turned->release();
    img->release();
}

TEST(BufferedImage, TurnsAndFlipsOnOddAndOnePixelSizes)
{
    struct Op {
        const char* name;
        std::function<BufferedImage*(BufferedImage*, BufferedImage*)> run;
        bool swaps;
        // source pixel (x, y) for result pixel (i = row, j = column) of a w x h source
        std::function<std::pair<int, int>(int i, int j, int w, int h)> from;
    };
    const Op ops[] = {
        {"right", [](BufferedImage* s, BufferedImage* d) { return s->rotateRight(d); }, true,
         [](int i, int j, int, int h) { return std::make_pair(i, h - 1 - j); }},
        {"left", [](BufferedImage* s, BufferedImage* d) { return s->rotateLeft(d); }, true,
         [](int i, int j, int w, int) { return std::make_pair(w - 1 - i, j); }},
        {"180", [](BufferedImage* s, BufferedImage* d) { return s->rotate180(d); }, false,
         [](int i, int j, int w, int h) { return std::make_pair(w - 1 - j, h - 1 - i); }},
        {"flipH", [](BufferedImage* s, BufferedImage* d) { return s->flipHorizontal(d); }, false,
         [](int i, int j, int w, int) { return std::make_pair(w - 1 - j, i); }},
        {"flipV", [](BufferedImage* s, BufferedImage* d) { return s->flipVertical(d); }, false,
         [](int i, int j, int, int h) { return std::make_pair(j, h - 1 - i); }},
        {"copy", [](BufferedImage* s, BufferedImage* d) { return s->copy(d); }, false,
         [](int i, int j, int, int) { return std::make_pair(j, i); }},
    };
    const std::pair<int, int> sizes[] = {{3, 2}, {1, 1}, {5, 3}, {1, 7}, {7, 1}};
    for (const Op& op : ops) {
        for (auto [w, h] : sizes) {
            for (bool reuse : {false, true}) {
                BufferedImage* src = patterned(w, h);
                src->setHasAlpha(true);
                BufferedImage* given = reuse ? patterned(2, 9) : nullptr;
                BufferedImage* out = op.run(src, given);
                ASSERT_NE(out, nullptr);
                if (given) {
                    EXPECT_EQ(out, given);
                }
                int rw = op.swaps ? h : w, rh = op.swaps ? w : h;
                ASSERT_EQ(out->getWidth(), rw) << op.name;
                ASSERT_EQ(out->getHeight(), rh) << op.name;
                EXPECT_TRUE(out->hasAlpha());
                for (int i = 0; i < rh; ++i)
                    for (int j = 0; j < rw; ++j) {
                        auto [x, y] = op.from(i, j, w, h);
                        ASSERT_EQ(out->getRow(i)[j], pattern(x, y)) << op.name << " " << w << "x" << h << " at " << j << "," << i;
                    }
                out->release();
                src->release();
            }
        }
    }
}

TEST(BufferedImage, RotateRightOfThreeByTwoReadsTheFirstColumnFromTheBottomUp)
{
    BufferedImage* src = patterned(3, 2);
    BufferedImage* out = src->rotateRight();
    ASSERT_EQ(out->getWidth(), 2);
    ASSERT_EQ(out->getHeight(), 3);
    EXPECT_EQ(out->getRow(0)[0], pattern(0, 1));
    EXPECT_EQ(out->getRow(0)[1], pattern(0, 0));
    out->release();
    src->release();
}

TEST(BufferedImage, PasteClipsAndCopiesOpaqueSources)
{
    struct Case { int x, y, sx, sy; int dstX, dstY, srcX, srcY, cols, rows; } cases[] = {
        // destination (x, y), source offset -> first copied pixel and copied extent
        {-10, -5, 0, 0, 0, 0, 10, 5, 10, 15},   // negative place: source shifted
        {25, 10, 0, 0, 25, 10, 0, 0, 5, 10},    // cut at the right and bottom edge
        {3, 4, 2, 1, 3, 4, 2, 1, 18, 16},
        {30, 0, 0, 0, 0, 0, 0, 0, 0, 0},        // entirely outside
    };
    for (const Case& c : cases) {
        BufferedImage* dst = BufferedImage::createSized(30, 20);
        dst->fill(255, 0, 0, 0);
        BufferedImage* src = patterned(20, 20);
        src->setHasAlpha(false);
        dst->paste(c.x, c.y, 0, 0, src, c.sx, c.sy, false);
        int copied = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x) {
                uint32_t v = dst->getRow(y)[x];
                bool inside = x >= c.dstX && x < c.dstX + c.cols && y >= c.dstY && y < c.dstY + c.rows;
                if (inside) {
                    ASSERT_EQ(v, pattern(c.srcX + x - c.dstX, c.srcY + y - c.dstY)) << x << "," << y;
                    ++copied;
                } else {
                    ASSERT_EQ(v, 0xFF000000u) << x << "," << y;
                }
            }
        EXPECT_EQ(copied, c.cols * c.rows);
        src->release();
        dst->release();
    }
}

TEST(BufferedImage, PasteBlendsSourcesWithAlpha)
{
    struct Case { uint32_t dst; bool dstFlag; uint32_t src; uint32_t expected; } cases[] = {
        {0xFF204060, false, 0x80FF0000, 0xFF8F2030},  // half over opaque: opaque result
        {0x00204060, false, 0x80FF0000, 0xFF8F2030},  // destination flag clear: treated opaque
        {0x00204060, true, 0x80FF0000, 0x80FF0000},   // transparent destination takes the source
        {0xFF204060, false, 0x00FFFFFF, 0xFF204060},  // alpha-0 source leaves the destination
        {0x12345678, true, 0x00FFFFFF, 0x12345678},
        {0x80000000, true, 0x80FFFFFF, 0xC0A9A9A9},
        {0x10000000, true, 0xFF010203, 0xFF010203},
    };
    for (const Case& c : cases) {
        BufferedImage* dst = BufferedImage::createSized(1, 1);
        dst->getRow(0)[0] = c.dst;
        dst->setHasAlpha(c.dstFlag);
        BufferedImage* src = BufferedImage::createSized(1, 1);
        src->getRow(0)[0] = c.src;
        src->setHasAlpha(true);
        dst->paste(0, 0, 1, 1, src, 0, 0, false);
        EXPECT_EQ(dst->getRow(0)[0], c.expected) << std::hex << c.dst << " " << c.src;
        EXPECT_EQ(dst->hasAlpha(), c.dstFlag);
        src->release();
        dst->release();
    }
}

TEST(BufferedImage, FitScaleReturnsItselfOrItsOneCache)
{
    BufferedImage* img = patterned(200, 100);
    EXPECT_EQ(img->fitScale(200, 100, false), img);
    EXPECT_EQ(img->fitScale(400, 200, true), img->fitScale(400, 200, true));
    BufferedImage* kept = img->fitScale(100, 100, true);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->getWidth(), 100);
    EXPECT_EQ(kept->getHeight(), 50);
    // The same size again is the very same cached picture, not rescaled.
    kept->getRow(0)[0] = 0x12345678;
    BufferedImage* again = img->fitScale(100, 50, false);
    EXPECT_EQ(again, kept);
    EXPECT_EQ(again->getRow(0)[0], 0x12345678u);
    // Another size rescales into the same object.
    BufferedImage* other = img->fitScale(30, 40, false);
    EXPECT_EQ(other, kept);
    EXPECT_EQ(other->getWidth(), 30);
    EXPECT_EQ(other->getHeight(), 40);
    img->release();
}

TEST(BufferedImage, PixelOperations)
{
    BufferedImage* img = BufferedImage::createSized(3, 1);
    uint32_t* p = img->getRow(0);
    p[0] = 0x00102030;
    p[1] = 0x80102030;
    p[2] = 0xFF405060;
    img->setHasAlpha(false);
    img->flattenOnto(255, 255, 255);  // flag clear: nothing changes
    EXPECT_EQ(p[0], 0x00102030u);
    EXPECT_TRUE(img->hasAnyAlpha());
    img->flattenOnto(0, 0, 0);
    EXPECT_EQ(p[0], 0xFF000000u);
    EXPECT_EQ(p[1], 0xFF081018u);  // (c * 129) >> 8
    EXPECT_EQ(p[2], 0xFF405060u);
    EXPECT_FALSE(img->hasAlpha());
    EXPECT_FALSE(img->hasAnyAlpha());

    p[0] = 0x11AABBCC;
    p[1] = 0x22010203;
    p[2] = 0x33AABBCC;
    img->applyColorKey(0xAA, 0xBB, 0xCC);
    EXPECT_EQ(p[0], 0x00AABBCCu);
    EXPECT_EQ(p[1], 0xFF010203u);
    EXPECT_TRUE(img->hasAlpha());
    img->recolorTransparent(1, 2, 3);
    EXPECT_EQ(p[0], 0x00010203u);
    img->thresholdAlpha(128);
    EXPECT_EQ(p[0] >> 24, 0u);
    EXPECT_EQ(p[1] >> 24, 255u);
    img->setOpaqueAlpha(200);
    EXPECT_EQ(p[1] >> 24, 200u);
    EXPECT_EQ(p[0] >> 24, 0u);
    img->fill(255, 1, 2, 3);
    EXPECT_FALSE(img->hasAlpha());
    img->fillRgb(9, 8, 7);
    EXPECT_EQ(p[2], 0xFF090807u);
    img->release();
}

TEST(BufferedImage, DrawBlitsTheLogicalPictureToADeviceContext)
{
    BufferedImage* img = patterned(5, 3);
    BufferedImage* screen = BufferedImage::createSized(10, 10);
    screen->fill(255, 0, 0, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, screen->getHBitmap());
    img->draw(dc, 2, 1, 100, 100, false);  // clipped to the picture's own size
    GdiFlush();
    SelectObject(dc, old);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            bool inside = x >= 2 && x < 7 && y >= 1 && y < 4;
            uint32_t expect = inside ? pattern(x - 2, y - 1) : 0xFF000000u;
            ASSERT_EQ(screen->getRow(y)[x] & 0xFFFFFF, expect & 0xFFFFFF) << x << "," << y;
        }
    // Stretched drawing goes through the scaled cache.
    old = SelectObject(dc, screen->getHBitmap());
    img->draw(dc, 0, 0, 10, 6, true);
    GdiFlush();
    SelectObject(dc, old);
    DeleteDC(dc);
    ASSERT_NE(img->getScaledCache(), nullptr);
    EXPECT_EQ(img->getScaledCache()->getWidth(), 10);
    EXPECT_EQ(screen->getRow(5)[9] & 0xFFFFFF, img->getScaledCache()->getRow(5)[9] & 0xFFFFFF);
    screen->release();
    img->release();
}

// ---- filter chain

namespace {

// Adds a constant to every blue byte and counts its runs; fails on demand.
class AddBlue : public s::image::filters::FilterBase {
    S_POOLED(AddBlue, L"tests_AddBlue")
public:
    static const wchar_t* const NAME;
    const wchar_t* getFilterName() const override { return NAME; }
    void reset() override { releasedWithImage_ = true; amount = 1; fail = false; }
    BufferedImage* apply(BufferedImage* src, BufferedImage* dst) override
    {
        ++runs;
        if (fail) return nullptr;
        BufferedImage* out = src->copy(dst);
        for (int y = 0; y < out->getHeight(); ++y)
            for (int x = 0; x < out->getWidth(); ++x) out->getRow(y)[x] += uint32_t(amount);
        return out;
    }
    int amount = 1;
    bool fail = false;
    static int runs;
};
const wchar_t* const AddBlue::NAME = L"AddBlue";
int AddBlue::runs = 0;

}  // namespace

TEST(FilterChain, RunsInOrderCachesAndRecomputesOnChange)
{
    BufferedImage* img = BufferedImage::createSized(2, 2);
    img->fill(255, 0, 0, 0);
    EXPECT_EQ(img->getFiltered(), nullptr);  // empty chain
    AddBlue* one = AddBlue::create();
    AddBlue* two = AddBlue::create();
    two->amount = 10;
    img->addFilter(one);
    img->addFilter(two);
    AddBlue::runs = 0;
    BufferedImage* result = img->getFiltered();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->getRow(1)[1], 0xFF00000Bu);
    EXPECT_EQ(img->getFiltered(), result);
    EXPECT_EQ(AddBlue::runs, 2);  // twice getFiltered, one run of the chain
    int index = -1;
    EXPECT_TRUE(img->findFilter(AddBlue::NAME, &index));
    EXPECT_EQ(index, 0);
    const wchar_t sameText[] = L"AddBlue";
    EXPECT_FALSE(img->findFilter(sameText, &index));  // identity, not text

    // A filter kept by someone else survives its removal.
    two->setReleasedWithImage(false);
    img->removeFilter(1);
    two->amount = 20;
    EXPECT_EQ(two->amount, 20);
    BufferedImage* after = img->getFiltered();
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->getRow(0)[0], 0xFF000001u);
    img->insertFilter(0, two);
    EXPECT_EQ(img->getFiltered()->getRow(0)[0], 0xFF000015u);
    EXPECT_FALSE(img->getFiltered()->hasAlpha());
    img->detachFilters();
    EXPECT_FALSE(img->hasFilters());
    two->setReleasedWithImage(true);
    two->release();
    one->release();
    img->release();
}

TEST(FilterChain, AFailingFilterGivesNullAndRunsAgainNextTime)
{
    BufferedImage* img = BufferedImage::createSized(3, 1);
    img->fill(255, 0, 0, 0);
    AddBlue* f = AddBlue::create();
    f->fail = true;
    img->addFilter(f);
    AddBlue::runs = 0;
    EXPECT_EQ(img->getFiltered(), nullptr);
    EXPECT_EQ(img->getFiltered(), nullptr);
    EXPECT_EQ(AddBlue::runs, 2);
    f->fail = false;
    EXPECT_NE(img->getFiltered(), nullptr);
    img->release();  // the filter goes back to its pool with the image
}
