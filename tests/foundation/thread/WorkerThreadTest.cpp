// The pooled worker thread: series of runs, pauses, stopping, abandoning, pooling.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <mutex>
#include <vector>

#include "foundation/thread/Thread.h"

using s::thread::ITask;
using s::thread::win::Thread;

namespace {

double nowMs() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return double(c.QuadPart) * 1000.0 / double(freq.QuadPart);
}

// Polls until pred holds or the deadline passes; answers whether it held.
template <class Pred>
bool waitFor(Pred pred, double timeoutMs = 10000) {
    const double end = nowMs() + timeoutMs;
    while (!pred()) {
        if (nowMs() > end) return false;
        Sleep(1);
    }
    return true;
}

// Counts its runs and records when each started and ended; may sleep inside.
class CountingTask : public ITask {
public:
    explicit CountingTask(int workMs = 0) : workMs_(workMs) {}
    void run() override {
        const double start = nowMs();
        if (workMs_ > 0) Sleep(DWORD(workMs_));
        std::lock_guard<std::mutex> hold(m_);
        starts.push_back(start);
        ends.push_back(nowMs());
        ++runs;
    }
    std::vector<double> startTimes() {
        std::lock_guard<std::mutex> hold(m_);
        return starts;
    }
    std::vector<double> endTimes() {
        std::lock_guard<std::mutex> hold(m_);
        return ends;
    }
    std::atomic<int> runs{0};

private:
    int workMs_;
    std::mutex m_;
    std::vector<double> starts, ends;
};

// Blocks inside its body until released (or forever).
class BlockingTask : public ITask {
public:
    BlockingTask() : gate_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~BlockingTask() override { CloseHandle(gate_); }
    void run() override {
        entered = true;
        WaitForSingleObject(gate_, INFINITE);
        ++finished;
    }
    void open() { SetEvent(gate_); }
    std::atomic<bool> entered{false};
    std::atomic<int> finished{0};

private:
    HANDLE gate_;
};

// Waits for idle through the library, failing instead of hanging when it never comes.
::testing::AssertionResult becomesIdle(Thread* t, double timeoutMs = 10000) {
    if (waitFor([&] { return t->isIdle(); }, timeoutMs)) {
        t->waitIdle();  // must return at once now
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "the worker did not go idle";
}

}  // namespace

TEST(WorkerThread, NewThreadIsIdleWithAnOsThread) {
    Thread* t = Thread::create();
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->hasOsThread());
    EXPECT_NE(t->getThreadId(), 0u);
    EXPECT_TRUE(t->isIdle());
    EXPECT_STREQ(t->getClassName(), L"s_thread_win_Thread");
    t->waitIdle();
    t->release();
}

TEST(WorkerThread, RunOnceAndRunTimes) {
    struct Case {
        int count;
        int runs;
    };
    const Case cases[] = {{1, 1}, {5, 5}, {0, 0}, {40, 40}};
    Thread* t = Thread::create();
    for (const Case& c : cases) {
        CountingTask task;
        if (c.count == 1)
            t->runOnce(&task);
        else
            t->runTimes(&task, c.count);
        ASSERT_TRUE(becomesIdle(t)) << c.count;
        EXPECT_EQ(task.runs, c.runs) << c.count;
    }
    t->release();
}

TEST(WorkerThread, NullTaskConsumesTheCount) {
    Thread* t = Thread::create();
    t->runTimes(nullptr, 3);
    ASSERT_TRUE(becomesIdle(t));
    CountingTask task;
    t->runOnce(&task);  // the thread still works afterwards
    ASSERT_TRUE(becomesIdle(t));
    EXPECT_EQ(task.runs, 1);
    t->release();
}

TEST(WorkerThread, RequestsArrivingAsTheWorkerGoesIdleAreNeverLost) {
    Thread* t = Thread::create();
    CountingTask task;
    for (int i = 1; i <= 3000; ++i) {
        t->runOnce(&task);
        // Ask again the moment the worker marks itself idle, before it starts waiting.
        ASSERT_TRUE(waitFor([&] { return t->isIdle(); })) << "lost wake-up at request " << i;
        ASSERT_EQ(task.runs, i);
    }
    // And from another thread, racing with the worker's own idling.
    CountingTask other;
    std::atomic<int> asked{0};
    HANDLE caller = CreateThread(
        nullptr, 0,
        [](void* p) -> DWORD {
            auto* args = static_cast<std::pair<Thread*, CountingTask*>*>(p);
            for (int i = 0; i < 500; ++i) {
                args->first->runOnce(args->second);
                while (!args->first->isIdle()) SwitchToThread();
            }
            return 0;
        },
        new std::pair<Thread*, CountingTask*>(t, &other), 0, nullptr);
    ASSERT_NE(caller, nullptr);
    EXPECT_EQ(WaitForSingleObject(caller, 60000), WAIT_OBJECT_0) << "a request was slept through";
    CloseHandle(caller);
    EXPECT_EQ(other.runs, 500);
    (void)asked;
    t->release();
}

