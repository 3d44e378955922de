#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "imaging/codec/CodecTestSupport.h"
#include "imaging/codec/Jpeg.h"
#include "imaging/image/BufferedImage.h"
#include "support/HostTool.h"

using namespace codectest;
using s::image::jpg::win::Jpeg;
using s::image::win::BufferedImage;

namespace {

std::string testImages() { return testsupport::depsPrefix() + "/share/jpeg-testimages"; }

struct JpegHolder {
    Jpeg* j = Jpeg::create();
    ~JpegHolder() { j->release(); }
};

BufferedImage* gradient(int w, int h, bool alpha) {
    BufferedImage* img = BufferedImage::createSized(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t a = alpha ? uint32_t((x * 255) / (w - 1)) : 255;
            img->getRow(y)[x] = a << 24 | uint32_t(x * 255 / w) << 16 | uint32_t(y * 255 / h) << 8 | 0x40;
        }
    img->setHasAlpha(alpha);
    return img;
}

}  // namespace

// libjpeg-turbo's own pictures (baseline, progressive, arithmetic-coded) decode as
// ImageMagick decodes them, within the IDCT's rounding.
TEST(JpegCodec, DecodesLibjpegTestPicturesLikeImageMagick) {
    for (const char* name : {"testorig.jpg", "testimgint.jpg", "testimgari.jpg"}) {
        SCOPED_TRACE(name);
        std::string dir = testsupport::makeTempDir("jpegref");
        std::string copy = dir + "/" + name;
        Bytes bytes = readBytes(testImages() + "/" + name);
        ASSERT_FALSE(bytes.empty());
        ASSERT_TRUE(writeBytes(copy, bytes));
        Picture ours, magick;
        JpegHolder h;
        ASSERT_TRUE(decodeWith(h.j, bytes, &ours));
        ASSERT_TRUE(decodeWithMagick(copy, &magick));
        EXPECT_LE(maxDifference(ours, magick), 3);
        EXPECT_GE(maxDifference(ours, magick), 0) << "sizes differ";
        for (uint32_t p : ours.pixels) ASSERT_EQ(p >> 24, 0xFFu);
    }
}

// The original the test picture was compressed from ships beside it.
TEST(JpegCodec, DecodeIsCloseToTheShippedOriginal) {
    Bytes ppm = readBytes(testImages() + "/testorig.ppm");
    ASSERT_GT(ppm.size(), 20u);
    // "P6\n227 149\n255\n" header.
    int w = 0, h = 0, maxv = 0, consumed = 0;
    ASSERT_EQ(sscanf(reinterpret_cast<const char*>(ppm.data()), "P6 %d %d %d%n", &w, &h, &maxv, &consumed), 3);
    const uint8_t* rgb = ppm.data() + consumed + 1;
    JpegHolder hold;
    Picture ours;
    ASSERT_TRUE(decodeWith(hold.j, readBytes(testImages() + "/testorig.jpg"), &ours));
    ASSERT_EQ(ours.width, w);
    ASSERT_EQ(ours.height, h);
    int worst = 0;
    for (int i = 0; i < w * h; ++i) {
        uint32_t p = ours.pixels[size_t(i)];
        worst = std::max({worst, std::abs(int(p >> 16 & 0xFF) - rgb[i * 3]), std::abs(int(p >> 8 & 0xFF) - rgb[i * 3 + 1]),
                          std::abs(int(p & 0xFF) - rgb[i * 3 + 2])});
    }
    EXPECT_LE(worst, 6);
}

TEST(JpegCodec, TwelveBitFileFailsCleanly) {
    JpegHolder h;
    Bytes bytes = readBytes(testImages() + "/testorig12.jpg");
    ASSERT_FALSE(bytes.empty());
    MemoryInput in(bytes);
    EXPECT_FALSE(h.j->read(&in));
    EXPECT_EQ(h.j->getWidth(), 0);
    EXPECT_EQ(h.j->toImage(0, nullptr), nullptr);
    // The codec is still usable afterwards.
    EXPECT_TRUE(decodeWith(h.j, readBytes(testImages() + "/testorig.jpg"), nullptr));
}

// Broken streams come back as false; the library's fatal errors never end the program.
TEST(JpegCodec, BrokenStreamsFailWithoutEndingTheProgram) {
    Bytes good = readBytes(testImages() + "/testorig.jpg");
    Bytes soiOnly = {0xFF, 0xD8};
    Bytes junkAfterSoi = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x02, 0x12, 0x34, 0x56};
    Bytes headerOnly(good.begin(), good.begin() + 300);
    Bytes badTables = good;
    for (size_t i = 20; i < 200; ++i) badTables[i] ^= 0x5A;
    struct Case { const char* name; Bytes bytes; } cases[] = {
        {"empty", {}}, {"soi only", soiOnly}, {"junk", junkAfterSoi}, {"header only", headerOnly},
        {"scrambled tables", badTables}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        JpegHolder h;
        MemoryInput in(c.bytes);
        EXPECT_FALSE(h.j->read(&in));
        EXPECT_EQ(h.j->toImage(0, nullptr), nullptr);
        EXPECT_EQ(h.j->toImageSet(), nullptr);
    }
}

