#include <gtest/gtest.h>

#include "imaging/filters/ColorFilters.h"
#include "skins/painters/SliderParts.h"

using namespace s::gui::drawer::slider;
using s::gui::drawer::paint::Stroke;

namespace {

COLORREF hsv(int h, int s, int v) {
    int r, g, b;
    s::image::filters::colors::hsvToRgb(h, s, v, &r, &g, &b);
    return RGB(r, g, b);
}

TEST(SliderBand, ColumnColours) {
    struct Case {
        int32_t style;
        uint32_t a, b;
        int32_t k, n;
        COLORREF expected;
    } cases[] = {
        {1, RGB(0, 0, 0), RGB(200, 100, 50), 0, 100, RGB(0, 0, 0)},
        {1, RGB(0, 0, 0), RGB(200, 100, 50), 50, 100, RGB(100, 50, 25)},
        {1, RGB(200, 100, 50), RGB(0, 0, 0), 99, 100, RGB(2, 1, 1)},  // truncated toward zero
        {2, 100, 100, 0, 360, RGB(255, 0, 0)},                        // hue 0
        {2, 100, 100, 359, 360, hsv(358, 100, 100)},                  // the last column is hue 358
        {3, 120, 100, 50, 100, hsv(120, 50, 100)},
        {4, 240, 100, 25, 100, hsv(240, 100, 25)},
        {5, 100, 50, 0, 360, RGB(255, 0, 0)},
        {6, 0, 50, 0, 100, RGB(127, 127, 127)},  // no saturation: grey at L
        {7, 120, 100, 100, 100, RGB(255, 255, 255)},
        {7, 120, 100, 50, 100, RGB(0, 255, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bandColor(c.style, c.a, c.b, c.k, c.n), c.expected) << "style " << c.style << " k " << c.k;
}

TEST(SliderBand, HslBlueAndDarkRed) {
    EXPECT_EQ(hslColor(240, 100, 50), RGB(0, 0, 255));
    EXPECT_EQ(hslColor(0, 100, 25), RGB(127, 0, 0));
    EXPECT_EQ(hslColor(0, 0, 100), RGB(255, 255, 255));
}

TEST(SliderFill, StrokesByFrameStyle) {
    using V = std::vector<Stroke>;
    // w 100, H 20, thumb [40, 50).
    EXPECT_EQ(fillStrokes(1, 100, 20, true, 0, 40, 50), (V{{1, 1, 39, 18}}));
    EXPECT_EQ(fillStrokes(1, 100, 20, false, 20, 40, 50), (V{{20, 1, 20, 18}}));
    EXPECT_EQ(fillStrokes(1, 100, 20, false, 80, 40, 50), (V{{50, 1, 31, 18}}));
    EXPECT_EQ(fillStrokes(1, 100, 20, false, 45, 40, 50), V{});                    // the thumb covers the end
    EXPECT_EQ(fillStrokes(1, 100, 20, false, 100, 40, 50), (V{{50, 1, 50, 18}}));  // end limited to w - 1
    EXPECT_EQ(fillStrokes(2, 100, 20, true, 0, 40, 50), (V{{2, 1, 39, 1}, {1, 2, 39, 16}, {2, 18, 39, 1}}));
    EXPECT_EQ(fillStrokes(2, 100, 20, false, 1, 40, 50),
              (V{{1, 2, 39, 16}, {2, 1, 38, 1}, {2, 18, 38, 1}}));  // the rows start one further in
    EXPECT_EQ(fillStrokes(2, 100, 20, false, 99, 40, 50), (V{{50, 2, 50, 16}, {50, 1, 49, 1}, {50, 18, 49, 1}}));
    EXPECT_EQ(fillStrokes(0, 100, 20, true, 0, 40, 50), V{});
    // A thumb at the very start leaves no bar from the minimum.
    EXPECT_EQ(fillStrokes(1, 100, 20, true, 0, 0, 10), V{});
    // A slider narrower than the limits still draws nothing odd.
    EXPECT_EQ(fillStrokes(2, 2, 20, false, 1, 0, 10), V{});
}

}  // namespace
