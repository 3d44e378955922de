// Small pictures whose headers claim enormous sizes: every reader answers with the
// picture or a clean refusal, in bounded memory and time, and a picture over the pixel
// limit is refused with a message that says so.
#include <gtest/gtest.h>

#include <string>

#include "imaging/codec/CodecImage.h"
#include "imaging/codec/ImageFactory.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "support/Bounded.h"

using s::image::IEncodedImage;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using testsupport::hostileFixture;

namespace {

struct Case {
    const char* file;
    bool opens;               // false: refused
    int width = 0, height = 0;  // of the first frame (or the canvas), when it opens
    bool sizeMessage = true;  // a refusal says the picture is too large
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.file; }

class HostilePicture : public testing::TestWithParam<Case> {};

// Opens the file and makes everything a viewer would: every frame, the set, and the
// composed animation.
TEST_P(HostilePicture, IsReadOrRefusedInBoundedMemoryAndTime) {
    const Case& c = GetParam();
    testsupport::Stopwatch watch;
    IEncodedImage* codec = s::image::openImageFile(hostileFixture(c.file).c_str());
    EXPECT_EQ(codec != nullptr, c.opens);
    // The reader's own time; what a viewer makes of the picture afterwards is bounded
    // by the memory check below.
    const double readMs = watch.elapsedMs();
    if (codec) {
        for (int i = 0; i < codec->getFrameCount(); ++i) {
            BufferedImage* frame = codec->toImage(i, nullptr);
            if (frame) frame->release();
        }
        BufferedImageSet* set = codec->toImageSet();
        ASSERT_NE(set, nullptr);
        BufferedImage* main = set->getFrame(0);
        EXPECT_EQ(main->getWidth(), c.width);
        EXPECT_EQ(main->getHeight(), c.height);
        BufferedImageSet* composed = set->coalesce();
        if (composed) composed->release();
        set->release();
        codec->release();
    } else if (c.sizeMessage) {
        // A refusal for the size says why.
        ASSERT_NE(s::image::sizeRefusal(), nullptr);
        EXPECT_NE(std::wstring(s::image::sizeRefusal()).find(L"too large"), std::wstring::npos);
    }
    EXPECT_LT(testsupport::peakWorkingSetBytes(), testsupport::kMemoryBound);
    EXPECT_LT(readMs, testsupport::kTimeBoundMs);
}

INSTANTIATE_TEST_SUITE_P(
    Reproducers, HostilePicture,
    testing::Values(
        // Frame 0 far outside its 1 x 1 logical screen: the screen does not grow for it.
        Case{"big_gif_canvas_offset.gif", true, 1, 1}, Case{"big_gif_canvas_offset_small.gif", true, 1, 1},
        // More pixels than a few kilobytes of LZW data can stand for.
        Case{"big_gif_indices_20k.gif", false, 0, 0, false}, Case{"big_gif_indices_30k.gif", false, 0, 0, false},
        // Over 2^28 pixels.
        Case{"big_jpeg_23170_base.jpg", false}, Case{"big_jpeg_23170_prog.jpg", false},
        // 2^28 pixels, 1 GiB unpacked, from 33 KB.
        Case{"big_png_16384_1bit.png", false},
        // Every entry names the same 4096 x 4096 PNG: it is decoded once.
        Case{"big_ico_same_png_x4.ico", true, 4096, 4096}, Case{"big_ico_same_png_x16.ico", true, 4096, 4096}),
    [](const testing::TestParamInfo<Case>& info) { return testsupport::fixtureTestName(info.param.file); });

// The limits themselves: the pixel count, and the memory a small file may cost.
TEST(PictureLimits, PixelCountAndSmallFileBudget) {
    using s::image::pictureFits;
    s::image::clearSizeRefusal();
    EXPECT_TRUE(pictureFits(16384, 16384, 4, 100u << 20));  // 2^28 from a large file
    EXPECT_EQ(s::image::sizeRefusal(), nullptr);
    EXPECT_FALSE(pictureFits(16385, 16384, 4, 100u << 20));
    EXPECT_NE(s::image::sizeRefusal(), nullptr);
    EXPECT_FALSE(pictureFits(1ull << 40, 1, 4, UINT64_MAX));
    EXPECT_FALSE(pictureFits(1u << 20, 1u << 20, 4, UINT64_MAX));  // the product, not the sides
    EXPECT_FALSE(pictureFits(16384, 16384, 8, 33000));              // 2 GiB from 33 KB
    EXPECT_TRUE(pictureFits(4096, 4096, 8, 33000));
    EXPECT_TRUE(pictureFits(0, 5, 8, 1));
}

}  // namespace
