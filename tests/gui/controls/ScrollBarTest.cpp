// The scroll bar: its thickness rules, its size while hidden, and the mouse on a real bar
// (arrow and page clicks, the thumb drag) through a drawer with a plain geometry.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "gui/box/Box.h"
#include "gui/controls/IScrollInfo.h"
#include "gui/controls/ScrollBar.h"
#include "gui/controls/ScrollBox.h"
#include "gui/drawer/DefaultDrawers.h"
#include "gui/window/WindowTestSupport.h"
#include "platform/system/Screen.h"

namespace {

namespace LayoutKind = s::gui::LayoutKind;
using s::gui::win::Box;
using s::gui::win::ScrollBar;
using s::gui::win::ScrollBox;

// A drawer with a simple geometry: square arrows at both ends, a thumb page / range of
// the track long at position / (range - page) of the free track. Paints nothing.
class LineDrawer : public s::gui::drawer::IScrollBar {
public:
    int32_t width = 15;
    const wchar_t* getClassName() const override { return L"test_LineDrawer"; }
    s::base::IObject* newInstance() const override { return nullptr; }

    struct Geometry {
        int32_t start, length, arrow, thumbStart, thumbLength;
    };
    static Geometry geometry(int32_t l, int32_t t, int32_t r, int32_t b, bool horizontal, int32_t range, int32_t page,
                             int32_t position) {
        Geometry g{};
        g.start = horizontal ? l : t;
        g.length = horizontal ? r - l : b - t;
        g.arrow = horizontal ? b - t : r - l;
        const int32_t track = g.length - 2 * g.arrow;
        g.thumbLength = range > 0 ? std::max(8, page * track / range) : track;
        const int32_t free = track - g.thumbLength, span = range - page;
        g.thumbStart = g.start + g.arrow + (span > 0 ? position * free / span : 0);
        return g;
    }
    int32_t hitTest(int32_t x, int32_t y, int32_t l, int32_t t, int32_t r, int32_t b, bool horizontal, int32_t range,
                    int32_t page, int32_t position, bool) override {
        if (x < l || x >= r || y < t || y >= b) return -1;
        const Geometry g = geometry(l, t, r, b, horizontal, range, page, position);
        const int32_t v = horizontal ? x : y;
        if (v < g.start + g.arrow) return 0;
        if (v >= g.start + g.length - g.arrow) return 4;
        if (v < g.thumbStart) return 1;
        if (v < g.thumbStart + g.thumbLength) return 2;
        return 3;
    }
    int32_t positionForDrag(int32_t offset, int32_t startPosition, int32_t l, int32_t t, int32_t r, int32_t b,
                            bool horizontal, int32_t range, int32_t page, bool) override {
        const Geometry g = geometry(l, t, r, b, horizontal, range, page, startPosition);
        const int32_t free = g.length - 2 * g.arrow - g.thumbLength;
        if (free <= 0) return 0;
        return std::clamp(startPosition + offset * (range - page) / free, 0, range - page);
    }
    void paint(HDC, int32_t, int32_t, int32_t, int32_t, bool, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
               bool, bool, int, int, int) override {}
    int32_t getWidth() const override { return width; }
    void setWidth(int32_t w) override { width = w; }
    void setColorA(int, int, int) override {}
    void setColorB(int, int, int) override {}
};

TEST(ScrollBarThickness, NegativeGivesTheDefaultWidthAtTheScreenScale) {
    for (int32_t scale : {1, 2, 4}) {
        s::system::setScreenScaleOverride(scale);
        ScrollBar* bar = ScrollBar::create();
        bar->setHorizontal();
        bar->setThickness(-1);
        EXPECT_EQ(bar->getThickness(), 15 * scale) << "scale " << scale;
        bar->release();
    }
    s::system::setScreenScaleOverride(0);
}

// A default drawer kept in a pool since scale 1: its width is out of date.
class StaleDrawer : public LineDrawer, public s::thread::IPoolable {
public:
    void release() override {}
    void reset() override {}
};
StaleDrawer staleDrawer;

TEST(ScrollBarThickness, APooledDefaultDrawerFromAnotherScaleDoesNotWin) {
    const s::gui::drawer::DefaultDrawerFactories saved = s::gui::drawer::defaultDrawerFactories();
    s::gui::drawer::DefaultDrawerFactories factories = saved;
    factories.scrollBar = []() -> s::gui::drawer::IScrollBar* { return &staleDrawer; };
    s::gui::drawer::setDefaultDrawerFactories(factories);
    staleDrawer.width = 15;
    s::system::setScreenScaleOverride(2);
    ScrollBar* bar = ScrollBar::create();
    bar->setThickness(-1);
    EXPECT_EQ(bar->getThickness(), 30);
    EXPECT_EQ(staleDrawer.width, 30);
    bar->release();
    s::system::setScreenScaleOverride(0);
    s::gui::drawer::setDefaultDrawerFactories(saved);
}

TEST(ScrollBarThickness, AFixedThicknessSurvivesANewDrawer) {
    LineDrawer wide;
    wide.width = 21;
    ScrollBar* bar = ScrollBar::create();
    bar->setVertical();
    bar->setThickness(9);
    bar->setDrawer(&wide, false);
    EXPECT_EQ(bar->getThickness(), 9);
    bar->setThickness(-1);
    bar->setDrawer(&wide, false);
    EXPECT_EQ(bar->getThickness(), 21);
    // The thickness is the fixed width of a vertical bar, the length its height.
    bar->setLength(120);
    bar->setLengthPercent(50);
    EXPECT_EQ(bar->getLength(), 120);
    bar->setDrawer(nullptr, false);
    bar->release();
}

TEST(ScrollBarVisibility, AHiddenBarTakesNoRoomAndWillNotShowWithoutContent) {
    ScrollBar* bar = ScrollBar::create();
    bar->setVertical();
    bar->setThickness(12);
    bar->setVisible(true, true);  // the model has nothing to show
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(bar->getPreferredWidth(), 0);
    EXPECT_EQ(bar->getMinWidth(), 0);
    EXPECT_EQ(bar->getWidth(), 0);
    EXPECT_EQ(bar->getScrollInfo()->getShownThickness(), 0);
    bar->release();
}

// A real vertical bar beside tall content.
class ScrollBarMouse : public windowtest::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->setBounds(300, 200, 400, 300);
        window->setVisible(true, true);
        view = ScrollBox::createWithBars(-1, -1);
        view->setFixedWidth(200);
        view->setFixedHeight(200);
        window->addChild(view);
        view->setSizeClamped(1000, 1000);
        content = Box::createSized(LayoutKind::kColumn, 100, 1000, 0, 0, 0);
        view->addChild(content);
        bar = static_cast<ScrollBar*>(view->getVerticalBar());
        bar->setDrawer(&drawer, false);
        ASSERT_TRUE(bar->isVisible());
        GetClientRect(bar->m_hWnd, &client);
        info = bar->getScrollInfo();
    }
    void TearDown() override {
        bar->setDrawer(nullptr, false);
        WindowTest::TearDown();
    }
    LineDrawer::Geometry geometry() {
        return LineDrawer::geometry(0, 0, client.right, client.bottom, false, info->getRange(), info->getPage(),
                                    info->getPosition());
    }
    LRESULT send(UINT message, WPARAM wParam, int32_t y) {
        return SendMessageW(bar->m_hWnd, message, wParam, MAKELPARAM(client.right / 2, y));
    }

    LineDrawer drawer;
    ScrollBox* view = nullptr;
    Box* content = nullptr;
    ScrollBar* bar = nullptr;
    s::gui::scrollbar::IScrollInfo* info = nullptr;
    RECT client{};
};

