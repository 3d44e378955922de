#include "viewer/worker/ViewerWorker.h"

#include <windows.h>

#include <chrono>

#include "foundation/str/StrBuffer.h"

namespace s::image::gui::dialogs::imageview {

int32_t slideShowIntervalFrom(const wchar_t* text, int32_t previous) {
    str::strbuffer::StrBuffer buffer;
    buffer.setText(text ? text : L"");
    int32_t interval = buffer.isInteger() ? buffer.toInt() : previous;
    return interval < 0 ? kDefaultSlideShowInterval : interval;
}

ViewerWorker::ViewerWorker(IConvertListener* converting, ISlideShowListener* slideShow)
    : converting_(converting), slideShow_(slideShow), thread_(thread::win::Thread::create()) {}

ViewerWorker::~ViewerWorker() {
    requestStop();
    if (thread_) {
        waitForRun();
        thread_->release();
    }
    delete job_;
}

void ViewerWorker::waitForRun() {
    while (running_.load()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // handles the sent ones
    }
}

bool ViewerWorker::startSlideShow(int32_t intervalMs) {
    if (!thread_ || !slideShow_) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    if (running_.load()) return false;
    running_.store(true);
    showing_.store(true);
    showRequested_ = true;
    interval_ = intervalMs;
    showStop_.store(false);
    thread_->runOnce(this);
    return true;
}

bool ViewerWorker::queueConversion(const ConvertRequest& request) {
    if (!thread_ || !converting_) return false;
    ConvertJob* job = new ConvertJob(request);
    std::lock_guard<std::mutex> lock(mutex_);
    if (job_) {
        delete job;
        return false;
    }
    job_ = job;
    convertStop_.store(false);
    if (running_.load()) {
        // The slide show is on: end it; the run converts when it has ended.
        showStop_.store(true);
    } else {
        running_.store(true);
        thread_->runOnce(this);
    }
    return true;
}

void ViewerWorker::requestStop() {
    showStop_.store(true);
    convertStop_.store(true);
}

void ViewerWorker::run() {
    bool show;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        show = showRequested_;
        showRequested_ = false;
    }
    if (show) runSlideShow();
    ConvertJob* job;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        job = job_;
        if (!job) {
            running_.store(false);
            return;
        }
    }
    job->convert(converting_, &convertStop_);
    std::lock_guard<std::mutex> lock(mutex_);
    delete job_;
    job_ = nullptr;
    running_.store(false);
}

void ViewerWorker::runSlideShow() {
    using Clock = std::chrono::steady_clock;
    auto stopped = [this] { return showStop_.load() || thread::win::Thread::stopRequested(); };
    slideShow_->slideShowStarted();
    // Each picture is due one interval after the one before was due, not after it was
    // shown: the time the window takes to read and show a picture (and any oversleeping)
    // does not push the pictures after it back.
    Clock::time_point due = Clock::now();
    while (!stopped()) {
        slideShow_->slideShowNext();
        due += std::chrono::milliseconds(interval_);
        // A picture that took longer than the interval to show: the next one comes at
        // once, and the schedule goes on from now instead of catching up back to back.
        if (Clock::now() > due) due = Clock::now();
        for (;;) {
            if (stopped()) break;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(due - Clock::now()).count();
            if (left <= 0) break;
            Sleep(DWORD(left < kSlideShowStopCheckMs ? left : kSlideShowStopCheckMs));
        }
    }
    showing_.store(false);
    slideShow_->slideShowEnded();
}

}  // namespace s::image::gui::dialogs::imageview
