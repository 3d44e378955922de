// Shared by the check box, radio button and combo box tests: a top-most window away from
// the screen's corner with a column panel, real clicks through SendInput, and fakes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cwchar>

#include "gui/box/Box.h"
#include "gui/drawer/ICheckBox.h"
#include "gui/window/WindowTestSupport.h"
#include "support/FakeComponent.h"

namespace formtest {

using windowtest::Recorder;
using windowtest::waitFor;

// A left click at the screen point: the pointer moves there first within the same input,
// then the button goes down and up.
inline void clickAt(int x, int y) {
    SetCursorPos(x, y);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[3]{};
    for (INPUT& i : in) i.type = INPUT_MOUSE;
    in[0].mi.dx = LONG((x * 65535LL + w / 2) / (w - 1));
    in[0].mi.dy = LONG((y * 65535LL + h / 2) / (h - 1));
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, in, sizeof(INPUT));
}

// Clicks near the middle of the window, as the user would. Clicks in a row alternate a few
// pixels left and right of the middle, so that two quick ones are never taken for a double
// click.
inline void clickMiddleOf(HWND hwnd) {
    static int clicks = 0;
    RECT r;
    GetWindowRect(hwnd, &r);
    clickAt((r.left + r.right) / 2 + (clicks++ % 2 ? 6 : -6), (r.top + r.bottom) / 2);
}

// A component that keeps an editable state, as a text field does.
class EditableFake : public testsupport::FakeComponent {
public:
    bool editableState = false;
    bool isEditable() override { return editableState; }
    void setEditable(bool editable) override { editableState = editable; }
};

// A visible top-most window at (300, 200) with a column panel of 360 x 240 in it.
class FormWindowTest : public windowtest::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->setBounds(300, 200, 400, 300);
        window->setVisible(true, true);
        SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(hwnd());
        panel = s::gui::win::Box::createSized(s::gui::LayoutKind::kColumn, 360, 240, 0, 0, 4);
        window->addChild(panel);
        ASSERT_NE(panel->m_hWnd, nullptr);
        panel->setSizeClamped(1000, 1000);
    }
    // Adds the control to the panel (attached on the window's thread, laid out in the
    // column).
    template <class C>
    C* attach(C* control) {
        panel->addChild(control);
        EXPECT_NE(control->m_hWnd, nullptr);
        panel->doLayout();
        return control;
    }

    s::gui::win::Box* panel = nullptr;
};

}  // namespace formtest

namespace formtest {

// A check box drawer that fills its rectangle and remembers what it was asked.
class FakeCheckBoxDrawer : public s::gui::drawer::ICheckBox {
public:
    std::atomic<int> paints{0};
    bool lastChecked = false;
    int32_t lastBoxSize = -1;
    s::gui::IFont* normal = nullptr;
    s::gui::IFont* second = nullptr;
    const wchar_t* getClassName() const override { return L"test_FakeCheckBoxDrawer"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void setFlag1(bool) override {}
    void setFlag2(bool) override {}
    void setColorA(int, int, int) override {}
    void setTextColor2(int, int, int) override {}
    void setColorB(int, int, int) override {}
    void setBoxLineColor(int, int, int) override {}
    void applyToFonts(s::gui::IFont* n, s::gui::IFont* d) override {
        normal = n;
        second = d;
    }
    void paint(HDC dc, int32_t l, int32_t t, int32_t r, int32_t b, int32_t boxSize, bool checked, const wchar_t*,
               s::gui::IFont*) override {
        const RECT rect{l, t, r, b};
        HBRUSH brush = CreateSolidBrush(checked ? RGB(0, 200, 0) : RGB(200, 0, 0));
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
        lastChecked = checked;
        lastBoxSize = boxSize;
        ++paints;
    }
    // A box of 16 plus 8 pixels a character, 16 high.
    void measure(HDC, const wchar_t* text, s::gui::IFont*, int32_t* minW, int32_t* minH, int32_t* prefW,
                 int32_t* prefH) override {
        *minW = *prefW = 16 + 8 * int32_t(wcslen(text));
        *minH = *prefH = 16;
    }
};

// A radio button drawer that remembers the scratch surface it was given.
class FakeRadioDrawer : public s::gui::drawer::IRadioButton {
public:
    std::atomic<int> paints{0};
    bool lastChecked = false;
    SIZE scratchSize{0, 0};
    COLORREF lastFill = 0;
    const wchar_t* getClassName() const override { return L"test_FakeRadioDrawer"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void setFlag(bool) override {}
    void setTextColor1(int, int, int) override {}
    void setTextColor2(int, int, int) override {}
    void setColorA(int, int, int) override {}
    void setColorB(int, int, int) override {}
    void applyToFonts(s::gui::IFont*, s::gui::IFont*) override {}
    void paint(HDC, HDC scratch, int32_t, int32_t, int32_t, int32_t, bool selected, const wchar_t*, s::gui::IFont*,
               COLORREF fill) override {
        BITMAP bm{};
        GetObjectW(GetCurrentObject(scratch, OBJ_BITMAP), sizeof(bm), &bm);
        scratchSize = {bm.bmWidth, bm.bmHeight};
        lastChecked = selected;
        lastFill = fill;
        ++paints;
    }
};

}  // namespace formtest
