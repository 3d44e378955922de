// Times an animation played by the picture view against a bare blit of the same frames:
// the CPU time of the view's GUI thread per frame shown, against the CPU time of a thread
// of its own that blits each frame from a memory DC into a window of the same size.
//
// The animation is made here: 100 photo-like frames of 500 x 500 written by the GIF
// encoder with 20 ms delays, read back by the GIF decoder. The view's side shows the
// decoded set in a real picture view (at its own size, as the viewer shows a picture
// that fits) and plays it on the view's own frame timer; the run's frames are counted
// from the view's paints. The bare side decodes the same bytes, composes the frames the
// same way (every frame a whole picture) and, for each frame, selects it into one memory
// DC, takes the window's DC, blits, gives the DC back and flushes GDI.
//
// Both sides run as messages on their thread's message loop, one untimed warm-up run
// each, then runs taken in turns (the order rotating run by run). The thread CPU time is
// GetThreadTimes, which Wine reads from the system's tick counts: a run lasts long
// enough for those ticks to be small against it, and the totals over all runs are
// printed too.
//
//   scripts/bench.sh bench_animation            (5 runs of 400 frames)
//   bench_animation.exe RUNS FRAMES
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/BenchWindow.h"
#include "foundation/col/Array.h"
#include "gui/box/Box.h"
#include "gui/controls/Image.h"
#include "gui/window/Window.h"
#include "imaging/codec/Gif.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "skins/drawers/InstallDrawers.h"

namespace {

using s::col::_array::ArrayU08;
using s::gui::win::Box;
using s::gui::win::Image;
using s::image::gif::win::Gif;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;

constexpr int kSize = 500, kFrames = 100;
int gDelayMs = 20;  // the frames' delay (third argument)
// The bare side blits this many times the view's frames per run: its CPU time then
// spans as many of Wine's 10 ms ticks as the view's.
constexpr int kBareTimes = 10;
// The view's finest timer step (ms); the paced bare side ticks at it or at the frames' delay.
constexpr UINT kTimerMs = 25;

// One timed run of a side: CPU and wall milliseconds over a number of frames shown.
struct Run {
    double cpuMs = 0, wallMs = 0;
    int frames = 0;
    int ticks = 0;  // the view's frame timer ticks
    double perFrame() const { return frames ? cpuMs / frames : 0; }
};

ArrayU08* makeAnimation() {
    Gif* gif = Gif::create();
    for (int i = 0; i < kFrames; ++i) {
        BufferedImage* f = bench::photoFrame(kSize, kSize, i);
        gif->addFrame(f, 8, false, 255, 255, 255, 96);
        gif->setDelay(i, gDelayMs);
        f->release();
    }
    gif->setLoopCount(0);
    auto* bytes = ArrayU08::create();
    if (!gif->write(bytes)) std::printf("the GIF encoder failed\n");
    gif->release();
    return bytes;
}

BufferedImageSet* decode(ArrayU08* bytes) {
    bytes->rewind();
    Gif* gif = Gif::create();
    BufferedImageSet* set = gif->read(bytes) ? gif->toImageSet() : nullptr;
    gif->release();
    return set;
}

// The view's side, run on the window's thread through invoke: 1 starts the animation
// and the clock, 2 stops both.
class ViewSide : public s::gui::events::IEventListener {
public:
    s::gui::win::Window* window = nullptr;
    Image* view = nullptr;
    std::atomic<uint32_t> paintsAtStart{0};
    Run run;

    void onEvent(s::base::IObject*, int32_t) override {
        const intptr_t what = window->getInvokeArg1();
        if (what == 3) {
            // The view's repaint alone, as many times as asked, nothing else.
            const int count = int(window->getInvokeArg2());
            const double cpu0 = bench::threadCpuMs();
            for (int i = 0; i < count; ++i) {
                view->repaint();
                GdiFlush();
            }
            run.cpuMs = bench::threadCpuMs() - cpu0;
            run.frames = count;
            return;
        }
        if (what == 4 || what == 5) {
            // The thread standing idle between the two.
            if (what == 4) {
                cpu0_ = bench::threadCpuMs();
                wall0_ = bench::nowMs();
            } else {
                run.cpuMs = bench::threadCpuMs() - cpu0_;
                run.wallMs = bench::nowMs() - wall0_;
                run.frames = 0;
            }
            return;
        }
        if (what == 1) {
            paintsAtStart = view->getDirectPaintCount();
            ticks0_ = view->getTimerTickCount();
            wall0_ = bench::nowMs();
            cpu0_ = bench::threadCpuMs();
            view->startAnimation();
        } else {
            view->stopAnimation(false);
            run.cpuMs = bench::threadCpuMs() - cpu0_;
            run.wallMs = bench::nowMs() - wall0_;
            run.frames = int(view->getDirectPaintCount() - paintsAtStart);
            run.ticks = int(view->getTimerTickCount() - ticks0_);
        }
    }

