// Shared by the check box, radio button and combo box tests: a top-most window away from
// the screen's corner with a column panel, real clicks through SendInput, and fakes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "gui/box/Box.h"
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