TEST(WorkerThread, FixedPauseSleepsBetweenRunsOnly) {
    Thread* t = Thread::create();
    CountingTask task;
    const double start = nowMs();
    t->runTimesEvery(&task, 3, 150);
    ASSERT_TRUE(becomesIdle(t));
    const double idleAt = nowMs();
    ASSERT_EQ(task.runs, 3);
    auto starts = task.startTimes();
    auto ends = task.endTimes();
    EXPECT_GE(starts[1] - ends[0], 140);
    EXPECT_GE(starts[2] - ends[1], 140);
    EXPECT_GE(idleAt - start, 290);
    // No pause after the last run: the worker goes idle well before another 150 ms.
    EXPECT_LT(idleAt - ends[2], 120);
    t->release();
}

TEST(WorkerThread, FixedRateSubtractsTheRunTime) {
    // Runs of 60 ms every 150 ms: fixed pause gives ~210 ms between starts, fixed
    // rate ~150 ms.
    Thread* t = Thread::create();
    CountingTask paced(60), rated(60);
    t->runTimesEvery(&paced, 4, 150);
    ASSERT_TRUE(becomesIdle(t));
    t->runTimesAtRate(&rated, 4, 150);
    ASSERT_TRUE(becomesIdle(t));
    auto pacedStarts = paced.startTimes();
    auto ratedStarts = rated.startTimes();
    ASSERT_EQ(pacedStarts.size(), 4u);
    ASSERT_EQ(ratedStarts.size(), 4u);
    for (int i = 1; i < 4; ++i) {
        EXPECT_GE(pacedStarts[i] - pacedStarts[i - 1], 200) << i;
        EXPECT_GE(ratedStarts[i] - ratedStarts[i - 1], 140) << i;
    }
    const double pacedSpan = pacedStarts[3] - pacedStarts[0];
    const double ratedSpan = ratedStarts[3] - ratedStarts[0];
    EXPECT_LT(ratedSpan, pacedSpan - 90);  // 3 x 60 ms of run time taken off
    t->release();
}

TEST(WorkerThread, FixedRateRunLongerThanIntervalIsNotFollowedBySleep) {
    Thread* t = Thread::create();
    CountingTask slow(120);
    t->runTimesAtRate(&slow, 3, 40);
    ASSERT_TRUE(becomesIdle(t));
    auto starts = slow.startTimes();
    auto ends = slow.endTimes();
    ASSERT_EQ(starts.size(), 3u);
    for (int i = 1; i < 3; ++i) EXPECT_LT(starts[i] - ends[i - 1], 35) << i;
    t->release();
}

TEST(WorkerThread, RunCancelsAPendingDelayButADelaySetDuringASeriesIsSlept) {
    Thread* t = Thread::create();
    CountingTask task;
    t->setDelay(5000);
    const double start = nowMs();
    t->runOnce(&task);  // zeroes the delay
    ASSERT_TRUE(becomesIdle(t));
    EXPECT_LT(nowMs() - start, 2000);
    EXPECT_EQ(task.runs, 1);

    // A task that sets a delay during the series: it is slept before the next run.
    struct DelayingTask : ITask {
        Thread* t = nullptr;
        std::vector<double> starts;
        void run() override {
            starts.push_back(nowMs());
            if (starts.size() == 1) t->setDelay(200);
        }
    } delaying;
    delaying.t = t;
    t->runTimes(&delaying, 2);
    ASSERT_TRUE(becomesIdle(t));
    ASSERT_EQ(delaying.starts.size(), 2u);
    EXPECT_GE(delaying.starts[1] - delaying.starts[0], 190);
    t->release();
}

TEST(WorkerThread, ForeverStopAndRestart) {
    Thread* t = Thread::create();
    CountingTask task(1);
    t->runForever(&task);
    ASSERT_TRUE(waitFor([&] { return task.runs >= 5; }));
    EXPECT_FALSE(t->isIdle());
    t->stopAndWait();
    EXPECT_TRUE(t->isIdle());
    const int stoppedAt = task.runs;
    Sleep(30);
    EXPECT_EQ(task.runs, stoppedAt);  // nothing runs after the stop

    // Restart with a paced forever series; stopping cuts a long pause short.
    CountingTask paced;
    t->runForeverEvery(&paced, 10000);
    ASSERT_TRUE(waitFor([&] { return paced.runs == 1; }));
    const double stopAt = nowMs();
    t->stopAndWait();
    EXPECT_LT(nowMs() - stopAt, 5000);
    EXPECT_EQ(paced.runs, 1);

    CountingTask rated;
    t->runForeverAtRate(&rated, 20);
    ASSERT_TRUE(waitFor([&] { return rated.runs >= 3; }));
    t->stopRepeating();
    ASSERT_TRUE(becomesIdle(t));
    t->release();
}

