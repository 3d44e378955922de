// The scroll box in a real window: bars that come and go as the content grows and
// shrinks, relative and absolute scrolling, hidden bars, reset, keep-centre, the wheel,
// and panning by dragging.
#include <windows.h>

#include <gtest/gtest.h>

#include "gui/box/Box.h"
#include "gui/controls/IScrollInfo.h"
#include "gui/controls/ScrollBar.h"
#include "gui/controls/ScrollBox.h"
#include "gui/window/WindowTestSupport.h"

namespace {

namespace LayoutKind = s::gui::LayoutKind;
using s::gui::win::Box;
using s::gui::win::ScrollBar;
using s::gui::win::ScrollBox;
using windowtest::Recorder;
using windowtest::waitFor;

// A child window's rectangle in its parent's client coordinates.
RECT rectInParent(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND hwndOf(s::gui::IScrollBar* bar) { return static_cast<ScrollBar*>(bar)->m_hWnd; }

class ScrollBoxTest : public windowtest::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->setBounds(300, 200, 400, 300);
        window->setVisible(true, true);
        view = ScrollBox::createWithBars(-1, -1);
        view->setFixedWidth(200);
        view->setFixedHeight(150);
        window->addChild(view);
        ASSERT_NE(view->m_hWnd, nullptr);
        view->setSizeClamped(1000, 1000);  // the fixed 200 x 150
        content = Box::createSized(LayoutKind::kColumn, 100, 100, 0, 0, 0);
        view->addChild(content);
        ASSERT_NE(content->m_hWnd, nullptr);
        thickness = view->getVerticalBarThickness();
    }
    // Gives the content a new size; the view follows through the viewport's layout.
    void resizeContent(int32_t w, int32_t h) {
        content->setFixedWidth(w, false);
        content->setFixedHeight(h, true);
    }
    bool verticalShown() { return IsWindowVisible(hwndOf(view->getVerticalBar())) != FALSE; }
    bool horizontalShown() { return IsWindowVisible(hwndOf(view->getHorizontalBar())) != FALSE; }
    RECT contentRect() { return rectInParent(content->m_hWnd); }

    ScrollBox* view = nullptr;
    Box* content = nullptr;
    int32_t thickness = 0;
};

TEST_F(ScrollBoxTest, BarsComeAndGoAsTheContentGrowsAndShrinks) {
    struct Step {
        int32_t w, h;
        bool vertical, horizontal;
    };
    const Step steps[] = {
        {100, 100, false, false}, {100, 500, true, false},  {500, 500, true, true},
        {500, 100, false, true},  {100, 100, false, false},
    };
    for (const Step& s : steps) {
        resizeContent(s.w, s.h);
        SCOPED_TRACE(testing::Message() << s.w << " x " << s.h);
        EXPECT_EQ(verticalShown(), s.vertical);
        EXPECT_EQ(horizontalShown(), s.horizontal);
        EXPECT_EQ(view->getVerticalBarSpace(), s.vertical ? thickness : 0);
        EXPECT_EQ(view->getHorizontalBarSpace(), s.horizontal ? thickness : 0);
        EXPECT_EQ(view->canScroll(), s.vertical || s.horizontal);
        // The viewport gives up the room the bars take.
        EXPECT_EQ(view->getViewport()->getWidth(), 200 - (s.vertical ? thickness : 0));
        EXPECT_EQ(view->getViewport()->getHeight(), 150 - (s.horizontal ? thickness : 0));
    }
    // Small content is centred again, not left where it was scrolled to.
    EXPECT_EQ(contentRect().left, 50);
    EXPECT_EQ(contentRect().top, 25);
}

