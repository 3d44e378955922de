#include "imaging/filters/RowBands.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace s::image::filters::rowbands {

namespace {

// The workers: one run at a time uses them; its bands are taken one by one by whoever is
// free, the calling thread too. They live as long as the process.
class Pool {
public:
    struct Job {
        const std::function<bool(int, int)>* fn;
        int rows;
        int bands;
        std::atomic<int> next{0};
        int done = 0;
        bool ok = true;
    };

    static Pool& instance() {
        static Pool* pool = new Pool;  // never destroyed: its threads never end
        return *pool;
    }

    // Runs the job with up to `helpers` workers; false when the pool is busy with another
    // run (nothing is run then).
    bool run(Job& job, int helpers) {
        std::unique_lock<std::mutex> busy(busy_, std::try_to_lock);
        if (!busy.owns_lock()) return false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            try {
                while (workers_ < helpers) {
                    std::thread([this] { work(); }).detach();
                    ++workers_;
                }
            } catch (...) {
                // Fewer workers: the bands are shared among those there are.
            }
            job_ = &job;
            ++generation_;
        }
        wake_.notify_all();
        takeBands(job);
        std::unique_lock<std::mutex> lock(mutex_);
        finished_.wait(lock, [&] { return job.done == job.bands && users_ == 0; });
        job_ = nullptr;
        return true;
    }

private:
    void takeBands(Job& job) {
        for (int k; (k = job.next.fetch_add(1)) < job.bands;) {
            const bool ok =
                (*job.fn)(bandStart(job.rows, k, job.bands), bandStart(job.rows, k + 1, job.bands));
            std::lock_guard<std::mutex> lock(mutex_);
            job.ok = job.ok && ok;
            if (++job.done == job.bands) finished_.notify_all();
        }
    }

    void work() {
        uint64_t seen = 0;
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return generation_ != seen; });
            seen = generation_;
            Job* job = job_;
            if (!job) continue;
            ++users_;
            lock.unlock();
            takeBands(*job);
            lock.lock();
            if (--users_ == 0) finished_.notify_all();
        }
    }

    std::mutex busy_;   // one run at a time
    std::mutex mutex_;  // the fields below
    std::condition_variable wake_, finished_;
    int workers_ = 0;
    Job* job_ = nullptr;
    uint64_t generation_ = 0;
    int users_ = 0;
};

}  // namespace

int bandsFor(int requested, int64_t work, int rows) {
    if (requested == 1 || rows < 2) return 1;
    int n = requested;
    if (n <= 0) {
        // Below about a megapixel of work, handing out bands costs more than it saves.
        if (work < (int64_t(1) << 20)) return 1;
        n = int(std::min(std::thread::hardware_concurrency(), 8u));
    }
    return std::clamp(std::min(n, rows / 2), 1, 64);
}

bool run(int rows, int n, const std::function<bool(int, int)>& fn) {
    if (n > 1) {
        Pool::Job job;
        job.fn = &fn;
        job.rows = rows;
        job.bands = n;
        if (Pool::instance().run(job, n - 1)) return job.ok;
    }
    bool ok = true;
    for (int k = 0; k < n; ++k) ok = fn(bandStart(rows, k, n), bandStart(rows, k + 1, n)) && ok;
    return ok;
}

}  // namespace s::image::filters::rowbands
