// GUI threads: start-up, waiting for it, and quitting a thread that does not end.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "gui/window/UIThread.h"

using s::gui::win::IThreadWindow;
using s::gui::win::UIThread;

namespace {

// Makes no windows; its native step may be held until the test lets it go.
class HeldThreadWindow : public IThreadWindow {
public:
    HANDLE hold = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> ownerOk{true};
    std::atomic<DWORD> thread{0};
    ~HeldThreadWindow() override { CloseHandle(hold); }
    bool createOwnerWindow() override {
        thread = GetCurrentThreadId();
        return ownerOk;
    }
    bool createNativeWindow() override {
        WaitForSingleObject(hold, INFINITE);
        return true;
    }
};

}  // namespace

TEST(UIThread, StartsRunsItsLoopAndEndsOnQuit) {
    HeldThreadWindow client;
    SetEvent(client.hold);
    UIThread* t = UIThread::start(&client);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->waitUntilReady());
    EXPECT_TRUE(t->isRunning());
    EXPECT_NE(client.thread.load(), GetCurrentThreadId());
    HANDLE h = nullptr;
    DuplicateHandle(GetCurrentProcess(), t->m_hThread, GetCurrentProcess(), &h, SYNCHRONIZE, FALSE, 0);
    s::gui::win::quitUIThread(t);
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);
    CloseHandle(h);
}

TEST(UIThread, AThreadWhoseOwnerCannotBeMadeEndsTheWait) {
    HeldThreadWindow client;
    client.ownerOk = false;
    UIThread* t = UIThread::start(&client);
    ASSERT_NE(t, nullptr);
    EXPECT_FALSE(t->waitUntilReady());
    EXPECT_TRUE(t->hasEnded());
    EXPECT_FALSE(t->isRunning());
    s::gui::win::quitUIThread(t);  // ended already: returns at once
}

TEST(UIThread, AThreadThatDoesNotEndIsLeftRunningNeverSuspended) {
    HeldThreadWindow client;  // start-up held: the thread cannot end
    UIThread* t = UIThread::start(&client);
    ASSERT_NE(t, nullptr);
    ASSERT_TRUE([&] {
        for (int i = 0; i < 300 && client.thread == 0; ++i) Sleep(10);
        return client.thread != 0;
    }());
    const ULONGLONG start = GetTickCount64();
    s::gui::win::quitUIThread(t);
    EXPECT_LT(GetTickCount64() - start, 6000u);
    // Not suspended: the previous suspend count is 0.
    EXPECT_EQ(ResumeThread(t->m_hThread), 0u);
    // Let it go: it starts its loop and now ends normally.
    SetEvent(client.hold);
    EXPECT_TRUE(t->waitUntilReady());
    s::gui::win::quitUIThread(t);
}
