#include <gtest/gtest.h>

#include "PainterTestSupport.h"
#include "skins/painters/GroupBoxFrame.h"

using namespace s::gui::drawer::groupbox;
using testsupport::kSentinel;
using testsupport::PixelCanvas;
using testsupport::ScaleOverride;

namespace {

constexpr COLORREF kFrame = RGB(208, 16, 32);

void paintBox(PixelCanvas& c, FrameLook look, const wchar_t* caption = nullptr, HFONT font = nullptr,
              int captionWidth = 20, int captionHeight = 10) {
    paintGroupBox(c.dc(), look, 0, 0, 100, 60, caption, font, RGB(0, 0, 255), captionWidth, captionHeight, kFrame);
}

TEST(GroupBoxPainter, ThinFrameAtScaleOneBreaksForTheCaption) {
    ScaleOverride scale(1);
    PixelCanvas c(100, 60);
    paintBox(c, FrameLook::Thin);
    // Caption box [9, 29): the top edge runs 2..6, stops 2 before it and resumes 2 after it.
    EXPECT_EQ(testsupport::checkPixels(c, {{2, 0, kFrame},
                                           {6, 1, kFrame},
                                           {7, 0, kSentinel},
                                           {30, 0, kSentinel},
                                           {31, 0, kFrame},
                                           {97, 1, kFrame},
                                           {0, 0, kSentinel},
                                           {1, 1, kFrame},
                                           {0, 2, kFrame},
                                           {1, 30, kFrame},
                                           {2, 30, kSentinel},
                                           {99, 30, kFrame},
                                           {98, 30, kFrame},
                                           {50, 58, kFrame},
                                           {50, 59, kFrame},
                                           {50, 57, kSentinel},
                                           {99, 59, kSentinel},
                                           {50, 30, kSentinel}}),
              "");
}

TEST(GroupBoxPainter, EmptyCaptionLeavesAFourPixelGap) {
    ScaleOverride scale(1);
    PixelCanvas c(100, 60);
    paintBox(c, FrameLook::Thin, nullptr, nullptr, 0, 0);
    EXPECT_EQ(testsupport::checkPixels(c, {{6, 0, kFrame}, {7, 0, kSentinel}, {10, 0, kSentinel}, {11, 0, kFrame}}),
              "");
}

TEST(GroupBoxPainter, ThinFrameAtScalesTwoAndFour) {
    for (int s : {2, 4}) {
        ScaleOverride scale(s);
        PixelCanvas c(100, 60);
        paintBox(c, FrameLook::Thin);
        int captionLeft = 9 * s, resume = captionLeft + 20 + 4;
        EXPECT_EQ(testsupport::checkPixels(c, {{4, 0, kFrame},
                                               {captionLeft - 5, 3, kFrame},
                                               {captionLeft - 4, 0, kSentinel},
                                               {resume - 1, 0, kSentinel},
                                               {resume, 3, kFrame},
                                               {0, 4, kFrame},
                                               {3, 30, kFrame},
                                               {4, 30, kSentinel},
                                               {96, 30, kFrame},
                                               {50, 56, kFrame},
                                               {50, 55, kSentinel},
                                               // corner staircase: (1,3), (2,2), (3,1) in 4 × 4 blocks
                                               {0, 0, kSentinel},
                                               {1, 1, kSentinel},
                                               {1, 3, kFrame},
                                               {3, 1, kFrame},
                                               {98, 1, kSentinel},
                                               {96, 1, kFrame},
                                               {98, 3, kFrame}}),
                  "")
            << "scale " << s;
    }
}

TEST(GroupBoxPainter, BasicFrameIsOnePixelAndDoesNotScale) {
    for (int s : {1, 2, 4}) {
        ScaleOverride scale(s);
        PixelCanvas c(100, 60);
        paintBox(c, FrameLook::Basic);
        EXPECT_EQ(testsupport::checkPixels(c, {{2, 0, kFrame},
                                               {6, 0, kFrame},
                                               {7, 0, kSentinel},
                                               {30, 0, kSentinel},
                                               {31, 0, kFrame},
                                               {3, 1, kSentinel},
                                               {2, 1, kFrame},
                                               {0, 2, kFrame},
                                               {1, 30, kSentinel},
                                               {99, 30, kFrame},
                                               {50, 59, kFrame},
                                               {50, 58, kSentinel}}),
                  "")
            << "scale " << s;
    }
}

TEST(GroupBoxPainter, CaptionDrawnInsideItsBoxInTheFontColour) {
    paintertest::TestFont font(12);
    for (int s : {1, 2, 4}) {
        ScaleOverride scale(s);
        PixelCanvas c(100, 60);
        testsupport::DcState before = testsupport::captureDcState(c.dc());
        paintBox(c, FrameLook::Thin, L"Ab", font.handle(), 30, 16);
        paintertest::ColourCount n = paintertest::countColour(c, RGB(0, 0, 255), RECT{9 * s, 0, 9 * s + 30, 16});
        EXPECT_GT(n.inside, 5) << "scale " << s;
        EXPECT_EQ(n.outside, 0) << "scale " << s;
        EXPECT_TRUE(testsupport::captureDcState(c.dc()) == before);
    }
}

TEST(GroupBoxPainter, EmptyRectangleLeavesEverythingAlone) {
    paintertest::TestFont font(12);
    for (FrameLook look : {FrameLook::Thin, FrameLook::Basic})
        EXPECT_TRUE(paintertest::leavesEmptyRectsAlone([&](HDC dc, int l, int t, int r, int b) {
            paintGroupBox(dc, look, l, t, r, b, L"Caption", font.handle(), RGB(0, 0, 255), 30, 12, kFrame);
        }));
}

}  // namespace
