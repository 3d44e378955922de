#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"

using s::image::bmp::win::Bitmap;
using s::image::win::BufferedImage;

TEST(Bitmap, CreateSetsUpTheHeaderAndRefusesHostileSizes)
{
    Bitmap* bmp = Bitmap::create();
    ASSERT_TRUE(bmp->create(3, 3, 24));
    EXPECT_EQ(bmp->getStride(), 12);
    EXPECT_EQ(bmp->infoHeader().biSizeImage, 27u);
    EXPECT_EQ(bmp->fileHeader().bfOffBits, 54u);
    EXPECT_EQ(bmp->fileHeader().bfSize, 54u + 36u);
    EXPECT_NE(bmp->getBits(), nullptr);
    EXPECT_EQ(bmp->getRow(2), bmp->getBits());

    ASSERT_TRUE(bmp->create(5, 2, 8));
    EXPECT_EQ(bmp->getPaletteSize(), 256);
    EXPECT_EQ(bmp->fileHeader().bfOffBits, 1078u);
    EXPECT_EQ(bmp->getStride(), 8);

    struct Case { int w, h, bits; } hostile[] = {{0, 5, 32}, {5, -0, 32}, {-4, 4, 32}, {100000, 100000, 32},
                                                 {0x7FFFFFFF, 1, 32}, {4, 4, 7}, {1, 0x7FFFFFFF, 32}};
    for (const Case& c : hostile) {
        EXPECT_FALSE(bmp->create(c.w, c.h, c.bits)) << c.w << "x" << c.h << "x" << c.bits;
        EXPECT_EQ(bmp->getBits(), nullptr);
        EXPECT_EQ(bmp->getHBitmap(), nullptr);
        EXPECT_EQ(bmp->getWidth(), 0);
        EXPECT_EQ(bmp->getHeight(), 0);
        EXPECT_EQ(bmp->getStride(), 0);
        EXPECT_EQ(bmp->toImage(0, nullptr), nullptr);
        EXPECT_EQ(bmp->toImageSet(), nullptr);
    }
    bmp->release();
}

TEST(Bitmap, ToImageAppliesAlphaChannelOrColourKey)
{
    Bitmap* bmp = Bitmap::create();
    // 32 bits with every alpha byte 0: an opaque picture.
    ASSERT_TRUE(bmp->create(2, 2, 32));
    std::memset(bmp->getBits(), 0x40, 16);
    for (int i = 0; i < 4; ++i) bmp->getBits()[i * 4 + 3] = 0;
    BufferedImage* img = bmp->toImage(0, nullptr);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->getRow(1)[1], 0xFF404040u);
    EXPECT_FALSE(img->hasAlpha());

    // Some alpha: kept, flag set only when a pixel is below 255.
    reinterpret_cast<uint32_t*>(bmp->getRow(0))[1] = 0x80102030;
    BufferedImage* given = BufferedImage::createSized(1, 1);
    EXPECT_EQ(bmp->toImage(0, given), given);
    EXPECT_EQ(given->getWidth(), 2);
    EXPECT_EQ(given->getRow(0)[1] >> 24, 0x80u);
    EXPECT_TRUE(given->hasAlpha());
    for (int i = 0; i < 4; ++i) bmp->getBits()[i * 4 + 3] = 255;
    bmp->toImage(0, given);
    EXPECT_FALSE(given->hasAlpha());

    // 24 bits with a colour key: that colour turns transparent.
    ASSERT_TRUE(bmp->create(2, 1, 24));
    uint8_t* row = bmp->getRow(0);
    const uint8_t px[6] = {252, 253, 254, 1, 2, 3};
    std::memcpy(row, px, 6);
    bmp->setColourKey(254, 253, 252);
    EXPECT_TRUE(bmp->hasColourKey());
    bmp->toImage(0, img);
    EXPECT_EQ(img->getRow(0)[0], 0x00FEFDFCu);
    EXPECT_EQ(img->getRow(0)[1], 0xFF030201u);
    EXPECT_TRUE(img->hasAlpha());

    s::image::win::BufferedImageSet* set = bmp->toImageSet();
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->getFrameCount(), 1);
    int depth = 0;
    EXPECT_TRUE(set->findFrame(2, 1, 24, &depth));
    set->release();
    given->release();
    img->release();
    bmp->release();
}