    uint32_t shownSinceStart() const { return view->getDirectPaintCount() - paintsAtStart; }

private:
    double cpu0_ = 0, wall0_ = 0;
    uint32_t ticks0_ = 0;
};

// The bare side: a plain window on a thread of its own; WM_APP (wParam frames) blits
// that many frames and signals done.
struct BareSide {
    std::vector<BufferedImage*> frames;
    HWND hwnd = nullptr;
    HANDLE done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE ready = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    Run run;
    std::thread thread;

    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<BareSide*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (msg == WM_APP && self) {
            self->blit(int(wp));
            SetEvent(self->done);
            return 0;
        }
        if ((msg == WM_APP + 1 || msg == WM_APP + 2) && self) {
            // Paced: one frame a tick of a timer of the view's period (WM_APP + 2: the
            // ticks alone, nothing blitted).
            self->blits_ = msg == WM_APP + 1;
            self->pacedLeft_ = int(wp);
            self->run.frames = int(wp);
            self->wall0_ = bench::nowMs();
            self->cpu0_ = bench::threadCpuMs();
            SetTimer(hwnd, 1, UINT(std::max(int(kTimerMs), gDelayMs)), nullptr);
            return 0;
        }
        if (msg == WM_TIMER && self && self->pacedLeft_ > 0) {
            if (self->blits_) self->blitOne(self->pacedLeft_);
            if (--self->pacedLeft_ == 0) {
                KillTimer(hwnd, 1);
                self->run.cpuMs = bench::threadCpuMs() - self->cpu0_;
                self->run.wallMs = bench::nowMs() - self->wall0_;
                SetEvent(self->done);
            }
            return 0;
        }
        if (msg == WM_PAINT) {
            ValidateRect(hwnd, nullptr);
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wp, lp);
    }

    void start(int x, int y) {
        thread = std::thread([this, x, y] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"BenchBareBlit";
            RegisterClassW(&wc);
            RECT r{0, 0, kSize, kSize};
            AdjustWindowRect(&r, WS_POPUP | WS_BORDER, FALSE);
            hwnd = CreateWindowExW(0, wc.lpszClassName, L"bare", WS_POPUP | WS_BORDER | WS_VISIBLE, x, y,
                                   r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            mem_ = CreateCompatibleDC(nullptr);
            threadId_ = GetCurrentThreadId();
            SetEvent(ready);
            MSG m;
            while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
            DeleteDC(mem_);
            DestroyWindow(hwnd);
        });
        WaitForSingleObject(ready, INFINITE);
    }

    void blitOne(int i) {
        BufferedImage* frame = frames[size_t(i) % frames.size()];
        HGDIOBJ old = SelectObject(mem_, frame->getHBitmap());
        HDC dc = GetDC(hwnd);
        BitBlt(dc, 0, 0, kSize, kSize, mem_, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, dc);
        SelectObject(mem_, old);
        GdiFlush();
    }

    void blit(int count) {
        const double wall0 = bench::nowMs(), cpu0 = bench::threadCpuMs();
        for (int i = 0; i < count; ++i) blitOne(i);
        run.cpuMs = bench::threadCpuMs() - cpu0;
        run.wallMs = bench::nowMs() - wall0;
        run.frames = count;
    }

    // paced: 0 back to back, 1 one blit a timer tick, 2 the timer ticks alone.
    Run timed(int count, int paced = 0) {
        PostMessageW(hwnd, WM_APP + UINT(paced), WPARAM(count), 0);
        WaitForSingleObject(done, INFINITE);
        return run;
    }

    void stop() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread.join();
    }

private:
    HDC mem_ = nullptr;
    DWORD threadId_ = 0;
    int pacedLeft_ = 0;
    bool blits_ = true;
    double cpu0_ = 0, wall0_ = 0;
};

