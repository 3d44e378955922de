#include <gtest/gtest.h>

#include "skins/painters/ScrollBarLayout.h"

using namespace s::gui::drawer::scrollbar;

namespace {

::testing::AssertionResult sameRect(const RECT& r, LONG l, LONG t, LONG rr, LONG b) {
    if (r.left == l && r.top == t && r.right == rr && r.bottom == b) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom
                                         << ") != (" << l << "," << t << "," << rr << "," << b << ")";
}

TEST(ScrollBarLayout, VerticalParts) {
    // 15 × 200: arrows 15 high, track 170; page 100 of 1000 gives a 17-pixel thumb,
    // position 450 of 900 puts it at 15 + round(450 × 153 / 900) = 15 + 77.
    ScrollBarLayout l = ScrollBarLayout::make(0, 0, 15, 200, false, 1000, 100, 450, false);
    EXPECT_TRUE(sameRect(l.part(kFirstArrow), 0, 0, 15, 15));
    EXPECT_TRUE(sameRect(l.part(kTrackBefore), 0, 15, 15, 92));
    EXPECT_TRUE(sameRect(l.part(kThumb), 0, 92, 15, 109));
    EXPECT_TRUE(sameRect(l.part(kTrackAfter), 0, 109, 15, 185));
    EXPECT_TRUE(sameRect(l.part(kSecondArrow), 0, 185, 15, 200));
    EXPECT_TRUE(IsRectEmpty(&l.part(kSizeBox)));
}

TEST(ScrollBarLayout, HorizontalWithSizeBox) {
    ScrollBarLayout l = ScrollBarLayout::make(10, 20, 210, 35, true, 100, 50, 0, true);
    EXPECT_TRUE(sameRect(l.part(kSizeBox), 195, 20, 210, 35));
    EXPECT_TRUE(sameRect(l.part(kFirstArrow), 10, 20, 25, 35));
    EXPECT_TRUE(sameRect(l.part(kSecondArrow), 180, 20, 195, 35));
    // Track 155, thumb round(50 × 155 / 100) = 78 at the start.
    EXPECT_TRUE(sameRect(l.part(kThumb), 25, 20, 103, 35));
    EXPECT_TRUE(sameRect(l.part(kTrackAfter), 103, 20, 180, 35));
    RECT bar = l.bar();
    EXPECT_TRUE(sameRect(bar, 10, 20, 195, 35));
}

TEST(ScrollBarLayout, VerticalSizeBoxEndsTheBarOneWidthAboveTheBottom) {
    ScrollBarLayout l = ScrollBarLayout::make(0, 0, 15, 100, false, 10, 5, 0, true);
    EXPECT_EQ(l.bar().bottom, 85);
    EXPECT_TRUE(sameRect(l.part(kSecondArrow), 0, 70, 15, 85));
}

TEST(ScrollBarLayout, SmallPageStillGivesAnElevenPixelThumb) {
    ScrollBarLayout l = ScrollBarLayout::make(0, 0, 15, 200, false, 1000000, 1, 999999, false);
    EXPECT_EQ(l.part(kThumb).bottom - l.part(kThumb).top, kMinThumbLength);
    EXPECT_EQ(l.part(kThumb).bottom, 185);  // at the end of the track
}

TEST(ScrollBarLayout, PageCoveringTheRangeLeavesOnlyTheArrows) {
    for (int32_t page : {100, 150}) {
        ScrollBarLayout l = ScrollBarLayout::make(0, 0, 15, 200, false, 100, page, 0, false);
        EXPECT_TRUE(IsRectEmpty(&l.part(kThumb)));
        EXPECT_TRUE(IsRectEmpty(&l.part(kTrackBefore)));
        EXPECT_TRUE(IsRectEmpty(&l.part(kTrackAfter)));
        EXPECT_EQ(l.hitTest(7, 100), -1);
        EXPECT_EQ(l.hitTest(7, 5), kFirstArrow);
    }
}

TEST(ScrollBarLayout, DegenerateBars) {
    // Empty and inverted rectangles have no parts.
    ScrollBarLayout e = ScrollBarLayout::make(10, 10, 10, 100, false, 100, 10, 0, false);
    for (const RECT& r : e.parts) EXPECT_TRUE(IsRectEmpty(&r));
    ScrollBarLayout inv = ScrollBarLayout::make(0, 50, 15, 10, false, 100, 10, 0, false);
    for (const RECT& r : inv.parts) EXPECT_TRUE(IsRectEmpty(&r));
    // A bar shorter than two arrows: the arrows share it and there is no thumb.
    ScrollBarLayout shortBar = ScrollBarLayout::make(0, 0, 15, 20, false, 100, 10, 50, false);
    EXPECT_TRUE(sameRect(shortBar.part(kFirstArrow), 0, 0, 15, 10));
    EXPECT_TRUE(sameRect(shortBar.part(kSecondArrow), 0, 10, 15, 20));
    EXPECT_TRUE(IsRectEmpty(&shortBar.part(kThumb)));
    // A track shorter than the smallest thumb has no thumb.
    ScrollBarLayout tight = ScrollBarLayout::make(0, 0, 15, 40, false, 100, 10, 50, false);
    EXPECT_TRUE(IsRectEmpty(&tight.part(kThumb)));
    // A position outside [0, range - page] keeps the thumb inside the track.
    ScrollBarLayout past = ScrollBarLayout::make(0, 0, 15, 200, false, 1000, 100, 5000, false);
    EXPECT_EQ(past.part(kThumb).bottom, 185);
    ScrollBarLayout before = ScrollBarLayout::make(0, 0, 15, 200, false, 1000, 100, -40, false);
    EXPECT_EQ(before.part(kThumb).top, 15);
}

TEST(ScrollBarLayout, HitTestTable) {
    // Vertical 15 × 200 at (100, 50), thumb at [142, 159) as in VerticalParts, size box on.
    ScrollBarLayout v = ScrollBarLayout::make(100, 50, 115, 265, false, 1000, 100, 450, true);
    // Parts: arrows [50,65) and [235,250), size box [250,265).
    struct Case {
        int32_t x, y, part;
    } vcases[] = {
        {100, 50, kFirstArrow},
        {114, 64, kFirstArrow},
        {107, 65, kTrackBefore},
        {107, 141, kTrackBefore},
        {107, 142, kThumb},
        {107, 158, kThumb},
        {107, 159, kTrackAfter},
        {107, 234, kTrackAfter},
        {107, 235, kSecondArrow},
        {107, 249, kSecondArrow},
        {107, 250, -1},
        {107, 264, -1},
        {99, 100, -1},
        {115, 100, -1},
        {107, 49, -1},
    };
    for (const Case& c : vcases) EXPECT_EQ(v.hitTest(c.x, c.y), c.part) << c.x << "," << c.y;

    ScrollBarLayout h = ScrollBarLayout::make(0, 0, 200, 15, true, 1000, 100, 0, false);
    struct Case hcases[] = {
        {0, 7, kFirstArrow},    {15, 7, kThumb},         {31, 7, kThumb}, {32, 7, kTrackAfter}, {184, 7, kTrackAfter},
        {185, 7, kSecondArrow}, {199, 14, kSecondArrow}, {200, 7, -1},    {100, 15, -1},
    };
    for (const Case& c : hcases) EXPECT_EQ(h.hitTest(c.x, c.y), c.part) << c.x << "," << c.y;
}

TEST(ScrollBarLayout, DragStaysWithinTheRange) {
    ScrollBarLayout l = ScrollBarLayout::make(0, 0, 15, 200, false, 1000, 100, 450, false);
    // Free length 153, thumb at [92, 109).
    struct Case {
        int32_t offset, position;
    } cases[] = {
        {0, 450},  {10, 450 + 59}, {-10, 450 - 59}, {-77, 0},   {-76, 450 - 447},
        {-500, 0}, {76, 900},      {75, 891},       {500, 900},
    };
    for (const Case& c : cases) EXPECT_EQ(l.positionForDrag(c.offset, 450, 1000, 100), c.position) << c.offset;

    ScrollBarLayout none = ScrollBarLayout::make(0, 0, 15, 200, false, 100, 100, 0, false);
    EXPECT_EQ(none.positionForDrag(20, 0, 100, 100), 0);
    EXPECT_EQ(none.positionForDrag(20, 0, 100, 300), 0);
}

}  // namespace
