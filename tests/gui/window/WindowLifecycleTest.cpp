// A window on its own GUI thread: created hidden, shown, closed (and vetoed), released
// with its thread; creation that fails never hangs; routing order of the message hook.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "framework/app/Afx.h"
#include "gui/window/InvisibleWindow.h"
#include "gui/window/WindowClass.h"

using s::gui::win::Window;
using s::gui::WindowEvent::kClose;
using windowtest::Recorder;
using windowtest::waitFor;

class WindowLifecycle : public windowtest::WindowTest {};

TEST_F(WindowLifecycle, OpensHiddenOnItsOwnThreadOwnedByAHiddenToolWindow) {
    const DWORD tid = GetWindowThreadProcessId(hwnd(), nullptr);
    EXPECT_NE(tid, GetCurrentThreadId());
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    EXPECT_FALSE(window->isVisible());
    wchar_t cls[64];
    GetClassNameW(hwnd(), cls, 64);
    EXPECT_STREQ(cls, L"TovrelWindowClass");
    HWND owner = GetWindow(hwnd(), GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_TRUE(GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindowThreadProcessId(owner, nullptr), tid);
}

TEST_F(WindowLifecycle, ShowsAndClosesAfterAVetoFromAListener) {
    Recorder closer;
    int asked = 0;
    closer.action = [&](int32_t) {
        if (++asked == 1) window->vetoClose();
    };
    window->addCloseListener(&closer);
    window->setVisible(true, true);
    EXPECT_TRUE(IsWindowVisible(hwnd()));
    EXPECT_TRUE(window->isVisible());

    window->close();  // vetoed
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(window->isClosed());
    EXPECT_TRUE(IsWindowVisible(hwnd()));

    PostMessageW(hwnd(), WM_CLOSE, 0, 0);  // from outside, as the system's close box does
    ASSERT_TRUE(waitFor([&] { return window->isClosed(); }));
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    EXPECT_TRUE(IsWindow(hwnd()));  // closed, not destroyed

    // A second close after a completed close raises nothing.
    SendMessageW(hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(closer.lastThread.load(), GetWindowThreadProcessId(hwnd(), nullptr));
    window->waitUntilClosed();
}

TEST(WindowRelease, ReleasingTheWindowEndsItsThread) {
    Window* window = Window::create();
    HWND h = window->getHwnd();
    ASSERT_NE(h, nullptr);
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, GetWindowThreadProcessId(h, nullptr));
    ASSERT_NE(thread, nullptr);
    HWND owner = GetWindow(h, GW_OWNER);
    window->release();
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(IsWindow(owner));
    CloseHandle(thread);
}

TEST(WindowRelease, AFailedOwnerCreationNeverHangsTheConstructor) {
    std::vector<std::wstring> boxes;
    s::gui::win::setFailureBoxHandler([](const wchar_t*, const wchar_t*) {});
    s::gui::win::InvisibleWindow::setFailCreationForTest(true);
    const ULONGLONG start = GetTickCount64();
    Window* window = Window::create();
    const ULONGLONG spent = GetTickCount64() - start;
    s::gui::win::InvisibleWindow::setFailCreationForTest(false);
    s::gui::win::setFailureBoxHandler(nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_LT(spent, 1000u);
    EXPECT_EQ(window->getHwnd(), nullptr);
    // Every handle operation is a no-op.
    window->setVisible(true, true);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->invoke(1, 2, 3, 4), 0);
    EXPECT_FALSE(window->invokeLater(1, 2, 3, 4));
    EXPECT_FALSE(window->startTimer(1, 10));
    EXPECT_FALSE(window->registerHotKey(false, true, true, false, 'Q', L"q", false));
    window->release();
}

TEST(WindowRelease, ASecondWindowsThreadStartsNormally) {
    Window* a = Window::create();
    Window* b = Window::create();
    EXPECT_NE(a->getHwnd(), nullptr);
    EXPECT_NE(b->getHwnd(), nullptr);
    EXPECT_NE(GetWindowThreadProcessId(a->getHwnd(), nullptr), GetWindowThreadProcessId(b->getHwnd(), nullptr));
    a->release();
    b->release();
}

TEST_F(WindowLifecycle, ShowingInFrontLeavesTheWindowRestoredAndVisible) {
    window->setBounds(100, 100, 300, 200);
    window->setShown(true, true);
    EXPECT_TRUE(IsWindowVisible(hwnd()));
    EXPECT_FALSE(window->isMinimized());
    EXPECT_FALSE(window->isTopMost());
    EXPECT_EQ(window->getWidth(), 300);
    window->setShown(false, false);
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    EXPECT_FALSE(window->isVisible());
}
