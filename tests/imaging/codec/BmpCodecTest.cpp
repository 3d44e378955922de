#include <gtest/gtest.h>

#include <cstring>

#include "imaging/codec/CodecTestSupport.h"
#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"
#include "support/HostTool.h"

using namespace codectest;
using s::image::bmp::win::Bitmap;
using s::image::win::BufferedImage;

namespace {

struct BitmapHolder {
    Bitmap* b = Bitmap::create();
    ~BitmapHolder() { b->release(); }
};

uint32_t le32(const Bytes& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
void put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// The same picture stored top-down: negative height, rows in the other order.
Bytes topDown(const Bytes& bmp) {
    Bytes out = bmp;
    uint32_t off = le32(bmp, 10);
    int32_t w = int32_t(le32(bmp, 18)), h = int32_t(le32(bmp, 22));
    uint32_t bits = bmp[28];
    size_t stride = ((size_t(bits) * size_t(w) + 31) / 32) * 4;
    put32(out, 22, uint32_t(-h));
    for (int y = 0; y < h; ++y)
        std::memcpy(&out[off + size_t(y) * stride], &bmp[off + size_t(h - 1 - y) * stride], stride);
    return out;
}

// A V5 file cut down to a V4 header (108 bytes): the same masks, no colour profile.
Bytes asV4(const Bytes& v5) {
    Bytes out(v5.begin(), v5.begin() + 14 + 108);
    out.insert(out.end(), v5.begin() + 14 + 124, v5.end());
    put32(out, 14, 108);
    put32(out, 10, le32(v5, 10) - 16);
    put32(out, 2, uint32_t(out.size()));
    return out;
}

// Junk between the header and the pixels, with the data offset pointing past it.
Bytes withGap(const Bytes& bmp, size_t gap) {
    uint32_t off = le32(bmp, 10);
    Bytes out(bmp.begin(), bmp.begin() + off);
    out.insert(out.end(), gap, 0xA5);
    out.insert(out.end(), bmp.begin() + off, bmp.end());
    put32(out, 10, off + uint32_t(gap));
    return out;
}

class BmpCodecFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = testsupport::makeTempDir("bmpfiles");
        const std::string alpha = " -alpha set -channel A -fx 'i/w' +channel ";
        ASSERT_TRUE(testsupport::runHost(
            "cd '" + dir_ + "' && convert rose: -monochrome BMP3:m1.bmp && convert rose: -colors 16 -type Palette "
            "BMP3:p4.bmp && convert rose: -colors 200 -type Palette -compress None BMP3:p8.bmp && convert rose: "
            "BMP3:t24.bmp && convert rose:" + alpha + "BMP:a32.bmp && convert rose: -define bmp:subtype=RGB565 "
            "BMP:r565.bmp && convert rose: -define bmp:subtype=RGB555 BMP:r555.bmp && convert rose:" + alpha +
            "-define bmp:subtype=ARGB1555 BMP:a1555.bmp && convert rose: BMP:v5.bmp && convert rose: BMP2:core.bmp "
            "&& convert rose: -colors 200 -type Palette -compress RLE BMP3:rle.bmp"));
    }
    static std::string dir_;
};
std::string BmpCodecFiles::dir_;

}  // namespace