TEST(WorkerThread, StopRepeatingLetsTheCurrentRunFinish) {
    Thread* t = Thread::create();
    BlockingTask task;
    t->runForever(&task);
    ASSERT_TRUE(waitFor([&] { return task.entered.load(); }));
    t->stopRepeating();
    EXPECT_FALSE(t->isIdle());
    task.open();
    ASSERT_TRUE(becomesIdle(t));
    EXPECT_EQ(task.finished, 1);
    t->release();
}

TEST(WorkerThread, WaitIdleOrKillStopsAPausingSeriesWithoutKilling) {
    Thread* t = Thread::create();
    const uint32_t id = t->getThreadId();
    CountingTask task;
    t->runForeverEvery(&task, 60000);
    ASSERT_TRUE(waitFor([&] { return task.runs == 1; }));
    t->waitIdleOrAbandon(40);
    EXPECT_TRUE(t->isIdle());
    EXPECT_EQ(t->getThreadId(), id);  // the same OS thread: stopped, not abandoned
    t->runOnce(&task);
    ASSERT_TRUE(becomesIdle(t));
    EXPECT_EQ(task.runs, 2);
    t->release();
}

TEST(WorkerThread, WaitIdleOrKillReplacesAStuckWorkerAndKeepsTheLockUsable) {
    Thread* t = Thread::create();
    t->setPriority(THREAD_PRIORITY_BELOW_NORMAL);
    const uint32_t id = t->getThreadId();
    BlockingTask stuck;  // never opened
    t->runOnce(&stuck);
    ASSERT_TRUE(waitFor([&] { return stuck.entered.load(); }));
    const double start = nowMs();
    t->waitIdleOrAbandon(100);
    EXPECT_GE(nowMs() - start, 90);
    EXPECT_TRUE(t->isIdle());
    EXPECT_NE(t->getThreadId(), id);
    EXPECT_EQ(t->getPriority(), THREAD_PRIORITY_BELOW_NORMAL);
    EXPECT_EQ(stuck.finished, 0);
    // Every operation that takes the lock still works on the new OS thread.
    CountingTask task;
    t->setDelay(0);
    t->runTimes(&task, 3);
    ASSERT_TRUE(becomesIdle(t));
    EXPECT_EQ(task.runs, 3);
    t->release();
    // The abandoned body still runs: let it end before its task goes away.
    stuck.open();
    EXPECT_TRUE(waitFor([&] { return stuck.finished == 1; }));
}

TEST(WorkerThread, RepeatedAbandonsNeverLeaveTheLockHeld) {
    // Short runs that end while the abandon is being decided: whichever side wins, the
    // thread must stay usable. Abandoned bodies finish after the test: the task lives on.
    static struct SpinTask : ITask {
        std::atomic<long> runs{0};
        void run() override {
            const double end = nowMs() + 0.2;
            while (nowMs() < end) {}
            ++runs;
        }
    } busy;
    Thread* t = Thread::create();
    for (int i = 0; i < 40; ++i) {
        t->runForever(&busy);
        ASSERT_TRUE(waitFor([&] { return !t->isIdle(); }));
        t->waitIdleOrAbandon(0);
        ASSERT_TRUE(t->isIdle()) << i;
        CountingTask probe;
        t->runOnce(&probe);
        ASSERT_TRUE(becomesIdle(t, 10000)) << "iteration " << i;
        ASSERT_EQ(probe.runs, 1) << i;
    }
    t->release();
}

