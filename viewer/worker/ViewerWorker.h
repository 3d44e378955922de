// The viewer's worker thread: it ticks the slide show and converts queued files, one run
// at a time, and never touches a window: it reports to listeners, which the viewer sends
// on to its window as status events. A conversion queued while the slide show runs ends
// the show, and the same run goes on to convert.
//
//   ViewerWorker worker(&convertListener, &slideShowListener);
//   worker.startSlideShow(slideShowIntervalFrom(fieldText, previous));
//   worker.queueConversion(request);   // ends the show, then converts
//   worker.requestStop();              // ends the show, or the conversion after its file
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "foundation/thread/Thread.h"
#include "viewer/worker/BatchConverter.h"

namespace s::image::gui::dialogs::imageview {

// Receives the slide show's ticks on the worker thread.
class ISlideShowListener {
public:
    virtual ~ISlideShowListener() = default;
    virtual void slideShowStarted() = 0;
    // At once when the show starts, then after each interval: show the next picture.
    virtual void slideShowNext() = 0;
    virtual void slideShowEnded() = 0;
};

constexpr int32_t kDefaultSlideShowInterval = 1800;
// How often the interval wait looks at the stop request, ms.
constexpr int32_t kSlideShowStopCheckMs = 50;

// The interval the field's text gives: its value when the text is an integer (digits
// after at most one leading "-"), else the previous interval; 1800 when that is negative.
int32_t slideShowIntervalFrom(const wchar_t* text, int32_t previous);

class ViewerWorker : public thread::ITask {
public:
    // Either listener may be null when its job is never asked for.
    ViewerWorker(IConvertListener* converting, ISlideShowListener* slideShow);
    // Stops whatever runs (a conversion after its file) and waits for the end.
    ~ViewerWorker() override;
    ViewerWorker(const ViewerWorker&) = delete;
    ViewerWorker& operator=(const ViewerWorker&) = delete;

    // GUI thread: starts the show with that interval (ms). False while the worker is busy.
    bool startSlideShow(int32_t intervalMs);
    // GUI thread: copies the request (the filter set and the save options are read now)
    // and converts it. False while another conversion is queued or in hand.
    bool queueConversion(const ConvertRequest& request);
    // Ends the show, or the conversion after the file in hand.
    void requestStop();
    bool isRunning() const { return running_.load(); }
    // Until the run in hand has ended. The listeners may send to windows of the calling
    // thread and wait for them (the viewer's status events go that way), so messages
    // sent to this thread are handled meanwhile; a plain wait would never end.
    void waitForRun();
    bool isSlideShowRunning() const { return showing_.load(); }

    void run() override;

private:
    void runSlideShow();

    IConvertListener* converting_;
    ISlideShowListener* slideShow_;
    thread::win::Thread* thread_;
    std::mutex mutex_;           // guards job_, running_ and the start of a run
    ConvertJob* job_ = nullptr;  // queued or in hand
    bool showRequested_ = false;
    int32_t interval_ = 1000;
    std::atomic<bool> running_{false};
    std::atomic<bool> showing_{false};
    std::atomic<bool> showStop_{false};
    std::atomic<bool> convertStop_{false};
};

}  // namespace s::image::gui::dialogs::imageview