// ImageMagick's BMPs of every depth and header kind decode as ImageMagick decodes them;
// the top-down, V4 and offset-shifted variants of the same files as well.
TEST_F(BmpCodecFiles, DecodeLikeImageMagick) {
    struct Case { const char* file; int bits; int tolerance; } cases[] = {
        {"m1.bmp", 1, 0}, {"p4.bmp", 4, 0}, {"p8.bmp", 8, 0}, {"t24.bmp", 24, 0}, {"a32.bmp", 32, 0},
        {"r565.bmp", 16, 4}, {"r555.bmp", 16, 4}, {"a1555.bmp", 16, 4}, {"v5.bmp", 24, 0}, {"core.bmp", 24, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        std::string path = dir_ + "/" + c.file;
        Bytes bytes = readBytes(path);
        ASSERT_GT(bytes.size(), 30u);
        if (std::string(c.file) != "core.bmp") {
            ASSERT_EQ(bytes[28], c.bits) << "not the kind of file meant";
        }
        Picture magick, ours;
        ASSERT_TRUE(decodeWithMagick(path, &magick));
        // Alpha bits that are all clear mean no alpha here (writers leave them so).
        bool clear = true;
        for (uint32_t p : magick.pixels) clear = clear && (p >> 24) == 0;
        if (clear)
            for (uint32_t& p : magick.pixels) p |= 0xFF000000u;
        BitmapHolder h;
        ASSERT_TRUE(decodeWith(h.b, bytes, &ours));
        EXPECT_EQ(ours.width, 70);
        EXPECT_EQ(ours.height, 46);
        EXPECT_LE(maxDifference(ours, magick, true), c.tolerance) << firstDifference(ours, magick);
        EXPECT_GE(maxDifference(ours, magick, true), 0);

        Picture variant;
        if (std::string(c.file) == "core.bmp") continue;
        if (le32(bytes, 14) == 40) {
            ASSERT_TRUE(decodeWith(h.b, topDown(bytes), &variant));
            EXPECT_EQ(maxDifference(variant, ours), 0) << "top-down";
        }
        if (le32(bytes, 14) == 124) {
            ASSERT_TRUE(decodeWith(h.b, asV4(bytes), &variant));
            EXPECT_EQ(maxDifference(variant, ours), 0) << "V4 header";
        }
        ASSERT_TRUE(decodeWith(h.b, withGap(bytes, 37), &variant));
        EXPECT_EQ(maxDifference(variant, ours), 0) << "pixels at the data offset";
    }
}

// Headers the DIB cannot hold, or that lie about their sizes, are refused cleanly.
TEST_F(BmpCodecFiles, RefusesWhatItCannotHold) {
    Bytes p8 = readBytes(dir_ + "/p8.bmp"), t24 = readBytes(dir_ + "/t24.bmp");
    ASSERT_EQ(le32(p8, 30), 0u);
    struct Case { const char* name; Bytes bytes; } cases[] = {
        {"run-length", readBytes(dir_ + "/rle.bmp")}, {"palette of 300", p8}, {"palette beyond 1 << bits", p8},
        {"header of 30 bytes", t24}, {"zero width", t24}, {"huge height", t24}, {"truncated pixels", t24},
        {"not BM", t24}, {"bit count 7", t24}};
    put32(cases[1].bytes, 46, 300);
    put32(cases[2].bytes, 28, 4 | (0 << 16));
    put32(cases[2].bytes, 46, 17);
    put32(cases[3].bytes, 14, 30);
    put32(cases[4].bytes, 18, 0);
    put32(cases[5].bytes, 22, 0x7FFFFFF0);
    cases[6].bytes.resize(t24.size() - 10);
    cases[7].bytes[0] = 'X';
    cases[8].bytes[28] = 7;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BitmapHolder h;
        MemoryInput in(c.bytes);
        EXPECT_FALSE(h.b->read(&in));
        EXPECT_EQ(h.b->getBits(), nullptr);
        EXPECT_EQ(h.b->toImage(0, nullptr), nullptr);
    }
}

// 24- and 32-bit files written from an image read back the same, by us and by
// ImageMagick, with the header sizes the format asks for.
TEST(BmpCodec, WritesFilesOthersRead) {
    BufferedImage* img = BufferedImage::createSized(3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) img->getRow(y)[x] = 0x80000000u | uint32_t(x * 100) << 16 | uint32_t(y * 90) << 8 | 7;
    img->setHasAlpha(true);
    std::string dir = testsupport::makeTempDir("bmpwrite");
    for (int bits : {24, 32}) {
        SCOPED_TRACE(bits);
        Bitmap* b = Bitmap::makeFromImage(img, bits, true, 255, 255, 255);
        ASSERT_NE(b->getBits(), nullptr);
        MemoryOutput out;
        ASSERT_TRUE(b->write(&out));
        b->release();
        uint32_t stride = bits == 24 ? 12 : 12;
        EXPECT_EQ(le32(out.bytes, 10), 54u);
        EXPECT_EQ(out.bytes.size(), 54u + 3 * stride);
        EXPECT_EQ(le32(out.bytes, 2), out.bytes.size());
        std::string file = dir + "/w" + std::to_string(bits) + ".bmp";
        ASSERT_TRUE(writeBytes(file, out.bytes));
        ASSERT_TRUE(testsupport::runHost("identify -format '%m %w %h' '" + file + "' | grep -Eq '^BMP3? 3 3$'"));
        Picture magick, ours;
        ASSERT_TRUE(decodeWithMagick(file, &magick));
        BitmapHolder h;
        ASSERT_TRUE(decodeWith(h.b, out.bytes, &ours));
        EXPECT_EQ(maxDifference(ours, magick, bits == 32), 0);
        if (bits == 32) {
            EXPECT_EQ(ours.at(2, 1), img->getRow(1)[2]);
        }
    }
    img->release();
}

// A packed DIB (clipboard, icon) reads without the file header.
TEST_F(BmpCodecFiles, PackedDibReadsWithoutFileHeader) {
    Bytes p4 = readBytes(dir_ + "/p4.bmp");
    Bytes dib(p4.begin() + 14, p4.end());
    BitmapHolder whole, packed;
    Picture a, b;
    ASSERT_TRUE(decodeWith(whole.b, p4, &a));
    MemoryInput in(dib);
    ASSERT_TRUE(packed.b->readDib(&in));
    BufferedImage* img = packed.b->toImage(0, nullptr);
    ASSERT_NE(img, nullptr);
    b = fromImage(img);
    img->release();
    EXPECT_EQ(maxDifference(a, b), 0);
    MemoryOutput out;
    ASSERT_TRUE(packed.b->writeDib(&out));
    EXPECT_EQ(out.bytes.size(), 40u + 16 * 4 + 36u * 46u);
}