// A file cut in its scan data still gives the whole picture: the part that came, and
// what the library fills in for the rest.
TEST(JpegCodec, TruncatedScanStillGivesThePicture) {
    Bytes good = readBytes(testImages() + "/testorig.jpg");
    Bytes cut(good.begin(), good.begin() + good.size() * 2 / 3);
    JpegHolder h;
    Picture full, part;
    ASSERT_TRUE(decodeWith(h.j, good, &full));
    ASSERT_TRUE(decodeWith(h.j, cut, &part));
    ASSERT_EQ(part.width, full.width);
    ASSERT_EQ(part.height, full.height);
    EXPECT_EQ(part.pixels[0], full.pixels[0]);
}

TEST(JpegCodec, GrayscaleAndCmykFilesConvertToRgb) {
    std::string dir = testsupport::makeTempDir("jpegcolour");
    ASSERT_TRUE(testsupport::runHost("convert -size 32x16 gradient:black-white -colorspace Gray -quality 95 '" + dir +
                                     "/gray.jpg' && convert -size 32x16 'xc:rgb(200,120,40)' -colorspace CMYK "
                                     "-quality 95 '" + dir + "/cmyk.jpg'"));
    JpegHolder h;
    Picture gray, cmyk, magick;
    ASSERT_TRUE(decodeWith(h.j, readBytes(dir + "/gray.jpg"), &gray));
    for (uint32_t p : gray.pixels) {
        ASSERT_EQ(p >> 16 & 0xFF, p & 0xFF);
        ASSERT_EQ(p >> 8 & 0xFF, p & 0xFF);
    }
    ASSERT_TRUE(decodeWithMagick(dir + "/gray.jpg", &magick));
    EXPECT_LE(maxDifference(gray, magick), 1);

    ASSERT_TRUE(decodeWith(h.j, readBytes(dir + "/cmyk.jpg"), &cmyk));
    ASSERT_TRUE(decodeWithMagick(dir + "/cmyk.jpg", &magick));
    EXPECT_LE(maxDifference(cmyk, magick), 3);
    uint32_t p = cmyk.at(5, 5);
    EXPECT_NEAR(int(p >> 16 & 0xFF), 200, 4);
    EXPECT_NEAR(int(p >> 8 & 0xFF), 120, 4);
    EXPECT_NEAR(int(p & 0xFF), 40, 4);
}

// Written files are baseline 3-component JPEGs that ImageMagick reads at the size and
// colours written; transparent parts are flattened onto the background.
TEST(JpegCodec, WritesBaselineFilesOthersRead) {
    BufferedImage* img = gradient(97, 61, true);
    Jpeg* j = Jpeg::makeFromImage(img, 90, 0, 0, 255);
    ASSERT_NE(j, nullptr);
    MemoryOutput out;
    ASSERT_TRUE(j->write(&out));
    j->release();
    img->release();
    ASSERT_GT(out.bytes.size(), 100u);
    // SOF0 with 8-bit samples and 3 components.
    bool sof0 = false;
    for (size_t i = 0; i + 9 < out.bytes.size(); ++i)
        if (out.bytes[i] == 0xFF && out.bytes[i + 1] == 0xC0) {
            sof0 = out.bytes[i + 4] == 8 && out.bytes[i + 9] == 3;
            break;
        }
    EXPECT_TRUE(sof0);

    std::string dir = testsupport::makeTempDir("jpegwrite");
    ASSERT_TRUE(writeBytes(dir + "/out.jpg", out.bytes));
    ASSERT_TRUE(testsupport::runHost("test \"$(identify -format '%m %w %h %z %[colorspace]' '" + dir +
                                     "/out.jpg')\" = 'JPEG 97 61 8 sRGB'"));
    Picture magick, ours;
    ASSERT_TRUE(decodeWithMagick(dir + "/out.jpg", &magick));
    JpegHolder h;
    ASSERT_TRUE(decodeWith(h.j, out.bytes, &ours));
    EXPECT_LE(maxDifference(ours, magick), 3);
    // Left column: alpha 0 over blue; right column: the picture's own colour.
    uint32_t left = ours.at(0, 30), right = ours.at(96, 30);
    EXPECT_LT(int(left >> 16 & 0xFF), 30);
    EXPECT_GT(int(left & 0xFF), 220);
    EXPECT_GT(int(right >> 16 & 0xFF), 220);
}