TEST_F(ScrollBoxTest, ScrollByIsRelativeAndClamped) {
    resizeContent(100, 1000);
    view->scrollBy(0, 100);
    view->scrollBy(0, 100);
    EXPECT_EQ(view->getScrollY(), 200);
    EXPECT_EQ(contentRect().top, -200);
    view->scrollBy(0, 100000);
    EXPECT_EQ(view->getScrollY(), 1000 - 150);
    EXPECT_EQ(contentRect().top, -850);
    view->scrollBy(0, -2000);
    EXPECT_EQ(view->getScrollY(), 0);
    view->setScrollPosition(0, 300);
    EXPECT_EQ(view->getScrollY(), 300);
    EXPECT_EQ(contentRect().top, -300);
    // No horizontal bar: nothing to scroll across.
    view->scrollBy(40, 0);
    EXPECT_EQ(view->getScrollX(), 0);
}

TEST_F(ScrollBoxTest, ScrollingDisabledLeavesTheContentInPlace) {
    resizeContent(100, 1000);
    view->scrollBy(0, 120);
    view->setScrollingEnabled(false);
    EXPECT_EQ(contentRect().top, 0);
    EXPECT_FALSE(verticalShown());
    view->scrollBy(0, 50);
    view->setScrollingEnabled(true);
    EXPECT_EQ(view->getScrollY(), 120);
    EXPECT_EQ(contentRect().top, -120);
    EXPECT_TRUE(verticalShown());
}

TEST_F(ScrollBoxTest, HiddenBarsStayHiddenWhateverTheSize) {
    resizeContent(500, 1000);
    ASSERT_TRUE(verticalShown());
    view->setBarsHidden(true);
    EXPECT_FALSE(verticalShown());
    EXPECT_FALSE(horizontalShown());
    EXPECT_FALSE(view->canScroll());
    EXPECT_EQ(view->getVerticalBarSpace(), 0);
    resizeContent(600, 1200);
    view->doLayout();
    EXPECT_FALSE(verticalShown());
    view->setBarsHidden(false);
    EXPECT_TRUE(verticalShown());
    EXPECT_TRUE(horizontalShown());
}

TEST_F(ScrollBoxTest, AfterResetTheBarsComeBackWithLargeContent) {
    resizeContent(100, 1000);
    view->setKeepCentre(true);
    view->scrollBy(0, 50);
    view->setBarsHidden(true);
    view->resetScroll();
    EXPECT_EQ(view->getScrollY(), 0);
    EXPECT_EQ(contentRect().top, 0);

    resizeContent(100, 900);  // the next picture
    EXPECT_TRUE(verticalShown());
    EXPECT_EQ(view->getScrollY(), 0);  // centring went with the reset
    view->scrollBy(0, 30);
    EXPECT_EQ(contentRect().top, -30);
}

TEST_F(ScrollBoxTest, KeepCentreHoldsTheMiddleAsTheViewChanges) {
    resizeContent(100, 1000);
    view->setKeepCentre(true);
    EXPECT_EQ(view->getCentreY(), 500);
    EXPECT_EQ(view->getScrollY(), 500 - 75);
    EXPECT_EQ(contentRect().top, -425);

    view->setFixedHeight(300);
    view->setSizeClamped(1000, 1000);
    EXPECT_EQ(view->getScrollY(), 500 - 150);
    view->scrollBy(0, 100);
    EXPECT_EQ(view->getCentreY(), 600);

    view->setCentre(0, 200);
    view->doLayout();
    EXPECT_EQ(view->getScrollY(), 200 - 150);
}

TEST_F(ScrollBoxTest, TheWheelScrollsTheVerticalBarByLines) {
    resizeContent(100, 1000);
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const LPARAM inside = MAKELPARAM(view->getScreenX() + 20, view->getScreenY() + 20);
    // Turned towards the user: down.
    EXPECT_EQ(SendMessageW(view->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), inside), 0);
    EXPECT_EQ(view->getWheelLines(), -int32_t(lines));
    EXPECT_EQ(view->getScrollY(), int32_t(lines) * 15);
    SendMessageW(view->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), inside);
    EXPECT_EQ(view->getScrollY(), 0);

    // Outside the box: left alone.
    const LPARAM outside = MAKELPARAM(view->getScreenX() + 250, view->getScreenY() + 20);
    EXPECT_EQ(SendMessageW(view->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), outside), 1);
    EXPECT_EQ(view->getScrollY(), 0);
}

