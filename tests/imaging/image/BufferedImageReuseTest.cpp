// Destinations that already have the room keep their DIB: copies, filters and reruns of
// the filter chain write into the memory they had, with the same pixels, size and flag
// as a result in a new image.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "imaging/filters/ColorFilters.h"
#include "imaging/filters/Geometry.h"
#include "imaging/filters/Scale.h"
#include "imaging/filters/Sharpness.h"
#include "imaging/filters/ShearRotation.h"
#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"

using s::image::win::BufferedImage;
using namespace s::image::filters;

namespace {

// Opaque pattern with a few half-transparent and transparent pixels.
uint32_t pixelAt(int x, int y)
{
    uint32_t a = (x + y) % 7 == 0 ? 0x00u : (x * y) % 5 == 0 ? 0x80u : 0xFFu;
    return a << 24 | uint32_t(x * 29 + y * 3) % 256 << 16 | uint32_t(y * 41 + 5) % 256 << 8 | uint32_t(x * y + 17) % 256;
}

BufferedImage* picture(int w, int h, bool alpha)
{
    BufferedImage* img = BufferedImage::createSized(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img->getRow(y)[x] = alpha ? pixelAt(x, y) : pixelAt(x, y) | 0xFF000000u;
    img->setHasAlpha(alpha);
    return img;
}

// A destination of that capacity, its whole DIB holding other pixels and the opposite flag.
BufferedImage* junk(int capW, int capH, bool flag)
{
    BufferedImage* img = BufferedImage::createSized(capW, capH);
    img->fill(0x12, 0x34, 0x56, 0x78);
    img->setHasAlpha(flag);
    return img;
}

void expectSamePicture(BufferedImage* got, BufferedImage* want, const std::string& what)
{
    ASSERT_EQ(got->getWidth(), want->getWidth()) << what;
    ASSERT_EQ(got->getHeight(), want->getHeight()) << what;
    EXPECT_EQ(got->hasAlpha(), want->hasAlpha()) << what;
    for (int y = 0; y < want->getHeight(); ++y)
        for (int x = 0; x < want->getWidth(); ++x)
            ASSERT_EQ(got->getRow(y)[x], want->getRow(y)[x]) << what << " at " << x << "," << y;
}

}  // namespace

TEST(BufferedImageReuse, CopyKeepsTheDestinationsDibWhenItHasTheRoom)
{
    struct Case { int capW, capH; bool reused; int wantCapW, wantCapH; } cases[] = {
        {50, 40, true, 50, 40},   // larger on both axes: same DIB, capacity kept
        {30, 20, true, 30, 20},   // exactly the size
        {29, 40, false, 30, 20},  // one column short: a DIB of exactly the size
        {50, 19, false, 30, 20},  // one row short
        {10, 10, false, 30, 20},
    };
    for (const Case& c : cases) {
        for (bool alpha : {false, true}) {
            const std::string what = std::to_string(c.capW) + "x" + std::to_string(c.capH) + (alpha ? " alpha" : "");
            BufferedImage* src = picture(30, 20, alpha);
            BufferedImage* dst = junk(c.capW, c.capH, !alpha);
            uint8_t* before = dst->getBits();
            HBITMAP handle = dst->getHBitmap();
            ASSERT_EQ(src->copy(dst), dst) << what;
            EXPECT_EQ(dst->getBits() == before && dst->getHBitmap() == handle, c.reused) << what;
            EXPECT_EQ(dst->getCapacityWidth(), c.wantCapW) << what;
            EXPECT_EQ(dst->getCapacityHeight(), c.wantCapH) << what;
            EXPECT_EQ(dst->getRowBytes(), 30 * 4) << what;
            EXPECT_EQ(dst->getStride(), c.wantCapW * 4) << what;
            expectSamePicture(dst, src, what);
            dst->release();
            src->release();
        }
    }
}

TEST(BufferedImageReuse, CopyIntoItselfKeepsThePicture)
{
    BufferedImage* src = picture(9, 4, true);
    BufferedImage* want = picture(9, 4, true);
    EXPECT_EQ(src->copy(src), src);
    expectSamePicture(src, want, "self copy");
    want->release();
    src->release();
}

TEST(BufferedImageReuse, CopyOfAnEmptyPictureEmptiesTheDestination)
{
    BufferedImage* empty = BufferedImage::create();
    BufferedImage* dst = junk(5, 5, true);
    ASSERT_EQ(empty->copy(dst), dst);
    EXPECT_EQ(dst->getWidth(), 0);
    EXPECT_EQ(dst->getHeight(), 0);
    EXPECT_FALSE(dst->hasAlpha());
    dst->release();
    empty->release();
}

namespace {

struct FilterCase { const char* name; std::function<IFilter*()> make; };

std::vector<FilterCase> filterCases()
{
    return {
        {"level", [] { auto* f = colors::Level::create(); f->level = 70; return f; }},
        {"level50", [] { return colors::Level::create(); }},  // plain copy
        {"curve", [] { auto* f = colors::Curve::create(); f->strength = 40; return f; }},
        {"hsv", [] { auto* f = colors::Hsv::create(); f->set(30, 10, -10); return f; }},
        {"alpha", [] { auto* f = colors::Alpha::create(); f->opacity = 60; return f; }},
        {"grey", [] { auto* f = monotone::Monotone::create(); f->mode = 1; return f; }},
        {"sharpen", [] { auto* f = sharpness::Sharpness::create(); f->setLevel(60); return f; }},
        {"rotate30", [] { auto* f = rotation::Shear::create(); f->angle = 30; return f; }},
        {"rotate90", [] { auto* f = rotation::Shear::create(); f->angle = 90; return f; }},
        {"rotate0", [] { return rotation::Shear::create(); }},
        {"flip", [] { auto* f = flip::Flip::create(); f->vertical = true; return f; }},
        {"noflip", [] { return flip::Flip::create(); }},
        {"cut", [] { auto* f = cut::Cut::create(); f->set(10, 20, 5, 0); return f; }},
        {"frame", [] { auto* f = feather::Frame::create(); f->width = 4; return f; }},
        {"scale", [] { auto* f = scale::ScaleFilter::create(); f->set(31, true, 17, true, false, 2); return f; }},
        {"canvas", [] {
             auto* f = scale::ScaleFilter::create();
             f->set(50, true, 40, true, false, 1);
             f->canvas = true;
             f->mode = 1;  // only shrink: the picture is centred as it is
             return f;
         }},
    };
}

}  // namespace

TEST(BufferedImageReuse, FiltersWriteIntoALargeEnoughDestinationAsIntoANewImage)
{
    for (const FilterCase& c : filterCases()) {
        for (bool alpha : {false, true}) {
            const std::string what = std::string(c.name) + (alpha ? " alpha" : "");
            IFilter* f = c.make();
            BufferedImage* src = picture(40, 25, alpha);
            BufferedImage* fresh = f->apply(src, nullptr);
            ASSERT_NE(fresh, nullptr) << what;
            BufferedImage* dst = junk(80, 80, !fresh->hasAlpha());
            uint8_t* before = dst->getBits();
            ASSERT_EQ(f->apply(src, dst), dst) << what;
            EXPECT_EQ(dst->getBits(), before) << what;
            EXPECT_EQ(dst->getCapacityWidth(), 80) << what;
            expectSamePicture(dst, fresh, what);
            // The source is left as it was.
            BufferedImage* original = picture(40, 25, alpha);
            expectSamePicture(src, original, what + " source");
            original->release();
            dst->release();
            fresh->release();
            src->release();
            f->release();
        }
    }
}

// New pictures take the memory of released ones of the same size without clearing it
// where every pixel is written: the results are the same as in fresh memory.
TEST(BufferedImageReuse, FiltersIntoRecycledMemoryGiveTheSamePictures)
{
    for (const FilterCase& c : filterCases()) {
        const std::string what = c.name;
        IFilter* f = c.make();
        BufferedImage* src = picture(420, 310, true);
        s::image::bmp::win::trimSectionRecycling();
        BufferedImage* fresh = f->apply(src, nullptr);
        ASSERT_NE(fresh, nullptr) << what;
        // Two released pictures of the result's size full of other pixels wait for reuse.
        BufferedImage* a = junk(fresh->getWidth(), fresh->getHeight(), false);
        BufferedImage* b = junk(fresh->getWidth(), fresh->getHeight(), false);
        const uint8_t* kept[] = {a->getBits(), b->getBits()};
        a->release();
        b->release();
        BufferedImage* again = f->apply(src, nullptr);
        ASSERT_NE(again, nullptr) << what;
        // Pictures of 256 KB and more are recycled.
        if (size_t(fresh->getWidth()) * size_t(fresh->getHeight()) * 4 >= 256 * 1024)
            EXPECT_TRUE(again->getBits() == kept[0] || again->getBits() == kept[1]) << what;
        expectSamePicture(again, fresh, what);
        again->release();
        fresh->release();
        src->release();
        f->release();
    }
    s::image::bmp::win::trimSectionRecycling();
}

TEST(BufferedImageReuse, RerunningTheChainWritesIntoThePreviousResult)
{
    for (int length = 1; length <= 3; ++length) {
        const std::string what = "chain of " + std::to_string(length);
        BufferedImage* img = picture(37, 23, true);
        colors::Level* filters[3];
        for (int i = 0; i < length; ++i) {
            filters[i] = colors::Level::create();
            filters[i]->level = 60 + i;
            img->addFilter(filters[i]);
        }
        BufferedImage* first = img->applyFilters();
        ASSERT_NE(first, nullptr) << what;
        uint8_t* bits = first->getBits();
        for (int level : {30, 75}) {
            filters[0]->level = level;
            BufferedImage* again = img->applyFilters();
            EXPECT_EQ(again, first) << what;
            EXPECT_EQ(again->getBits(), bits) << what;
            EXPECT_EQ(img->getFiltered(), again) << what;
            // The same chain run by hand into new images.
            BufferedImage* want = img->copy();
            for (int i = 0; i < length; ++i) {
                BufferedImage* next = filters[i]->apply(want, nullptr);
                ASSERT_NE(next, nullptr) << what;
                want->release();
                want = next;
            }
            want->hasAnyAlpha();
            expectSamePicture(again, want, what + " level " + std::to_string(level));
            want->release();
        }
        img->release();
    }
}

TEST(BufferedImageReuse, TheRerunResultsScaledCopyShowsTheNewPixels)
{
    BufferedImage* img = picture(40, 30, false);
    colors::Level* level = colors::Level::create();
    level->level = 80;
    img->addFilter(level);
    BufferedImage* result = img->applyFilters();
    ASSERT_NE(result, nullptr);
    BufferedImage* oldScaled = result->fitScale(20, 15, false);
    ASSERT_NE(oldScaled, nullptr);
    const uint32_t oldPixel = oldScaled->getRow(7)[10];
    level->level = 20;
    result = img->applyFilters();
    BufferedImage* scaled = result->fitScale(20, 15, false);
    ASSERT_NE(scaled, nullptr);
    BufferedImage* want = scale::scaleImage(scale::BilinearFilter::shared(), result, 20, 15, nullptr);
    ASSERT_NE(want, nullptr);
    expectSamePicture(scaled, want, "scaled copy");
    EXPECT_NE(scaled->getRow(7)[10], oldPixel);
    want->release();
    img->release();
}

TEST(BufferedImageReuse, ALongerChainThatChangesTheSizeStillMatchesARunByHand)
{
    BufferedImage* img = picture(30, 20, true);
    auto* turn = rotation::Shear::create();
    turn->angle = 90;
    auto* cutter = cut::Cut::create();
    cutter->set(10, 0, 0, 25);
    auto* grey = monotone::Monotone::create();
    grey->mode = 2;
    img->addFilter(turn);
    img->addFilter(cutter);
    img->addFilter(grey);
    for (int run = 0; run < 3; ++run) {
        turn->angle = run == 1 ? 15 : 90;
        BufferedImage* got = img->applyFilters();
        ASSERT_NE(got, nullptr);
        BufferedImage* a = turn->apply(img, nullptr);
        BufferedImage* b = cutter->apply(a, nullptr);
        BufferedImage* want = grey->apply(b, nullptr);
        want->hasAnyAlpha();
        expectSamePicture(got, want, "run " + std::to_string(run));
        want->release();
        b->release();
        a->release();
    }
    img->release();
}

TEST(BufferedImageReuse, TurnsAndFlipsIntoTheImageItselfMatchTheirNewImageResults)
{
    struct Op { const char* name; BufferedImage* (BufferedImage::*run)(BufferedImage*); } ops[] = {
        {"right", &BufferedImage::rotateRight},       {"left", &BufferedImage::rotateLeft},
        {"180", &BufferedImage::rotate180},           {"flipH", &BufferedImage::flipHorizontal},
        {"flipV", &BufferedImage::flipVertical},
    };
    for (const Op& op : ops) {
        BufferedImage* img = picture(7, 4, true);
        BufferedImage* want = (img->*op.run)(nullptr);
        ASSERT_NE(want, nullptr) << op.name;
        EXPECT_EQ((img->*op.run)(img), img) << op.name;
        expectSamePicture(img, want, op.name);
        want->release();
        img->release();
    }
}
