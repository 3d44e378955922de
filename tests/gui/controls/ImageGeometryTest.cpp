// The picture view's arithmetic: size hints for every combination of fixed size,
// percentage, frame, stretch and kept aspect; the frame clock (each frame for its own
// delay, lateness carried over); the transparency grid's cells.
#include <gtest/gtest.h>

#include "gui/controls/ImageGeometry.h"
#include "imaging/image/BufferedImage.h"

namespace {

using namespace s::gui::imageview;
using s::image::win::BufferedImage;

constexpr int32_t U = -1;  // unset

struct HintCase {
    const char* what;
    int32_t picW, picH;
    bool stretch, keepRatio;
    int32_t frame;
    int32_t fixedW, fixedH, percentW, percentH;
    int32_t parentW, parentH;
    // min, min inner, preferred, preferred inner: width then height
    int32_t minW, minInnerW, prefW, prefInnerW;
    int32_t minH, minInnerH, prefH, prefInnerH;
};

ImageSizing sizingOf(const HintCase& c) {
    ImageSizing s;
    measurePicture(&s, c.picW, c.picH, c.stretch);
    s.keepRatio = c.keepRatio;
    s.frame = c.frame;
    if (c.fixedW >= 0) s.hint[0].setFixed(c.fixedW);
    if (c.percentW >= 0) s.hint[0].setPercent(c.percentW);
    if (c.fixedH >= 0) s.hint[1].setFixed(c.fixedH);
    if (c.percentH >= 0) s.hint[1].setPercent(c.percentH);
    s.parentInner[0] = c.parentW;
    s.parentInner[1] = c.parentH;
    return s;
}

TEST(ImageGeometry, SizeHintTable) {
    const HintCase cases[] = {
        // what                         pic       str    keep  frm  fixW fixH pctW pctH parent      W: min minI pref prefI   H: ...
        {"natural size", 400, 100, false, true, 0, U, U, U, U, 1000, 500, 400, 400, 400, 400, 100, 100, 100, 100},
        {"no picture", 0, 0, false, true, 0, U, U, U, U, 1000, 500, 0, 0, 0, 0, 0, 0, 0, 0},
        {"no picture, framed at 2", 0, 0, false, true, 4, U, U, U, U, 1000, 500, 4, 0, 4, 0, 4, 0, 4, 0},
        {"framed at 1", 400, 100, false, true, 2, U, U, U, U, 1000, 500, 402, 400, 402, 400, 102, 100, 102, 100},
        {"framed at 2", 400, 100, false, true, 4, U, U, U, U, 1000, 500, 404, 400, 404, 400, 104, 100, 104, 100},
        {"stretch: minimum 0", 400, 100, true, true, 0, U, U, U, U, 1000, 500, 0, 0, 400, 400, 0, 0, 100, 100},
        {"fixed", 400, 100, false, true, 0, 300, 50, U, U, 1000, 500, 300, 300, 300, 300, 50, 50, 50, 50},
        {"fixed, framed at 2",
         400,
         100,
         false,
         true,
         4,
         104,
         104,
         U,
         U,
         1000,
         500,
         104,
         100,
         104,
         100,
         104,
         100,
         104,
         100},
        {"fixed 1, framed: inner 0 not -1", 400, 100, false, true, 2, 1, 1, U, U, 1000, 500, 1, 0, 1, 0, 1, 0, 1, 0},
        {"percent width", 400, 100, false, true, 0, U, U, 50, U, 1001, 500, 0, 0, 500, 500, 100, 100, 100, 100},
        {"percent width, framed", 400, 100, false, true, 2, U, U, 50, U, 1000, 500, 0, 0, 500, 498, 102, 100, 102, 100},
        {"both percents, stretch, keep ratio",
         400,
         100,
         true,
         true,
         0,
         U,
         U,
         100,
         100,
         1000,
         500,
         0,
         0,
         1000,
         1000,
         0,
         0,
         250,
         250},
        {"both percents, stretch, free ratio",
         400,
         100,
         true,
         false,
         0,
         U,
         U,
         100,
         100,
         1000,
         500,
         0,
         0,
         1000,
         1000,
         0,
         0,
         500,
         500},
        {"both percents, no stretch",
         400,
         100,
         false,
         true,
         0,
         U,
         U,
         100,
         100,
         1000,
         500,
         0,
         0,
         1000,
         1000,
         0,
         0,
         500,
         500},
        {"fixed height governs width",
         400,
         100,
         true,
         true,
         0,
         U,
         200,
         U,
         U,
         1000,
         500,
         0,
         800,
         800,
         800,
         200,
         200,
         200,
         200},
        {"fixed height, framed at 2, governs width",
         400,
         100,
         true,
         true,
         4,
         U,
         204,
         U,
         U,
         1000,
         500,
         4,
         800,
         804,
         800,
         204,
         200,
         204,
         200},
        {"percent height governs width",
         400,
         100,
         true,
         true,
         0,
         U,
         U,
         U,
         50,
         1000,
         500,
         0,
         1000,
         1000,
         1000,
         0,
         0,
         250,
         250},
        {"fixed height, no stretch: width natural",
         400,
         100,
         false,
         true,
         0,
         U,
         200,
         U,
         U,
         1000,
         500,
         400,
         400,
         400,
         400,
         200,
         200,
         200,
         200},
        {"fixed height, stretch, free ratio",
         400,
         100,
         true,
         false,
         0,
         U,
         200,
         U,
         U,
         1000,
         500,
         0,
         0,
         400,
         400,
         200,
         200,
         200,
         200},
        {"rounding halves away from zero", 3, 2, true, true, 0, U, 5, U, U, 1000, 500, 0, 8, 8, 8, 5, 5, 5, 5},
    };
    for (const HintCase& c : cases) {
        const ImageSizing s = sizingOf(c);
        SCOPED_TRACE(c.what);
        EXPECT_EQ(imageMinSize(s, ImageAxis::kWidth), c.minW);
        EXPECT_EQ(imageMinInnerSize(s, ImageAxis::kWidth), c.minInnerW);
        EXPECT_EQ(imagePreferredSize(s, ImageAxis::kWidth), c.prefW);
        EXPECT_EQ(imagePreferredInnerSize(s, ImageAxis::kWidth), c.prefInnerW);
        EXPECT_EQ(imageMinSize(s, ImageAxis::kHeight), c.minH);
        EXPECT_EQ(imageMinInnerSize(s, ImageAxis::kHeight), c.minInnerH);
        EXPECT_EQ(imagePreferredSize(s, ImageAxis::kHeight), c.prefH);
        EXPECT_EQ(imagePreferredInnerSize(s, ImageAxis::kHeight), c.prefInnerH);
    }
}

TEST(ImageGeometry, InnerSizeLosesTheFrameOnBothSides) {
    EXPECT_EQ(innerOf(104, 4), 100);
    EXPECT_EQ(innerOf(104, 2), 102);
    EXPECT_EQ(innerOf(3, 8), 0);
    EXPECT_EQ(innerOf(50, 0), 50);
}

TEST(ImageGeometry, EachFrameStaysForItsOwnDelay) {
    const int32_t delays[] = {100, 200, 300};
    FrameClock c;
    startClock(&c, delays, 3, 1000);
    EXPECT_EQ(c.index, 0);
    EXPECT_EQ(c.wait, 100);
    // Ticks every 25 ms: record when each frame starts.
    int64_t started[7] = {};
    int n = 0;
    for (int64_t t = 1000; t <= 3000 && n < 7; t += 25) {
        if (advanceClock(&c, delays, 3, t)) started[n++] = t;
    }
    ASSERT_EQ(n, 7);
    EXPECT_EQ(started[0], 1100);  // frame 0 stayed 100
    EXPECT_EQ(started[1], 1300);  // frame 1 stayed 200
    EXPECT_EQ(started[2], 1600);  // frame 2 stayed 300, then the wrap to frame 0
    EXPECT_EQ(started[3], 1700);
    EXPECT_EQ(c.index, 1);
}

TEST(ImageGeometry, LatenessIsTakenOffTheNextWait) {
    const int32_t delays[] = {100, 40, 100};
    FrameClock c;
    startClock(&c, delays, 3, 0);
    EXPECT_FALSE(advanceClock(&c, delays, 3, 99));
    // 30 ms late: frame 1's 40 ms become 10.
    EXPECT_TRUE(advanceClock(&c, delays, 3, 130));
    EXPECT_EQ(c.index, 1);
    EXPECT_EQ(c.wait, 10);
    // Far later than the whole next delay: the wait is 0, the frame after follows at the next tick.
    EXPECT_TRUE(advanceClock(&c, delays, 3, 500));
    EXPECT_EQ(c.index, 2);
    EXPECT_EQ(c.wait, 0);
    EXPECT_TRUE(advanceClock(&c, delays, 3, 525));
    EXPECT_EQ(c.index, 0);
    EXPECT_EQ(c.wait, 75);
}

TEST(ImageGeometry, ADelayOfZeroAdvancesAtTheNextTick) {
    const int32_t delays[] = {0, 0};
    FrameClock c;
    startClock(&c, delays, 2, 0);
    EXPECT_TRUE(advanceClock(&c, delays, 2, 25));
    EXPECT_EQ(c.index, 1);
    EXPECT_TRUE(advanceClock(&c, delays, 2, 50));
    EXPECT_EQ(c.index, 0);
}

TEST(ImageGeometry, TheTimerTicksWhenTheFrameIsDueAndNoSooner) {
    const int32_t delays[] = {300, 20, 100};
    FrameClock c;
    startClock(&c, delays, 3, 1000);
    struct Case {
        int64_t now;
        int32_t next;
    } waiting[] = {{1000, 300}, {1100, 200}, {1290, 25}, {1300, 25}, {1400, 25}};
    for (const Case& w : waiting) EXPECT_EQ(nextTickDelay(c, w.now, 25), w.next) << w.now;
    // Played by ticks that come when asked: each frame shown once its delay is over, the
    // lateness of a tick taken off the next wait, and no tick that finds nothing to do.
    int64_t t = 1000;
    int ticks = 0, advanced = 0;
    while (advanced < 6) {
        t += nextTickDelay(c, t, 25);
        ++ticks;
        advanced += advanceClock(&c, delays, 3, t);
    }
    EXPECT_EQ(ticks, 6);
    // 300 + 20 (shown 25: the timer's finest step) + 100 - 5, twice.
    EXPECT_EQ(t, 1000 + 2 * (300 + 25 + 95));
}

TEST(ImageGeometry, GridOfTwelveBySeven) {
    BufferedImage* img = BufferedImage::createSized(12, 7);
    ASSERT_NE(img, nullptr);
    paintTransparencyGrid(img, 0, 0, 12, 7, 0, 0);
    // 3 columns and 2 rows of cells: white at (0,0), (1,1), (2,0); the last cells clipped.
    struct Px {
        int x, y;
        uint32_t want;
    };
    const Px px[] = {{0, 0, 0xFFFFFFFF},  {4, 4, 0xFFFFFFFF},  {5, 0, 0xFFCCCCCC},  {9, 4, 0xFFCCCCCC},
                     {10, 0, 0xFFFFFFFF}, {11, 4, 0xFFFFFFFF}, {0, 5, 0xFFCCCCCC},  {4, 6, 0xFFCCCCCC},
                     {5, 5, 0xFFFFFFFF},  {9, 6, 0xFFFFFFFF},  {10, 5, 0xFFCCCCCC}, {11, 6, 0xFFCCCCCC}};
    for (const Px& p : px) EXPECT_EQ(img->getRow(p.y)[p.x], p.want) << p.x << "," << p.y;
    img->release();
}

TEST(ImageGeometry, GridPaintedInPartsMatchesTheWhole) {
    BufferedImage* whole = BufferedImage::createSized(37, 23);
    BufferedImage* parts = BufferedImage::createSized(37, 23);
    ASSERT_TRUE(whole && parts);
    // The grid's origin off the image's corner, as when a scrolled part of the view is painted.
    paintTransparencyGrid(whole, 0, 0, 37, 23, -7, -3);
    paintTransparencyGrid(parts, 0, 0, 13, 23, -7, -3);
    paintTransparencyGrid(parts, 13, 0, 30, 9, -7, -3);
    paintTransparencyGrid(parts, 13, 9, 24, 20, -7, -3);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) ASSERT_EQ(whole->getRow(y)[x], parts->getRow(y)[x]) << x << "," << y;
    EXPECT_EQ(whole->getRow(0)[0] & 0xFFFFFF, gridColorAt(7, 3));
    whole->release();
    parts->release();
}

}  // namespace
