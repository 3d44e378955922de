// The window's message hook seen from outside: routing order, invoke from other threads,
// sizing edges and the sizing rectangle, edge hit testing of a skinned frame, close with
// tray icons, the end of a session, hotkeys, user timers and the clipboard chain.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "framework/app/Afx.h"
#include "WindowTestSupport.h"

using namespace s::gui;
using s::gui::win::Window;
using windowtest::Recorder;
using windowtest::waitFor;

namespace {

// A window whose hook can be told to take WM_SETTEXT, recording the order of the hook,
// the default processing (which sets the text) and the post hook.
class SpyWindow : public Window {
public:
    std::vector<std::wstring> log;
    bool take = false;
    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SETTEXT) {
            log.push_back(L"pre:" + text());
            if (take) {
                *result = 7;
                return true;
            }
        }
        return Window::preHandle(result, message, wParam, lParam);
    }
    void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SETTEXT) log.push_back(L"post:" + text());
        Window::postHandle(result, message, wParam, lParam);
    }
    std::wstring text() {
        wchar_t t[64] = {};
        ::GetWindowTextW(getHwnd(), t, 64);
        return t;
    }
};

// Answers every message box and keeps its text.
class BoxCatcher {
public:
    BoxCatcher() {
        previous_ = AfxSetMessageBoxHandler([this](const wchar_t* text, const wchar_t*, UINT) {
            texts.push_back(text);
            return IDYES;
        });
    }
    ~BoxCatcher() { AfxSetMessageBoxHandler(previous_); }
    std::vector<std::wstring> texts;

private:
    AfxMessageBoxHandler previous_;
};

}  // namespace

class WindowMessages : public windowtest::WindowTest {};

TEST(WindowRouting, HookTakesTheMessageOrDefaultRunsBeforeThePostHook) {
    auto* spy = new SpyWindow();
    ASSERT_NE(spy->getHwnd(), nullptr);
    spy->take = true;
    EXPECT_EQ(SendMessageW(spy->getHwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"A")), 7);
    EXPECT_EQ(spy->text(), L"Window");  // no default processing
    ASSERT_EQ(spy->log.size(), 1u);     // and no post hook
    spy->take = false;
    SendMessageW(spy->getHwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"B"));
    ASSERT_EQ(spy->log.size(), 3u);
    EXPECT_EQ(spy->log[1], L"pre:Window");
    EXPECT_EQ(spy->log[2], L"post:B");  // the default ran before the post hook
    spy->release();
}

TEST_F(WindowMessages, InvokeFromAWorkerRunsOnTheWindowsThreadAndReturnsAfterTheHandler) {
    Recorder listener;
    std::atomic<bool> handlerDone{false};
    std::wstring name;
    listener.action = [&](int32_t) {
        name = reinterpret_cast<const wchar_t*>(window->getInvokeArg1());
        Sleep(50);
        handlerDone = true;
        window->setInvokeResult(window->getInvokeArg2() + window->getInvokeArg3() + window->getInvokeArg4());
    };
    window->addInvokeListener(&listener);
    intptr_t result = 0;
    bool doneAtReturn = false;
    std::thread worker([&] {
        const wchar_t status[] = L"SlideShowGoNext";  // on the worker's stack
        result = window->invoke(reinterpret_cast<intptr_t>(status), 1, 20, 300);
        doneAtReturn = handlerDone;
    });
    worker.join();
    EXPECT_TRUE(doneAtReturn);
    EXPECT_EQ(result, 321);
    EXPECT_EQ(name, L"SlideShowGoNext");
    EXPECT_EQ(listener.lastThread.load(), GetWindowThreadProcessId(hwnd(), nullptr));
}

