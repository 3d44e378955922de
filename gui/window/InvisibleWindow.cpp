#include "gui/window/InvisibleWindow.h"

#include <atomic>

#include "gui/window/WindowClass.h"

namespace s::gui::win {

namespace {
std::atomic<bool> g_failCreation{false};
}  // namespace

void InvisibleWindow::setFailCreationForTest(bool fail) { g_failCreation.store(fail); }

InvisibleWindow::~InvisibleWindow() {
    // A handle still alive here belongs to a thread that is still running: ask it.
    if (m_hWnd && ::IsWindow(m_hWnd)) ::SendMessageW(m_hWnd, 0x8001, 0, 0);
}

bool InvisibleWindow::create() {
    registerWindowClass();
    if (g_failCreation.load() || !CreateEx(0, kWindowClassName, L"", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr)) {
        showFailureBox(L"Window Creation Failed!", L"Error!");
        return false;
    }
    ShowWindow(SW_HIDE);
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    return true;
}

}  // namespace s::gui::win
