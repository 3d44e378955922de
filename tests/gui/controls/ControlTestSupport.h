// Helpers of the control tests: a top-most window with a fixed-size panel, pixels read
// back from a window, pointer input through SendInput, and a button drawer that records
// what it was asked to paint.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui/box/Box.h"
#include "gui/drawer/IButton.h"
#include "gui/drawer/IText.h"
#include "gui/fonts/IFont.h"
#include "gui/window/WindowTestSupport.h"

namespace controltest {

using windowtest::Recorder;
using windowtest::waitFor;

// A window at (300, 200) with a column panel of the given size at its top left.
class ControlTest : public windowtest::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->setBounds(300, 200, 420, 320);
        window->setTopMost(true);
        window->setVisible(true, true);
        panel = s::gui::win::Box::createSized(s::gui::LayoutKind::kColumn, panelWidth, panelHeight, 0, 0, 4);
        window->addChild(panel);
        ASSERT_NE(panel->m_hWnd, nullptr);
        panel->setSizeClamped(1000, 1000);
    }
    int32_t panelWidth = 200;
    int32_t panelHeight = 150;
    s::gui::win::Box* panel = nullptr;
};

// The colour at a client point of the window, as it shows on the screen after the window
// has painted.
inline COLORREF pixelAt(HWND hwnd, int x, int y) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

// The centre of a window in screen coordinates.
inline POINT centreOf(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Moves the pointer to the screen point (absolute, normalised to the primary screen).
inline void pointerTo(POINT p) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = LONG((p.x * 65535 + GetSystemMetrics(SM_CXSCREEN) / 2) / (GetSystemMetrics(SM_CXSCREEN) - 1));
    in.mi.dy = LONG((p.y * 65535 + GetSystemMetrics(SM_CYSCREEN) / 2) / (GetSystemMetrics(SM_CYSCREEN) - 1));
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(in));
    SetCursorPos(p.x, p.y);
}

// Moves the pointer there and makes sure it stays: under X the echo of an earlier move can
// still put it back a moment later.
inline void pointerSettledAt(POINT p) {
    auto there = [p] {
        POINT c;
        GetCursorPos(&c);
        return c.x == p.x && c.y == p.y;
    };
    for (int i = 0; i < 20; ++i) {
        pointerTo(p);
        if (waitFor(there, 100) && !waitFor([&] { return !there(); }, 60)) return;
    }
}

inline void leftButton(bool down) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof(in));
}

// A left click at the screen point.
inline void clickAt(POINT p) {
    pointerTo(p);
    leftButton(true);
    leftButton(false);
}

// A button drawer that paints nothing and counts what it was asked.
class RecordingButtonDrawer : public s::gui::drawer::IButton {
public:
    int faces = 0;
    int32_t lastState = -1;
    bool lastToggled = false;
    bool lastFace = false;
    bool lastEnabled = true;
    std::wstring lastCaption;
    COLORREF fill = CLR_INVALID;  // painted over the whole face when set

    const wchar_t* getClassName() const override { return L"test_RecordingButtonDrawer"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void paintFace(HDC dc, int32_t l, int32_t t, int32_t r, int32_t b, int32_t state, const wchar_t* caption, bool face,
                   s::gui::IFont*, bool enabled, bool toggled, bool) override {
        ++faces;
        lastState = state;
        lastToggled = toggled;
        lastFace = face;
        lastEnabled = enabled;
        lastCaption = caption ? caption : L"";
        if (fill != CLR_INVALID) {
            const RECT rc{l, t, r, b};
            HBRUSH brush = CreateSolidBrush(fill);
            FillRect(dc, &rc, brush);
            DeleteObject(brush);
        }
    }
    void setAuxColor(int, int, int) override {}
    void setAuxFlag1(bool) override {}
    void setAuxFlag2(bool) override {}
    void setCornerStyle(int32_t) override {}
    void setPressShift(bool) override {}
    uint8_t getLineRed() const override { return 0; }
    uint8_t getLineGreen() const override { return 0; }
    uint8_t getLineBlue() const override { return 0; }
    void setLineColor(int, int, int) override {}
    uint8_t getIdleLineRed() const override { return 0; }
    uint8_t getIdleLineGreen() const override { return 0; }
    uint8_t getIdleLineBlue() const override { return 0; }
    void setIdleLineColor(int, int, int) override {}
    void setToggledLineColor(int, int, int) override {}
    void setFillColor(int, int, int) override {}
    uint8_t getFillRed() const override { return 0; }
    uint8_t getFillGreen() const override { return 0; }
    uint8_t getFillBlue() const override { return 0; }
    bool paintGlyph(HDC, int32_t, int32_t, int32_t, int32_t, const wchar_t*, int, int, int) override { return false; }
    void applyToFonts(s::gui::IFont*, s::gui::IFont*) override {}
    void applyToFontSettings(s::gui::IFontSetting*, s::gui::IFontSetting*) override {}
    s::gui::IFontSetting* getTextStyle1() override { return nullptr; }
    s::gui::IFontSetting* getTextStyle2() override { return nullptr; }
    void applySecondToFonts(s::gui::IFont*) override {}
    void applySecondToFontSettings(s::gui::IFontSetting*) override {}
    s::gui::IFontSetting* getSecondTextStyle1() override { return nullptr; }
    void setShaded(bool) override {}
};

// A text drawer that lays text out with DrawTextW in the font's handle, wrapping and
// ellipsising as the font says, and counts its calls.
class DrawTextDrawer : public s::gui::drawer::IText {
public:
    int measures = 0;
    int rectMeasures = 0;
    int paints = 0;
    bool lastEllipsis = false;
    s::gui::IFont* lastFont = nullptr;
    std::wstring lastText;