TEST_F(WindowMessages, InvokeLaterFromAThreadThatReturnsAtOnceDeliversAllFourArguments) {
    Recorder listener;
    intptr_t seen[4] = {};
    listener.action = [&](int32_t) {
        seen[0] = window->getInvokeArg1();
        seen[1] = window->getInvokeArg2();
        seen[2] = window->getInvokeArg3();
        seen[3] = window->getInvokeArg4();
    };
    window->addInvokeListener(&listener);
    // Hold the window's thread so the posted message is read after the poster has gone.
    std::atomic<bool> release{false};
    Recorder blocker;
    blocker.action = [&](int32_t) {
        while (!release) Sleep(1);
    };
    window->addActivateListener(&blocker);
    PostMessageW(hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    bool posted = false;
    std::thread poster([&] {
        intptr_t a = 11, b = 22, c = 33, d = 44;  // gone once the thread returns
        posted = window->invokeLater(a, b, c, d);
    });
    poster.join();
    // Scribble over the stack the poster used.
    std::thread([] {
        volatile intptr_t junk[256];
        for (auto& j : junk) j = -1;
    }).join();
    release = true;
    ASSERT_TRUE(posted);
    ASSERT_TRUE(waitFor([&] { return listener.count.load() == 1; }));
    EXPECT_EQ(seen[0], 11);
    EXPECT_EQ(seen[1], 22);
    EXPECT_EQ(seen[2], 33);
    EXPECT_EQ(seen[3], 44);
}

TEST_F(WindowMessages, SizingListenersSeeTheNamedEdgeAndChangeTheRectangle) {
    Recorder sizing;
    bool bottom = false, topLeft = true;
    sizing.action = [&](int32_t) {
        bottom = window->isSizingBottom();
        topLeft = window->isSizingTopLeft();
        window->setSizingBottom(window->getSizingBottom() + 5);
    };
    window->addSizingListener(&sizing);
    window->setKeepMinimumSize(false);
    RECT r{100, 100, 400, 300};
    SendMessageW(hwnd(), WM_SIZING, WMSZ_BOTTOM, reinterpret_cast<LPARAM>(&r));
    EXPECT_TRUE(bottom);
    EXPECT_FALSE(topLeft);
    EXPECT_EQ(r.bottom, 305);  // the listener's change went back into the message

    const struct {
        WPARAM wmsz;
        bool (Window::*test)();
    } edges[] = {{WMSZ_LEFT, &Window::isSizingLeft},
                 {WMSZ_RIGHT, &Window::isSizingRight},
                 {WMSZ_TOP, &Window::isSizingTop},
                 {WMSZ_TOPLEFT, &Window::isSizingTopLeft},
                 {WMSZ_TOPRIGHT, &Window::isSizingTopRight},
                 {WMSZ_BOTTOMLEFT, &Window::isSizingBottomLeft},
                 {WMSZ_BOTTOMRIGHT, &Window::isSizingBottomRight}};
    for (const auto& e : edges) {
        bool hit = false;
        sizing.action = [&](int32_t) { hit = (window->*e.test)(); };
        RECT rr{100, 100, 400, 300};
        SendMessageW(hwnd(), WM_SIZING, e.wmsz, reinterpret_cast<LPARAM>(&rr));
        EXPECT_TRUE(hit) << e.wmsz;
    }
}

TEST_F(WindowMessages, SizingBelowTheMinimumMovesTheDraggedEdge) {
    window->setMinWidth(300);
    window->setMinHeight(200);
    RECT left{500, 100, 600, 400};
    SendMessageW(hwnd(), WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&left));
    EXPECT_EQ(left.left, 300);
    EXPECT_EQ(left.right, 600);
    RECT right{500, 100, 600, 400};
    SendMessageW(hwnd(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&right));
    EXPECT_EQ(right.left, 500);
    EXPECT_EQ(right.right, 800);
    RECT top{500, 300, 900, 400};
    SendMessageW(hwnd(), WM_SIZING, WMSZ_TOP, reinterpret_cast<LPARAM>(&top));
    EXPECT_EQ(top.top, 200);
    window->setKeepMinimumSize(false);
    RECT free{500, 100, 600, 400};
    SendMessageW(hwnd(), WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&free));
    EXPECT_EQ(free.left, 500);
}

