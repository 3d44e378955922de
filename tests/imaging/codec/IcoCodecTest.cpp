// ICO and CUR reading and writing against files made by ImageMagick and by a Python
// script (every DIB depth), hostile directories, and the icon archive's lookups.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "foundation/col/Array.h"
#include "imaging/codec/CurArchive.h"
#include "imaging/codec/EncodedImage.h"
#include "imaging/codec/Icon.h"
#include "imaging/codec/IconArchive.h"
#include "imaging/codec/ImageFactory.h"
#include "imaging/codec/Jpeg.h"
#include "imaging/codec/Png.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/settings/EncodeSetting.h"
#include "platform/archive/DllArchive.h"
#include "support/HostTool.h"

using s::archive::icon::Archive;
using s::image::ico::win::Icon;
using s::image::ico::win::IconImage;
using s::image::win::BufferedImage;
using testsupport::runHost;
using testsupport::winPath;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes readFile(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), {});
}

void writeFile(const std::string& path, const Bytes& b)
{
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

uint32_t le32(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24; }
void put32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

Icon* loadIcon(const std::string& unixPath)
{
    Icon* icon = Icon::create();
    if (!icon->load(winPath(unixPath).c_str())) {
        icon->release();
        return nullptr;
    }
    return icon;
}

// Expected colour (0xRRGGBB) of the Python-made images.
uint32_t expectedRgb(int bits, int x, int y)
{
    auto rgb = [](int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); };
    switch (bits) {
    case 1: return ((x + y) & 1) ? 0xFFFFFF : 0;
    case 4: { int i = (x + y * 8) % 16; return rgb(i * 16, 255 - i * 16, i * 8); }
    case 8: { int i = (x * 8 + y) % 256; return rgb(i, 255 - i, (i * 3) & 255); }
    case 24: return rgb(x * 30, y * 30, 100);
    default: return rgb(x * 30, 100, y * 30);
    }
}

class IcoFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = testsupport::makeTempDir("ico_files");
        ok_ = runHost("/usr/bin/python3 '" + testsupport::sourceDir() + "/tests/imaging/codec/make_odd_icons.py' '" + dir_ + "'") &&
              // A red disc on transparency, 256 pixels; the icon keeps 256 as PNG.
              runHost("cd '" + dir_ + "' && convert -size 256x256 xc:none -fill red -draw 'circle 128,128 128,40' disc.png"
                      " && convert disc.png -define icon:auto-resize=16,32,48,256 disc.ico");
    }
    static std::string dir_;
    static bool ok_;
};
std::string IcoFiles::dir_;
bool IcoFiles::ok_ = false;

TEST_F(IcoFiles, EveryDibDepthDecodesWithItsMaskAndPalette)
{
    ASSERT_TRUE(ok_);
    Icon* icon = loadIcon(dir_ + "/odd.ico");
    ASSERT_NE(icon, nullptr);
    // The 32-bit image is best for 32 x 32 and comes first, then directory order.
    const int order[] = {32, 1, 4, 8, 24};
    ASSERT_EQ(icon->getFrameCount(), 5);
    for (int f = 0; f < 5; ++f) {
        SCOPED_TRACE(order[f]);
        EXPECT_EQ(icon->imageAt(f)->getBitCount(), order[f]);
        BufferedImage* img = icon->toImage(f, nullptr);
        ASSERT_NE(img, nullptr);
        ASSERT_EQ(img->getWidth(), 8);
        EXPECT_TRUE(img->hasAlpha());
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                uint32_t p = img->getRow(y)[x];
                // A 32-bit image whose alpha bytes are all 0 takes its AND mask.
                EXPECT_EQ(p >> 24, x < 2 ? 0u : 255u) << x << "," << y;
                if (x >= 2) {
                    EXPECT_EQ(p & 0xFFFFFF, expectedRgb(order[f], x, y)) << x << "," << y;
                }
            }
        img->release();
    }
    icon->release();
}