// A body that does not end in time is abandoned, never killed: it runs to its end on
// its own OS thread, so a lock it holds is given back, and then that thread ends.
TEST(WorkerThread, AbandonedBodyRunsToItsEndAndGivesItsLocksBack) {
    struct LockingTask : BlockingTask {
        CRITICAL_SECTION* section = nullptr;
        void run() override {
            EnterCriticalSection(section);
            BlockingTask::run();
            LeaveCriticalSection(section);
        }
    } stuck;
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    stuck.section = &section;
    Thread* t = Thread::create();
    const uint32_t oldId = t->getThreadId();
    HANDLE oldThread = OpenThread(SYNCHRONIZE, FALSE, oldId);
    ASSERT_NE(oldThread, nullptr);
    t->runOnce(&stuck);
    ASSERT_TRUE(waitFor([&] { return stuck.entered.load(); }));
    t->waitIdleOrAbandon(30);
    EXPECT_TRUE(t->isIdle());
    EXPECT_NE(t->getThreadId(), oldId);
    EXPECT_FALSE(TryEnterCriticalSection(&section));  // still held by the abandoned body
    CountingTask task;
    t->runTimes(&task, 2);
    ASSERT_TRUE(becomesIdle(t));
    EXPECT_EQ(task.runs, 2);

    stuck.open();
    EXPECT_TRUE(waitFor([&] { return stuck.finished == 1; }));
    EXPECT_EQ(WaitForSingleObject(oldThread, 10000), WAIT_OBJECT_0);
    CloseHandle(oldThread);
    ASSERT_TRUE(TryEnterCriticalSection(&section));
    LeaveCriticalSection(&section);
    DeleteCriticalSection(&section);
    // The abandoned body never ran again, and the new worker was not disturbed.
    EXPECT_EQ(stuck.finished, 1);
    t->runOnce(&task);
    ASSERT_TRUE(becomesIdle(t));
    EXPECT_EQ(task.runs, 3);
    t->release();
}

// A body that polls the stop request ends on its own: nothing is abandoned.
TEST(WorkerThread, BodyThatPollsTheStopRequestEndsCooperatively) {
    struct PollingTask : ITask {
        std::atomic<bool> entered{false}, sawStop{false};
        void run() override {
            entered = true;
            while (!Thread::stopRequested()) Sleep(1);
            sawStop = true;
        }
    } polling;
    EXPECT_FALSE(Thread::stopRequested());  // not a worker thread
    Thread* t = Thread::create();
    const uint32_t id = t->getThreadId();
    t->runForever(&polling);
    ASSERT_TRUE(waitFor([&] { return polling.entered.load(); }));
    t->waitIdleOrAbandon(200);
    EXPECT_TRUE(polling.sawStop);
    EXPECT_TRUE(t->isIdle());
    EXPECT_EQ(t->getThreadId(), id);
    // A new series starts without the old request.
    polling.entered = false;
    polling.sawStop = false;
    t->runOnce(&polling);
    ASSERT_TRUE(waitFor([&] { return polling.entered.load(); }));
    EXPECT_FALSE(polling.sawStop);
    t->waitIdleOrAbandon(200);
    EXPECT_TRUE(polling.sawStop);
    t->release();
}

TEST(WorkerThread, PoolReusesTheOsThreadReset) {
    Thread* t = Thread::create();
    t->setPriority(THREAD_PRIORITY_ABOVE_NORMAL);
    static std::atomic<int> calls{0};
    t->setRunFunction([](ITask*) { ++calls; });
    CountingTask task(1);
    t->runForever(&task);
    ASSERT_TRUE(waitFor([&] { return task.runs >= 2; }));
    const uint32_t id = t->getThreadId();
    t->release();  // stops the series first
    const int runsAtRelease = task.runs;
    Thread* again = Thread::create();
    EXPECT_EQ(again, t);
    EXPECT_EQ(again->getThreadId(), id);
    EXPECT_TRUE(again->isIdle());
    EXPECT_EQ(again->getPriority(), 0);
    again->run();  // no run function any more
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(task.runs, runsAtRelease);
    CountingTask next;
    again->runTimes(&next, 2);  // resumes the suspended OS thread
    ASSERT_TRUE(becomesIdle(again));
    EXPECT_EQ(next.runs, 2);
    again->release();
}

TEST(WorkerThread, ThreadServesAsATaskThroughItsRunFunction) {
    Thread* worker = Thread::create();
    Thread* asTask = Thread::create();
    static std::atomic<ITask*> seen{nullptr};
    asTask->setRunFunction([](ITask* self) { seen = self; });
    worker->runOnce(asTask);
    ASSERT_TRUE(becomesIdle(worker));
    EXPECT_EQ(seen.load(), static_cast<ITask*>(asTask));
    asTask->release();
    worker->release();
}

TEST(WorkerThread, DestructorEndsTheOsThread) {
    CountingTask task;
    HANDLE copy = nullptr;
    {
        Thread t;
        t.runTimes(&task, 2);
        ASSERT_TRUE(becomesIdle(&t));
        DWORD id = t.getThreadId();
        copy = OpenThread(SYNCHRONIZE, FALSE, id);
        ASSERT_NE(copy, nullptr);
    }
    EXPECT_EQ(WaitForSingleObject(copy, 0), WAIT_OBJECT_0);  // ended before the destructor returned
    CloseHandle(copy);
    EXPECT_EQ(task.runs, 2);

    {
        Thread t;  // never started: the suspended OS thread still ends
        t.exitAndWait();
        EXPECT_TRUE(t.isFinished());
    }
}
