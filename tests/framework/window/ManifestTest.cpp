// Test programs carry the Common Controls 6 manifest, as the program does.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "framework/window/Wnd.h"

namespace {

TEST(TestProgram, ControlsAreTheVersion6Ones) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    CWnd button;
    ASSERT_TRUE(button.CreateEx(0, L"BUTTON", L"Measure me", WS_POPUP | BS_PUSHBUTTON, 0, 0, 10, 10, nullptr, nullptr));
    SIZE ideal{};
    ASSERT_TRUE(button.SendMessage(BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
    EXPECT_GT(ideal.cx, 20);
    EXPECT_GT(ideal.cy, 5);
    button.DestroyWindow();
}

}  // namespace