TEST_F(IcoFiles, FactoryOpensIcoAndMagickFileReadsWithPngEntry)
{
    ASSERT_TRUE(ok_);
    s::image::IEncodedImage* codec = s::image::openImageFile(winPath(dir_ + "/disc.ico").c_str());
    ASSERT_NE(codec, nullptr);
    EXPECT_STREQ(codec->getExtension(), L".ico");
    ASSERT_EQ(codec->getFrameCount(), 4);
    EXPECT_EQ(codec->getWidth(), 32);
    bool saw256 = false;
    for (int f = 0; f < 4; ++f) {
        BufferedImage* img = codec->toImage(f, nullptr);
        ASSERT_NE(img, nullptr);
        int w = img->getWidth();
        saw256 |= w == 256;
        EXPECT_EQ(img->getRow(0)[0] >> 24, 0u) << w;                              // outside the disc
        EXPECT_EQ(img->getRow(w / 2)[w / 2], 0xFFFF0000u) << w;                   // opaque red centre
        img->release();
    }
    EXPECT_TRUE(saw256);
    codec->release();
}

TEST_F(IcoFiles, ArchiveGivesThe256PixelImageAndClosesItsReadOnlyFile)
{
    ASSERT_TRUE(ok_);
    std::string copy = dir_ + "/readonly.ico";
    ASSERT_TRUE(runHost("cp '" + dir_ + "/disc.ico' '" + copy + "'"));
    std::wstring wcopy = winPath(copy);
    SetFileAttributesW(wcopy.c_str(), FILE_ATTRIBUTE_READONLY);
    Archive* a = Archive::create();
    ASSERT_TRUE(a->open(wcopy.c_str()));
    ASSERT_EQ(a->getEntryCount(), 4u);
    int32_t best = -1;
    ASSERT_TRUE(a->findBestEntry(256, 256, &best));
    BufferedImage* big = a->getImage(uint32_t(best));
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->getWidth(), 256);
    EXPECT_EQ(big->getHeight(), 256);
    big->release();
    // 48 x 48 among 16, 32 and 256 pixels: 32 is nearest in area.
    ASSERT_TRUE(a->findBestEntry(48, 48, &best));
    EXPECT_EQ(a->entry(uint32_t(best))->width, 48);
    a->close();
    SetFileAttributesW(wcopy.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(DeleteFileW(wcopy.c_str())) << "the archive kept its file open";
    a->release();
}

TEST_F(IcoFiles, SingleEntryExtractsAsItsOwnIcoFile)
{
    ASSERT_TRUE(ok_);
    Archive* a = Archive::create();
    ASSERT_TRUE(a->open(winPath(dir_ + "/odd.ico").c_str()));
    auto* out = s::col::_array::ArrayU08::create();
    ASSERT_TRUE(a->readEntry(a->entry(2), out));
    Bytes b(out->items(), out->items() + out->count());
    ASSERT_GE(b.size(), 22u);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 6), (Bytes{0, 0, 1, 0, 1, 0}));
    EXPECT_EQ(le32(b, 18), 22u);
    EXPECT_EQ(b[12], 8);  // bit count of the 8-bit entry
    writeFile(dir_ + "/single.ico", b);
    Icon* icon = loadIcon(dir_ + "/single.ico");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->imageAt(0)->getBitCount(), 8);
    icon->release();
    out->release();
    a->release();
}

