// The window's own painting (background or frame drawer, into a memory DC handed in with
// WM_ERASEBKGND) and the frame drag of a skinned window under the real pointer.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/PixelCanvas.h"
#include "WindowTestSupport.h"

using s::gui::win::Window;
using testsupport::PixelCanvas;
using windowtest::SolidFrameDrawer;

namespace {}  // namespace

class WindowPaint : public windowtest::WindowTest {};

TEST_F(WindowPaint, WithoutADrawerTheBackgroundColourFillsTheClient) {
    window->setBounds(100, 100, 300, 200);
    window->setBackgroundColor(10, 200, 30, false);
    PixelCanvas canvas(400, 300);
    EXPECT_EQ(SendMessageW(hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0), 1);
    EXPECT_EQ(canvas.at(5, 5), RGB(10, 200, 30));
    EXPECT_EQ(canvas.at(window->getInnerWidth() - 1, window->getInnerHeight() - 1), RGB(10, 200, 30));
    EXPECT_EQ(canvas.at(window->getInnerWidth() + 2, 5), testsupport::kSentinel);  // nothing outside the client
}

TEST_F(WindowPaint, AFrameDrawerPaintsTheWholeWindowWithoutASystemFrame) {
    SolidFrameDrawer drawer(RGB(200, 0, 0));
    window->setWindowDrawer(&drawer, false);
    window->setBounds(100, 100, 300, 200);
    // The standard frame is off and the client area is the whole window.
    EXPECT_EQ(window->getInnerWidth(), 300);
    EXPECT_EQ(window->getInnerHeight(), 200);
    EXPECT_FALSE(GetWindowLongPtrW(hwnd(), GWL_STYLE) & WS_CAPTION);
    PixelCanvas canvas(300, 200);
    SendMessageW(hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0);
    EXPECT_EQ(canvas.at(0, 0), RGB(200, 0, 0));
    EXPECT_EQ(canvas.at(299, 199), RGB(200, 0, 0));
    EXPECT_GE(drawer.paints, 1);
    window->setWindowDrawer(nullptr, false);
}

TEST_F(WindowPaint, DraggingTheRightEdgeOfASkinnedWindowResizesIt) {
    // The real pointer waits far from the window, so no move of its own reaches the window
    // between the messages below.
    SetCursorPos(1900, 1060);
    ASSERT_TRUE(windowtest::waitFor([] {
        POINT c;
        GetCursorPos(&c);
        return c.x == 1900 && c.y == 1060;
    }));
    SolidFrameDrawer drawer(RGB(0, 0, 200));
    window->setWindowDrawer(&drawer, false);
    window->setBounds(200, 200, 400, 300);
    window->setVisible(true, false);
    // The pointer comes over the right edge (3 px inside), is pressed, moves 53 px to the
    // right and is released. The client area is the whole window.
    SendMessageW(hwnd(), WM_NCMOUSEMOVE, HTRIGHT, MAKELPARAM(597, 350));
    SendMessageW(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(397, 150));
    SendMessageW(hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(430, 151));
    EXPECT_EQ(window->getWidth(), 433);
    SendMessageW(hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(450, 152));
    EXPECT_EQ(window->getWidth(), 453);
    EXPECT_EQ(window->getX(), 200);
    EXPECT_EQ(window->getHeight(), 300);
    // A drag below the minimum width stops at the minimum, the edge following no further.
    window->setMinWidth(380);
    SendMessageW(hwnd(), WM_NCMOUSEMOVE, HTRIGHT, MAKELPARAM(651, 350));
    SendMessageW(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(451, 150));
    SendMessageW(hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(300, 150));
    EXPECT_EQ(window->getWidth(), 380);
    window->setWindowDrawer(nullptr, false);
}
