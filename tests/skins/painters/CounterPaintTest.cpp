#include <gtest/gtest.h>

#include "PainterTestSupport.h"
#include "skins/painters/CounterPainting.h"

using namespace s::gui::drawer::counter;
using s::gui::drawer::CounterHistory;
using testsupport::kSentinel;
using testsupport::PixelCanvas;

namespace {

constexpr COLORREF kA = RGB(200, 0, 0);
constexpr COLORREF kB = RGB(0, 0, 200);
constexpr COLORREF kBack = RGB(10, 10, 10);

// A ring of capacity 8 holding the values newest first, fixed maximum 20, minimum 0.
struct Ring {
    int64_t values[8] = {};
    CounterHistory h;
    s::thread::ObjLocker lock;
    Ring(std::initializer_list<int64_t> newestFirst, int32_t nextWrite = 5) {
        h.lock = &lock;
        h.values = values;
        h.capacity = 8;
        h.nextWrite = nextWrite;
        h.fixedMaximum = 20;
        int32_t j = 0;
        for (int64_t v : newestFirst) values[(nextWrite - 1 - j++ + 16) % 8] = v;
        h.count = j;
    }
};

CounterLook look(bool transparent = false) {
    CounterLook l;
    l.transparent = transparent;
    l.background = kBack;
    l.first = kA;
    l.second = kB;
    return l;
}

TEST(CounterPainter, BarsFromTheBottomNewestAtTheRight) {
    // Newest first: 10, 20, 0, 1, 5 (the oldest is never drawn: count - 1 columns).
    Ring r({10, 20, 0, 1, 5});
    PixelCanvas c(10, 20);
    paintCounter(c.dc(), look(), 0, 0, 10, 20, 0, &r.h, nullptr, false);
    EXPECT_EQ(testsupport::checkPixels(c, {{9, 10, kA},
                                           {9, 9, kBack},
                                           {9, 19, kA},
                                           {8, 0, kA},
                                           {8, 19, kA},
                                           {7, 19, kBack},  // 0 is the minimum: nothing
                                           {6, 19, kA},
                                           {6, 18, kBack},  // 1 scales to 1 pixel
                                           {5, 19, kBack},
                                           {0, 0, kBack}}),
              "");
}

TEST(CounterPainter, TransparentWithOneValueDrawsNothing) {
    Ring r({10});
    PixelCanvas c(10, 20);
    paintCounter(c.dc(), look(true), 0, 0, 10, 20, 0, &r.h, nullptr, false);
    paintCounter(c.dc(), look(true), 0, 0, 10, 20, 2, &r.h, nullptr, false);
    EXPECT_EQ(c.countChanged(), 0);
}

TEST(CounterPainter, NarrowGraphShowsOnlyTheNewestColumns) {
    Ring r({20, 20, 20, 20, 20, 20, 20});
    PixelCanvas c(8, 20);
    paintCounter(c.dc(), look(true), 2, 0, 5, 20, 0, &r.h, nullptr, false);
    EXPECT_EQ(testsupport::checkPixels(c, {{1, 10, kSentinel}, {2, 10, kA}, {4, 10, kA}, {5, 10, kSentinel}}), "");
}

TEST(CounterPainter, CentredBarsAndTheLevelBar) {
    Ring r({10, 4});
    PixelCanvas c(10, 20);
    paintCounter(c.dc(), look(), 0, 0, 10, 20, 2, &r.h, nullptr, false);
    // 10 of 20 over 20 rows: 10 high from (20 - 10) / 2 = 5.
    EXPECT_EQ(testsupport::checkPixels(c, {{9, 4, kBack}, {9, 5, kA}, {9, 14, kA}, {9, 15, kBack}}), "");

    PixelCanvas level(10, 20);
    paintCounter(level.dc(), look(), 0, 0, 10, 20, 1, &r.h, nullptr, false);
    // The newest value, 10 of 20, over the width 10: 5 columns.
    EXPECT_EQ(testsupport::checkPixels(level, {{0, 0, kA}, {4, 19, kA}, {5, 10, kBack}}), "");
}

TEST(CounterPainter, SecondSourceAndSwappedColours) {
    Ring first({10, 10, 10});
    Ring second({20, 0, 0});
    PixelCanvas c(10, 20);
    paintCounter(c.dc(), look(true), 0, 0, 10, 20, 0, &first.h, &second.h, true);
    // Swapped: the first in B, the second (drawn over it) in A.
    EXPECT_EQ(testsupport::checkPixels(c, {{9, 0, kA}, {9, 19, kA}, {8, 19, kB}, {8, 9, kSentinel}}), "");
}

TEST(CounterPainter, EmptyRangeAndOwnColour) {
    Ring r({10, 10, 10});
    r.h.fixedMaximum = 0;   // maximum equal to the minimum: no division by zero, values above it
    PixelCanvas c(10, 20);  // show as the one-pixel line
    paintCounter(c.dc(), look(true), 0, 0, 10, 20, 0, &r.h, nullptr, false);
    EXPECT_EQ(c.countChanged(), 2);
    EXPECT_EQ(c.changedBounds().top, 19);
    r.h.fixedMaximum = 10;
    r.h.ownColor = true;
    r.h.red = 1;
    r.h.green = 2;
    r.h.blue = 3;
    paintCounter(c.dc(), look(true), 0, 0, 10, 20, 0, &r.h, nullptr, false);
    EXPECT_EQ(c.at(9, 0), RGB(1, 2, 3));
}

TEST(CounterPainter, EmptyRectangleLeavesEverythingAlone) {
    Ring r({10, 10, 10});
    EXPECT_TRUE(paintertest::leavesEmptyRectsAlone(
        [&](HDC dc, int l, int t, int rr, int b) { paintCounter(dc, look(), l, t, rr, b, 0, &r.h, &r.h, false); }));
}

}  // namespace