// A full disk: every refusal of the output stream makes write answer false.
TEST(JpegCodec, RefusedWritesFailTheEncode) {
    BufferedImage* img = gradient(300, 200, false);
    Jpeg* j = Jpeg::makeFromImage(img, 75, 255, 255, 255);
    img->release();
    ASSERT_NE(j, nullptr);
    MemoryOutput whole;
    ASSERT_TRUE(j->write(&whole));
    for (uint64_t limit : {uint64_t(0), uint64_t(10), whole.bytes.size() / 2, whole.bytes.size() - 1}) {
        SCOPED_TRACE(limit);
        MemoryOutput out(limit);
        EXPECT_FALSE(j->write(&out));
    }
    j->release();
}

// Input is read in large chunks; bytes after the picture do not disturb it.
TEST(JpegCodec, ReadsInLargeChunks) {
    Bytes bytes = readBytes(testImages() + "/testimgint.jpg");
    size_t pictureSize = bytes.size();
    Bytes trailing = bytes;
    trailing.insert(trailing.end(), {'t', 'a', 'i', 'l'});
    MemoryInput in(trailing);
    JpegHolder h;
    ASSERT_TRUE(h.j->read(&in));
    EXPECT_LE(in.readCalls(), pictureSize / 65536 + 2);
    EXPECT_EQ(h.j->getWidth(), 227);

    // A stream that delivers a few bytes per read and cannot seek decodes the same.
    MemoryInput trickle(bytes, 7, false);
    JpegHolder h2;
    ASSERT_TRUE(h2.j->read(&trickle));
    Picture a, b;
    ASSERT_TRUE(decodeWith(h2.j, bytes, &a));
    MemoryInput trickle2(bytes, 7, false);
    ASSERT_TRUE(h2.j->read(&trickle2));
    BufferedImage* img = h2.j->toImage(0, nullptr);
    ASSERT_NE(img, nullptr);
    b = fromImage(img);
    img->release();
    EXPECT_EQ(maxDifference(a, b), 0);
}

// A quick reduced decode: the smallest of 1/2, 1/4 and 1/8 still covering the asked
// size, the same picture in fewer pixels; the full picture stays to be decoded after it.
TEST(JpegCodec, ReducedDecodeKeepsAtLeastTheAskedSizeAndTheFullPicture) {
    constexpr int kW = 160, kH = 96;
    BufferedImage* img = BufferedImage::createSized(kW, kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) img->getRow(y)[x] = x < kW / 2 ? 0xFFC02040u : 0xFF30B060u;
    Jpeg* writer = Jpeg::makeFromImage(img, 95, 255, 255, 255);
    ASSERT_NE(writer, nullptr);
    MemoryOutput out;
    ASSERT_TRUE(writer->write(&out));
    writer->release();
    img->release();
    struct Case {
        int minW, minH, divisor;
    } cases[] = {{20, 12, 8}, {21, 12, 4}, {40, 24, 4}, {40, 25, 2}, {80, 48, 2}, {81, 10, 1}, {0, 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.minW) + "x" + std::to_string(c.minH));
        MemoryInput in(out.bytes);
        JpegHolder h;
        ASSERT_TRUE(h.j->read(&in));
        EXPECT_EQ(h.j->reductionFor(c.minW, c.minH), c.divisor);
        BufferedImage* small = h.j->toReducedImage(c.minW, c.minH);
        if (c.divisor == 1) {
            EXPECT_EQ(small, nullptr);
        } else {
            ASSERT_NE(small, nullptr);
            EXPECT_EQ(small->getWidth(), kW / c.divisor);
            EXPECT_EQ(small->getHeight(), kH / c.divisor);
            auto alike = [](uint32_t p, uint32_t q) {
                for (int s = 0; s < 24; s += 8)
                    if (std::abs(int(p >> s & 0xFF) - int(q >> s & 0xFF)) > 8) return false;
                return true;
            };
            const int midY = small->getHeight() / 2;
            EXPECT_TRUE(alike(small->getRow(midY)[small->getWidth() / 4], 0xC02040u));
            EXPECT_TRUE(alike(small->getRow(midY)[small->getWidth() * 3 / 4], 0x30B060u));
            small->release();
        }
        BufferedImage* full = h.j->toImage(0, nullptr);
        ASSERT_NE(full, nullptr);
        EXPECT_EQ(full->getWidth(), kW);
        EXPECT_EQ(full->getHeight(), kH);
        full->release();
    }
}