TEST_F(WindowMessages, ASkinnedResizableWindowAnswersItsEdgesWithoutEasyDrag) {
    window->setBounds(200, 150, 400, 300);
    const LPARAM rightEdge = MAKELPARAM(200 + 400 - 2, 150 + 150);
    const LPARAM centre = MAKELPARAM(400, 300);
    // Plain window, easy drag off: the system's answer.
    EXPECT_EQ(SendMessageW(hwnd(), WM_NCHITTEST, 0, centre), HTCLIENT);

    windowtest::SolidFrameDrawer drawer;
    window->setWindowDrawer(&drawer, false);
    window->setBounds(200, 150, 400, 300);
    EXPECT_EQ(SendMessageW(hwnd(), WM_NCHITTEST, 0, rightEdge), HTRIGHT);
    EXPECT_EQ(SendMessageW(hwnd(), WM_NCHITTEST, 0, MAKELPARAM(200 + 399, 150 + 299)), HTBOTTOMRIGHT);
    EXPECT_EQ(SendMessageW(hwnd(), WM_NCHITTEST, 0, MAKELPARAM(201, 151)), HTTOPLEFT);
    EXPECT_EQ(SendMessageW(hwnd(), WM_NCHITTEST, 0, centre), HTCLIENT);
    // Easy drag turns the client area into a caption.
    window->setEasyDrag(true);
    EXPECT_EQ(SendMessageW(hwnd(), WM_NCHITTEST, 0, centre), HTCAPTION);
    // A window that may not be resized has no sizing edges.
    window->setResizable(false);
    EXPECT_EQ(SendMessageW(hwnd(), WM_NCHITTEST, 0, rightEdge), HTCAPTION);
    window->setWindowDrawer(nullptr, false);
}

TEST_F(WindowMessages, CloseRemovesAPinnedAndAlwaysShownTrayIcon) {
    window->setTrayIconPinned(true);
    window->setTrayIconAlwaysShown(true);
    ASSERT_TRUE(window->isTrayIconShown());
    window->showTrayIcon(false);  // pinned: stays
    EXPECT_TRUE(window->isTrayIconShown());
    SendMessageW(hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(window->isClosed());
    EXPECT_FALSE(window->isTrayIconShown());
    EXPECT_FALSE(window->isTrayIconPinned());
    EXPECT_FALSE(window->isTrayIconAlwaysShown());
}

TEST_F(WindowMessages, EndOfSessionAtLogOffClosesTheWindow) {
    window->setVisible(true, false);
    SendMessageW(hwnd(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(window->isShuttingDown());
    EXPECT_TRUE(window->isClosed());
    EXPECT_FALSE(IsWindowVisible(hwnd()));
}

TEST_F(WindowMessages, AnEndSessionThatDoesNotEndChangesNothing) {
    SendMessageW(hwnd(), WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(window->isShuttingDown());
    EXPECT_FALSE(window->isClosed());
}

TEST_F(WindowMessages, AHotKeyTakenTwiceFailsWithItsMessage) {
    BoxCatcher boxes;
    ASSERT_TRUE(window->registerHotKey(false, true, true, false, 65, L"GlimmerFirst", true));
    EXPECT_FALSE(window->registerHotKey(false, true, true, false, 65, L"GlimmerSecond", true));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], L"(1409) HotKey Ctrl+Shift+65 has been occupied by another application.");
    // Registering the same name again replaces the first registration.
    EXPECT_TRUE(window->registerHotKey(false, true, true, false, 65, L"GlimmerFirst", false));
    window->unregisterHotKey(L"GlimmerFirst");
    EXPECT_TRUE(window->registerHotKey(false, true, true, false, 65, L"GlimmerSecond", false));
    window->unregisterAllHotKeys();
    EXPECT_TRUE(window->registerHotKey(false, true, true, false, 65, L"GlimmerThird", false));
    EXPECT_EQ(boxes.texts.size(), 1u);
}

TEST_F(WindowMessages, AHotKeyMessageNamesTheHotKey) {
    Recorder hot;
    bool first = false, second = true;
    hot.action = [&](int32_t) {
        first = window->isHotKey(L"GlimmerA");
        second = window->isHotKey(L"GlimmerB");
    };
    window->addHotKeyListener(&hot);
    const ATOM atom = GlobalAddAtomW(L"GlimmerA");
    SendMessageW(hwnd(), WM_HOTKEY, atom, 0);
    GlobalDeleteAtom(atom);
    EXPECT_EQ(hot.count.load(), 1);
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
}

TEST_F(WindowMessages, UserTimersArriveWithTheirOwnId) {
    Recorder timer;
    std::atomic<int64_t> id{-1};
    timer.action = [&](int32_t) {
        id = window->getTimerId();
        window->markTimerHandled();
        window->stopTimer(5);
    };
    window->addTimerListener(&timer);
    ASSERT_TRUE(window->startTimer(5, 10));
    ASSERT_TRUE(waitFor([&] { return timer.count.load() >= 1; }));
    EXPECT_EQ(id.load(), 5);
    EXPECT_EQ(timer.codes[0], WindowEvent::kTimer);
    // The native timer id is 10005: a WM_TIMER of that id is the same user timer.
    SendMessageW(hwnd(), WM_TIMER, 10005, 0);
    EXPECT_EQ(id.load(), 5);
}

TEST_F(WindowMessages, ClipboardChangesReachTheClipboardListeners) {
    Recorder clip;
    window->addClipboardListener(&clip);
    window->setClipboardViewer(true);
    EXPECT_TRUE(window->isClipboardViewer());
    const int before = clip.count.load();
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 8);
    memcpy(GlobalLock(mem), L"abc", 8);
    GlobalUnlock(mem);
    SetClipboardData(CF_UNICODETEXT, mem);
    CloseClipboard();
    EXPECT_TRUE(waitFor([&] { return clip.count.load() > before; }));
    window->setClipboardViewer(false);
    EXPECT_FALSE(window->isClipboardViewer());
}

TEST_F(WindowMessages, MessageBoxesRunOnTheWindowsThread) {
    BoxCatcher boxes;
    window->showInfo(L"info");
    window->showError(L"error");
    EXPECT_TRUE(window->askYesNo(L"question"));
    ASSERT_EQ(boxes.texts.size(), 3u);
    EXPECT_EQ(boxes.texts[2], L"question");
}

TEST_F(WindowMessages, WheelTurnsTellSignedLinesOnlyToWheelListeners) {
    // No listener: handled, nothing told.
    EXPECT_EQ(SendMessageW(hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(10, 10)), 0);
    Recorder wheel;
    window->addWheelListener(&wheel);
    UINT lines = 0;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    SendMessageW(hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(10, 10));
    EXPECT_EQ(window->getWheelLines(), int32_t(lines));
    SendMessageW(hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), MAKELPARAM(10, 10));
    EXPECT_EQ(window->getWheelLines(), -int32_t(lines));
    EXPECT_EQ(wheel.count.load(), 2);
}

