// The viewer's worker thread: the slide show's ticks and its stop, and a conversion
// queued while the show runs, which ends the show and converts in the same run.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "platform/xmlstore/MappedData.h"
#include "gui/window/WindowTestSupport.h"
#include "support/HostTool.h"
#include "viewer/worker/ViewerWorker.h"

using namespace s::image::gui::dialogs::imageview;

namespace {

// A run converts several pictures: allow it far more than a window test's default.
bool waitFor(const std::function<bool()>& done, DWORD timeoutMs = 30000) {
    return windowtest::waitFor(done, timeoutMs);
}

// Every call of both listeners in order, as one log.
class EventLog : public ISlideShowListener, public IConvertListener {
public:
    void slideShowStarted() override { add(L"start"); }
    void slideShowNext() override { add(L"next"); }
    void slideShowEnded() override { add(L"end"); }
    void convertStarted(int32_t) override { add(L"convert"); }
    void fileStarted(int32_t, int32_t, const wchar_t* name) override { add(std::wstring(L"file ") + name); }
    void fileFinished(int32_t, FileOutcome outcome, const wchar_t*) override {
        add(outcome == FileOutcome::Converted ? L"converted" : L"not converted");
    }
    void convertEnded(const ConvertSummary&) override { add(L"converted all"); }

    std::vector<std::wstring> events() {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }
    size_t count(const wchar_t* event) {
        std::lock_guard<std::mutex> lock(mutex_);
        size_t n = 0;
        for (const std::wstring& e : events_) n += e == event;
        return n;
    }

private:
    void add(const std::wstring& event) {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.push_back(event);
    }
    std::mutex mutex_;
    std::vector<std::wstring> events_;
};

TEST(ViewerWorker, TheFirstPictureComesAtOnceAndAStopEndsALongWait) {
    EventLog log;
    ViewerWorker worker(&log, &log);
    ASSERT_TRUE(worker.startSlideShow(600000));
    EXPECT_TRUE(worker.isSlideShowRunning());
    ASSERT_TRUE(waitFor([&] { return log.count(L"next") == 1; }, 10000));
    EXPECT_FALSE(worker.startSlideShow(100));  // already running
    worker.requestStop();
    ASSERT_TRUE(waitFor([&] { return !worker.isRunning(); }, 10000));
    EXPECT_FALSE(worker.isSlideShowRunning());
    EXPECT_EQ(log.events(), (std::vector<std::wstring>{L"start", L"next", L"end"}));
}

TEST(ViewerWorker, TheShowMovesOnAfterEachInterval) {
    EventLog log;
    ViewerWorker worker(&log, &log);
    ASSERT_TRUE(worker.startSlideShow(60));
    ASSERT_TRUE(waitFor([&] { return log.count(L"next") >= 3; }));
    worker.requestStop();
    ASSERT_TRUE(waitFor([&] { return !worker.isRunning(); }));
    EXPECT_EQ(log.count(L"end"), 1u);
    // A stopped show can start again.
    EXPECT_TRUE(worker.startSlideShow(600000));
}

// A window that takes its time over each picture, as one reading a large picture does.
class SlowWindow : public ISlideShowListener {
public:
    explicit SlowWindow(DWORD showMs) : showMs_(showMs) {}
    void slideShowStarted() override { started = GetTickCount64(); }
    void slideShowNext() override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            times_.push_back(GetTickCount64());
        }
        Sleep(showMs_);
    }
    void slideShowEnded() override {}
    std::atomic<ULONGLONG> started{0};
    std::vector<ULONGLONG> times() {
        std::lock_guard<std::mutex> lock(mutex_);
        return times_;
    }

private:
    DWORD showMs_;
    std::mutex mutex_;
    std::vector<ULONGLONG> times_;
};

