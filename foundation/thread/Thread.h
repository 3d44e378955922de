// The library's worker thread: one OS thread that runs a task once, a number of times
// or forever, with an optional one-shot delay and a pause between runs (a fixed sleep,
// or a fixed rate that subtracts the run's own duration). It waits on an event while
// it has nothing to do, so a request never goes unnoticed.
#pragma once

#include <atomic>
#include <cstdint>

#include "foundation/thread/Pool.h"

namespace s::thread {

// A task body that a worker thread runs.
class ITask {
public:
    virtual ~ITask() = default;
    virtual void run() = 0;
};

class IThread : public base::IObject {
public:
    virtual uint32_t getThreadId() const = 0;
    // Each run operation replaces what the thread was doing (without waiting for a
    // running task body) and wakes it; it returns the result of resume().
    virtual int32_t runOnce(ITask* task) = 0;
    virtual int32_t runTimes(ITask* task, int32_t count) = 0;
    virtual int32_t runTimesEvery(ITask* task, int32_t count, int32_t ms) = 0;
    virtual int32_t runTimesAtRate(ITask* task, int32_t count, int32_t ms) = 0;
    virtual int32_t runForever(ITask* task) = 0;
    virtual int32_t runForeverEvery(ITask* task, int32_t ms) = 0;
    virtual int32_t runForeverAtRate(ITask* task, int32_t ms) = 0;
    virtual bool isIdle() const = 0;
    // Until the idle flag is set (a task that never returns blocks it forever).
    virtual void waitIdle() = 0;
    // Waits for idle at most about ms; then stops the series and asks the task body to
    // end (Thread::stopRequested() turns true inside it), and waits at most ms again.
    // A body still running then is abandoned: its OS thread is left to finish on its
    // own (it never touches this thread's state again) and a new OS thread takes over.
    // A thread is never killed: one killed while it holds the heap or the loader lock
    // would leave every later allocation of the process waiting forever.
    virtual void waitIdleOrAbandon(int32_t ms) = 0;
    // No further runs after the current one.
    virtual void stopRepeating() = 0;
    virtual void stopAndWait() = 0;
    // Until the OS thread has ended (after requestExit).
    virtual void waitExit() = 0;
    virtual void requestExit() = 0;
    virtual void exitAndWait() = 0;
    // A one-shot sleep before the worker's next step (run calls cancel it).
    virtual void setDelay(int32_t ms) = 0;
    virtual int32_t resume() = 0;
    virtual int32_t suspend() = 0;
    virtual int32_t getPriority() const = 0;
    virtual bool setPriority(int32_t priority) = 0;
    virtual void setRunFunction(void (*fn)(ITask* self)) = 0;
};

namespace win {

// Interval modes.
enum : int32_t { kNoPause = 0, kFixedSleep = 1, kFixedRate = 2 };

// The control block shared with one OS thread; guarded by *lock. An abandoned OS
// thread takes its block along and deletes it when its task body returns.
struct ThreadControl {
    ObjLocker* lock = nullptr;
    void* handle = nullptr;  // copy of the OS thread handle
    int32_t delay = 0;       // one-shot sleep before the next step, ms
    ITask* task = nullptr;   // not owned
    int32_t remaining = 0;   // runs still to do; -1 = forever
    int32_t mode = kNoPause;
    int32_t interval = 0;             // ms
    std::atomic<uint8_t> started{0};  // set by the worker each time it takes the lock
    std::atomic<uint8_t> idle{0};
    std::atomic<uint8_t> exitRequested{0};
    std::atomic<uint8_t> finished{0};
    std::atomic<uint8_t> stopRequested{0};  // the running body is asked to end

    // Wake-up machinery (lives as long as the Thread object).
    void* wake = nullptr;       // auto-reset: a control call happened
    void* idleEvent = nullptr;  // manual-reset: set while idle
    uint32_t generation = 0;    // bumped by every run, stop and exit request
    // Where the worker is: it is abandoned only inside a task body, never while it
    // holds or is about to take the lock.
    std::atomic<int32_t> phase{0};
};

class Thread : public IThread, public IPoolable, public ITask {
    S_POOLED(Thread, L"s_thread_win_Thread")

public:
    // Starts the OS thread (suspended, idle).
    Thread();
    // Asks the OS thread to end and waits for it.
    ~Thread() override;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    uint32_t getThreadId() const override { return threadId_; }
    int32_t runOnce(ITask* task) override { return startSeries(task, 1, kNoPause, 0); }
    int32_t runTimes(ITask* task, int32_t count) override { return startSeries(task, count, kNoPause, 0); }
    int32_t runTimesEvery(ITask* task, int32_t count, int32_t ms) override {
        return startSeries(task, count, kFixedSleep, ms);
    }
    int32_t runTimesAtRate(ITask* task, int32_t count, int32_t ms) override {
        return startSeries(task, count, kFixedRate, ms);
    }
    int32_t runForever(ITask* task) override { return startSeries(task, -1, kNoPause, 0); }
    int32_t runForeverEvery(ITask* task, int32_t ms) override { return startSeries(task, -1, kFixedSleep, ms); }
    int32_t runForeverAtRate(ITask* task, int32_t ms) override { return startSeries(task, -1, kFixedRate, ms); }
    bool isIdle() const override { return control_->idle.load() != 0; }
    void waitIdle() override;
    void waitIdleOrAbandon(int32_t ms) override;
    void stopRepeating() override;
    void stopAndWait() override;
    void waitExit() override;
    void requestExit() override;
    void exitAndWait() override;
    void setDelay(int32_t ms) override;
    int32_t resume() override;
    int32_t suspend() override;
    int32_t getPriority() const override;
    bool setPriority(int32_t priority) override;
    void setRunFunction(void (*fn)(ITask* self)) override { runFunction_ = fn; }

    // As a task: calls the run function with this Thread.
    void run() override;
    // Back to the pool: stops, normal priority, suspended, idle, no run function.
    void reset() override;

    bool hasOsThread() const { return handle_ != nullptr; }
    bool isFinished() const { return control_->finished.load() != 0; }

    // Inside a task body: true once the thread running it was asked to end it (by
    // waitIdleOrAbandon or requestExit). A long task polls it and returns early.
    // False outside a worker thread.
    static bool stopRequested();

private:
    void startOsThread();
    int32_t startSeries(ITask* task, int32_t count, int32_t mode, int32_t ms);
    // Changes the control block under the lock (the worker notices at its next step).
    void signal();

    void* handle_ = nullptr;
    uint32_t threadId_ = 0;
    ObjLocker locker_;
    void* wake_ = nullptr;       // auto-reset, shared by every control block of this thread
    void* idleEvent_ = nullptr;  // manual-reset
    ThreadControl* control_;
    int32_t priority_ = 0;
    void (*runFunction_)(ITask* self) = nullptr;
};

}  // namespace win
}  // namespace s::thread