TEST(Bitmap, FromImageAtEachDepthAndBackAgain)
{
    BufferedImage* src = BufferedImage::createSized(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) src->getRow(y)[x] = 0xFF000000u | uint32_t(x * 80) << 16 | uint32_t(y * 90) << 8 | 0x33;
    src->getRow(0)[0] = 0x00000000;  // transparent
    src->setHasAlpha(true);
    Bitmap* bmp = Bitmap::create();

    // 24 bits: flattened onto the background.
    ASSERT_TRUE(bmp->fromImage(src, 24, true, 9, 8, 7));
    EXPECT_EQ(bmp->getBitCount(), 24);
    BufferedImage* back = bmp->toImage(0, nullptr);
    EXPECT_EQ(back->getRow(0)[0], 0xFF090807u);
    EXPECT_EQ(back->getRow(1)[2], 0xFFA05A33u);
    back->release();

    // 32 bits keeping transparency: alpha kept, transparent pixels get the background colour.
    ASSERT_TRUE(bmp->fromImage(src, 32, true, 9, 8, 7));
    back = bmp->toImage(0, nullptr);
    EXPECT_EQ(back->getRow(0)[0], 0x00090807u);
    EXPECT_TRUE(back->hasAlpha());
    EXPECT_EQ(back->getRow(1)[1], 0xFF505A33u);
    back->release();

    // 8 and 4 bits: a palette of the picture's colours, each pixel its own colour back.
    src->makeOpaque();
    for (int bits : {8, 4}) {
        ASSERT_TRUE(bmp->fromImage(src, bits, true, 0, 0, 0));
        EXPECT_EQ(bmp->getBitCount(), bits);
        EXPECT_EQ(bmp->getPaletteSize(), 1 << bits);
        back = bmp->toImage(0, nullptr);
        ASSERT_NE(back, nullptr);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) EXPECT_EQ(back->getRow(y)[x], src->getRow(y)[x]) << bits << " " << x << "," << y;
        back->release();
    }

    BufferedImage* empty = BufferedImage::create();
    EXPECT_FALSE(bmp->fromImage(empty, 32, true, 0, 0, 0));
    empty->release();
    bmp->release();
    src->release();
}

