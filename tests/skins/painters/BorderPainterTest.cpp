#include <gtest/gtest.h>

#include "skins/drawers/BorderDrawer.h"
#include "skins/painters/BorderPainter.h"
#include "support/PixelCanvas.h"

using s::skins::border::tint;
using testsupport::checkPixels;
using testsupport::kSentinel;
using testsupport::PixelCanvas;
using testsupport::ScaleOverride;

namespace {

const COLORREF kBase = RGB(200, 100, 50);
COLORREF T(int percent) { return tint(kBase, percent); }

struct Painted {
    PixelCanvas canvas{24, 14};
    explicit Painted(int state, int corner, bool shaded = true, int l = 2, int t = 2, int r = 22, int b = 12) {
        auto* d = s::gui::drawer::border::win::Thin::create();
        d->setShaded(shaded);
        const auto before = testsupport::captureDcState(canvas.dc());
        d->paint(canvas.dc(), l, t, r, b, state, corner, 200, 100, 50);
        EXPECT_TRUE(testsupport::captureDcState(canvas.dc()) == before) << "the DC is left as it was";
        d->release();
    }
};

}  // namespace

TEST(BorderPainter, TintsByHand) {
    EXPECT_EQ(tint(RGB(255, 255, 255), 105), RGB(255, 255, 255));
    EXPECT_EQ(tint(RGB(255, 255, 255), 115), RGB(255, 255, 255));
    EXPECT_EQ(tint(RGB(255, 255, 255), 85), RGB(216, 216, 216));
    EXPECT_EQ(tint(RGB(255, 255, 255), 50), RGB(127, 127, 127));
    EXPECT_EQ(T(115), RGB(230, 115, 57));
    EXPECT_EQ(T(45), RGB(90, 45, 22));
}

TEST(BorderPainter, SquareRaisedAtScaleOneShowsTheStrokeOrder) {
    ScaleOverride scale(1);
    Painted p(0, 0);
    EXPECT_EQ(checkPixels(p.canvas,
                          {
                              {10, 2, T(115)},    // top
                              {21, 6, T(70)},     // right
                              {10, 11, T(50)},    // bottom
                              {2, 6, T(105)},     // left
                              {2, 2, T(105)},     // left over top
                              {21, 2, T(70)},     // right over top
                              {21, 11, T(50)},    // bottom over right
                              {2, 11, T(105)},    // left over bottom
                              {3, 3, kSentinel},  // one pixel inside
                              {20, 10, kSentinel},
                              {1, 6, kSentinel},  // just outside
                              {22, 6, kSentinel},
                              {10, 12, kSentinel},
                          }),
              "");
}

TEST(BorderPainter, SquareFrameIsScaleThickRoundedStaysTwo) {
    ScaleOverride scale(4);
    Painted square(2, 0);
    EXPECT_EQ(checkPixels(square.canvas, {{10, 5, T(85)},
                                          {10, 6, kSentinel},
                                          {5, 7, T(90)},
                                          {6, 7, kSentinel},
                                          {18, 7, T(100)},
                                          {17, 7, kSentinel},
                                          {10, 8, T(105)},
                                          {5, 8, T(90)}}),
              "");
    Painted rounded(2, 1);
    EXPECT_EQ(
        checkPixels(
            rounded.canvas,
            {{10, 3, T(85)}, {10, 4, kSentinel}, {3, 8, T(90)}, {4, 8, kSentinel}, {2, 2, kSentinel}, {3, 3, T(85)}}),
        "");
}

TEST(BorderPainter, RoundedSmallAtScaleOneLeavesTheCornerPixels) {
    ScaleOverride scale(1);
    Painted p(1, 1);
    EXPECT_EQ(checkPixels(p.canvas, {{2, 2, kSentinel},
                                     {21, 2, kSentinel},
                                     {21, 11, kSentinel},
                                     {2, 11, kSentinel},
                                     {3, 2, T(105)},
                                     {21, 3, T(90)},
                                     {20, 11, T(85)},
                                     {2, 10, T(100)}}),
              "");
}

TEST(BorderPainter, RaisedLargeCornersGetMarksAndCornerPixels) {
    ScaleOverride scale(1);
    Painted p(0, 2);
    // d = 2 k = 2 for the large rounding at thickness 1.
    EXPECT_EQ(checkPixels(p.canvas, {{2, 2, kSentinel},
                                     {3, 2, kSentinel},
                                     {4, 2, T(115)},   // mark 1 over the top edge
                                     {19, 2, T(105)},  // mark 2 at r - d - k
                                     {21, 4, T(95)},   // mark 3
                                     {21, 9, T(50)},   // mark 4 at b - d - k
                                     {4, 11, T(70)},
                                     {19, 11, T(45)},
                                     {2, 4, T(115)},
                                     {2, 9, T(85)},
                                     {3, 3, T(115)},  // corner pieces
                                     {20, 3, T(95)},
                                     {20, 10, T(70)},
                                     {3, 10, T(85)},
                                     {10, 2, T(115)},
                                     {21, 6, T(70)}}),
              "");
}

TEST(BorderPainter, OpenBottomKeepsItsBottomLeftPieceAtScaleTwo) {
    ScaleOverride scale(2);
    Painted p(3, 1);
    EXPECT_EQ(checkPixels(p.canvas, {{10, 11, kSentinel},
                                     {10, 10, kSentinel},
                                     {19, 9, kSentinel},
                                     {4, 10, T(100)},  // the bottom-left piece (l + 1, b - 3)
                                     {10, 2, T(105)},
                                     {21, 6, T(90)}}),
              "");
}

TEST(BorderPainter, LargeRoundingLitGivesGreyRightAndBottom) {
    ScaleOverride scale(1);
    Painted p(1, 2);
    EXPECT_EQ(checkPixels(p.canvas, {{21, 6, RGB(180, 180, 180)}, {10, 11, RGB(42, 42, 42)}, {10, 2, T(105)}}), "");
    Painted flat(1, 2, false);
    EXPECT_EQ(checkPixels(flat.canvas, {{21, 6, RGB(200, 200, 200)}, {10, 11, RGB(50, 50, 50)}, {10, 2, kBase}}), "");
}

TEST(BorderPainter, FlatDrawsEveryStrokeInTheBaseColour) {
    for (int scale : {1, 2, 4}) {
        ScaleOverride o(scale);
        for (int corner : {0, 1, 2}) {
            Painted p(0, corner, false);
            int other = 0;
            for (int y = 0; y < 14; ++y)
                for (int x = 0; x < 24; ++x) other += p.canvas.at(x, y) != kSentinel && p.canvas.at(x, y) != kBase;
            EXPECT_EQ(other, 0) << "scale " << scale << " corner " << corner;
            EXPECT_GT(p.canvas.countChanged(), 0);
        }
    }
}

TEST(BorderPainter, NothingForEmptyRectanglesOrUnknownStyles) {
    struct Case {
        int state, corner, l, t, r, b;
    };
    const Case cases[] = {{0, 0, 5, 5, 5, 10},  {0, 0, 5, 5, 10, 5},  {0, 1, 10, 5, 5, 10},
                          {4, 0, 2, 2, 20, 10}, {0, 3, 2, 2, 20, 10}, {-1, 0, 2, 2, 20, 10}};
    for (const Case& c : cases) {
        Painted p(c.state, c.corner, true, c.l, c.t, c.r, c.b);
        EXPECT_EQ(p.canvas.countChanged(), 0);
    }
}
