// The window's geometry, minimum sizes, keeping on the screen, top-most, opacity,
// auto-hide (fade and shrink, driven by the real pointer) and the snapshot.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/app/Afx.h"
#include "gui/window/InvisibleWindow.h"
#include "platform/system/Monitor.h"
#include "support/PixelCanvas.h"
#include "support/FakeComponent.h"
#include "WindowTestSupport.h"

using s::gui::win::Window;
using windowtest::Recorder;
using windowtest::waitFor;

namespace {

// Places the window where the pointer is not, shows it and keeps it top-most. The
// auto-hide steps back read the real pointer: it has to lie outside the window, wherever
// tests running beside this one leave it.
void placeAwayFromPointer(Window* window, int w, int h) {
    POINT p;
    GetCursorPos(&p);
    window->setBounds(p.x < 960 ? 1300 : 100, p.y < 540 ? 600 : 100, w, h);
    window->setVisible(true, false);
    window->setTopMost(true);
}

// The pointer moves over the window (what starts fading or shrinking).
void touch(Window* window) { SendMessageW(window->getHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10)); }

std::wstring tempPath(const wchar_t* name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

}  // namespace

class WindowState : public windowtest::WindowTest {};

TEST_F(WindowState, GeometrySettersPlaceTheOuterRectangle) {
    window->setBounds(100, 120, 400, 300);
    EXPECT_EQ(window->getX(), 100);
    EXPECT_EQ(window->getY(), 120);
    EXPECT_EQ(window->getWidth(), 400);
    EXPECT_EQ(window->getHeight(), 300);
    RECT r;
    GetWindowRect(hwnd(), &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right, 500);
    const int frameW = window->getFrameWidth(), frameH = window->getFrameHeight();
    EXPECT_GT(frameW, 0);
    EXPECT_GT(frameH, 0);
    window->setInnerWidth(300);
    EXPECT_EQ(window->getInnerWidth(), 300);
    EXPECT_EQ(window->getWidth(), 300 + frameW);
    window->setInnerHeight(200);
    EXPECT_EQ(window->getInnerHeight(), 200);
    window->setLeft(50);
    window->setTop(60);
    EXPECT_EQ(window->getX(), 50);
    EXPECT_EQ(window->getY(), 60);
    EXPECT_EQ(window->getScreenX(), 50);
    window->setFixedWidth(333);
    EXPECT_EQ(window->getWidth(), 333);
    EXPECT_EQ(window->getPreferredWidth(), 333);
    window->setFixedWidth(-1);
    // Hidden: no point is inside; shown: edges included.
    EXPECT_FALSE(window->containsScreenPoint(60, 70));
    window->setVisible(true, false);
    EXPECT_TRUE(window->containsScreenPoint(50, 60));
    EXPECT_TRUE(window->containsScreenPoint(50 + 333, 60));
    EXPECT_FALSE(window->containsScreenPoint(49, 60));
}

TEST_F(WindowState, MinimumSizesComeFromOverridesFixedSizesOrNothing) {
    window->setBounds(100, 100, 400, 300);
    EXPECT_EQ(window->getMinWidth(), 0);  // no children, no override
    EXPECT_EQ(window->getMinHeight(), 0);
    window->setFixedHeight(250);
    EXPECT_EQ(window->getMinHeight(), 250);
    window->setMinWidth(220);
    window->setMinHeight(180);
    EXPECT_EQ(window->getMinWidth(), 220);
    EXPECT_EQ(window->getMinHeight(), 180);
    window->setFixedHeight(-1);
    window->sizeToMinimum();
    EXPECT_EQ(window->getWidth(), 220);
    EXPECT_EQ(window->getHeight(), 180);
    window->setSize(100, 100);
    window->growToMinimum();
    EXPECT_EQ(window->getWidth(), 220);
    EXPECT_EQ(window->getHeight(), 180);
    window->setSize(500, 500);
    window->fitHeightToMinimum();
    EXPECT_EQ(window->getWidth(), 500);
    EXPECT_EQ(window->getHeight(), 180);
    // The preferred size is the work area of the window's monitor.
    EXPECT_EQ(window->getPreferredWidth(), s::system::getWorkAreaWidth());
    EXPECT_EQ(window->getPreferredHeight(), s::system::getWorkAreaHeight());
}

