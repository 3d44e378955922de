#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "gui/paint/MemDC.h"
#include "imaging/image/BufferedImage.h"

using s::gui::win::MemDC;
using s::image::win::BufferedImage;

namespace {

void fillRect(HDC dc, int x, int y, int w, int h, COLORREF c) {
    SetBkColor(dc, c);
    RECT r{x, y, x + w, y + h};
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

}  // namespace

TEST(MemDC, PaintsIntoThePictureWhoseRowsAreBottomUp) {
    BufferedImage* img = BufferedImage::createSized(5, 4);
    ASSERT_TRUE(img->hasPixels());
    img->fill(255, 0, 0, 0);
    MemDC* dc = MemDC::forImage(nullptr, img, false);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->getImage(), img);
    fillRect(dc->getHdc(), 3, 1, 1, 1, RGB(10, 20, 30));  // the second row from the top
    GdiFlush();
    // Row 1 counted from the top holds the pixel, whatever the DIB's memory order.
    EXPECT_EQ(img->getRow(1)[3] & 0xFFFFFF, 0x0A141Eu);
    EXPECT_EQ(img->getRow(2)[3] & 0xFFFFFF, 0u);
    EXPECT_EQ(img->getRow(1)[2] & 0xFFFFFF, 0u);
    dc->release();
    img->release();
}

TEST(MemDC, ReleaseDeselectsTheBitmapAndDeletesTheDc) {
    BufferedImage* img = BufferedImage::createSized(4, 4);
    MemDC* dc = MemDC::forImage(nullptr, img, false);
    ASSERT_NE(dc, nullptr);
    HDC hdc = dc->getHdc();
    ASSERT_EQ(GetObjectType(hdc), DWORD(OBJ_MEMDC));
    EXPECT_EQ(GetCurrentObject(hdc, OBJ_BITMAP), img->getHBitmap());
    dc->release();
    EXPECT_EQ(GetObjectType(hdc), 0u);  // not leaked
    // The bitmap is free again: another DC can select it.
    HDC other = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(other, img->getHBitmap());
    EXPECT_NE(old, nullptr);
    SelectObject(other, old);
    DeleteDC(other);
    img->release();
}

TEST(MemDC, AnOwnedPictureGoesBackToItsPool) {
    BufferedImage* img = BufferedImage::createSized(3, 3);
    const uint32_t before = BufferedImage::pooler()->pooledCount();
    MemDC* dc = MemDC::forImage(nullptr, img, true);
    ASSERT_NE(dc, nullptr);
    EXPECT_TRUE(dc->ownsImage());
    dc->release();
    EXPECT_EQ(BufferedImage::pooler()->pooledCount(), before + 1);
    // The MemDC taken next from the pool has forgotten it.
    MemDC* again = MemDC::forScreen();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->getImage(), nullptr);
    EXPECT_FALSE(again->ownsImage());
    again->release();
}

TEST(MemDC, TenThousandUsesLeaveTheGdiObjectCountUnchanged) {
    BufferedImage* img = BufferedImage::createSized(8, 8);
    MemDC* warm = MemDC::forImage(nullptr, img, false);
    warm->release();
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    std::vector<HDC> seen;
    for (int i = 0; i < 10000; ++i) {
        MemDC* dc = MemDC::forImage(nullptr, img, false);
        ASSERT_NE(dc, nullptr) << "use " << i;
        if (i % 1000 == 0) seen.push_back(dc->getHdc());
        fillRect(dc->getHdc(), 0, 0, 1, 1, RGB(i & 0xFF, 0, 0));
        dc->release();
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
    for (HDC h : seen) EXPECT_EQ(GetObjectType(h), 0u);
    img->release();
}

TEST(MemDC, AnImageWithoutPixelsStillGivesAUsableDc) {
    BufferedImage* img = BufferedImage::create();  // 0 x 0, no DIB
    MemDC* dc = MemDC::forImage(nullptr, img, true);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetObjectType(dc->getHdc()), DWORD(OBJ_MEMDC));
    dc->release();
}
