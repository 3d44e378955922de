#include <gtest/gtest.h>

#include <cstring>
#include <windows.h>

#include <png.h>

#include "imaging/codec/CodecTestSupport.h"
#include "imaging/codec/Png.h"
#include "imaging/image/BufferedImage.h"
#include "support/HostTool.h"

using namespace codectest;
using s::image::png::win::Png;
using s::image::win::BufferedImage;

namespace {

std::string pngSuite() { return testsupport::depsPrefix() + "/share/pngsuite"; }

// libpng's corrupt-file collection from its source tree, when the source is at hand.
std::string crashers() {
    std::string src = testsupport::depsPrefix() + "/../src";
    for (const std::string& d : {std::string("libpng1.6-1.6.39")}) {
        std::string dir = src + "/" + d + "/contrib/testpngs/crashers";
        if (!listFiles(dir, ".png").empty()) return dir;
    }
    return "";
}

struct PngHolder {
    Png* p = Png::create();
    ~PngHolder() { p->release(); }
};

uint32_t crc32(const uint8_t* p, size_t n) {
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

uint32_t be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

// The file with its colour-space chunks replaced by a gAMA of 1/2.2: the simplified
// reader then takes the samples as they are (as this codec does) instead of converting
// them from the file's gamma.
Bytes withPlainGamma(const Bytes& in) {
    Bytes out(in.begin(), in.begin() + 8);
    size_t pos = 8;
    while (pos + 12 <= in.size()) {
        uint32_t len = be32(&in[pos]);
        std::string type(reinterpret_cast<const char*>(&in[pos + 4]), 4);
        size_t next = pos + 12 + len;
        if (next > in.size()) break;
        if (type != "gAMA" && type != "cHRM" && type != "sRGB" && type != "iCCP")
            out.insert(out.end(), in.begin() + long(pos), in.begin() + long(next));
        if (type == "IHDR") {
            uint8_t g[16] = {0, 0, 0, 4, 'g', 'A', 'M', 'A', 0, 0, 0xB1, 0x8F};
            uint32_t c = crc32(g + 4, 8);
            g[12] = uint8_t(c >> 24), g[13] = uint8_t(c >> 16), g[14] = uint8_t(c >> 8), g[15] = uint8_t(c);
            out.insert(out.end(), g, g + 16);
        }
        pos = next;
    }
    return out;
}

// libpng's own simplified decode into blue-green-red-alpha bytes.
bool decodeWithLibpng(const Bytes& file, Picture* out) {
    Bytes bytes = withPlainGamma(file);
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return false;
    image.format = PNG_FORMAT_BGRA;
    Picture p;
    p.width = int(image.width);
    p.height = int(image.height);
    p.pixels.resize(size_t(p.width) * size_t(p.height));
    bool ok = png_image_finish_read(&image, nullptr, p.pixels.data(), 0, nullptr) != 0;
    png_image_free(&image);
    if (ok) *out = std::move(p);
    return ok;
}

BufferedImage* pattern(int w, int h) {
    BufferedImage* img = BufferedImage::createSized(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img->getRow(y)[x] = uint32_t((x * 7 + y) & 0xFF) << 24 | uint32_t(x * 3) << 16 | uint32_t(y * 5) << 8 |
                                uint32_t(x ^ y);
    img->setHasAlpha(true);
    return img;
}

}  // namespace

// Every picture of the PNG suite (all colour types, depths, interlacing, transparency)
// decodes to libpng's own reading, pixel for pixel; 16-bit samples are cut to 8 bits
// where libpng rounds, so they may differ by one. libpng's simplified reader converts
// interlaced 16-bit files as if they were linear, so those are held against
// ImageMagick's reading instead.
TEST(PngCodec, DecodesThePngSuiteLikeLibpng) {
    std::vector<std::string> files;
    for (const std::string& n : listFiles(pngSuite(), ".png")) files.push_back(pngSuite() + "/" + n);
    for (const std::string& n : listFiles(pngSuite() + "/interlaced", ".png"))
        files.push_back(pngSuite() + "/interlaced/" + n);
    ASSERT_GT(files.size(), 50u);
    PngHolder h;
    int againstMagick = 0;
    for (const std::string& f : files) {
        SCOPED_TRACE(f);
        Bytes bytes = readBytes(f);
        Picture ours, ref;
        ASSERT_TRUE(decodeWith(h.p, bytes, &ours));
        bool sixteen = bytes[24] == 16, interlaced = bytes[28] == 1;
        if (sixteen && interlaced) {
            ASSERT_TRUE(decodeWithMagick(f, &ref));
            ++againstMagick;
        } else {
            ASSERT_TRUE(decodeWithLibpng(bytes, &ref));
        }
        int d = maxDifference(ours, ref, true);
        EXPECT_GE(d, 0) << "sizes differ";
        EXPECT_LE(d, sixteen ? 1 : 0);
    }
    EXPECT_LT(againstMagick, 12);
}

// libpng's collection of corrupt files: each is refused or decoded, never a crash; the
// broken checksums are refused.
TEST(PngCodec, CorruptFilesFailCleanly) {
    std::string dir = crashers();
    if (dir.empty()) GTEST_SKIP() << "libpng's source tree is not at hand";
    PngHolder h;
    int refused = 0;
    std::vector<std::string> names = listFiles(dir, ".png");
    for (const std::string& n : names) {
        SCOPED_TRACE(n);
        Bytes bytes = readBytes(dir + "/" + n);
        Picture ours, ref;
        DWORD t0 = GetTickCount();
        bool decoded = decodeWith(h.p, bytes, &ours);
        EXPECT_LT(GetTickCount() - t0, 2000u);
        if (!decoded) {
            ++refused;
            EXPECT_EQ(h.p->getWidth(), 0);
            EXPECT_EQ(h.p->toImage(0, nullptr), nullptr);
        } else if (decodeWithLibpng(bytes, &ref)) {
            EXPECT_EQ(maxDifference(ours, ref, true), 0);
        }
        if (n == "badcrc.png" || n == "badadler.png") {
            EXPECT_FALSE(decoded);
        }
    }
    EXPECT_GT(refused, 0);
}

// A short read is an error: a file cut anywhere after its header is refused.
TEST(PngCodec, TruncatedFilesAreRefused) {
    Bytes bytes = readBytes(pngSuite() + "/basn6a08.png");
    PngHolder h;
    for (size_t cut : {size_t(0), size_t(8), size_t(33), bytes.size() / 2, bytes.size() - 13, bytes.size() - 1}) {
        SCOPED_TRACE(cut);
        Bytes part(bytes.begin(), bytes.begin() + cut);
        EXPECT_FALSE(decodeWith(h.p, part, nullptr));
    }
    EXPECT_TRUE(decodeWith(h.p, bytes, nullptr));
}

// Written files are 8-bit RGBA, Adam7 when asked, and read back exactly (by us and by
// ImageMagick).
TEST(PngCodec, WritesRgbaFilesOthersRead) {
    BufferedImage* img = pattern(45, 37);
    Picture original = fromImage(img);
    std::string dir = testsupport::makeTempDir("pngwrite");
    for (bool interlace : {false, true}) {
        SCOPED_TRACE(interlace);
        Png* p = Png::makeFromImage(img, interlace, true, 0, 0, 0);
        ASSERT_NE(p, nullptr);
        MemoryOutput out;
        ASSERT_TRUE(p->write(&out));
        p->release();
        EXPECT_EQ(out.bytes[24], 8);   // bit depth
        EXPECT_EQ(out.bytes[25], 6);   // colour type RGBA
        EXPECT_EQ(out.bytes[28], interlace ? 1 : 0);
        PngHolder h;
        Picture back, magick;
        ASSERT_TRUE(decodeWith(h.p, out.bytes, &back));
        EXPECT_EQ(maxDifference(back, original), 0);
        std::string file = dir + (interlace ? "/i.png" : "/n.png");
        ASSERT_TRUE(writeBytes(file, out.bytes));
        ASSERT_TRUE(testsupport::runHost("test \"$(identify -format '%m %w %h %z' '" + file + "')\" = 'PNG 45 37 8'"));
        ASSERT_TRUE(decodeWithMagick(file, &magick));
        EXPECT_EQ(maxDifference(magick, original), 0);
    }
    // Without keeping transparency the picture is flattened onto the background.
    Png* flat = Png::makeFromImage(img, false, false, 255, 0, 0);
    MemoryOutput out;
    ASSERT_TRUE(flat->write(&out));
    flat->release();
    PngHolder h;
    Picture back;
    ASSERT_TRUE(decodeWith(h.p, out.bytes, &back));
    EXPECT_EQ(back.at(0, 0), 0xFFFF0000u);  // alpha 0 at (0, 0)
    img->release();
}

TEST(PngCodec, RefusedWritesFailTheEncode) {
    BufferedImage* img = pattern(200, 150);
    Png* p = Png::makeFromImage(img, false, true, 0, 0, 0);
    img->release();
    MemoryOutput whole;
    ASSERT_TRUE(p->write(&whole));
    for (uint64_t limit : {uint64_t(0), uint64_t(20), whole.bytes.size() / 2, whole.bytes.size() - 1}) {
        SCOPED_TRACE(limit);
        MemoryOutput out(limit);
        EXPECT_FALSE(p->write(&out));
    }
    p->release();
}

// Alpha all zero means no alpha at all; some alpha is kept with the has-alpha flag.
TEST(PngCodec, AllClearAlphaComesOutOpaque) {
    BufferedImage* img = BufferedImage::createSized(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) img->getRow(y)[x] = 0x00123456;
    img->setHasAlpha(true);
    Png* p = Png::makeFromImage(img, false, true, 0, 0, 0);
    MemoryOutput out;
    ASSERT_TRUE(p->write(&out));
    p->release();
    PngHolder h;
    MemoryInput in(out.bytes);
    ASSERT_TRUE(h.p->read(&in));
    BufferedImage* back = h.p->toImage(0, img);
    ASSERT_EQ(back, img);
    EXPECT_FALSE(back->hasAlpha());
    EXPECT_EQ(back->getRow(2)[3], 0xFF123456u);

    Picture ref;
    ASSERT_TRUE(decodeWith(h.p, readBytes(pngSuite() + "/basn6a08.png"), nullptr));
    back = h.p->toImage(0, img);
    EXPECT_TRUE(back->hasAlpha());
    img->release();
}
