// Times the slide show against its schedule: the viewer's worker ticks the show every
// 500 ms and, as the viewer does, each tick is sent to the window's thread, which reads
// the next 12-megapixel JPEG and shows it stretched into a 1600 x 1000 picture view.
// Picture k is due at the first tick's time + k x 500 ms; its lateness is the time it
// appeared on screen less that. Each picture's decode and the showing itself are timed
// on the window's thread: a picture is read when it is due, so it may be late by its own
// decode; what it is late by beyond that is set against one (median) decode time.
//
//   scripts/bench.sh bench_slideshow            (24 pictures of 8 files, 500 ms)
//   bench_slideshow.exe PICTURES INTERVAL_MS
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchPictures.h"
#include "bench/BenchSupport.h"
#include "bench/BenchWindow.h"
#include "gui/box/Box.h"
#include "gui/controls/Image.h"
#include "gui/window/Window.h"
#include "imaging/exchange/PictureUtils.h"
#include "imaging/image/BufferedImageSet.h"
#include "skins/drawers/InstallDrawers.h"
#include "viewer/worker/ViewerWorker.h"

namespace {

using s::gui::win::Box;
using s::gui::win::Image;
using s::image::win::BufferedImageSet;
using namespace s::image::gui::dialogs::imageview;

constexpr int kFiles = 8;
constexpr int kViewW = 1600, kViewH = 1000;
const std::string kDir = std::string(GLIMMER_BINARY_DIR) + "/bench-convert/src";

struct Shown {
    double asked = 0, decodeMs = 0, showMs = 0, shown = 0;
};

// The window's side: invoke shows the next picture.
class Show : public s::gui::events::IEventListener {
public:
    s::gui::win::Window* window = nullptr;
    Image* view = nullptr;
    std::vector<Shown> shown;
    int next = 0;

    void onEvent(s::base::IObject*, int32_t) override {
        Shown s;
        s.asked = bench::nowMs();
        const std::wstring path = testsupport::winPath(kDir + "/" + bench::photoName(next++ % kFiles) + ".jpg");
        BufferedImageSet* set = s::image::loadImageFile(path.c_str());
        const double decoded = bench::nowMs();
        view->setImageSet(set, true, true, true, false, -1, -1);  // shows it at once on this thread
        GdiFlush();
        s.shown = bench::nowMs();
        s.decodeMs = decoded - s.asked;
        s.showMs = s.shown - decoded;
        shown.push_back(s);
    }
};

// The worker's ticks, sent on to the window and waited for, as the viewer's status events.
class Ticks : public ISlideShowListener {
public:
    s::gui::win::Window* window = nullptr;
    std::atomic<int> count{0};
    void slideShowStarted() override {}
    void slideShowNext() override {
        window->invoke(0, 0, 0, 0);
        ++count;
    }
    void slideShowEnded() override {}
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int pictures = argc > 1 ? std::max(2, _wtoi(argv[1])) : 24;
    const int interval = argc > 2 ? std::max(50, _wtoi(argv[2])) : 500;
    if (!bench::makePhotoJpegs(kDir, kFiles, 4000, 3000)) {
        std::printf("the pictures could not be made\n");
        return 1;
    }
    Box* panel = nullptr;
    s::gui::win::Window* window = bench::panelWindow(kViewW, kViewH, &panel);
    if (!window) return 1;
    Show show;
    show.window = window;
    show.view = Image::createFixedSize(kViewW, kViewH, nullptr);
    panel->addChild(show.view);
    show.view->setSizeClamped(kViewW, kViewH);
    window->addInvokeListener(&show);

    // A warm-up: every file read and shown once, outside the show.
    for (int i = 0; i < kFiles; ++i) window->invoke(0, 0, 0, 0);
    show.shown.clear();

    Ticks ticks;
    ticks.window = window;
    ViewerWorker worker(nullptr, &ticks);
    worker.startSlideShow(interval);
    while (ticks.count < pictures) Sleep(5);
    worker.requestStop();
    worker.waitForRun();

    const double first = show.shown[0].asked;
    std::vector<double> decodes, shows, late, askedLate;
    std::printf("# slide show: %d pictures of 4000x3000 JPEG every %d ms, shown stretched into %dx%d\n", pictures,
                interval, kViewW, kViewH);
    std::printf("%8s %12s %12s %12s %12s\n", "picture", "asked late", "decode ms", "show ms", "shown late");
    for (size_t k = 0; k < show.shown.size() && int(k) < pictures; ++k) {
        const Shown& s = show.shown[k];
        const double due = first + double(k) * interval;
        decodes.push_back(s.decodeMs);
        shows.push_back(s.showMs);
        late.push_back(s.shown - due);
        askedLate.push_back(s.asked - due);
        std::printf("%8zu %12.1f %12.1f %12.1f %12.1f\n", k, s.asked - due, s.decodeMs, s.showMs, s.shown - due);
    }
    // A picture may be late by its own decode (the window reads it when it is due); what
    // it is late by beyond that is set against one decode time.
    double worstBeyond = -1e300, worst = -1e300;
    for (size_t k = 0; k < late.size(); ++k) {
        worst = std::max(worst, late[k]);
        worstBeyond = std::max(worstBeyond, late[k] - decodes[k]);
    }
    const double decode = bench::median(decodes);
    std::printf("decode median %.1f ms, showing median %.1f ms, latest request %.1f ms after its time\n", decode,
                bench::median(shows), *std::max_element(askedLate.begin(), askedLate.end()));
    std::printf("latest picture %.1f ms after its time; less its own decode %.1f ms = %.2f decode times\n", worst,
                worstBeyond, worstBeyond / decode);
    std::printf("%s\n", worstBeyond <= decode ? "no picture late by more than one decode time"
                                              : "pictures fall behind the schedule");
    window->release();
    return 0;
}
