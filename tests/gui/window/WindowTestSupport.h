// Helpers of the window tests: polling with a time-out, a listener that counts codes
// and runs an action, and a window made and released per test.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <vector>

#include "gui/window/Window.h"

namespace windowtest {

// Polls the condition every 5 ms until it holds or the time-out passes.
inline bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs = 3000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() > end) return condition();
        Sleep(5);
    }
    return true;
}

// Records each event's code and thread, then runs an optional action.
class Recorder : public s::gui::events::IEventListener {
public:
    std::function<void(int32_t)> action;
    std::vector<int32_t> codes;
    std::atomic<DWORD> lastThread{0};
    std::atomic<int> count{0};
    void onEvent(s::base::IObject*, int32_t code) override {
        codes.push_back(code);
        lastThread = GetCurrentThreadId();
        if (action) action(code);
        ++count;
    }
};

// A window for one test, released (destroyed, its thread ended) at the end.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = s::gui::win::Window::create();
        ASSERT_NE(window, nullptr);
        ASSERT_NE(window->getHwnd(), nullptr);
    }
    void TearDown() override {
        if (window) window->release();
    }
    HWND hwnd() { return window->getHwnd(); }
    s::gui::win::Window* window = nullptr;
};

}  // namespace windowtest
