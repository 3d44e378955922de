#include "foundation/thread/Thread.h"

#include <windows.h>

namespace s::thread::win {

namespace {

// Worker phases, for a kill that never catches the worker inside our lock.
enum : int32_t {
    kInOwnCode = 0,  // may hold or be about to take the lock
    kInTask = 1,     // inside a task body, the lock left
    kKilled = 2,     // claimed by waitIdleOrKill: the worker must not touch the lock again
};

inline uint64_t clockMs() { return GetTickCount64(); }

// Sleeps ms unless a control call (run, stop, exit) arrives meanwhile. A stale wake-up
// that brings no new call does not shorten the sleep.
void pause(ThreadControl* c, int64_t ms, uint32_t generation) {
    if (ms <= 0) return;
    const uint64_t deadline = clockMs() + uint64_t(ms);
    for (;;) {
        const uint64_t now = clockMs();
        if (now >= deadline) return;
        if (WaitForSingleObject(c->wake, DWORD(deadline - now)) != WAIT_OBJECT_0) return;
        c->lock->enter();
        const bool changed = c->generation != generation;
        c->lock->leave();
        if (changed) return;
    }
}

// Leaves the task phase; false when the thread has been claimed for killing, in which
// case it waits to be killed without touching the lock.
bool leaveTask(ThreadControl* c) {
    int32_t expected = kInTask;
    if (c->phase.compare_exchange_strong(expected, kInOwnCode)) return true;
    for (;;) Sleep(INFINITE);
}

DWORD WINAPI workerLoop(void* param) {
    ThreadControl* c = static_cast<ThreadControl*>(param);
    c->lock->enter();
    c->started = 1;
    while (!c->exitRequested) {
        if (c->delay != 0) {
            const int32_t delay = c->delay;
            const uint32_t generation = c->generation;
            c->delay = 0;
            c->lock->leave();
            pause(c, delay, generation);
            while (c->idle && !c->exitRequested) WaitForSingleObject(c->wake, INFINITE);
        } else if (c->remaining != 0) {
            if (c->remaining != -1) --c->remaining;
            ITask* task = c->task;
            const int32_t count = c->remaining;
            const int32_t mode = c->mode;
            const int32_t interval = c->interval;
            const uint32_t generation = c->generation;
            c->lock->leave();
            const uint64_t t0 = clockMs();
            if (task) {
                // Only now, with the lock left, may a kill take this thread.
                c->phase.store(kInTask);
                task->run();
                leaveTask(c);
                if (mode == kFixedSleep && count != 0) {
                    pause(c, interval, generation);
                } else if (mode == kFixedRate && count != 0) {
                    pause(c, int64_t(t0 + uint64_t(interval > 0 ? interval : 0)) - int64_t(clockMs()), generation);
                }
            }
        } else {
            // Nothing to do: idle until a control call. The wake event is set after
            // every change, so a request made from now on is never slept through.
            c->idle = 1;
            SetEvent(c->idleEvent);
            c->lock->leave();
            while (c->idle && !c->exitRequested) WaitForSingleObject(c->wake, INFINITE);
        }
        c->lock->enter();
        c->started = 1;
    }
    c->lock->leave();
    // The control block may go away once finished is seen: touch nothing after it.
    SetEvent(c->idleEvent);
    c->finished = 1;
    return 0;
}

}  // namespace

Thread::Thread() {
    control_.wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    control_.idleEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    startOsThread();
}

Thread::~Thread() {
    if (handle_) {
        exitAndWait();
        WaitForSingleObject(handle_, 5000);  // the routine's last instructions after finished
        CloseHandle(handle_);
        handle_ = nullptr;
    }
    if (control_.wake) CloseHandle(control_.wake);
    if (control_.idleEvent) CloseHandle(control_.idleEvent);
    control_.wake = control_.idleEvent = nullptr;
}

void Thread::startOsThread() {
    threadId_ = 0;
    handle_ = nullptr;
    control_.handle = nullptr;
    control_.delay = 0;
    control_.task = nullptr;
    control_.remaining = 0;
    control_.mode = kNoPause;
    control_.interval = 0;
    control_.started = 0;
    control_.exitRequested = 0;
    control_.finished = 0;
    control_.phase = kInOwnCode;
    control_.lock = &locker_;
    control_.idle = 1;
    if (control_.idleEvent) SetEvent(control_.idleEvent);
    priority_ = 0;
    if (!control_.wake || !control_.idleEvent) return;
    DWORD id = 0;
    HANDLE h = CreateThread(nullptr, 0, workerLoop, &control_, CREATE_SUSPENDED, &id);
    if (!h) return;
    handle_ = h;
    threadId_ = id;
    control_.handle = h;
    setPriority(priority_);
}

void Thread::signal() {
    ++control_.generation;
    if (control_.wake) SetEvent(control_.wake);
}

int32_t Thread::startSeries(ITask* task, int32_t count, int32_t mode, int32_t ms) {
    locker_.enter();
    control_.task = task;
    control_.delay = 0;
    control_.remaining = count;
    control_.mode = mode;
    control_.interval = ms;
    control_.started = 0;
    control_.idle = 0;
    control_.finished = 0;
    if (control_.idleEvent) ResetEvent(control_.idleEvent);
    signal();
    locker_.leave();
    return resume();
}

int32_t Thread::resume() {
    if (control_.wake) SetEvent(control_.wake);
    if (!handle_) return -1;
    DWORD previous;
    do {
        previous = ResumeThread(handle_);
    } while (previous != DWORD(-1) && previous > 1);
    return int32_t(previous);
}

int32_t Thread::suspend() {
    if (!handle_) return -1;
    ObjLocker::Guard hold(locker_);
    return int32_t(SuspendThread(handle_));
}

int32_t Thread::getPriority() const { return handle_ ? GetThreadPriority(handle_) : THREAD_PRIORITY_ERROR_RETURN; }

bool Thread::setPriority(int32_t priority) {
    priority_ = priority;
    return handle_ && SetThreadPriority(handle_, priority);
}

void Thread::setDelay(int32_t ms) {
    ObjLocker::Guard hold(locker_);
    control_.delay = ms;
}

void Thread::waitIdle() {
    // Without an OS thread nothing will ever run: do not wait for it.
    while (handle_ && !control_.idle) {
        HANDLE waits[2] = {control_.idleEvent, handle_};
        if (WaitForMultipleObjects(2, waits, FALSE, 20) == WAIT_OBJECT_0 + 1) return;  // the OS thread ended
    }
}

void Thread::waitIdleOrKill(int32_t ms) {
    if (!handle_) return;
    const uint64_t deadline = clockMs() + uint64_t(ms > 0 ? ms : 0);
    for (;;) {
        if (control_.idle) return;
        const uint64_t now = clockMs();
        if (now >= deadline) break;
        const uint64_t left = deadline - now;
        WaitForSingleObject(control_.idleEvent, DWORD(left < 20 ? left : 20));
    }
    // Stop the series; a worker that is only pausing goes idle by itself.
    locker_.enter();
    control_.remaining = 0;
    control_.delay = 0;
    signal();
    locker_.leave();
    resume();
    for (;;) {
        if (control_.idle || control_.finished) return;
        int32_t expected = kInTask;
        if (control_.phase.compare_exchange_strong(expected, kKilled)) break;
        // In our own short bookkeeping: it reaches idle (or a task body) at once.
        WaitForSingleObject(control_.idleEvent, 1);
    }
    // The worker is inside a task body and will never take the lock again: kill it.
    const int32_t priority = priority_;
    TerminateThread(handle_, 0);
    WaitForSingleObject(handle_, 5000);
    CloseHandle(handle_);
    handle_ = nullptr;
    startOsThread();
    setPriority(priority);
}

void Thread::stopRepeating() {
    locker_.enter();
    control_.remaining = 0;
    signal();
    locker_.leave();
    resume();
}

void Thread::stopAndWait() {
    stopRepeating();
    waitIdle();
}

void Thread::waitExit() {
    while (handle_ && !control_.finished) {
        resume();
        WaitForSingleObject(handle_, 100);
    }
}

void Thread::requestExit() {
    locker_.enter();
    control_.exitRequested = 1;
    signal();
    locker_.leave();
    resume();
}

void Thread::exitAndWait() {
    requestExit();
    waitExit();
}

void Thread::run() {
    if (runFunction_) runFunction_(this);
}

void Thread::reset() {
    if (!control_.idle) stopAndWait();
    setPriority(0);
    suspend();
    control_.idle = 1;
    runFunction_ = nullptr;
}

}  // namespace s::thread::win