TEST_F(ScrollBoxTest, WheelListenersTakeTheWheelExceptOverABar) {
    resizeContent(100, 1000);
    Recorder heard;
    view->addWheelListener(&heard);
    const LPARAM inside = MAKELPARAM(view->getScreenX() + 20, view->getScreenY() + 20);
    SendMessageW(view->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), inside);
    ASSERT_EQ(heard.count.load(), 1);
    EXPECT_EQ(heard.codes[0], s::gui::BoxEvent::kWheel);
    EXPECT_EQ(view->getScrollY(), 0);

    ScrollBar* bar = static_cast<ScrollBar*>(view->getVerticalBar());
    const LPARAM overBar = MAKELPARAM(bar->getScreenX() + 2, bar->getScreenY() + 40);
    SendMessageW(view->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), overBar);
    EXPECT_GT(view->getScrollY(), 0);
    EXPECT_EQ(heard.count.load(), 1);
}

TEST_F(ScrollBoxTest, DraggingPansAndAClickCentresThePoint) {
    resizeContent(600, 1000);
    view->setDragToPan(true);
    view->setScrollPosition(100, 300);
    const HWND h = view->m_hWnd;
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 60));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 40));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 20));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(30, 20));
    // The content follows the hand: dragged up and left, it scrolls down and right.
    EXPECT_EQ(view->getScrollX(), 130);
    EXPECT_EQ(view->getScrollY(), 340);

    // A click without movement brings the clicked point to the middle of the view.
    const int32_t viewW = view->getViewport()->getInnerWidth(), viewH = view->getViewport()->getInnerHeight();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 30));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(20, 30));
    EXPECT_EQ(view->getScrollX(), 130 + 20 - viewW / 2);
    EXPECT_EQ(view->getScrollY(), 340 + 30 - viewH / 2);
}

TEST_F(ScrollBoxTest, WithoutDragToPanClicksFallThrough) {
    resizeContent(600, 1000);
    POINT p{view->getScreenX() + 20, view->getScreenY() + 20};
    EXPECT_EQ(SendMessageW(view->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTTRANSPARENT);
    view->setDragToPan(true);
    EXPECT_EQ(SendMessageW(view->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCLIENT);
}

// The real pointer: the content and the boxes over the scroll box let the press through,
// so a drag on the picture pans it.
TEST_F(ScrollBoxTest, ARealDragOverTheContentPans) {
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    resizeContent(600, 1000);
    view->setDragToPan(true);
    const int32_t x = view->getScreenX() + 80, y = view->getScreenY() + 80;
    auto send = [](DWORD flags, int32_t sx, int32_t sy) {
        const int32_t w = GetSystemMetrics(SM_CXSCREEN) - 1, h = GetSystemMetrics(SM_CYSCREEN) - 1;
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dx = LONG((sx * 65535 + w / 2) / w);
        in.mi.dy = LONG((sy * 65535 + h / 2) / h);
        in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &in, sizeof(in));
    };
    send(0, x, y);
    ASSERT_TRUE(waitFor([&] {
        POINT c;
        GetCursorPos(&c);
        return c.x == x && c.y == y;
    }));
    send(MOUSEEVENTF_LEFTDOWN, x, y);
    send(0, x - 10, y - 10);
    send(0, x - 25, y - 40);
    send(MOUSEEVENTF_LEFTUP, x - 25, y - 40);
    EXPECT_TRUE(waitFor([&] { return view->getScrollX() == 25 && view->getScrollY() == 40; }))
        << view->getScrollX() << ", " << view->getScrollY();
}

}  // namespace