// Plays `count` frames in the view; false when the view stopped showing frames.
bool playView(s::gui::win::Window* window, ViewSide* side, int count, Run* out) {
    window->invoke(1, 0, 0, 0);
    const double limit = bench::nowMs() + 10.0 * std::max(gDelayMs, 25) * count + 10000;
    while (side->shownSinceStart() < uint32_t(count) && bench::nowMs() < limit) Sleep(2);
    window->invoke(2, 0, 0, 0);
    *out = side->run;
    return out->frames >= count;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? _wtoi(argv[1]) : 5;
    const int perRun = argc > 2 ? _wtoi(argv[2]) : 400;
    if (argc > 3) gDelayMs = std::max(0, _wtoi(argv[3]));

    ArrayU08* gifBytes = makeAnimation();
    std::printf("# animation: %d frames of %dx%d, %d ms delays, %u bytes of GIF\n", kFrames, kSize, kSize, gDelayMs,
                gifBytes->count());

    // The view's side: the decoded set shown at its own size in a real picture view.
    Box* panel = nullptr;
    s::gui::win::Window* window = bench::panelWindow(kSize, kSize, &panel);
    if (!window) return 1;
    ViewSide viewSide;
    viewSide.window = window;
    viewSide.view = Image::create();
    BufferedImageSet* shown = decode(gifBytes);
    if (!shown || shown->getFrameCount() != kFrames) {
        std::printf("the GIF decoder failed\n");
        return 1;
    }
    viewSide.view->setImageSet(shown, true, false, true, false, -1, -1);
    panel->addChild(viewSide.view);
    viewSide.view->setSizeClamped(kSize, kSize);
    window->addInvokeListener(&viewSide);

    // The bare side: the same bytes decoded and composed the same way.
    BufferedImageSet* decoded = decode(gifBytes);
    BufferedImageSet* whole = decoded ? decoded->coalesce() : nullptr;
    if (!whole || whole->getFrameCount() != kFrames) {
        std::printf("the bare side's frames could not be made\n");
        return 1;
    }
    BareSide bare;
    for (int i = 0; i < kFrames; ++i) bare.frames.push_back(whole->getFrame(i));
    bare.start(kSize + 100, 0);

    Run warm;
    if (!playView(window, &viewSide, kFrames, &warm)) {
        std::printf("the view showed %d of %d frames (not through its direct paint)\n", warm.frames, kFrames);
        return 1;
    }
    bare.timed(kFrames);

    // Three sides a run, in an order rotating run by run: the view, the bare blits back
    // to back, the bare blits paced by a timer of the view's period.
    std::vector<double> per[3], ratios[2];
    Run total[3];
    for (int i = 0; i < runs; ++i) {
        Run r[3];
        for (int k = 0; k < 3; ++k) {
            const int side = (i + k) % 3;
            if (side == 0)
                playView(window, &viewSide, perRun, &r[0]);
            else if (side == 1)
                r[1] = bare.timed(perRun * kBareTimes);
            else
                r[2] = bare.timed(perRun, 1);
        }
        std::printf(
            "run %d: view %d frames %.1f ms CPU in %.0f ms; bare %d blits %.1f ms CPU in %.0f ms; "
            "paced %d blits %.1f ms CPU in %.0f ms\n",
            i + 1, r[0].frames, r[0].cpuMs, r[0].wallMs, r[1].frames, r[1].cpuMs, r[1].wallMs, r[2].frames, r[2].cpuMs,
            r[2].wallMs);
        for (int k = 0; k < 3; ++k) {
            per[k].push_back(r[k].perFrame());
            total[k].cpuMs += r[k].cpuMs;
            total[k].frames += r[k].frames;
            total[k].ticks += r[k].ticks;
        }
        for (int k = 0; k < 2; ++k)
            if (r[k + 1].perFrame() > 0) ratios[k].push_back(r[0].perFrame() / r[k + 1].perFrame());
    }

    std::printf(
        "# GUI thread CPU per shown frame, %d interleaved runs of %d frames; the view's timer ticked %.2f "
        "times a frame\n",
        runs, perRun, double(total[0].ticks) / std::max(1, total[0].frames));
    std::printf("%-48s %10s %10s\n", "case", "best ms", "median ms");
    const char* names[3] = {"picture view playing the GIF", "bare blits back to back (own thread)",
                            "bare blits paced by a timer (own thread)"};
    for (int k = 0; k < 3; ++k)
        std::printf("%-48s %10.3f %10.3f\n", names[k], bench::best(per[k]), bench::median(per[k]));
    for (int k = 0; k < 2; ++k) {
        std::printf("%-48s %10.2f %10.2f\n", k ? "ratio view / paced bare" : "ratio view / bare back to back",
                    bench::best(per[0]) / bench::best(per[k + 1]), bench::median(per[0]) / bench::median(per[k + 1]));
        std::printf("%-48s %10.2f %10.2f\n", "  the same, run by run (best, median)", bench::best(ratios[k]),
                    bench::median(ratios[k]));
        std::printf("%-48s %10.2f\n", "  the same, from the totals of all runs",
                    total[0].perFrame() / (total[k + 1].perFrame() > 0 ? total[k + 1].perFrame() : 1));
    }

    // Where the view's time goes: its repaint alone on the window's thread, and the
    // thread standing idle as long as a run lasts.
    window->invoke(3, perRun * kBareTimes, 0, 0);
    const Run repaints = viewSide.run;
    window->invoke(4, 0, 0, 0);
    Sleep(DWORD(perRun * 25));
    window->invoke(5, 0, 0, 0);
    const Run idle = viewSide.run;
    const Run ticks = bare.timed(perRun, 2);
    std::printf("%-48s %10.3f\n", "view->repaint() alone, ms CPU each", repaints.perFrame());
    std::printf("%-48s %10.3f\n", "a bare 25 ms timer tick alone, ms CPU each", ticks.perFrame());
    std::printf("%-48s %10.1f ms CPU in %.0f ms\n", "the window's thread idle", idle.cpuMs, idle.wallMs);

    bare.stop();
    whole->release();
    decoded->release();
    gifBytes->release();
    window->release();
    return 0;
}
