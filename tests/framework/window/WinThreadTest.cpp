// Framework threads: start-up by class, the message loop's pre-translation from the
// innermost window outwards, and the end of the thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "framework/WindowTesting.h"
#include "framework/thread/WinThread.h"
#include "framework/window/Wnd.h"

using fwtest::traceClass;
using fwtest::waitUntil;

namespace {

constexpr UINT kProbe = WM_APP + 10;     // offered to every level
constexpr UINT kConsumed = WM_APP + 11;  // taken by the middle window

std::mutex logMutex;
std::vector<std::string> preLog;   // "<name>:<message>" per PreTranslateMessage call
std::vector<std::string> procLog;  // "<name>:<message>" per window procedure call

void logTo(std::vector<std::string>& log, const std::string& name, UINT message) {
    std::lock_guard lock(logMutex);
    log.push_back(name + ":" + std::to_string(message - WM_APP));
}

std::vector<std::string> take(std::vector<std::string>& log) {
    std::lock_guard lock(logMutex);
    std::vector<std::string> out;
    out.swap(log);
    return out;
}

class Level : public CWnd {
public:
    explicit Level(std::string name) : name_(std::move(name)) {}
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == kProbe || msg->message == kConsumed) {
            logTo(preLog, name_, msg->message);
            return msg->message == kConsumed && name_ == "middle";
        }
        return FALSE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kProbe || message == kConsumed) logTo(procLog, name_, message);
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    std::string name_;
};

class TreeThread : public CWinThread {
public:
    Level top{"top"}, middle{"middle"}, inner{"inner"};
    std::atomic<bool> ready{false};
    std::atomic<bool> exited{false};
    CWinThread* seenCurrent = nullptr;

    BOOL InitInstance() override {
        seenCurrent = AfxGetThread();
        RECT r{0, 0, 40, 40};
        if (!top.CreateEx(0, traceClass(), L"top", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr)) return FALSE;
        if (!middle.Create(traceClass(), L"", WS_VISIBLE, r, &top, 1)) return FALSE;
        if (!inner.Create(traceClass(), L"", WS_VISIBLE, r, &middle, 2)) return FALSE;
        m_pMainWnd = &top;
        ready = true;
        return TRUE;
    }
    int ExitInstance() override {
        top.DestroyWindow();
        exited = true;
        return CWinThread::ExitInstance();
    }
};

TEST(WinThread, OffersQueuedMessagesInnermostWindowFirst) {
    TreeThread* t = AfxBeginThread<TreeThread>();
    ASSERT_NE(t, nullptr);
    ASSERT_TRUE(waitUntil([&] { return t->ready.load(); }));
    EXPECT_EQ(t->seenCurrent, t);
    take(preLog);
    take(procLog);

    t->inner.PostMessage(kProbe);
    ASSERT_TRUE(waitUntil([] {
        std::lock_guard lock(logMutex);
        return !procLog.empty();
    }));
    EXPECT_EQ(take(preLog), (std::vector<std::string>{"inner:10", "middle:10", "top:10"}));
    EXPECT_EQ(take(procLog), (std::vector<std::string>{"inner:10"}));

    // Taken by the middle window: the top never sees it and it is never dispatched.
    t->inner.PostMessage(kConsumed);
    t->inner.PostMessage(kProbe);  // a marker that the first one has been handled
    ASSERT_TRUE(waitUntil([] {
        std::lock_guard lock(logMutex);
        return !procLog.empty();
    }));
    EXPECT_EQ(take(preLog), (std::vector<std::string>{"inner:11", "middle:11", "inner:10", "middle:10", "top:10"}));
    EXPECT_EQ(take(procLog), (std::vector<std::string>{"inner:10"}));

    ASSERT_TRUE(t->PostThreadMessage(WM_QUIT, 17, 0));
    ASSERT_EQ(WaitForSingleObject(t->m_hThread, 5000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(t->m_hThread, &code);
    EXPECT_EQ(code, 17u);
    EXPECT_TRUE(t->exited);
    delete t;  // the thread object outlives its thread
}

class FailingStart : public CWinThread {
public:
    static inline std::atomic<int> runs{0}, exits{0};
    BOOL InitInstance() override { return FALSE; }
    int Run() override {
        ++runs;
        return CWinThread::Run();
    }
    int ExitInstance() override {
        ++exits;
        return 5;
    }
};

TEST(WinThread, FailedStartUpEndsTheThreadAtOnceThroughExitInstance) {
    FailingStart* t = AfxBeginThread<FailingStart>();
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(WaitForSingleObject(t->m_hThread, 5000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(t->m_hThread, &code);
    EXPECT_EQ(code, 5u);
    EXPECT_EQ(FailingStart::runs, 0);
    EXPECT_EQ(FailingStart::exits, 1);
    EXPECT_FALSE(t->CreateThread());  // one thread per object
    delete t;
}

TEST(WinThread, SuspendedStartWaitsForResume) {
    static std::atomic<bool> started;
    started = false;
    struct Probe : CWinThread {
        BOOL InitInstance() override {
            started = true;
            return FALSE;
        }
    };
    Probe* t = AfxBeginThread<Probe>(THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(WaitForSingleObject(t->m_hThread, 50), DWORD(WAIT_TIMEOUT));
    EXPECT_FALSE(started);
    t->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(t->m_hThread, 5000), WAIT_OBJECT_0);
    EXPECT_TRUE(started);
    delete t;
}

}  // namespace