TEST_F(WindowMessages, ActivationShowsTheOwnerAndTellsBothLists) {
    Recorder on, off;
    window->addActivateListener(&on);
    window->addDeactivateListener(&off);
    SendMessageW(hwnd(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_GE(on.count.load(), 1);  // the default processing may activate it for real once more
    EXPECT_TRUE(IsWindowVisible(GetWindow(hwnd(), GW_OWNER)));
    SendMessageW(hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_GE(off.count.load(), 1);
}

TEST_F(WindowMessages, LosingATakenCaptureTellsWhereThePointerWas) {
    Recorder lost;
    window->addCaptureChangedListener(&lost);
    SendMessageW(hwnd(), WM_CAPTURECHANGED, 0, 0);  // no capture taken: nothing
    EXPECT_EQ(lost.count.load(), 0);
    window->setVisible(true, false);
    Recorder taker;
    taker.action = [&](int32_t) { window->setCapture(); };  // on the window's thread
    window->addInvokeListener(&taker);
    window->invoke(0, 0, 0, 0);
    POINT p;
    GetCursorPos(&p);
    SendMessageW(hwnd(), WM_CAPTURECHANGED, 0, 0);
    EXPECT_EQ(lost.count.load(), 1);
    EXPECT_EQ(window->getCaptureLostX(), p.x);
    EXPECT_EQ(window->getCaptureLostY(), p.y);
}

TEST_F(WindowMessages, DoubleClicksAreToldAndPassedOnlyWhenAsked) {
    Recorder twice;
    window->addDoubleClickListener(&twice);
    window->setPassDoubleClick(false);
    SendMessageW(hwnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(10, 10));
    EXPECT_FALSE(window->isMaximized());  // the caption double click did not maximise
    EXPECT_EQ(twice.count.load(), 1);
}