TEST(Bitmap, FromGdiBitmapsAndIcons)
{
    // A top-down DIB section is copied the right way up.
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 2;
    bi.bmiHeader.biHeight = -2;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    const uint32_t topDown[4] = {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004};
    std::memcpy(bits, topDown, sizeof(topDown));
    Bitmap* bmp = Bitmap::create();
    ASSERT_TRUE(bmp->fromHBitmap(section));
    EXPECT_EQ(reinterpret_cast<uint32_t*>(bmp->getRow(0))[1], 0xFF000002u);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(bmp->getRow(1))[0], 0xFF000003u);
    DeleteObject(section);

    // A palette DIB section keeps its colour table.
    struct { BITMAPINFOHEADER h; RGBQUAD colours[2]; } pal{};
    pal.h.biSize = sizeof(BITMAPINFOHEADER);
    pal.h.biWidth = 3;
    pal.h.biHeight = 1;
    pal.h.biPlanes = 1;
    pal.h.biBitCount = 8;
    pal.h.biClrUsed = 2;
    pal.colours[1] = RGBQUAD{0x30, 0x20, 0x10, 0};
    section = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&pal), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    std::memcpy(bits, "\x01\x00\x01\x00", 4);
    ASSERT_TRUE(bmp->fromHBitmap(section));
    DeleteObject(section);
    EXPECT_EQ(bmp->getBitCount(), 8);
    BufferedImage* fromPal = bmp->toImage(0, nullptr);
    ASSERT_NE(fromPal, nullptr);
    EXPECT_EQ(fromPal->getRow(0)[0], 0xFF102030u);
    EXPECT_EQ(fromPal->getRow(0)[1], 0xFF000000u);
    EXPECT_EQ(fromPal->getRow(0)[2], 0xFF102030u);
    fromPal->release();

    // An icon without alpha: its background comes out transparent.
    uint8_t andMask[32 * 4];
    uint8_t xorMask[32 * 4];
    std::memset(andMask, 0xFF, sizeof(andMask));
    std::memset(xorMask, 0x00, sizeof(xorMask));
    for (int y = 8; y < 24; ++y) {
        andMask[y * 4 + 1] = 0x00;  // columns 8..15 opaque black
    }
    HICON icon = CreateIcon(GetModuleHandleW(nullptr), 32, 32, 1, 1, andMask, xorMask);
    ASSERT_NE(icon, nullptr);
    ASSERT_TRUE(bmp->fromHIcon(icon));
    DestroyIcon(icon);
    EXPECT_EQ(bmp->getWidth(), 32);
    EXPECT_EQ(bmp->getHeight(), 32);
    BufferedImage* img = bmp->toImage(0, nullptr);
    ASSERT_NE(img, nullptr);
    EXPECT_TRUE(img->hasAlpha());
    EXPECT_EQ(img->getRow(0)[0] >> 24, 0u);
    EXPECT_EQ(img->getRow(10)[10], 0xFF000000u);
    img->release();
    bmp->release();
}

// A released picture's memory goes to the next picture of the same size, cleared; a
// bitmap made again at another size gives back its old section under its old size.
TEST(SectionRecycling, SameSizeGetsTheMemoryBackClearedOtherSizesDoNot)
{
    s::image::bmp::win::trimSectionRecycling();
    const auto allZero = [](const uint8_t* bits, size_t bytes) {
        for (size_t i = 0; i < bytes; ++i)
            if (bits[i]) return false;
        return true;
    };
    const size_t bytes = 600 * 400 * 4;
    BufferedImage* first = BufferedImage::createSized(600, 400);
    ASSERT_NE(first, nullptr);
    uint8_t* firstBits = first->getRowAddress(399);
    std::memset(firstBits, 0x5A, bytes);
    first->release();

    BufferedImage* other = BufferedImage::createSized(400, 600);  // as many bytes, other shape
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other->getRowAddress(599), firstBits);
    EXPECT_TRUE(allZero(other->getRowAddress(599), bytes));
    BufferedImage* again = BufferedImage::createSized(600, 400);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->getRowAddress(399), firstBits);
    EXPECT_TRUE(allZero(again->getRowAddress(399), bytes));

    // Made again at another size, the bitmap's old section is kept as 600 x 400.
    Bitmap* bitmap = Bitmap::create();
    ASSERT_TRUE(bitmap->create(600, 400, 32));
    uint8_t* oldBits = bitmap->getBits();
    ASSERT_TRUE(bitmap->create(300, 200, 32));
    std::memset(bitmap->getBits(), 0x33, 300 * 200 * 4);
    BufferedImage* third = BufferedImage::createSized(600, 400);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->getRowAddress(399), oldBits);
    EXPECT_TRUE(allZero(third->getRowAddress(399), bytes));
    EXPECT_EQ(bitmap->getBits()[300 * 200 * 4 - 1], 0x33);

    // Depths with a palette and small pictures are never kept.
    ASSERT_TRUE(bitmap->create(1200, 800, 8));
    uint8_t* indexed = bitmap->getBits();
    std::memset(indexed, 7, 1200 * 800);
    bitmap->release();
    Bitmap* fresh = Bitmap::create();
    ASSERT_TRUE(fresh->create(1200, 800, 8));
    EXPECT_TRUE(allZero(fresh->getBits(), 1200 * 800));
    fresh->release();
    for (BufferedImage* img : {other, again, third}) img->release();
    s::image::bmp::win::trimSectionRecycling();
}
