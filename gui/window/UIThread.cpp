#include "gui/window/UIThread.h"

#include <commctrl.h>
#include <objbase.h>

#include "framework/app/Afx.h"

namespace s::gui::win {

UIThread* UIThread::start(IThreadWindow* window) {
    // Started suspended, so the window is handed over before the thread looks at it.
    auto* t = AfxBeginThread<UIThread>(THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!t) return nullptr;
    t->window_ = window;
    t->ResumeThread();
    return t;
}

BOOL UIThread::InitInstance() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), 0xFF};
    InitCommonControlsEx(&icc);
    AfxOleInit();
    // A second window's thread is told RPC_E_TOO_LATE: the process keeps the first setting.
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                         EOAC_NONE, nullptr);
    AfxEnableControlContainer();
    if (!window_ || !window_->createOwnerWindow()) return FALSE;
    window_->createNativeWindow();
    running_.store(true);
    return TRUE;
}

int UIThread::ExitInstance() {
    running_.store(false);
    return CWinThread::ExitInstance();
}

bool UIThread::hasEnded() const { return !m_hThread || WaitForSingleObject(m_hThread, 0) == WAIT_OBJECT_0; }

bool UIThread::waitUntilReady() const {
    for (;;) {
        if (running_.load()) return true;
        if (!m_hThread || WaitForSingleObject(m_hThread, 10) == WAIT_OBJECT_0) return running_.load();
    }
}

void quitUIThread(UIThread* thread) {
    if (!thread) return;
    if (GetCurrentThreadId() == thread->m_nThreadID) {
        // Ending from inside the loop: the loop ends after this message; the object
        // cannot be deleted under the running thread and is left to the process.
        PostQuitMessage(0);
        return;
    }
    const ULONGLONG start = GetTickCount64();
    auto spent = [&] { return DWORD(GetTickCount64() - start); };
    while (thread->isRunning() && spent() < 5000) {
        if (thread->PostThreadMessage(WM_QUIT, 0, 0)) break;
        Sleep(10);
    }
    const DWORD used = spent();
    const DWORD rest = used < 5000 ? 5000 - used : 0;
    if (thread->m_hThread && WaitForSingleObject(thread->m_hThread, rest) != WAIT_OBJECT_0) {
        OutputDebugStringW(L"Glimmer: a window thread did not end within 5 seconds; it is left running\n");
        return;
    }
    delete thread;
}

bool isShiftDown() { return GetAsyncKeyState(VK_LSHIFT) < 0 || GetAsyncKeyState(VK_RSHIFT) < 0; }

}  // namespace s::gui::win