TEST_F(ScrollBarMouse, DraggingTheThumbMovesTheContent) {
    ASSERT_EQ(info->getRange(), 1000);
    const int32_t page = info->getPage();
    const LineDrawer::Geometry g = geometry();
    const int32_t grab = g.thumbStart + g.thumbLength / 2;
    send(WM_LBUTTONDOWN, MK_LBUTTON, grab);
    EXPECT_TRUE(bar->isDraggingThumb());
    EXPECT_EQ(bar->getVisualState(), 2);
    const int32_t free = g.length - 2 * g.arrow - g.thumbLength;
    send(WM_MOUSEMOVE, MK_LBUTTON, grab + 30);
    const int32_t expected = 30 * (1000 - page) / free;
    EXPECT_EQ(info->getPosition(), expected);
    EXPECT_EQ(view->getScrollY(), expected);
    RECT r;
    GetWindowRect(content->m_hWnd, &r);
    MapWindowPoints(nullptr, GetParent(content->m_hWnd), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, -expected);

    // Far past the end: clamped at the last page.
    send(WM_MOUSEMOVE, MK_LBUTTON, grab + 5000);
    EXPECT_EQ(info->getPosition(), 1000 - page);
    send(WM_LBUTTONUP, 0, grab + 5000);
    EXPECT_FALSE(bar->isDraggingThumb());
    EXPECT_EQ(bar->getVisualState(), 0);
    // Moves after the release change nothing.
    send(WM_MOUSEMOVE, 0, grab);
    EXPECT_EQ(info->getPosition(), 1000 - page);
}