    const wchar_t* getClassName() const override { return L"test_DrawTextDrawer"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    static UINT flagsOf(s::gui::IFont* font) {
        UINT f = DT_NOPREFIX | DT_LEFT | DT_TOP;
        if (font && font->isWordWrap()) f |= DT_WORDBREAK;
        if (font && font->isEndEllipsis()) f |= DT_END_ELLIPSIS | DT_SINGLELINE;
        return f;
    }
    static RECT layOut(HDC dc, const wchar_t* text, s::gui::IFont* font, RECT box, UINT flags) {
        HGDIOBJ old = SelectObject(dc, font->getHandle());
        DrawTextW(dc, text ? text : L"", -1, &box, flags | DT_CALCRECT);
        SelectObject(dc, old);
        return box;
    }
    void paint(HDC dc, int32_t l, int32_t t, int32_t r, int32_t b, const wchar_t* text, s::gui::IFont* font) override {
        ++paints;
        lastFont = font;
        lastText = text ? text : L"";
        lastEllipsis = font && font->isEndEllipsis();
        RECT box{l, t, r, b};
        HGDIOBJ old = SelectObject(dc, font->getHandle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, font->getColor());
        DrawTextW(dc, text ? text : L"", -1, &box, flagsOf(font));
        SelectObject(dc, old);
    }
    int32_t measureInRect(HDC dc, int32_t l, int32_t t, int32_t r, int32_t b, const wchar_t* text, s::gui::IFont* font,
                          int32_t* width, int32_t* height) override {
        ++rectMeasures;
        const RECT box = layOut(dc, text, font, RECT{l, t, r, b}, flagsOf(font));
        *width = box.right - box.left;
        if (*width > r - l) *width = r - l;
        *height = box.bottom - box.top;
        return *height;
    }
    void measure(HDC dc, const wchar_t* text, s::gui::IFont* font, int32_t* a, int32_t* b, int32_t* c,
                 int32_t* d) override {
        ++measures;
        const RECT line = layOut(dc, text, font, RECT{0, 0, 0, 0}, DT_NOPREFIX | DT_SINGLELINE);
        *a = *c = line.right;
        *b = *d = line.bottom;
        if (font->isEndEllipsis()) *a = 1;
    }
    void applyToFonts(s::gui::IFont*, s::gui::IFont*, s::gui::IFont*, s::gui::IFont*, s::gui::IFont*) override {}
    void applyToFontSettings(s::gui::IFontSetting*, s::gui::IFontSetting*, s::gui::IFontSetting*, s::gui::IFontSetting*,
                             s::gui::IFontSetting*) override {}
    s::gui::IFontSetting* getStyle1() override { return nullptr; }
    s::gui::IFontSetting* getStyle2() override { return nullptr; }
    s::gui::IFontSetting* getStyle3() override { return nullptr; }
    s::gui::IFontSetting* getStyle4() override { return nullptr; }
    s::gui::IFontSetting* getStyle5() override { return nullptr; }
    void setTextFlag(bool) override {}
};

}  // namespace controltest