TEST_F(IcoFiles, HostileDirectoriesAreRefusedWithoutHugeAllocations)
{
    ASSERT_TRUE(ok_);
    Bytes good = readFile(dir_ + "/odd.ico");
    ASSERT_GT(good.size(), 86u);
    struct Case {
        const char* name;
        void (*patch)(Bytes&);
        int frames;
    } cases[] = {
        {"size beyond the file", [](Bytes& b) { put32(b, 6 + 8, 0xFFFFFFF0u); }, 4},
        {"offset beyond the file", [](Bytes& b) { put32(b, 6 + 16 + 12, 0xFFFFFF00u); }, 4},
        {"offset plus size wraps", [](Bytes& b) { put32(b, 6 + 12, 0x10); put32(b, 6 + 8, 0xFFFFFFFFu); }, 4},
        {"directory longer than the file", [](Bytes& b) { b[4] = 0xFF; b[5] = 0xFF; }, 0},
        {"header only", [](Bytes& b) { b.resize(6); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes b = good;
        c.patch(b);
        std::string path = dir_ + "/hostile.ico";
        writeFile(path, b);
        Icon* icon = Icon::create();
        bool ok = icon->load(winPath(path).c_str());
        EXPECT_EQ(ok, c.frames > 0);
        EXPECT_EQ(icon->getFrameCount(), c.frames);
        icon->release();
    }
}

TEST_F(IcoFiles, CursorKeepsHotspotAndHeightFromWidth)
{
    ASSERT_TRUE(ok_);
    auto* a = s::archive::cur::Archive::create();
    ASSERT_TRUE(a->open(winPath(dir_ + "/odd.cur").c_str()));
    ASSERT_EQ(a->getEntryCount(), 1u);
    auto* e = a->entry(0);
    EXPECT_EQ(e->height, 8);
    EXPECT_EQ(e->planes, 5);
    EXPECT_EQ(e->bitCount, 7);
    auto* out = s::col::_array::ArrayU08::create();
    ASSERT_TRUE(a->write(out));
    Bytes b(out->items(), out->items() + out->count());
    EXPECT_EQ(b[2], 2);
    EXPECT_EQ(le32(b, 18), 22u);
    writeFile(dir_ + "/again.cur", b);
    EXPECT_TRUE(runHost("identify '" + dir_ + "/again.cur' | grep -q ' 8x8 '"));
    out->release();
    a->release();
}

// ---- writing -------------------------------------------------------------------------------

BufferedImage* loadPng(const std::string& unixPath)
{
    auto* png = s::image::png::win::Png::create();
    BufferedImage* img = nullptr;
    if (png->load(winPath(unixPath).c_str())) img = png->toImage(0, nullptr);
    png->release();
    return img;
}

TEST_F(IcoFiles, WrittenIconsReadBackInImageMagickPixelForPixel)
{
    ASSERT_TRUE(ok_);
    BufferedImage* src = loadPng(dir_ + "/disc.png");
    ASSERT_NE(src, nullptr);
    ASSERT_TRUE(src->hasAlpha());
    auto* setting = s::image::ico::EncodeSetting::create();
    for (int size : {16, 48, 256}) setting->sizes.push(size);
    for (int depth : {4, 8, 32}) setting->depths.push(depth);
    auto* icon = static_cast<Icon*>(setting->makeEncoder(src));
    ASSERT_NE(icon, nullptr);
    ASSERT_EQ(icon->getFrameCount(), 7);  // 256 only at 32 bits
    // 4 bits with transparency: 15 colours plus the transparent index 15 with its mask bit.
    IconImage* four = icon->imageAt(0);
    ASSERT_EQ(four->getBitCount(), 4);
    EXPECT_EQ(four->getPaletteSize(), 16);
    EXPECT_EQ(four->getRow(0)[0] >> 4, 15);
    EXPECT_EQ(four->getMaskRow(0)[0] & 0x80, 0x80);
    EXPECT_EQ(four->getMaskRow(8)[1] & 0x80, 0);  // centre column 8 of 16, opaque

    std::string out = dir_ + "/written.ico";
    ASSERT_TRUE(icon->save(winPath(out).c_str()));
    Bytes b = readFile(out);
    ASSERT_GT(b.size(), 6u + 16 * 7);
    EXPECT_EQ(b[6 + 16 * 6], 0);  // the 256-pixel entry's width byte
    uint32_t pngAt = le32(b, 6 + 16 * 6 + 12);
    EXPECT_EQ(b[pngAt + 1], 'P');
    ASSERT_TRUE(runHost("test \"$(identify -format '%w ' '" + out + "')\" = '16 16 16 48 48 48 256 '"));

    for (int f = 0; f < 7; ++f) {
        SCOPED_TRACE(f);
        std::string raw = dir_ + "/frame" + std::to_string(f) + ".rgba";
        ASSERT_TRUE(runHost("convert '" + out + "[" + std::to_string(f) + "]' -depth 8 'RGBA:" + raw + "'"));
        Bytes px = readFile(raw);
        BufferedImage* ours = icon->toImage(f, nullptr);
        ASSERT_NE(ours, nullptr);
        int w = ours->getWidth();
        ASSERT_EQ(px.size(), size_t(w) * w * 4);
        int bad = 0;
        for (int y = 0; y < w; ++y)
            for (int x = 0; x < w; ++x) {
                uint32_t p = ours->getRow(y)[x];
                const uint8_t* q = &px[(size_t(y) * w + x) * 4];
                if (q[3] != (p >> 24)) ++bad;
                else if (q[3] && (q[0] != ((p >> 16) & 255) || q[1] != ((p >> 8) & 255) || q[2] != (p & 255))) ++bad;
            }
        EXPECT_EQ(bad, 0);
        ours->release();
    }
    icon->release();
    setting->release();
    src->release();
}

TEST_F(IcoFiles, NonSquarePictureIsCentredOnTransparency)
{
    BufferedImage* src = BufferedImage::createSized(100, 50);
    src->fill(255, 0, 0, 255);
    auto* setting = s::image::ico::EncodeSetting::create();
    setting->sizes.push(32);
    setting->depths.push(32);
    auto* icon = static_cast<Icon*>(setting->makeEncoder(src));
    ASSERT_NE(icon, nullptr);
    BufferedImage* img = icon->toImage(0, nullptr);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->getRow(7)[16] >> 24, 0u);
    EXPECT_EQ(img->getRow(8)[16], 0xFF0000FFu);
    EXPECT_EQ(img->getRow(23)[16], 0xFF0000FFu);
    EXPECT_EQ(img->getRow(24)[16] >> 24, 0u);
    img->release();
    icon->release();
    // No size or no depth: nothing to write.
    setting->sizes.clear();
    EXPECT_EQ(setting->makeEncoder(src), nullptr);
    setting->release();
    src->release();
}

TEST_F(IcoFiles, WindowIconsMakeAnIconHandle)
{
    BufferedImage* src = BufferedImage::createSized(40, 40);
    src->fill(255, 10, 200, 30);
    Icon* icon = Icon::makeWindowIcons(src);
    ASSERT_NE(icon, nullptr);
    ASSERT_EQ(icon->getFrameCount(), 2);
    EXPECT_EQ(icon->imageAt(0)->getWidth(), 16);
    EXPECT_EQ(icon->imageAt(1)->getWidth(), 32);
    HICON h = icon->imageAt(1)->createHIcon();
    EXPECT_NE(h, nullptr);
    if (h) DestroyIcon(h);
    icon->release();
    src->release();
}

TEST(IconResources, ProgramIconGroupAndPicturesComeOutOfTheExecutable)
{
    auto* module = s::archive::dll::win::Archive::create();
    ASSERT_TRUE(module->open(winPath(GLIMMER_BINARY_DIR "/Glimmer.exe").c_str()));
    Archive* icons = Archive::create();
    ASSERT_TRUE(icons->loadGroupIconById(module, 128));
    EXPECT_FALSE(icons->loadGroupIconById(module, 4242));
    ASSERT_TRUE(icons->loadGroupIconById(module, 128));
    ASSERT_GE(icons->getEntryCount(), 2u);
    int32_t best = -1;
    ASSERT_TRUE(icons->findBestEntry(256, 256, &best));
    BufferedImage* big = icons->getImage(uint32_t(best));
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->getWidth(), 256);
    big->release();
    ASSERT_TRUE(icons->findBestEntry(16, 16, &best));
    IconImage* small = icons->decodeEntry(uint32_t(best));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->getWidth(), 16);
    EXPECT_EQ(small->getBitCount(), 32);
    HICON h = small->createHIcon();
    EXPECT_NE(h, nullptr);
    if (h) DestroyIcon(h);
    small->release();
    icons->release();

    auto* jpeg = s::image::jpg::win::Jpeg::create();
    EXPECT_TRUE(s::image::readResourceImage(jpeg, module, L"IDR_JPG", 131));
    EXPECT_GT(jpeg->getWidth(), 0);
    EXPECT_FALSE(s::image::readResourceImage(jpeg, module, L"IDR_JPG", 4242));
    jpeg->release();
    module->release();
}

TEST(IconResources, NewEncoderRepeatsTheHeldSizesAndDepths)
{
    BufferedImage* src = BufferedImage::createSized(30, 30);
    src->fill(255, 1, 2, 3);
    auto* setting = s::image::ico::EncodeSetting::create();
    setting->sizes.push(16);
    setting->sizes.push(24);
    setting->depths.push(8);
    auto* held = static_cast<Icon*>(setting->makeEncoder(src));
    ASSERT_NE(held, nullptr);
    auto* made = static_cast<Icon*>(held->newEncoderFor(src));
    ASSERT_NE(made, nullptr);
    ASSERT_EQ(made->getFrameCount(), 2);
    EXPECT_EQ(made->imageAt(0)->getWidth(), 16);
    EXPECT_EQ(made->imageAt(1)->getWidth(), 24);
    EXPECT_EQ(made->imageAt(1)->getBitCount(), 8);
    made->release();
    held->release();
    setting->release();
    src->release();
}

}  // namespace
