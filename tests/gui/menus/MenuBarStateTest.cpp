// The menu bar's pointer logic without a window: entry layout and hit testing, and the
// state machine of hot tracking, opening, switching and the no-reopen delay.
#include <gtest/gtest.h>

#include "gui/menus/MenuBarState.h"

using namespace s::gui::win::menubar;

namespace {

// Three entries of widths 40, 50, 30 and height 20; entries 0 and 2 are pop-ups, 1 a command.
const RECT kRects[] = {{0, 0, 40, 20}, {40, 0, 90, 20}, {90, 0, 120, 20}};

Tracker makeTracker() {
    Tracker t;
    t.isPopup = [](int32_t i) { return i == 0 || i == 2; };
    return t;
}

}  // namespace

TEST(MenuBarState, HitTestingFindsEntriesAndTheRightAlignedLast) {
    struct Case {
        int32_t x, y;
        bool single, lastAtRight;
        int32_t expected;
    };
    const Case cases[] = {
        {0, 0, false, false, 0},
        {39, 19, false, false, 0},
        {40, 5, false, false, 1},
        {119, 5, false, false, 2},
        {120, 5, false, false, -1},
        {10, 20, false, false, -1},
        {-1, 5, false, false, -1},
        // The last entry moves to the bar's right edge (bar 200 wide): 170..200.
        {100, 5, false, true, -1},
        {175, 5, false, true, 2},
        {199, 19, false, true, 2},
        // Single entry: anywhere in [0, 200] x [0, 30].
        {150, 25, true, false, 0},
        {200, 30, true, false, 0},
        {201, 5, true, false, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(entryAt(kRects, 3, c.x, c.y, 200, 30, c.single, c.lastAtRight), c.expected)
            << c.x << "," << c.y << " single " << c.single << " right " << c.lastAtRight;
    EXPECT_EQ(entryAt(kRects, 0, 5, 5, 200, 30, true, false), -1);
}

TEST(MenuBarState, PopupsOpenBelowTheirEntry) {
    POINT p = popupOrigin(kRects, 3, 1, 200, false);
    EXPECT_EQ(p.x, 40);
    EXPECT_EQ(p.y, 20);
    p = popupOrigin(kRects, 3, 2, 200, true);
    EXPECT_EQ(p.x, 170);
    p = popupOrigin(kRects, 3, 2, 200, false);
    EXPECT_EQ(p.x, 90);
}

TEST(MenuBarState, HoverMakesEntriesHotAndOpensOnlyWhenAsked) {
    Tracker t = makeTracker();
    Steps s = t.onMouseMove(0, false);
    EXPECT_TRUE(s.capture);
    EXPECT_TRUE(s.repaint);
    EXPECT_FALSE(s.openPopups);
    EXPECT_EQ(t.hot, 0);
    // The same entry again changes nothing.
    s = t.onMouseMove(0, false);
    EXPECT_FALSE(s.repaint);
    s = t.onMouseMove(-1, false);
    EXPECT_TRUE(s.releaseCapture);
    EXPECT_TRUE(s.repaint);
    EXPECT_EQ(t.hot, -1);
    // With open-on-hover a pop-up entry opens by hovering alone; a command entry does not.
    s = t.onMouseMove(1, true);
    EXPECT_FALSE(s.openPopups);
    s = t.onMouseMove(2, true);
    EXPECT_TRUE(s.openPopups);
    // Closed there (Escape): the pointer still on the entry opens nothing again until it
    // has left the entry.
    ASSERT_TRUE(t.beginPopup());
    EXPECT_FALSE(t.endPopup(10000, &s));
    EXPECT_FALSE(t.onMouseMove(2, true).openPopups);
    EXPECT_EQ(t.hot, 2);
    t.onMouseMove(-1, true);
    EXPECT_TRUE(t.onMouseMove(2, true).openPopups);
}

TEST(MenuBarState, MovingToTheNextEntrySwitchesTheOpenPopup) {
    Tracker t = makeTracker();
    Steps s = t.onButtonDown(0, 10000);
    ASSERT_TRUE(s.openPopups);
    ASSERT_TRUE(t.beginPopup());
    // Inside the pop-up's loop the cursor reaches entry 2.
    s = t.onMouseMove(2, false);
    EXPECT_TRUE(s.closeForSwitch);
    EXPECT_FALSE(s.openPopups);  // the running loop goes on with it
    EXPECT_EQ(t.hot, 2);
    EXPECT_TRUE(t.endPopup(10100, &s));
    EXPECT_TRUE(s.capture);
    ASSERT_TRUE(t.beginPopup());
    EXPECT_FALSE(t.switchPending);
    // Escape (or a click elsewhere) ends it for good.
    EXPECT_FALSE(t.endPopup(10200, &s));
    EXPECT_TRUE(s.releaseCapture);
    EXPECT_EQ(t.hot, -1);
    EXPECT_FALSE(t.popupOpen);
    t.finishLoop();
    // Within 500 ms nothing reopens; later the press opens the pop-up again.
    s = t.onButtonDown(0, 10699);
    EXPECT_FALSE(s.openPopups);
    t.onButtonUp(0);
    t.onMouseMove(-1, false);
    s = t.onButtonDown(0, 10700);
    EXPECT_TRUE(s.openPopups);
}

TEST(MenuBarState, ACommandEntryFiresOnReleaseNotOnPress) {
    Tracker t = makeTracker();
    Steps s = t.onButtonDown(1, 10000);
    EXPECT_EQ(s.fire, -1);
    EXPECT_FALSE(s.openPopups);
    s = t.onButtonUp(1);
    EXPECT_EQ(s.fire, 1);
    EXPECT_TRUE(s.releaseCapture);
    EXPECT_EQ(t.hot, -1);
    // A release without a press on the bar fires nothing.
    s = t.onButtonUp(1);
    EXPECT_EQ(s.fire, -1);
}

TEST(MenuBarState, MovingOffTheBarKeepsTheOpenPopupsEntryHot) {
    Tracker t = makeTracker();
    t.onButtonDown(0, 10000);
    t.beginPopup();
    Steps s = t.onMouseMove(-1, false);
    EXPECT_FALSE(s.releaseCapture);
    EXPECT_FALSE(s.repaint);
    EXPECT_EQ(t.hot, 0);
}
