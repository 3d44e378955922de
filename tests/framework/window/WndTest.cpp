// Window objects bound to real windows: binding at creation, the handle map,
// subclassing, unbinding at the last message, and the modal state.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "framework/WindowTesting.h"
#include "framework/window/Wnd.h"

using fwtest::kTraceAnswer;
using fwtest::kTraceMessage;
using fwtest::traceClass;

namespace {

// Records each message it sees, and what the map answered for its handle then.
class Spy : public CWnd {
public:
    struct Seen {
        UINT message;
        HWND hwnd;
        CWnd* mapped;
    };
    std::vector<Seen> seen;
    int postNcDestroyCalls = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back({message, m_hWnd, FromHandlePermanent(m_hWnd)});
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { ++postNcDestroyCalls; }

    const Seen* find(UINT message) const {
        for (const Seen& s : seen)
            if (s.message == message) return &s;
        return nullptr;
    }
};

TEST(Wnd, CreatedObjectSeesItsFirstMessagesBoundToItsHandle) {
    Spy spy;
    ASSERT_TRUE(spy.CreateEx(0, traceClass(), L"spy", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr));
    HWND hwnd = spy.GetSafeHwnd();
    ASSERT_NE(hwnd, nullptr);
    for (UINT m : {UINT(WM_NCCREATE), UINT(WM_CREATE)}) {
        const Spy::Seen* s = spy.find(m);
        ASSERT_NE(s, nullptr) << "message " << m;
        EXPECT_EQ(s->hwnd, hwnd);
        EXPECT_EQ(s->mapped, &spy);
    }
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), &spy);
    EXPECT_EQ(CWnd::FromHandle(hwnd), &spy);
    EXPECT_TRUE(spy.DestroyWindow());
}