TEST_F(WindowState, MoveOntoScreenPullsAWindowBackOntoThe1920x1080Screen) {
    ASSERT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 1920);
    ASSERT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), 1080);
    window->setBounds(1910, 100, 11, 11);
    EXPECT_TRUE(window->isPlacedOnScreen());
    window->setBounds(1915, 1000, 400, 300);
    EXPECT_FALSE(window->isPlacedOnScreen());
    window->moveOntoScreen();
    EXPECT_EQ(window->getX(), 1520);
    EXPECT_EQ(window->getY(), 780);
    window->setBounds(-395, -50, 400, 300);  // 5 px left on screen
    window->moveOntoScreen();
    EXPECT_EQ(window->getX(), 0);
    EXPECT_EQ(window->getY(), 0);
    window->setRememberPosition(false);  // not remembered: always placed
    window->setBounds(5000, 5000, 400, 300);
    EXPECT_TRUE(window->isPlacedOnScreen());
}

TEST_F(WindowState, KeepInsideScreenClampsEveryMove) {
    window->setBounds(100, 100, 400, 300);
    window->setVisible(true, false);
    window->setKeepInsideScreen(true);
    window->setPosition(1800, 950);
    EXPECT_EQ(window->getX(), 1920 - 400);
    EXPECT_EQ(window->getY(), s::system::getWorkAreaHeight() - 300);
    window->setPosition(-50, -20);
    EXPECT_EQ(window->getX(), 0);
    EXPECT_EQ(window->getY(), 0);
    // A pure resize that would stick out becomes a move.
    window->setPosition(1500, 100);
    window->setSize(600, 300);
    EXPECT_EQ(window->getX(), 1920 - 600);
}

TEST_F(WindowState, CentreInParentUsesThePrimaryWorkArea) {
    window->setBounds(0, 0, 400, 300);
    window->centreInParent();
    EXPECT_EQ(window->getX(), s::system::getWorkAreaLeft() + (s::system::getWorkAreaWidth() - 400) / 2);
    EXPECT_EQ(window->getY(), s::system::getWorkAreaTop() + (s::system::getWorkAreaHeight() - 300) / 2);
}

