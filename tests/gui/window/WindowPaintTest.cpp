// The window's own painting (background or frame drawer, into a memory DC handed in with
// WM_ERASEBKGND) and the frame drag of a skinned window under the real pointer.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/PixelCanvas.h"
#include "WindowTestSupport.h"

using s::gui::win::Window;
using testsupport::PixelCanvas;
using windowtest::SolidFrameDrawer;
using windowtest::waitFor;

namespace {

void pointer(int x, int y, DWORD extra = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = LONG(x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    in.mi.dy = LONG(y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | extra;
    SendInput(1, &in, sizeof(in));
}

}  // namespace

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
    SolidFrameDrawer drawer(RGB(0, 0, 200));
    window->setWindowDrawer(&drawer, false);
    window->setBounds(200, 200, 400, 300);
    window->setVisible(true, false);
    window->setTopMost(true);  // no other test's window lies over it
    pointer(597, 350);  // 3 px inside the right edge
    pointer(597, 350, MOUSEEVENTF_LEFTDOWN);
    pointer(650, 352);
    pointer(650, 352, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(waitFor([&] { return window->getWidth() == 453; }));
    EXPECT_EQ(window->getX(), 200);
    EXPECT_EQ(window->getHeight(), 300);
    pointer(50, 50);
    window->setWindowDrawer(nullptr, false);
}
