// A thread with a message loop, started by its class.
//
//   class Worker : public CWinThread {
//       BOOL InitInstance() override { return wnd.CreateEx(...); }   // false ends the thread
//       CWnd wnd;
//   };
//   Worker* t = AfxBeginThread<Worker>();     // new Worker, running InitInstance then Run
//   t->PostThreadMessage(WM_QUIT, 0, 0);
//   WaitForSingleObject(t->m_hThread, INFINITE);
//   delete t;                                 // never deletes itself
//
// The thread runs InitInstance; when it answers true, Run pumps messages until
// WM_QUIT and ExitInstance gives the exit code; when it answers false, ExitInstance
// runs at once. Before a queued message is dispatched it is offered to
// PreTranslateMessage of the window it is for, then of each parent up to the
// top-level window (innermost first); the first that answers true consumes it.
#pragma once

#include <windows.h>

class CWnd;

class CWinThread {
public:
    CWinThread() = default;
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Start-up on the new thread; false ends it.
    virtual BOOL InitInstance() { return FALSE; }
    // The message loop; answers ExitInstance's code.
    virtual int Run();
    // Clean-up on the thread; answers the exit code (WM_QUIT's wParam).
    virtual int ExitInstance() { return static_cast<int>(m_msgCur.wParam); }
    // Offers msg to the window tree, innermost window first.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Starts the thread (flags: CREATE_SUSPENDED or 0). False when it is running already
    // or could not start.
    BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0);
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    BOOL SetThreadPriority(int priority) { return ::SetThreadPriority(m_hThread, priority); }
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::PostThreadMessageW(m_nThreadID, message, wParam, lParam);
    }
    operator HANDLE() const { return m_hThread; }

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    CWnd* m_pMainWnd = nullptr;
    MSG m_msgCur{};

private:
    static unsigned __stdcall entry(void* self);
};

// The framework thread object of the calling thread, or null.
CWinThread* AfxGetThread();

// Makes a T (a CWinThread) and starts it; null when the thread cannot start.
template <class T>
T* AfxBeginThread(int priority = THREAD_PRIORITY_NORMAL, UINT stackSize = 0, DWORD createFlags = 0) {
    T* thread = new T();
    if (!thread->CreateThread(createFlags | CREATE_SUSPENDED, stackSize)) {
        delete thread;
        return nullptr;
    }
    thread->SetThreadPriority(priority);
    if (!(createFlags & CREATE_SUSPENDED)) thread->ResumeThread();
    return thread;
}
