#include <gtest/gtest.h>

#include "gui/skin/SliderGeometry.h"

using s::gui::drawer::slider::SliderGeometry;
using s::gui::drawer::slider::sliderValueAt;

namespace {

TEST(SliderGeometry, ThumbPlacedFromTheMinimum) {
    struct Case {
        int32_t width, scale, minimum, maximum, value, left;
    } cases[] = {
        {110, 1, 0, 100, 0, 0},
        {110, 1, 0, 100, 50, 50},
        {110, 1, 0, 100, 100, 100},  // right edge at the width
        {210, 1, 1, 200, 200, 200},  // 1..200 at 200 ends its thumb at w
        {210, 1, 1, 200, 1, 0},
        {220, 2, 0, 100, 100, 200},  // thumb 20 wide at scale 2
        {240, 4, 0, 100, 50, 100},   // 40 wide at scale 4
        {110, 1, -50, 50, 0, 50},
        {110, 1, 0, 100, 150, 100},  // beyond the maximum: held at the end
        {110, 1, 0, 100, -10, 0},
        {110, 1, 7, 7, 7, 0},                             // empty range: no division by zero
        {110, 1, 9, 3, 5, 0},                             // inverted range
        {5, 1, 0, 100, 100, 0},                           // narrower than a thumb
        {1000, 1, INT32_MIN, INT32_MAX, INT32_MAX, 990},  // no overflow
    };
    for (const Case& c : cases) {
        SliderGeometry g(c.width, c.scale, c.minimum, c.maximum);
        EXPECT_EQ(g.thumbLeft(c.value), c.left) << c.width << " " << c.minimum << ".." << c.maximum << " @" << c.value;
        EXPECT_EQ(g.thumbWidth(), 10 * c.scale);
    }
}

TEST(SliderGeometry, FillEndsAtTheAnchorFromTheMinimum) {
    struct Case {
        int32_t width, minimum, maximum, anchor, end;
    } cases[] = {
        {200, 0, 100, 50, 100},    {200, 100, 200, 150, 100},
        {200, 100, 200, 50, 0},     // below the range: limited to the minimum
        {200, 100, 200, 999, 200},  // above: limited to the maximum
        {200, 5, 5, 5, 0},
    };
    for (const Case& c : cases) {
        SliderGeometry g(c.width, 1, c.minimum, c.maximum);
        EXPECT_EQ(g.fillEnd(c.anchor), c.end) << c.minimum << ".." << c.maximum << " anchor " << c.anchor;
    }
}

TEST(SliderGeometry, PressFindsTheThumbDrawnThere) {
    // At scale 2 a 220-wide 0..100 slider draws thumb 1 at [60, 80) for 30 and thumb 2
    // at [120, 140) for 60.
    SliderGeometry g(220, 2, 0, 100);
    struct Case {
        int32_t x, thumb;
    } cases[] = {{59, -1}, {60, 0}, {70, 0}, {79, 0}, {80, -1}, {119, -1}, {120, 1}, {130, 1}, {139, 1}, {140, -1}};
    for (const Case& c : cases) EXPECT_EQ(g.thumbAt(c.x, 30, true, 60), c.thumb) << c.x;
    EXPECT_EQ(g.thumbAt(130, 30, false, 60), -1);
    // Overlapping thumbs: the first wins.
    EXPECT_EQ(g.thumbAt(65, 30, true, 31), 0);
}

TEST(SliderGeometry, ValueUnderThePointer) {
    struct Case {
        int32_t x, left, right, minimum, maximum, value;
    } cases[] = {
        {0, 0, 100, 0, 10, 0},  {100, 0, 100, 0, 10, 10}, {50, 0, 100, 0, 10, 5},   {54, 0, 100, 0, 10, 5},
        {56, 0, 100, 0, 10, 6}, {-20, 0, 100, 0, 10, 0},  {500, 0, 100, 0, 10, 10}, {60, 10, 110, 100, 200, 150},
        {60, 50, 50, 3, 9, 3},  // a channel of no width gives the minimum
        {60, 10, 110, 4, 4, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sliderValueAt(c.x, c.left, c.right, c.minimum, c.maximum), c.value)
            << c.x << " on " << c.left << ".." << c.right;
}

}  // namespace