TEST_F(ScrollBarMouse, ArrowsStepALineAndTheTrackAPage) {
    const int32_t page = info->getPage();
    send(WM_LBUTTONDOWN, MK_LBUTTON, client.bottom - 2);  // second arrow
    EXPECT_EQ(info->getPosition(), 60);
    EXPECT_EQ(bar->getActivePart(), 4);
    EXPECT_EQ(bar->getVisualState(), 2);
    send(WM_LBUTTONUP, 0, client.bottom - 2);
    EXPECT_EQ(bar->getVisualState(), 0);

    const LineDrawer::Geometry g = geometry();
    send(WM_LBUTTONDOWN, MK_LBUTTON, g.thumbStart + g.thumbLength + 2);  // track after the thumb
    send(WM_LBUTTONUP, 0, g.thumbStart + g.thumbLength + 2);
    EXPECT_EQ(info->getPosition(), 60 + page);

    send(WM_LBUTTONDOWN, MK_LBUTTON, 1);  // first arrow
    send(WM_LBUTTONUP, 0, 1);
    EXPECT_EQ(info->getPosition(), page);
}

TEST_F(ScrollBarMouse, HoveringAnArrowMakesItHot) {
    send(WM_MOUSEMOVE, 0, 2);
    EXPECT_EQ(bar->getActivePart(), 0);
    EXPECT_EQ(bar->getVisualState(), 1);
    const LineDrawer::Geometry g = geometry();
    send(WM_MOUSEMOVE, 0, g.thumbStart + g.thumbLength + 2);  // over the track
    EXPECT_EQ(bar->getVisualState(), 0);
}

}  // namespace

namespace {

// The real pointer decides what a held button repeats.
TEST_F(ScrollBarMouse, AHeldArrowRepeatsAfterAPauseAndTheTrackRepeatsPages) {
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RECT wr;
    GetWindowRect(bar->m_hWnd, &wr);
    const int32_t x = (wr.left + wr.right) / 2;
    SetCursorPos(x, wr.bottom - 2);  // the second arrow
    ASSERT_TRUE(windowtest::waitFor([&] {
        POINT c;
        GetCursorPos(&c);
        return c.y == wr.bottom - 2;
    }));
    const ULONGLONG pressed = GetTickCount64();
    send(WM_LBUTTONDOWN, MK_LBUTTON, client.bottom - 2);
    EXPECT_EQ(info->getPosition(), 60);  // one step at once
    ASSERT_TRUE(windowtest::waitFor([&] { return info->getPosition() > 60; }));
    EXPECT_GE(GetTickCount64() - pressed, 450u);  // the next after the pause
    EXPECT_EQ(info->getPosition() % 60, 0);

    // Slid onto the track just above the arrow: the later steps are pages.
    SetCursorPos(x, wr.bottom - geometry().arrow - 3);
    const int32_t page = info->getPage(), last = info->getRange() - page;
    int32_t seen = info->getPosition();
    bool pageStep = false;
    windowtest::waitFor([&] {
        const int32_t now = info->getPosition();
        if (now - seen == page) pageStep = true;
        seen = now;
        return now == last;
    });
    send(WM_LBUTTONUP, 0, client.bottom - 2);
    EXPECT_TRUE(pageStep);
    EXPECT_EQ(info->getPosition(), last);
    // Released: no longer pressed (the pointer may leave the thumb hot).
    EXPECT_LT(bar->getVisualState(), 2);
}

}  // namespace

namespace {

TEST_F(ScrollBarMouse, ADrawerOfAnotherWidthResizesTheBarInPlace) {
    LineDrawer wide;
    wide.width = 25;
    bar->setDrawer(&wide, false);
    RECT r;
    GetClientRect(bar->m_hWnd, &r);
    EXPECT_EQ(r.right, 25);
    EXPECT_EQ(view->getViewport()->getWidth(), 200 - 25);
    EXPECT_EQ(view->getVerticalBarSpace(), 25);
    bar->setDrawer(&drawer, false);
    GetClientRect(bar->m_hWnd, &r);
    EXPECT_EQ(r.right, 15);
}

}  // namespace
