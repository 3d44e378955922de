#include <gtest/gtest.h>

#include <vector>

#include "skins/drawers/WindowDrawer.h"
#include "support/PixelCanvas.h"

using testsupport::checkPixels;
using testsupport::kSentinel;
using testsupport::PixelCanvas;

namespace {

const COLORREF kFrame = RGB(120, 120, 120);
const COLORREF kBack = RGB(255, 255, 255);

struct Window {
    s::gui::drawer::window::win::Thin* d = s::gui::drawer::window::win::Thin::create();
    Window(int topStyle, int bottomStyle) {
        d->setTopCornerStyle(topStyle);
        d->setBottomCornerStyle(bottomStyle);
    }
    ~Window() { d->release(); }
};

}  // namespace

TEST(WindowPainter, TransparentDrawerDrawsTheFrameOnly) {
    Window w(0, 0);
    PixelCanvas c(30, 20);
    const auto before = testsupport::captureDcState(c.dc());
    w.d->paint(c.dc(), 0, 0, 30, 20);
    EXPECT_TRUE(testsupport::captureDcState(c.dc()) == before);
    EXPECT_EQ(checkPixels(c, {{0, 0, kFrame},
                              {29, 0, kFrame},
                              {29, 19, kFrame},
                              {0, 19, kFrame},
                              {15, 0, kFrame},
                              {0, 10, kFrame},
                              {1, 1, kSentinel},
                              {15, 10, kSentinel},
                              {28, 18, kSentinel}}),
              "");
}

TEST(WindowPainter, LargeTopCornersSquareBottom) {
    Window w(2, 0);
    w.d->setBackgroundColor(255, 255, 255);
    PixelCanvas c(30, 20);
    w.d->paint(c.dc(), 0, 0, 30, 20);
    EXPECT_EQ(checkPixels(c, {{4, 1, kFrame},
                              {5, 1, kBack},
                              {2, 2, kFrame},
                              {3, 2, kBack},
                              {1, 4, kFrame},
                              {2, 4, kBack},
                              {0, 5, kFrame},
                              {1, 5, kBack},
                              {25, 1, kFrame},
                              {24, 1, kBack},
                              {27, 2, kFrame},
                              {26, 2, kBack},
                              {29, 5, kFrame},
                              {28, 5, kBack},
                              {1, 18, kBack},
                              {28, 18, kBack},
                              {15, 10, kBack}}),
              "");
}

TEST(WindowPainter, LargeBottomCornersAreNotAMirrorImage) {
    Window w(0, 2);
    PixelCanvas c(30, 20);
    w.d->paint(c.dc(), 0, 0, 30, 20);
    // Rows H - 4 and H - 3 on the right start one pixel further left.
    EXPECT_EQ(checkPixels(c, {{1, 16, kFrame},
                              {2, 16, kSentinel},
                              {27, 16, kFrame},
                              {26, 16, kSentinel},
                              {2, 17, kFrame},
                              {3, 17, kSentinel},
                              {26, 17, kFrame},
                              {25, 17, kSentinel},
                              {28, 17, kFrame},
                              {4, 18, kFrame},
                              {25, 18, kFrame},
                              {24, 18, kSentinel},
                              {1, 1, kSentinel}}),
              "");
}

TEST(WindowPainter, SmallCornersOnlyOnTheEdgePairWithStyleOne) {
    Window w(2, 1);
    PixelCanvas c(30, 20);
    w.d->paint(c.dc(), 0, 0, 30, 20);
    EXPECT_EQ(checkPixels(c, {{1, 18, kFrame},
                              {28, 18, kFrame},
                              {2, 18, kSentinel},
                              {27, 18, kSentinel},
                              {1, 1, kSentinel},
                              {28, 1, kSentinel}}),
              "");
}

TEST(WindowPainter, OnePixelWindowAndEmptyRectangles) {
    Window w(0, 0);
    PixelCanvas one(3, 3);
    w.d->paint(one.dc(), 0, 0, 1, 1);
    EXPECT_EQ(checkPixels(one, {{0, 0, kFrame}, {1, 0, kSentinel}, {0, 1, kSentinel}}), "");
    PixelCanvas none(10, 10);
    w.d->setBackgroundColor(1, 2, 3);
    w.d->paint(none.dc(), 0, 0, 0, 10);
    w.d->paint(none.dc(), 0, 0, 10, -1);
    EXPECT_EQ(none.countChanged(), 0);
}

TEST(WindowPainter, UnknownCornerStylesFillTheBackgroundOnly) {
    Window w(3, 5);
    w.d->setBackgroundColor(9, 9, 9);
    PixelCanvas c(10, 10);
    w.d->paint(c.dc(), 0, 0, 10, 10);
    EXPECT_EQ(checkPixels(c, {{0, 0, RGB(9, 9, 9)}, {5, 5, RGB(9, 9, 9)}}), "");
    EXPECT_EQ(w.d->createRegion(0, 0, 10, 10), nullptr);
}

TEST(WindowRegion, CornersInsideAndOutside) {
    struct Point {
        int x, y;
        bool inside;
    };
    struct Case {
        int top, bottom;
        std::vector<Point> points;
    };
    // A 100 x 60 window: the region spans (0, 0) to (101, 61).
    const Case cases[] = {
        {0, 0, {{0, 0, true}, {100, 60, true}, {101, 30, false}}},
        {1, 1, {{0, 0, false}, {100, 0, false}, {0, 60, false}, {2, 2, true}, {50, 0, true}, {0, 30, true}}},
        {2, 2, {{1, 1, false}, {0, 0, false}, {5, 5, true}, {99, 59, false}, {50, 0, true}}},
        // Large top, square bottom: the bottom strip from bottom - 5 is added.
        {2, 0, {{1, 1, false}, {0, 60, true}, {100, 60, true}, {0, 55, true}, {0, 54, true}}},
        // Square top (strip of height 4), small bottom.
        {0, 1, {{0, 0, true}, {100, 3, true}, {0, 60, false}, {100, 60, false}}},
        // Small top and large bottom: only the top is rounded, with the small ellipse.
        {1, 2, {{0, 0, false}, {2, 2, true}, {0, 60, true}, {100, 60, true}}},
    };
    for (const Case& c : cases) {
        Window w(c.top, c.bottom);
        HRGN r = w.d->createRegion(0, 0, 100, 60);
        ASSERT_NE(r, nullptr);
        for (const Point& p : c.points)
            EXPECT_EQ(PtInRegion(r, p.x, p.y) != 0, p.inside)
                << "styles " << c.top << "/" << c.bottom << " at " << p.x << "," << p.y;
        DeleteObject(r);
    }
}
