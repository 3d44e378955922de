// The one window class of the toolkit's own windows, boxes and drawn controls, and its
// window procedure, which hands the notifications of standard child controls back to
// those controls as the library's private messages 0x8003-0x8015.
//
//   if (!s::gui::win::registerWindowClass()) return false;
//   CreateWindowExW(0, s::gui::win::kWindowClassName, L"", WS_CHILD, ...);
#pragma once

#include <windows.h>

#include <cstdint>

namespace s::gui::win {

inline constexpr const wchar_t* kWindowClassName = L"TovrelWindowClass";

// Registers the class once per process; true when it is (or already was) registered.
// A failure shows "Window Registration Failed!" and answers false.
bool registerWindowClass();

// The class's window procedure: reflection of control notifications, the arrow cursor,
// click activation, menu-owner forwarding and 0x8001 (the window closes). Everything
// else is DefWindowProcW.
LRESULT CALLBACK genericWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The library message that a WM_COMMAND notification code or a WM_NOTIFY code is
// reflected as; 0 when the code is not reflected.
uint32_t reflectedCommandMessage(uint32_t notifyCode);
uint32_t reflectedNotifyMessage(int32_t nmCode);

// The failure boxes of native creation ("Window Creation Failed!", "Error!", a warning
// icon, no owner). Tests replace the box with a handler that records the text; null
// restores the real box.
using FailureBoxFn = void (*)(const wchar_t* text, const wchar_t* caption);
void setFailureBoxHandler(FailureBoxFn handler);
void showFailureBox(const wchar_t* text, const wchar_t* caption);

}  // namespace s::gui::win
