// The window's pure rules: edge hit testing, sizing edges, the sizing rectangle, keeping
// windows on the screen, the fade and shrink steps, hotkey texts and the back buffer.
#include <gtest/gtest.h>
#include <windows.h>

#include "foundation/str/StrBuffer.h"
#include "gui/window/WindowGeometry.h"

using namespace s::gui::win::geometry;

TEST(WindowGeometry, SizingEdgesFromWmszTakeTheWindowsOwnNumbering) {
    const struct {
        int wmsz, edge;
    } cases[] = {
        {WMSZ_LEFT, kEdgeLeft},
        {WMSZ_RIGHT, kEdgeRight},
        {WMSZ_TOP, kEdgeTop},
        {WMSZ_TOPLEFT, kEdgeTopLeft},
        {WMSZ_TOPRIGHT, kEdgeTopRight},
        {WMSZ_BOTTOM, kEdgeBottom},
        {WMSZ_BOTTOMLEFT, kEdgeBottomLeft},
        {WMSZ_BOTTOMRIGHT, kEdgeBottomRight},
        {0, kEdgeNone},
        {9, kEdgeNone},
    };
    for (const auto& c : cases) EXPECT_EQ(sizingEdgeFromWmsz(c.wmsz), c.edge) << c.wmsz;
}