namespace {

TEST_F(ScrollBoxTest, TransparentContentShowsTheScrollBoxColour) {
    view->setBackgroundColor(255, 0, 0, false);
    resizeContent(40, 30);
    ASSERT_TRUE(content->isTransparent());
    RedrawWindow(view->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    // The content's own painting.
    EXPECT_EQ(windowtest::paintedPixel(content->m_hWnd, 20, 15), RGB(255, 0, 0));
}

TEST(ScrollBoxAttachment, ContentAddedBeforeAttachmentScrollsOnceAttached) {
    s::gui::win::Window* window = s::gui::win::Window::create();
    ASSERT_NE(window, nullptr);
    window->setBounds(300, 200, 400, 300);
    window->setVisible(true, true);
    ScrollBox* view = ScrollBox::createWithBars(-1, -1);
    view->setFixedWidth(200);
    view->setFixedHeight(150);
    Box* content = Box::createSized(LayoutKind::kColumn, 100, 700, 0, 0, 0);
    view->addChild(content);
    view->setKeepCentre(true);
    window->addChild(view);
    view->setSizeClamped(1000, 1000);
    EXPECT_TRUE(IsWindowVisible(hwndOf(view->getVerticalBar())));
    EXPECT_EQ(view->getScrollY(), 350 - 75);
    view->scrollBy(0, 20);
    EXPECT_EQ(rectInParent(content->m_hWnd).top, -(350 - 75 + 20));
    window->release();
}

TEST(ScrollBoxPool, ARecycledScrollBoxStartsClean) {
    ScrollBox* view = ScrollBox::createWithBars(50, -1);
    view->setKeepCentre(true);
    view->setBarsHidden(true);
    view->setDragToPan(true);
    view->setScrollingEnabled(false);
    view->release();
    ScrollBox* again = ScrollBox::create();
    EXPECT_FALSE(again->isKeepCentre());
    EXPECT_FALSE(again->areBarsHidden());
    EXPECT_FALSE(again->isDragToPan());
    EXPECT_TRUE(again->isScrollingEnabled());
    EXPECT_EQ(again->getChildCount(), 0);
    EXPECT_EQ(again->getViewport(), nullptr);
    EXPECT_EQ(again->getVerticalBarSpace(), 0);
    again->release();
}

}  // namespace

namespace {

TEST_F(ScrollBoxTest, APressMovedBackToItsPointIsAClick) {
    resizeContent(600, 1000);
    view->setDragToPan(true);
    view->setScrollPosition(200, 300);
    const HWND h = view->m_hWnd;
    const int32_t viewW = view->getViewport()->getInnerWidth(), viewH = view->getViewport()->getInnerHeight();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 110));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 90));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 110));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(120, 110));
    EXPECT_EQ(view->getScrollX(), 200 + 120 - viewW / 2);
    EXPECT_EQ(view->getScrollY(), 300 + 110 - viewH / 2);
}

TEST_F(ScrollBoxTest, EnablingScrollingAgainIsNoLayoutPass) {
    Recorder laidOut;
    view->getViewport()->addLayoutListener(&laidOut);
    view->setScrollingEnabled(true);
    EXPECT_EQ(laidOut.count.load(), 0);
    view->setScrollingEnabled(false);
    EXPECT_GT(laidOut.count.load(), 0);
}

TEST_F(ScrollBoxTest, APercentClearsTheFixedSizeOfItsAxisOnly) {
    view->setWidthPercent(50);
    // A share of the parent's inner size, rounded half away from zero.
    auto share = [](int32_t inner, int32_t percent) { return (inner * percent + 50) / 100; };
    EXPECT_EQ(view->getPreferredWidth(), share(window->getInnerWidth(), 50));
    EXPECT_EQ(view->getPreferredHeight(), 150);
    view->setFixedWidth(120);
    EXPECT_EQ(view->getPreferredWidth(), 120);
    view->setHeightPercent(10);
    EXPECT_EQ(view->getPreferredHeight(), share(window->getInnerHeight(), 10));
    EXPECT_EQ(view->getPreferredWidth(), 120);
}

}  // namespace
