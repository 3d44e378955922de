#include <gtest/gtest.h>

#include "PainterTestSupport.h"
#include "skins/painters/SliderPainting.h"
#include "skins/painters/SliderParts.h"

using namespace s::gui::drawer::slider;
using testsupport::kSentinel;
using testsupport::PixelCanvas;
using testsupport::ScaleOverride;

namespace {

constexpr COLORREF kFill = RGB(176, 176, 176);
constexpr COLORREF kThumb = RGB(70, 90, 110);
constexpr COLORREF kDisabled = RGB(150, 150, 150);

// Without border painters: band and fill bars only, so every pixel left is theirs.
SliderLook bare(int32_t frameStyle = 1) {
    SliderLook l;
    l.frameStyle = frameStyle;
    l.fill = kFill;
    l.thumb = kThumb;
    l.disabled = kDisabled;
    return l;
}

// A 0..100 slider whose thumbs move one pixel per step: w = 100 + 10·s.
SliderState range(int32_t position) {
    SliderState st;
    st.minimum = 0;
    st.maximum = 100;
    st.position = position;
    return st;
}

TEST(SliderPainter, FillFromTheMinimumToTheThumb) {
    for (int32_t s : {1, 2, 4}) {
        ScaleOverride scale(s);
        int32_t w = 100 + 10 * s;
        PixelCanvas c(w, 20);
        SliderState st = range(50);
        st.showFill = true;
        paintSlider(c.dc(), bare(), 0, 0, w, 20, st);
        EXPECT_EQ(testsupport::checkPixels(c, {{0, 0, kSentinel},
                                               {1, 1, kFill},
                                               {49, 18, kFill},
                                               {50, 10, kSentinel},
                                               {49, 19, kSentinel},
                                               {50 + 10 * s, 10, kSentinel}}),
                  "")
            << "scale " << s;
    }
}

TEST(SliderPainter, FillFromAnAnchorAboveTheMinimumAndDisabled) {
    ScaleOverride scale(2);
    PixelCanvas c(120, 20);  // w 120, thumb 20 wide, channel 100
    SliderState st;
    st.minimum = 100;
    st.maximum = 200;
    st.position = 110;  // thumb [10, 30)
    st.anchor = 150;    // fill end 120 × 50 / 100 = 60
    st.showFill = true;
    st.enabled = false;
    paintSlider(c.dc(), bare(), 0, 0, 120, 20, st);
    EXPECT_EQ(
        testsupport::checkPixels(c, {{29, 5, kSentinel}, {30, 5, kDisabled}, {60, 5, kDisabled}, {61, 5, kSentinel}}),
        "");
}

TEST(SliderPainter, FillBetweenTwoThumbs) {
    ScaleOverride scale(1);
    PixelCanvas c(110, 20);
    SliderState st = range(20);
    st.twoThumbs = true;
    st.secondPosition = 70;
    st.showFill = true;
    paintSlider(c.dc(), bare(), 0, 0, 110, 20, st);
    EXPECT_EQ(testsupport::checkPixels(
                  c, {{29, 5, kSentinel}, {30, 1, kFill}, {69, 18, kFill}, {70, 5, kSentinel}, {10, 5, kSentinel}}),
              "");
}

TEST(SliderPainter, BandSkipsTheFirstThumb) {
    for (int32_t s : {1, 2, 4}) {
        ScaleOverride scale(s);
        int32_t w = 100 + 10 * s;
        PixelCanvas c(w, 20);
        SliderState st = range(50);
        st.bandStyle = kBandGradient;
        st.bandA = int32_t(RGB(0, 0, 0));
        st.bandB = int32_t(RGB(200, 200, 200));
        paintSlider(c.dc(), bare(0), 0, 0, w, 20, st);
        int32_t n = w - 2;
        auto grey = [&](int32_t x) {
            int v = 200 * (x - 1) / n;
            return RGB(v, v, v);
        };
        EXPECT_EQ(testsupport::checkPixels(c, {{0, 10, kSentinel},
                                               {1, 0, kSentinel},
                                               {1, 1, grey(1)},
                                               {1, 18, grey(1)},
                                               {1, 19, kSentinel},
                                               {49, 10, grey(49)},
                                               {50, 10, kSentinel},
                                               {50 + 10 * s - 1, 10, kSentinel},
                                               {50 + 10 * s, 10, grey(50 + 10 * s)},
                                               {w - 2, 10, grey(w - 2)},
                                               {w - 1, 10, kSentinel}}),
                  "")
            << "scale " << s;
    }
}

TEST(SliderPainter, NarrowTrackGetsNoBand) {
    PixelCanvas c(8, 20);
    SliderState st = range(0);
    st.bandStyle = 2;
    st.bandA = st.bandB = 100;
    paintSlider(c.dc(), bare(0), 0, 0, 2, 20, st);
    EXPECT_EQ(c.countChanged(), 0);
}

TEST(SliderPainter, EmptyRangeDoesNotDivideByZero) {
    ScaleOverride scale(1);
    PixelCanvas c(110, 20);
    SliderState st = range(5);
    st.minimum = st.maximum = 5;
    st.showFill = true;
    st.anchor = 9;
    paintSlider(c.dc(), bare(), 0, 0, 110, 20, st);  // the thumb at 0: no bar from the minimum
    EXPECT_EQ(c.countChanged(), 0);
}

TEST(SliderPainter, EmptyRectangleLeavesEverythingAlone) {
    SliderState st = range(50);
    st.showFill = true;
    st.bandStyle = 1;
    EXPECT_TRUE(paintertest::leavesEmptyRectsAlone(
        [&](HDC dc, int l, int t, int r, int b) { paintSlider(dc, bare(), l, t, r, b, st); }));
}

}  // namespace