TEST(WindowGeometry, HitCodesMapToTheirWmszCodes) {
    const struct {
        int ht, wmsz;
    } cases[] = {
        {HTLEFT, WMSZ_LEFT},
        {HTRIGHT, WMSZ_RIGHT},
        {HTTOP, WMSZ_TOP},
        {HTTOPLEFT, WMSZ_TOPLEFT},
        {HTTOPRIGHT, WMSZ_TOPRIGHT},
        {HTBOTTOM, WMSZ_BOTTOM},
        {HTBOTTOMLEFT, WMSZ_BOTTOMLEFT},
        {HTBOTTOMRIGHT, WMSZ_BOTTOMRIGHT},
        {HTCLIENT, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(wmszFromHitTest(c.ht), c.wmsz) << c.ht;
}

TEST(WindowGeometry, FrameHitTestFindsEdgesAndCornersAtEveryScale) {
    // A 400 x 300 window; edges 5s wide, corners 30s long.
    const struct {
        int x, y, scale, expected;
    } cases[] = {
        {398, 150, 1, HTRIGHT},       {395, 150, 1, HTCLIENT},      {396, 150, 1, HTRIGHT},
        {398, 290, 1, HTBOTTOMRIGHT}, {398, 10, 1, HTTOPRIGHT},     {200, 298, 1, HTBOTTOM},
        {20, 298, 1, HTBOTTOMLEFT},   {380, 298, 1, HTBOTTOMRIGHT}, {2, 150, 1, HTLEFT},
        {2, 280, 1, HTBOTTOMLEFT},    {2, 20, 1, HTTOPLEFT},        {200, 2, 1, HTTOP},
        {10, 2, 1, HTTOPLEFT},        {390, 2, 1, HTTOPRIGHT},      {200, 150, 1, HTCLIENT},
        {392, 150, 2, HTRIGHT},       {389, 150, 2, HTCLIENT},      {392, 250, 2, HTBOTTOMRIGHT},
        {381, 150, 4, HTRIGHT},       {2, 100, 4, HTTOPLEFT},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frameHitTest(c.x, c.y, 400, 300, c.scale, HTCLIENT), c.expected)
            << c.x << "," << c.y << " s" << c.scale;
}

TEST(WindowGeometry, SizingRectangleIsCutToTheWorkAreaHeight) {
    const struct {
        int edge;
        Rect expected;
    } cases[] = {
        {kEdgeBottom, {0, 100, 50, 1100}},      {kEdgeBottomLeft, {0, 100, 50, 1100}},
        {kEdgeBottomRight, {0, 100, 50, 1100}}, {kEdgeTop, {0, 200, 50, 1200}},
        {kEdgeTopLeft, {0, 200, 50, 1200}},     {kEdgeLeft, {0, 200, 50, 1200}},
    };
    for (const auto& c : cases) {
        Rect r{0, 100, 50, 1200};
        cutToWorkHeight(&r, c.edge, 1000);
        EXPECT_EQ(r.top, c.expected.top) << c.edge;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.edge;
    }
    Rect small{0, 0, 50, 500};
    cutToWorkHeight(&small, kEdgeBottom, 1000);
    EXPECT_EQ(small.bottom, 500);
}

TEST(WindowGeometry, MinimumSizeMovesTheDraggedEdge) {
    const struct {
        int edge;
        bool keepW, keepH;
        Rect expected;
    } cases[] = {
        {kEdgeLeft, true, true, {40, 100, 200, 300}},    // left edge moves left
        {kEdgeRight, true, true, {100, 100, 260, 300}},  // right edge moves right
        {kEdgeTopLeft, true, true, {40, 20, 200, 200}},  // both dragged edges move
        {kEdgeBottomRight, true, true, {100, 100, 260, 280}},
        {kEdgeTopRight, true, true, {100, 20, 260, 200}},
        {kEdgeBottomLeft, true, true, {40, 100, 200, 280}},
        {kEdgeLeft, false, false, {100, 100, 200, 300}},  // flags off: unchanged
    };
    for (const auto& c : cases) {
        // 100 x 100 while the minimum is 160 x 180: the dragged edge of each short axis moves.
        Rect r{100, 100, 200, 200};
        if (c.edge == kEdgeLeft || c.edge == kEdgeRight) r = {100, 100, 200, 300};
        enforceMinimumSize(&r, c.edge, c.keepW, 160, c.keepH, 180);
        EXPECT_EQ(r.left, c.expected.left) << c.edge;
        EXPECT_EQ(r.top, c.expected.top) << c.edge;
        EXPECT_EQ(r.right, c.expected.right) << c.edge;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.edge;
    }
}

TEST(WindowGeometry, ClampIntoAreaKeepsTheWindowInsideAndTheLeftTaskbarVisible) {
    const Area work{60, 0, 1860, 1040};  // a task bar on the left
    const struct {
        int x, y, cx, cy, ex, ey;
        bool changed;
    } cases[] = {
        {0, 0, 300, 200, 60, 0, true},           // left edge held at the work area
        {1800, 900, 300, 200, 1620, 840, true},  // right and bottom overhang
        {100, 100, 300, 200, 100, 100, false},
        {-500, -50, 3000, 2000, 60, 0, true},  // larger than the area: top-left wins
    };
    for (const auto& c : cases) {
        int x = c.x, y = c.y;
        EXPECT_EQ(clampIntoArea(&x, &y, c.cx, c.cy, work), c.changed);
        EXPECT_EQ(x, c.ex);
        EXPECT_EQ(y, c.ey);
    }
}

TEST(WindowGeometry, PlacedOnScreenNeedsSizeAndTenVisiblePixels) {
    const Area vs{0, 0, 1920, 1080};
    const struct {
        int left, top, w, h;
        bool placed;
    } cases[] = {
        {1910, 100, 11, 11, true},                             // left edge exactly 10 px left of the right edge
        {1911, 100, 11, 11, false},  {-1, 100, 11, 11, true},  // right edge 10 px inside the left edge
        {-2, 100, 11, 11, false},                              // right edge 9 px inside
        {100, 100, 10, 300, false},                            // too narrow
        {100, 100, 300, 10, false},                            // too low
        {100, 1070, 300, 300, true}, {100, 1071, 300, 300, false},
        {100, -290, 300, 300, true}, {100, -291, 300, 300, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isPlacedOnScreen(c.left, c.top, c.w, c.h, vs), c.placed) << c.left << "," << c.top;
}

TEST(WindowGeometry, MoveOntoScreenPullsBackByTheOverhang) {
    const Area vs{0, 0, 1920, 1080};
    const struct {
        int x, y, w, h, ex, ey;
        bool moved;
    } cases[] = {
        {1800, 1000, 400, 300, 1520, 780, true},
        {-100, -40, 400, 300, 0, 0, true},
        {100, 100, 400, 300, 100, 100, false},
        {100, 100, 2400, 300, 0, 100, true},
    };
    for (const auto& c : cases) {
        int x = c.x, y = c.y;
        EXPECT_EQ(moveOntoScreen(&x, &y, c.w, c.h, vs), c.moved);
        EXPECT_EQ(x, c.ex);
        EXPECT_EQ(y, c.ey);
    }
}

TEST(WindowGeometry, AlphaOfPercent) {
    EXPECT_EQ(alphaOfPercent(50), 127);
    EXPECT_EQ(alphaOfPercent(100), 255);
    EXPECT_EQ(alphaOfPercent(0), 0);
    EXPECT_EQ(alphaOfPercent(150), 255);
    EXPECT_EQ(alphaOfPercent(-5), 0);
}

TEST(WindowGeometry, FadeStepsFollowTheWantedOpacity) {
    bool done = false;
    EXPECT_EQ(fadeOutStep(100, 100, &done), 80);
    EXPECT_FALSE(done);
    EXPECT_EQ(fadeOutStep(20, 100, &done), 0);
    EXPECT_TRUE(done);
    EXPECT_EQ(fadeInStep(0, 100, &done), 10);
    EXPECT_FALSE(done);
    EXPECT_EQ(fadeInStep(95, 100, &done), 100);
    EXPECT_TRUE(done);
    EXPECT_EQ(fadeOutStep(4, 4, &done), 3);
    EXPECT_EQ(fadeInStep(3, 4, &done), 4);
    EXPECT_TRUE(done);
}

TEST(WindowGeometry, ShrinkAndGrowStepTowardTheirEnds) {
    bool done = false;
    // Both axes: 500 x 400 toward 23 x 23, steps 100 and 80.
    Size s = shrinkStep({500, 400}, {500, 400}, {23, 23}, &done);
    EXPECT_FALSE(done);
    EXPECT_EQ(s.width, 400);
    EXPECT_EQ(s.height, 320);
    s = shrinkStep({100, 80}, {500, 400}, {23, 23}, &done);
    EXPECT_TRUE(done);
    EXPECT_EQ(s.width, 23);
    EXPECT_EQ(s.height, 23);
    // Height only: the width stays.
    s = shrinkStep({500, 60}, {500, 400}, {-1, 23}, &done);
    EXPECT_TRUE(done);
    EXPECT_EQ(s.width, 500);
    EXPECT_EQ(s.height, 23);
    // Growing back ends exactly at the saved size.
    s = growStep({23, 23}, {500, 400}, {23, 23}, &done);
    EXPECT_FALSE(done);
    EXPECT_EQ(s.width, 56);
    EXPECT_EQ(s.height, 49);
    s = growStep({480, 390}, {500, 400}, {23, 23}, &done);
    EXPECT_TRUE(done);
    EXPECT_EQ(s.width, 500);
    EXPECT_EQ(s.height, 400);
}

TEST(WindowGeometry, HotKeyFailureTextNamesTheModifiersInOrder) {
    auto* text = s::str::strbuffer::StrBuffer::create();
    hotKeyFailureText(text, false, true, true, false, 65);
    EXPECT_STREQ(text->text(), L"HotKey Ctrl+Shift+65 has been occupied by another application.");
    hotKeyFailureText(text, true, true, true, true, 112);
    EXPECT_STREQ(text->text(), L"HotKey Alt+Ctrl+Shift+WinKey+112 has been occupied by another application.");
    text->release();
    EXPECT_EQ(hotKeyModifiers(true, false, true, false, true), uint32_t(MOD_ALT | MOD_SHIFT | 0x4000));
    EXPECT_EQ(hotKeyModifiers(false, true, false, true, false), uint32_t(MOD_CONTROL | MOD_WIN));
}

TEST(WindowGeometry, BackBufferIsKeptGrownOrReplacedByArea) {
    EXPECT_EQ(backBufferAction(1000, 1000, 900, 800), BufferAction::Keep);     // 72 %
    EXPECT_EQ(backBufferAction(1000, 1000, 800, 800), BufferAction::Replace);  // 64 %
    EXPECT_EQ(backBufferAction(1000, 1000, 1200, 700), BufferAction::Grow);
    EXPECT_EQ(backBufferAction(0, 0, 100, 100), BufferAction::Make);
}