TEST_F(WindowState, BringToFrontLeavesAWindowThatWasNotTopMostNotTopMost) {
    window->setVisible(true, false);
    window->bringToFront(true);
    EXPECT_FALSE(window->isTopMost());
    EXPECT_FALSE(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    window->setTopMost(true);
    EXPECT_TRUE(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    window->bringToFront(true);
    EXPECT_TRUE(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    window->setTopMost(false);
    EXPECT_FALSE(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(WindowState, FrameStyleSwitchesChangeTheNativeStyles) {
    const auto style = [&] { return GetWindowLongPtrW(hwnd(), GWL_STYLE); };
    const auto exStyle = [&] { return GetWindowLongPtrW(hwnd(), GWL_EXSTYLE); };
    window->setResizable(false);
    EXPECT_FALSE(style() & WS_THICKFRAME);
    EXPECT_FALSE(window->isResizable());
    window->setMaximizeBox(false);
    EXPECT_FALSE(style() & WS_MAXIMIZEBOX);
    window->setClientEdge(false);
    EXPECT_FALSE(exStyle() & WS_EX_CLIENTEDGE);
    window->setToolWindow(true);
    EXPECT_TRUE(exStyle() & WS_EX_TOOLWINDOW);
    window->setStandardFrame(false);
    EXPECT_TRUE(style() & WS_POPUP);
    EXPECT_FALSE(style() & WS_CAPTION);
    window->setStandardFrame(true);
    EXPECT_TRUE((style() & WS_CAPTION) == WS_CAPTION);
    EXPECT_FALSE(style() & WS_MAXIMIZEBOX);  // the stored box stays off
    EXPECT_TRUE(style() & WS_MINIMIZEBOX);
    window->setShowInTaskbar(true);
    EXPECT_TRUE(exStyle() & WS_EX_APPWINDOW);
}

TEST_F(WindowState, TitleIsStoredAndRead) {
    window->setTitle(L"Glimmer test");
    EXPECT_STREQ(window->getTitle(), L"Glimmer test");
    SetWindowTextW(hwnd(), L"Changed outside");
    EXPECT_STREQ(window->getTitle(), L"Changed outside");
}

TEST_F(WindowState, OpacityMakesTheWindowLayeredWithItsAlpha) {
    window->setOpacity(100, false);  // opaque stays opaque
    EXPECT_FALSE(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    window->setOpacity(50, false);
    ASSERT_TRUE(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(hwnd(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 127);
    EXPECT_TRUE(flags & LWA_ALPHA);
    window->setOpacity(100, false);
    EXPECT_FALSE(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    // Only while top-most: a window that is not top-most stays opaque until it is.
    window->setOpacity(40, true);
    EXPECT_FALSE(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    window->setTopMost(true);
    EXPECT_EQ(window->getOpacity(), 40);
    window->setTopMost(false);
    EXPECT_EQ(window->getOpacity(), 100);
}

TEST_F(WindowState, AMissingOpacityLibraryShowsOneBoxAndLeavesTheWindowOpaque) {
    std::vector<std::wstring> texts;
    auto previous = AfxSetMessageBoxHandler([&](const wchar_t* text, const wchar_t*, UINT type) {
        texts.push_back(text);
        EXPECT_TRUE(type & MB_ICONINFORMATION);
        return IDOK;
    });
    Window::setOpacityLoaderFailForTest(true);
    window->setOpacity(50, false);
    Window::setOpacityLoaderFailForTest(false);
    AfxSetMessageBoxHandler(previous);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rfind(L"Failed to Load user32Dll.dll!!\nError Code - ", 0), 0u);
    EXPECT_FALSE(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(WindowState, FadeModeFadesOutUnderThePointerAndBackWhenItLeaves) {
    placeAwayFromPointer(window, 300, 200);
    window->setAutoHide(true, 0, false, 1, 23, 23, false);
    touch(window);
    ASSERT_TRUE(waitFor([&] { return window->getOpacity() == 0; }));
    EXPECT_TRUE(window->isFaded());
    EXPECT_TRUE(window->isAutoHidden());
    // The pointer is outside: after the delay of 1 s the window fades back in.
    ASSERT_TRUE(waitFor([&] { return window->getOpacity() == 100; }, 5000));
    EXPECT_FALSE(window->isAutoHidden());
    // Turning it off leaves no mode.
    window->setAutoHide(false, 0, false, 9, 23, 23, false);
    touch(window);
    touch(window);
    EXPECT_EQ(window->getOpacity(), 100);
}

TEST_F(WindowState, ShrinkModeShrinksUnderThePointerAndGrowsBackWhenItLeaves) {
    placeAwayFromPointer(window, 400, 300);
    const int x = window->getX();
    window->setAutoHide(true, 1, false, 1, 120, 90, false);
    touch(window);
    ASSERT_TRUE(waitFor([&] { return window->getWidth() == 120 && window->getHeight() == 90; }));
    EXPECT_TRUE(window->isShrunk());
    EXPECT_EQ(window->getX(), x);  // shrinking does not move the window
    ASSERT_TRUE(waitFor([&] { return window->getWidth() == 400 && window->getHeight() == 300; }, 5000));
    EXPECT_FALSE(window->isShrunk());
}

TEST_F(WindowState, SetSizeUndoesAShrinkInProgress) {
    placeAwayFromPointer(window, 400, 300);
    window->setAutoHide(true, 1, false, 5, 120, 90, false);
    touch(window);
    ASSERT_TRUE(waitFor([&] { return window->isShrunk() && window->getWidth() == 120; }));
    window->setSize(500, 350);
    EXPECT_FALSE(window->isShrunk());
    EXPECT_EQ(window->getWidth(), 500);
}

TEST_F(WindowState, AStaleGrowOrShrinkTickLeavesAWindowThatIsNotShrunkAlone) {
    window->setBounds(100, 100, 400, 300);
    window->setAutoHide(true, 1, false, 1, 23, 23, false);
    Recorder marker;
    window->addInvokeListener(&marker);
    PostMessageW(hwnd(), WM_TIMER, 5, 0);
    PostMessageW(hwnd(), WM_TIMER, 6, 0);
    window->invokeLater(0, 0, 0, 0);  // posted after the ticks: they have run once it arrives
    ASSERT_TRUE(waitFor([&] { return marker.count.load() == 1; }));
    EXPECT_EQ(window->getWidth(), 400);
    EXPECT_EQ(window->getHeight(), 300);
}

TEST(WindowSnapshot, CapturesThisWindowEvenWhenAnotherCoversItsCorner) {
    Window* shown = Window::create();
    Window* cover = Window::create();
    shown->setBackgroundColor(255, 0, 0, false);
    shown->setBounds(200, 200, 320, 240);
    shown->setVisible(true, false);
    cover->setBounds(150, 150, 100, 100);  // lies over the shown window's top-left corner
    cover->setVisible(true, false);
    cover->bringToFront(true);
    const std::wstring path = tempPath(L"glimmer-snapshot.gif");
    DeleteFileW(path.c_str());
    shown->saveSnapshotGif(path.c_str());
    FILE* f = _wfopen(path.c_str(), L"rb");
    ASSERT_NE(f, nullptr);
    unsigned char head[10] = {};
    ASSERT_EQ(fread(head, 1, 10, f), 10u);
    fclose(f);
    EXPECT_EQ(memcmp(head, "GIF8", 4), 0);
    EXPECT_EQ(head[6] | head[7] << 8, 320);
    EXPECT_EQ(head[8] | head[9] << 8, 240);
    DeleteFileW(path.c_str());
    cover->release();
    shown->release();
}

TEST_F(WindowState, ChildrenAttachOnTheWindowsThreadAndAreLaidOutAndReleased) {
    window->setBounds(100, 100, 400, 300);
    testsupport::FakeComponent a, b;
    a.minW = 120, a.minH = 40, a.prefW = 200, a.prefH = 50;
    b.minW = 160, b.minH = 30, b.prefW = 160, b.prefH = 30;
    window->addChild(&a);
    window->addChild(&b);
    EXPECT_EQ(a.attachThread.load(), GetWindowThreadProcessId(hwnd(), nullptr));
    EXPECT_EQ(a.getParent(), static_cast<s::gui::IContainer*>(window));
    EXPECT_EQ(window->getChildCount(), 2);
    // The default vertical layout stacks them from the top.
    EXPECT_EQ(a.y, 0);
    EXPECT_EQ(b.y, a.h);
    // Minimum sizes of a window with children: the widest child, the children's heights,
    // plus the frame.
    EXPECT_EQ(window->getMinWidth(), 160 + window->getFrameWidth());
    EXPECT_EQ(window->getMinHeight(), 40 + 30 + window->getFrameHeight());
    // The erase leaves the children's rectangles alone.
    testsupport::PixelCanvas canvas(window->getInnerWidth(), window->getInnerHeight());
    SendMessageW(hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0);
    EXPECT_EQ(canvas.at(a.x + 1, a.y + 1), testsupport::kSentinel);
    EXPECT_EQ(canvas.at(window->getInnerWidth() - 1, window->getInnerHeight() - 1), window->getBackgroundColor());
    window->removeChild(&a, true);
    EXPECT_EQ(a.getParent(), nullptr);
    EXPECT_EQ(a.releases.load(), 1);
    EXPECT_EQ(window->getChildCount(), 1);
    window->removeAllChildren(true);
    EXPECT_EQ(b.releases.load(), 1);
    EXPECT_EQ(window->getChildCount(), 0);
}