TEST(ViewerWorker, TheTimeAPictureTakesToShowDoesNotPushTheNextOnesBack) {
    // Each picture takes 150 ms to show; at 200 ms intervals picture k is due 200 k ms
    // after the first (a wait begun after each picture had been shown would make it 350 k).
    SlowWindow window(150);
    ViewerWorker worker(nullptr, &window);
    ASSERT_TRUE(worker.startSlideShow(200));
    ASSERT_TRUE(waitFor([&] { return window.times().size() >= 6; }, 20000));
    worker.requestStop();
    ASSERT_TRUE(waitFor([&] { return !worker.isRunning(); }));
    const std::vector<ULONGLONG> t = window.times();
    // Counted from the start of the show (the schedule begins after it), never early.
    const ULONGLONG start = window.started;
    for (size_t k = 1; k < 6; ++k) EXPECT_GE(t[k] - start + 20, 200 * k) << "picture " << k << " came early";
    EXPECT_LT(t[5] - start, 1400u);  // 1000 on time, 1750 when every wait began after the picture
}

TEST(ViewerWorker, AConversionQueuedDuringTheShowEndsItAndRunsNext) {
    const std::string dir = testsupport::makeTempDir("viewerworker_queue");
    ASSERT_TRUE(testsupport::runHost("convert -size 8x8 xc:red '" + dir + "/a.png'"));
    s::xml::MappedData* store = s::xml::MappedData::openFile(testsupport::winPath(dir + "/Settings.xml").c_str());
    EventLog log;
    {
        ViewerWorker worker(&log, &log);
        ASSERT_TRUE(worker.startSlideShow(600000));
        ASSERT_TRUE(waitFor([&] { return log.count(L"next") == 1; }, 10000));
        ConvertRequest request;
        request.format = L"bmp";
        request.store = store;
        request.files = {testsupport::winPath(dir + "/a.png")};
        ASSERT_TRUE(worker.queueConversion(request));
        EXPECT_FALSE(worker.queueConversion(request));  // one conversion at a time
        ASSERT_TRUE(waitFor([&] { return !worker.isRunning(); }));
    }
    store->release();
    EXPECT_EQ(log.events(), (std::vector<std::wstring>{L"start", L"next", L"end", L"convert", L"file a.png",
                                                       L"converted", L"converted all"}));
    EXPECT_TRUE(testsupport::runHost("test \"$(identify -format '%m %w' '" + dir + "/a.bmp')\" = 'BMP3 8'"));
}

// Sends each tick to a window of the test's thread and waits for it, as the viewer does.
class SendingListener : public ISlideShowListener {
public:
    explicit SendingListener(HWND target) : target_(target) {}
    void slideShowStarted() override { SendMessageW(target_, WM_NULL, 0, 0); }
    void slideShowNext() override {
        SendMessageW(target_, WM_NULL, 0, 0);
        ++nexts;
    }
    void slideShowEnded() override {
        SendMessageW(target_, WM_NULL, 0, 0);
        ended = true;
    }
    std::atomic<int> nexts{0};
    std::atomic<bool> ended{false};

private:
    HWND target_;
};

TEST(ViewerWorker, DestroyingItOnTheThreadItSendsToEndsTheShow) {
    HWND window = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SendingListener listener(window);
    {
        ViewerWorker worker(nullptr, &listener);
        ASSERT_TRUE(worker.startSlideShow(20));
        // The ticks are sent to this thread: handle them while waiting for two.
        ASSERT_TRUE(waitFor([&] {
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
            return listener.nexts >= 2;
        }));
    }  // the worker's end is sent to this thread while it waits
    EXPECT_TRUE(listener.ended);
    DestroyWindow(window);
}

TEST(ViewerWorker, TheIntervalFieldText) {
    struct Case {
        const wchar_t* text;
        int32_t previous, interval;
    };
    for (const Case& c : {Case{L"2500", 1000, 2500}, Case{L"-5", 1000, kDefaultSlideShowInterval},
                          Case{L"abc", 1000, 1000}, Case{L"12x", 700, 700}, Case{L"-", 700, 700}, Case{L"", 700, 700},
                          Case{L" 50", 700, 700}, Case{L"abc", -3, kDefaultSlideShowInterval}, Case{L"0", 700, 0}})
        EXPECT_EQ(slideShowIntervalFrom(c.text, c.previous), c.interval) << c.text;
}

}  // namespace
