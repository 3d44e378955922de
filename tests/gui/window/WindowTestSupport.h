// Helpers of the window tests: polling with a time-out, a listener that counts codes
// and runs an action, and a window made and released per test.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <vector>

#include "gui/drawer/IWindow.h"
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

// A pixel of the window's client area as the window paints it itself: the window is
// repainted, then its pixels are copied out through a memory DC.
inline COLORREF paintedPixel(HWND window, int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, x + 1, y + 1);
    HGDIOBJ old = SelectObject(mem, bmp);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    HDC windowDc = GetDC(window);
    BitBlt(mem, 0, 0, x + 1, y + 1, windowDc, 0, 0, SRCCOPY);
    ReleaseDC(window, windowDc);
    const COLORREF pixel = GetPixel(mem, x, y);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return pixel;
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

// A frame drawer that fills its rectangle with one colour: enough to make a window a
// skinned one.
class SolidFrameDrawer : public s::gui::drawer::IWindow {
public:
    explicit SolidFrameDrawer(COLORREF c = RGB(0, 0, 0)) : colour(c) {}
    COLORREF colour;
    int paints = 0;
    const wchar_t* getClassName() const override { return L"test_SolidFrameDrawer"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void paint(HDC dc, int32_t l, int32_t t, int32_t r, int32_t b) override {
        ++paints;
        const RECT rect{l, t, r, b};
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    }
    HRGN createRegion(int32_t, int32_t, int32_t, int32_t) override { return nullptr; }
    COLORREF getBackgroundColor() const override { return colour; }
    uint8_t getBackgroundRed() const override { return GetRValue(colour); }
    uint8_t getBackgroundGreen() const override { return GetGValue(colour); }
    uint8_t getBackgroundBlue() const override { return GetBValue(colour); }
    void setBackgroundColor(int r, int g, int b) override { colour = RGB(r, g, b); }
    uint8_t getFrameRed() const override { return 0; }
    uint8_t getFrameGreen() const override { return 0; }
    uint8_t getFrameBlue() const override { return 0; }
    void setFrameColor(int, int, int) override {}
    void setTopCornerStyle(int32_t) override {}
    void setBottomCornerStyle(int32_t) override {}
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
