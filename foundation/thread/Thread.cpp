#include "foundation/thread/Thread.h"

#include <windows.h>

#include <new>

namespace s::thread::win {

namespace {

// Worker phases, so that a worker is abandoned only where it holds nothing of ours.
enum : int32_t {
    kInOwnCode = 0,  // may hold or be about to take the lock
    kInTask = 1,     // inside a task body, the lock left
    kAbandoned = 2,  // left by its Thread: the block is the worker's own from now on
};

// Stands in for the block of a thread that could not get one: idle, no OS thread.
ThreadControl* unusableControl() {
    static ThreadControl* block = [] {
        static ThreadControl c;
        c.idle = 1;
        return &c;
    }();
    return block;
}

// The control block of the worker running on this OS thread (none elsewhere).
thread_local ThreadControl* currentControl = nullptr;

// Milliseconds of the performance counter: the tick count may step in 16 ms strides,
// which would cut pauses short.
uint64_t clockMs() {
    static const uint64_t frequency = [] {
        LARGE_INTEGER f;
        return QueryPerformanceFrequency(&f) && f.QuadPart > 0 ? uint64_t(f.QuadPart) : 1000u;
    }();
    LARGE_INTEGER c;
    if (!QueryPerformanceCounter(&c)) return GetTickCount64();
    return uint64_t(c.QuadPart) / frequency * 1000u + uint64_t(c.QuadPart) % frequency * 1000u / frequency;
}

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

// Leaves the task phase; false when the Thread has abandoned this worker, which must
// then touch nothing but its own control block.
bool leaveTask(ThreadControl* c) {
    int32_t expected = kInTask;
    return c->phase.compare_exchange_strong(expected, kInOwnCode);
}

DWORD WINAPI workerLoop(void* param) {
    ThreadControl* c = static_cast<ThreadControl*>(param);
    currentControl = c;
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
                if (!leaveTask(c)) {
                    // Abandoned while the body ran: end quietly.
                    currentControl = nullptr;
                    delete c;
                    return 0;
                }
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

Thread::Thread() : control_(new (std::nothrow) ThreadControl()) {
    wake_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    idleEvent_ = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    startOsThread();
}

Thread::~Thread() {
    bool ended = true;
    if (handle_) {
        exitAndWait();
        // The routine's last instructions after finished.
        ended = WaitForSingleObject(handle_, 5000) == WAIT_OBJECT_0;
        CloseHandle(handle_);
        handle_ = nullptr;
    }
    // A worker that has not ended keeps its block and events.
    if (!ended) return;
    if (control_ != unusableControl()) delete control_;
    if (wake_) CloseHandle(wake_);
    if (idleEvent_) CloseHandle(idleEvent_);
    wake_ = idleEvent_ = nullptr;
}

bool Thread::stopRequested() { return currentControl && currentControl->stopRequested.load() != 0; }

void Thread::startOsThread() {
    threadId_ = 0;
    handle_ = nullptr;
    // A fresh block for every OS thread: an abandoned worker keeps its own.
    if (!control_) control_ = new (std::nothrow) ThreadControl();
    if (!control_) {
        control_ = unusableControl();
        return;
    }
    control_->handle = nullptr;
    control_->delay = 0;
    control_->task = nullptr;
    control_->remaining = 0;
    control_->mode = kNoPause;
    control_->interval = 0;
    control_->started = 0;
    control_->exitRequested = 0;
    control_->finished = 0;
    control_->stopRequested = 0;
    control_->phase = kInOwnCode;
    control_->lock = &locker_;
    control_->wake = wake_;
    control_->idleEvent = idleEvent_;
    control_->idle = 1;
    if (idleEvent_) SetEvent(idleEvent_);
    priority_ = 0;
    if (!wake_ || !idleEvent_) return;
    DWORD id = 0;
    HANDLE h = CreateThread(nullptr, 0, workerLoop, control_, CREATE_SUSPENDED, &id);
    if (!h) return;
    handle_ = h;
    threadId_ = id;
    control_->handle = h;
    setPriority(priority_);
}

void Thread::signal() {
    ++control_->generation;
    if (wake_) SetEvent(wake_);
}

int32_t Thread::startSeries(ITask* task, int32_t count, int32_t mode, int32_t ms) {
    locker_.enter();
    control_->task = task;
    control_->delay = 0;
    control_->remaining = count;
    control_->mode = mode;
    control_->interval = ms;
    control_->started = 0;
    control_->idle = 0;
    control_->finished = 0;
    control_->stopRequested = 0;
    if (idleEvent_) ResetEvent(idleEvent_);
    signal();
    locker_.leave();
    return resume();
}

int32_t Thread::resume() {
    if (wake_) SetEvent(wake_);
    if (!handle_) return -1;
    DWORD previous;
    do { previous = ResumeThread(handle_); } while (previous != DWORD(-1) && previous > 1);
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
    control_->delay = ms;
}

void Thread::waitIdle() {
    // Without an OS thread nothing will ever run: do not wait for it.
    while (handle_ && !control_->idle) {
        HANDLE waits[2] = {idleEvent_, handle_};
        if (WaitForMultipleObjects(2, waits, FALSE, 20) == WAIT_OBJECT_0 + 1) return;  // the OS thread ended
    }
}

namespace {

// Until the worker is idle or has ended, at most ms; true when it is.
bool idleWithin(ThreadControl* c, void* idleEvent, int32_t ms) {
    const uint64_t deadline = clockMs() + uint64_t(ms > 0 ? ms : 0);
    for (;;) {
        if (c->idle || c->finished) return true;
        const uint64_t now = clockMs();
        if (now >= deadline) return false;
        const uint64_t left = deadline - now;
        WaitForSingleObject(idleEvent, DWORD(left < 20 ? left : 20));
    }
}

}  // namespace

void Thread::waitIdleOrAbandon(int32_t ms) {
    if (!handle_) return;
    if (idleWithin(control_, idleEvent_, ms)) return;
    // Stop the series and ask the body to end; a worker that is only pausing goes idle
    // by itself, a body that polls stopRequested() returns.
    locker_.enter();
    control_->remaining = 0;
    control_->delay = 0;
    control_->stopRequested = 1;
    signal();
    locker_.leave();
    resume();
    if (idleWithin(control_, idleEvent_, ms)) return;
    for (;;) {
        if (control_->idle || control_->finished) return;
        int32_t expected = kInTask;
        if (control_->phase.compare_exchange_strong(expected, kAbandoned)) break;
        // In our own short bookkeeping: it reaches idle (or a task body) at once.
        WaitForSingleObject(idleEvent_, 1);
    }
    // The worker is inside a task body and has given up its block: it deletes the block
    // and ends when the body returns. Carry on with a new OS thread and block.
    const int32_t priority = priority_;
    CloseHandle(handle_);
    handle_ = nullptr;
    control_ = nullptr;
    startOsThread();
    setPriority(priority);
}

void Thread::stopRepeating() {
    locker_.enter();
    control_->remaining = 0;
    signal();
    locker_.leave();
    resume();
}

void Thread::stopAndWait() {
    stopRepeating();
    waitIdle();
}

void Thread::waitExit() {
    while (handle_ && !control_->finished) {
        resume();
        WaitForSingleObject(handle_, 100);
    }
}

void Thread::requestExit() {
    locker_.enter();
    control_->exitRequested = 1;
    control_->stopRequested = 1;
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
    if (!control_->idle) stopAndWait();
    setPriority(0);
    suspend();
    control_->idle = 1;
    runFunction_ = nullptr;
}

}  // namespace s::thread::win
