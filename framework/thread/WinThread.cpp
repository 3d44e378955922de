#include "framework/thread/WinThread.h"

#include <process.h>

#include "framework/app/Afx.h"
#include "framework/window/Wnd.h"

namespace {

thread_local CWinThread* t_current = nullptr;

}  // namespace

CWinThread* AfxGetThread() { return t_current; }

CWinThread::~CWinThread() {
    if (m_hThread) CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD createFlags, UINT stackSize) {
    if (m_hThread) return FALSE;
    unsigned id = 0;
    uintptr_t h = _beginthreadex(nullptr, stackSize, &CWinThread::entry, this, createFlags & CREATE_SUSPENDED, &id);
    if (!h) return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(h);
    m_nThreadID = id;
    return TRUE;
}

unsigned __stdcall CWinThread::entry(void* self) {
    auto* thread = static_cast<CWinThread*>(self);
    t_current = thread;
    int code = thread->InitInstance() ? thread->Run() : thread->ExitInstance();
    CWnd::DeleteTempMap();
    AfxOleTerm();
    t_current = nullptr;
    return static_cast<unsigned>(code);
}

int CWinThread::Run() {
    for (;;) {
        BOOL got = GetMessageW(&m_msgCur, nullptr, 0, 0);
        if (got == 0) break;  // WM_QUIT
        if (got == -1) continue;
        if (!PreTranslateMessage(&m_msgCur)) {
            TranslateMessage(&m_msgCur);
            DispatchMessageW(&m_msgCur);
        }
        MSG next;
        if (!PeekMessageW(&next, nullptr, 0, 0, PM_NOREMOVE)) CWnd::DeleteTempMap();
    }
    return ExitInstance();
}

BOOL CWinThread::PreTranslateMessage(MSG* msg) {
    for (HWND hwnd = msg->hwnd; hwnd;) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd); wnd && wnd->PreTranslateMessage(msg)) return TRUE;
        if (!(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)) break;
        hwnd = GetParent(hwnd);
    }
    return FALSE;
}