TEST(Wnd, ChildCreatedInsideParentCreationBindsToItsOwnObject) {
    struct Parent : Spy {
        Spy child;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_CREATE) {
                RECT r{0, 0, 20, 20};
                if (!child.Create(traceClass(), L"", WS_VISIBLE, r, this, 7)) return -1;
            }
            return Spy::WindowProc(message, wParam, lParam);
        }
    } parent;
    ASSERT_TRUE(parent.CreateEx(0, traceClass(), L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    ASSERT_NE(parent.child.GetSafeHwnd(), nullptr);
    EXPECT_NE(parent.child.GetSafeHwnd(), parent.GetSafeHwnd());
    EXPECT_EQ(::GetParent(parent.child.GetSafeHwnd()), parent.GetSafeHwnd());
    EXPECT_EQ(parent.child.GetDlgCtrlID(), 7);
    EXPECT_NE(parent.child.find(WM_CREATE), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(parent.child.GetSafeHwnd()), &parent.child);
    parent.DestroyWindow();
    // Destroying the parent destroyed and unbound the child too.
    EXPECT_EQ(parent.child.GetSafeHwnd(), nullptr);
    EXPECT_EQ(parent.child.postNcDestroyCalls, 1);
}

TEST(Wnd, FailedCreationLeavesTheObjectUnbound) {
    struct Refuser : Spy {
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_CREATE) return -1;
            return Spy::WindowProc(message, wParam, lParam);
        }
    } refuser;
    EXPECT_FALSE(refuser.CreateEx(0, traceClass(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(refuser.GetSafeHwnd(), nullptr);
    EXPECT_EQ(refuser.postNcDestroyCalls, 1);

    Spy noClass;
    EXPECT_FALSE(noClass.CreateEx(0, L"NoSuchClassAnywhere", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(noClass.GetSafeHwnd(), nullptr);
    // The hook is gone: a later plain window is not bound to the failed object.
    HWND plain = CreateWindowExW(0, traceClass(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    DestroyWindow(plain);
}

TEST(Wnd, LastMessageUnbindsAndPostNcDestroyMayDeleteTheObject) {
    static bool deleted;
    deleted = false;
    struct SelfDeleting : Spy {
        ~SelfDeleting() override { deleted = true; }
        void PostNcDestroy() override { delete this; }
    };
    auto* w = new SelfDeleting;
    ASSERT_TRUE(w->CreateEx(0, traceClass(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hwnd = w->GetSafeHwnd();
    ::DestroyWindow(hwnd);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);

    Spy spy;
    ASSERT_TRUE(spy.CreateEx(0, traceClass(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    hwnd = spy.GetSafeHwnd();
    spy.DestroyWindow();
    EXPECT_EQ(spy.GetSafeHwnd(), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    EXPECT_EQ(spy.postNcDestroyCalls, 1);
    ASSERT_FALSE(spy.seen.empty());
    EXPECT_EQ(spy.seen.back().message, UINT(WM_NCDESTROY));
}

TEST(Wnd, DefaultProcessingReachesTheClassProcedure) {
    Spy spy;
    ASSERT_TRUE(spy.CreateEx(0, traceClass(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    int before = fwtest::traceCount;
    EXPECT_EQ(spy.SendMessage(kTraceMessage), kTraceAnswer);
    EXPECT_EQ(fwtest::traceCount, before + 1);
    EXPECT_NE(spy.find(kTraceMessage), nullptr);
    spy.DestroyWindow();
}

TEST(Wnd, SubclassingAnExistingWindowRoutesItsMessagesUntilUnsubclassed) {
    HWND hwnd = CreateWindowExW(0, traceClass(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    auto classProc = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
    Spy spy;
    ASSERT_TRUE(spy.SubclassWindow(hwnd));
    EXPECT_FALSE(Spy().SubclassWindow(hwnd));  // one object per handle
    EXPECT_EQ(::SendMessageW(hwnd, kTraceMessage, 0, 0), kTraceAnswer);
    EXPECT_NE(spy.find(kTraceMessage), nullptr);

    EXPECT_EQ(spy.UnsubclassWindow(), hwnd);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), classProc);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    spy.seen.clear();
    EXPECT_EQ(::SendMessageW(hwnd, kTraceMessage, 0, 0), kTraceAnswer);
    EXPECT_TRUE(spy.seen.empty());
    DestroyWindow(hwnd);
}

TEST(Wnd, HandleWithoutObjectGetsATemporaryOne) {
    HWND hwnd = CreateWindowExW(0, traceClass(), L"title", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    CWnd* temp = CWnd::FromHandle(hwnd);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->GetSafeHwnd(), hwnd);
    EXPECT_EQ(CWnd::FromHandle(hwnd), temp);
    EXPECT_EQ(temp->GetWindowText(), L"title");
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    CWnd::DeleteTempMap();
    // Dropping the temporary leaves the window alone.
    EXPECT_TRUE(IsWindow(hwnd));
    DestroyWindow(hwnd);
}

TEST(Wnd, MapIsSharedByAllThreads) {
    Spy spy;
    ASSERT_TRUE(spy.CreateEx(0, traceClass(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    struct Args {
        HWND hwnd;
        CWnd* found;
    } args{spy.GetSafeHwnd(), nullptr};
    HANDLE t = CreateThread(
        nullptr, 0,
        [](void* p) -> DWORD {
            auto* a = static_cast<Args*>(p);
            a->found = CWnd::FromHandlePermanent(a->hwnd);
            return 0;
        },
        &args, 0, nullptr);
    WaitForSingleObject(t, 5000);
    CloseHandle(t);
    EXPECT_EQ(args.found, &spy);
    spy.DestroyWindow();
}

TEST(Wnd, ObjectDestroyedFirstTakesItsWindowAlong) {
    HWND hwnd;
    {
        Spy spy;
        ASSERT_TRUE(spy.CreateEx(0, traceClass(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        hwnd = spy.GetSafeHwnd();
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(Wnd, ModalStateDisablesUntilTheLastEndAndKeepsADisabledWindowDisabled) {
    CWnd w;
    ASSERT_TRUE(w.CreateEx(0, traceClass(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    w.BeginModalState();
    w.BeginModalState();
    EXPECT_FALSE(w.IsWindowEnabled());
    w.EndModalState();
    EXPECT_FALSE(w.IsWindowEnabled());
    EXPECT_TRUE(w.IsInModalState());
    w.EndModalState();
    EXPECT_TRUE(w.IsWindowEnabled());
    w.EndModalState();  // unbalanced: ignored
    EXPECT_TRUE(w.IsWindowEnabled());

    w.EnableWindow(FALSE);
    w.BeginModalState();
    w.EndModalState();
    EXPECT_FALSE(w.IsWindowEnabled());
    w.DestroyWindow();
}

TEST(Wnd, StyleChangesReportWhetherAnythingChanged) {
    CWnd w;
    ASSERT_TRUE(w.CreateEx(0, traceClass(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_TRUE(w.ModifyStyleEx(0, WS_EX_TOOLWINDOW, SWP_FRAMECHANGED));
    EXPECT_TRUE(w.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(w.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
    EXPECT_TRUE(w.ModifyStyle(WS_POPUP, WS_CAPTION));
    EXPECT_EQ(w.GetStyle() & (WS_POPUP | WS_CAPTION), DWORD(WS_CAPTION));
    w.DestroyWindow();
}

}  // namespace
