// Helpers for the framework's window tests: waiting with a time-out while this
// thread's messages keep flowing, and a window class whose own procedure leaves a
// trace, so a test can see whether a message reached it.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>

namespace fwtest {

// Polls cond every millisecond, pumping this thread's messages, until it holds or
// timeoutMs have passed; answers the last value of cond.
inline bool waitUntil(const std::function<bool()>& cond, DWORD timeoutMs = 5000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (cond()) return true;
        if (GetTickCount64() >= end) return cond();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

// The message the trace class answers with kTraceAnswer.
constexpr UINT kTraceMessage = WM_APP + 1;
constexpr LRESULT kTraceAnswer = 42;
inline std::atomic<int> traceCount{0};

inline LRESULT CALLBACK traceProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kTraceMessage) {
        ++traceCount;
        return kTraceAnswer;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// "GlimmerTraceClass": answers kTraceMessage with kTraceAnswer and counts it.
inline const wchar_t* traceClass() {
    static const wchar_t* name = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = traceProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"GlimmerTraceClass";
        RegisterClassExW(&wc);
        return L"GlimmerTraceClass";
    }();
    return name;
}

}  // namespace fwtest
