// The GUI thread of a top-level window: one per window. It makes the window's hidden
// owner and the window itself, then runs their message loop until it is told to quit.
//
//   UIThread* t = UIThread::start(&client);   // client: the window (IThreadWindow)
//   if (!t->waitUntilReady()) ...             // the thread ended: no window was made
//   ...
//   quitUIThread(t);                          // ends the loop and deletes the thread
#pragma once

#include <windows.h>

#include <atomic>

#include "framework/thread/WinThread.h"

namespace s::gui::win {

// What a GUI thread makes on behalf of its window, on the thread itself.
class IThreadWindow {
public:
    virtual ~IThreadWindow() = default;
    // The hidden owner window; false ends the thread at once.
    virtual bool createOwnerWindow() = 0;
    // The window itself; a failure leaves the thread running without it.
    virtual bool createNativeWindow() = 0;
};

class UIThread : public CWinThread {
public:
    // Starts a GUI thread for the window; null when no thread could be started.
    static UIThread* start(IThreadWindow* window);

    BOOL InitInstance() override;
    int ExitInstance() override;

    // True from the end of the start-up (handles made) until the loop ends.
    bool isRunning() const { return running_.load(); }
    // True once the thread has ended (or was never started).
    bool hasEnded() const;
    // Waits in 10 ms steps until the start-up completed or the thread ended; true when
    // the thread runs its loop. Never waits for ever: a thread that ends without
    // completing its start-up (its owner window could not be made) ends the wait.
    bool waitUntilReady() const;

private:
    IThreadWindow* window_ = nullptr;
    std::atomic<bool> running_{false};
};

// Ends a GUI thread: WM_QUIT is posted every 10 ms while the loop runs until a post
// succeeds (at most 5 s), then the thread's end is awaited for the rest of the 5 s and
// the thread object deleted. A thread that does not end is never suspended (it could
// hold a lock the whole process needs): it is left running and its object kept. Called
// on the thread itself, it only posts the quit and leaves the object to the thread's end.
// Null does nothing.
void quitUIThread(UIThread* thread);

// True while the left or the right Shift key is down.
bool isShiftDown();

}  // namespace s::gui::win
