#include <gtest/gtest.h>

#include "gui/paint/MemDC.h"
#include "imaging/filters/Geometry.h"
#include "imaging/image/BufferedImage.h"
#include "skins/drawers/ImageDrawer.h"
#include "support/PixelCanvas.h"

using s::gui::win::MemDC;
using s::image::win::BufferedImage;
using testsupport::ScaleOverride;

namespace {

constexpr uint32_t kCanvasFill = 0xFF01FE03;  // the sentinel, opaque
constexpr uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kBlack = 0xFF000000;

// A back buffer drawn through a MemDC over a buffered image (bottom-up rows).
struct BackBuffer {
    BufferedImage* image = BufferedImage::createSized(80, 60);
    MemDC* dc = nullptr;
    BackBuffer() {
        image->fill(0xFF, 0x01, 0xFE, 0x03);
        dc = MemDC::forImage(nullptr, image, true);
    }
    ~BackBuffer() { dc->release(); }
    uint32_t at(int x, int y) {
        GdiFlush();
        return image->getRow(y)[x] | 0xFF000000;  // GDI leaves alpha bytes as they fall
    }
};

BufferedImage* solid(int w, int h, uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
    BufferedImage* p = BufferedImage::createSized(w, h);
    p->fill(a, r, g, b);
    return p;
}

struct Drawer {
    s::gui::drawer::image::win::Basic* d = s::gui::drawer::image::win::Basic::create();
    ~Drawer() { d->release(); }
};

}  // namespace

TEST(PictureFrame, FrameIsScaleThickAndThePictureSitsInsideAtScaleTwo) {
    ScaleOverride scale(2);
    BackBuffer back;
    BufferedImage* red = solid(100, 100, 255, 255, 0, 0);
    Drawer drawer;
    drawer.d->paint(back.dc->getHdc(), back.image, 10, 10, 60, 50, red, false, true, false);
    struct P {
        int x, y;
        uint32_t v;
    };
    for (P p : {P{10, 10, kBlack}, P{11, 11, kBlack}, P{12, 12, kRed}, P{59, 30, kBlack}, P{58, 30, kBlack},
                P{57, 30, kRed}, P{30, 49, kBlack}, P{30, 48, kBlack}, P{30, 47, kRed}, P{9, 9, kCanvasFill},
                P{60, 30, kCanvasFill}, P{30, 50, kCanvasFill}})
        EXPECT_EQ(back.at(p.x, p.y), p.v) << p.x << "," << p.y;
    red->release();
}

TEST(PictureFrame, AMissingPictureDrawsNothingNotEvenTheFrame) {
    BackBuffer back;
    Drawer drawer;
    drawer.d->paint(back.dc->getHdc(), back.image, 10, 10, 60, 50, nullptr, false, true, true);
    drawer.d->paint(back.dc->getHdc(), back.image, 60, 10, 10, 50, nullptr, false, true, true);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x) ASSERT_EQ(back.at(x, y), kCanvasFill);
}

TEST(PictureFrame, OpaquePicturesAreCopiedIntoTheDcAlphaOnesBlendedIntoTheCanvas) {
    ScaleOverride scale(1);
    Drawer drawer;
    for (bool alpha : {false, true}) {
        BackBuffer back;
        BufferedImage* canvas = solid(80, 60, 255, 0, 0, 0);
        BufferedImage* pic = solid(20, 20, alpha ? 128 : 255, 0, 0, 255);
        if (alpha) pic->setHasAlpha(true);
        drawer.d->paint(back.dc->getHdc(), canvas, 5, 5, 25, 25, pic, false, false, true);
        GdiFlush();
        const bool dcChanged = back.at(10, 10) != kCanvasFill;
        const bool canvasChanged = (canvas->getRow(10)[10] & 0xFFFFFF) != 0;
        EXPECT_EQ(dcChanged, !alpha);
        EXPECT_EQ(canvasChanged, alpha);
        pic->release();
        canvas->release();
    }
}

TEST(PictureFrame, APictureWithFiltersIsShownThroughItsResult) {
    BackBuffer back;
    BufferedImage* pic = solid(20, 10, 255, 255, 0, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 10; x < 20; ++x) pic->getRow(y)[x] = kBlue;
    auto* flip = s::image::filters::flip::Flip::create();
    flip->horizontal = true;
    pic->addFilter(flip);
    Drawer drawer;
    drawer.d->paint(back.dc->getHdc(), back.image, 0, 0, 20, 10, pic, false, false, false);
    EXPECT_EQ(back.at(2, 5), kBlue);
    EXPECT_EQ(back.at(17, 5), kRed);
    pic->release();
}
