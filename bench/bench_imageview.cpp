// Times the picture view's repaint while a large picture is panned inside a smaller
// view, against a bare BitBlt of the same area from a memory DC, in the same run.
//
// A 1600 x 1000 panel holds a view of a 6000 x 4000 picture at its own size (no
// rescale), moved before each timed side as a scroll box moves its content. The view's
// side is its repaint() of everything in sight; the bare side is GetDC of the same
// window, one BitBlt of the same 1600 x 1000 from a memory DC holding a picture of the
// same size, ReleaseDC. Both run on the window's thread, take turns run by run and
// flush GDI. Further rows: the same with the view standing still, a repaint through
// WM_PAINT, and a whole small pan step (the move plus what came into sight).
//
// A zoom step: a second, stretched view of the same picture, in a panel of its own,
// resized between two zoom sizes run by run and repainted (it resamples the whole
// picture and shows the part in sight), against the resampler's own fit of another copy
// of the picture to the same size plus the bare blit of the same area. Each side's
// previous size is the other zoom size, so neither finds its result kept from before.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/BenchWindow.h"
#include "gui/box/Box.h"
#include "gui/controls/Image.h"
#include "gui/window/Window.h"
#include "imaging/image/BufferedImage.h"
#include "skins/drawers/InstallDrawers.h"

namespace {

using s::gui::win::Box;
using s::gui::win::Image;
using s::image::win::BufferedImage;

constexpr int kViewW = 1600, kViewH = 1000;
constexpr int kPicW = 6000, kPicH = 4000;
constexpr int kRuns = 61;
constexpr int kZoomW = 1500, kZoomH = 1000;  // a zoomed-out step of the 6000 x 4000 picture

struct Result {
    std::vector<double> view, bare, wmPaint, panStep, still, bareStill, zoomView, zoomBare;
    uint32_t directPaints = 0;
};

class Runner : public s::gui::events::IEventListener {
public:
    Box* panel = nullptr;
    Image* view = nullptr;
    Image* zoomView = nullptr;
    BufferedImage* picture = nullptr;
    BufferedImage* zoomSource = nullptr;  // the resampler side's own copy of the picture
    Result result;

    void onEvent(s::base::IObject*, int32_t) override {
        HDC mem = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(mem, picture->getHBitmap());
        const uint32_t before = view->getDirectPaintCount();
        for (int i = 0; i < kRuns + 2; ++i) {
            // Pan: a diagonal walk over the picture, as a scroll box moves its content.
            // Each side gets a fresh move before it is timed, so both draw into a window
            // that has just moved (the window system recomputes what is in sight).
            const int px = (i * 97) % (kPicW - kViewW), py = (i * 61) % (kPicH - kViewH);
            auto move = [&](int dx) {
                view->setOrigin(-(px + dx), -py);
                ValidateRect(view->m_hWnd, nullptr);
                GdiFlush();
            };
            auto viewSide = [&] {
                view->repaint();
                GdiFlush();
            };
            auto bareSide = [&] {
                HDC dc = GetDC(view->m_hWnd);
                BitBlt(dc, px + 1, py, kViewW, kViewH, mem, px + 1, py, SRCCOPY);
                ReleaseDC(view->m_hWnd, dc);
                GdiFlush();
            };
            double tv, tb, t0;
            if (i % 2 == 0) {
                move(0);
                t0 = bench::nowMs();
                viewSide();
                tv = bench::nowMs() - t0;
                move(1);
                t0 = bench::nowMs();
                bareSide();
                tb = bench::nowMs() - t0;
            } else {
                move(1);
                t0 = bench::nowMs();
                bareSide();
                tb = bench::nowMs() - t0;
                move(0);
                t0 = bench::nowMs();
                viewSide();
                tv = bench::nowMs() - t0;
            }
            record(i, tv, tb);
        }
        result.directPaints = view->getDirectPaintCount() - before;
        // A whole pan step: the view moved by a scroll step (the window system keeps the
        // pixels still in sight) and only what came into sight painted.
        for (int i = 0; i < kRuns; ++i) {
            const int px = 1000 + (i % 2 ? 40 : 0), py = 1000 + (i % 2 ? 25 : 0);
            const double t0 = bench::nowMs();
            view->setOrigin(-px, -py);
            UpdateWindow(view->m_hWnd);
            GdiFlush();
            result.panStep.push_back(bench::nowMs() - t0);
        }
        // The whole view in sight repainted while it stands still, against the bare blit
        // into the same window.
        for (int i = 0; i < kRuns; ++i) {
            const double t0 = bench::nowMs();
            view->repaint();
            GdiFlush();
            const double t1 = bench::nowMs();
            HDC dc = GetDC(view->m_hWnd);
            BitBlt(dc, 1040, 1025, kViewW, kViewH, mem, 1040, 1025, SRCCOPY);
            ReleaseDC(view->m_hWnd, dc);
            GdiFlush();
            const double t2 = bench::nowMs();
            result.still.push_back(t1 - t0);
            result.bareStill.push_back(t2 - t1);
        }
        // The same pan and repaint through the window system: invalidate, then WM_PAINT.
        for (int i = 0; i < kRuns; ++i) {
            const int px = (i * 89) % (kPicW - kViewW), py = (i * 53) % (kPicH - kViewH);
            view->setOrigin(-px, -py);
            ValidateRect(view->m_hWnd, nullptr);
            const double t0 = bench::nowMs();
            RedrawWindow(view->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            GdiFlush();
            result.wmPaint.push_back(bench::nowMs() - t0);
        }
        SelectObject(mem, old);
        DeleteDC(mem);
        zoomSteps();
    }

    // Zoom steps between two sizes, the two sides taking turns run by run.
    void zoomSteps() {
        const int sizes[2][2] = {{kZoomW, kZoomH}, {kZoomW * 5 / 4, kZoomH * 5 / 4}};
        HDC mem = CreateCompatibleDC(nullptr);
        for (int i = 0; i < kRuns + 2; ++i) {
            const int w = sizes[i % 2][0], h = sizes[i % 2][1];
            auto viewSide = [&] {
                zoomView->setSize(w, h);
                zoomView->repaint();
                GdiFlush();
            };
            auto bareSide = [&] {
                BufferedImage* scaled = zoomSource->fitScale(w, h, false);
                HGDIOBJ old = SelectObject(mem, scaled->getHBitmap());
                HDC dc = GetDC(zoomView->m_hWnd);
                BitBlt(dc, 0, 0, std::min(w, kViewW), std::min(h, kViewH), mem, 0, 0, SRCCOPY);
                ReleaseDC(zoomView->m_hWnd, dc);
                SelectObject(mem, old);
                GdiFlush();
            };
            double tv, tb, t0;
            if (i % 4 < 2) {
                t0 = bench::nowMs();
                viewSide();
                tv = bench::nowMs() - t0;
                t0 = bench::nowMs();
                bareSide();
                tb = bench::nowMs() - t0;
            } else {
                t0 = bench::nowMs();
                bareSide();
                tb = bench::nowMs() - t0;
                t0 = bench::nowMs();
                viewSide();
                tv = bench::nowMs() - t0;
            }
            if (i < 2) continue;  // warm-up
            result.zoomView.push_back(tv);
            result.zoomBare.push_back(tb);
        }
        DeleteDC(mem);
    }

private:
    void record(int i, double viewMs, double bareMs) {
        if (i < 2) return;  // warm-up
        result.view.push_back(viewMs);
        result.bare.push_back(bareMs);
    }
};

double best(std::vector<double> v) { return *std::min_element(v.begin(), v.end()); }
double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int wmain() {
    Runner runner;
    s::gui::win::Window* window = bench::panelWindow(kViewW, kViewH, &runner.panel);
    if (!window) return 1;
    runner.picture = bench::photoLike(kPicW, kPicH);
    BufferedImage* shown = runner.picture->copy();
    runner.view = Image::create();
    runner.view->setImage(shown, true, false, true, false, -1, -1);
    runner.panel->addChild(runner.view);
    runner.view->setSizeClamped(kPicW, kPicH);
    runner.zoomSource = runner.picture->copy();
    runner.zoomView = Image::create();
    runner.zoomView->setImage(runner.picture->copy(), true, true, false, false, -1, -1);
    Box* zoomPanel = Box::createSized(s::gui::LayoutKind::kPile, kViewW, kViewH, 0, 0, 0);
    window->addChild(zoomPanel);
    zoomPanel->setSizeClamped(kViewW, kViewH);
    zoomPanel->addChild(runner.zoomView);
    window->addInvokeListener(&runner);
    window->invoke(0, 0, 0, 0);

    const Result& r = runner.result;
    std::printf("# picture view repaint while panning: %dx%d view of a %dx%d picture, %d interleaved runs\n", kViewW,
                kViewH, kPicW, kPicH, int(r.view.size()));
    std::printf("%-44s %10s %10s\n", "case", "best ms", "median ms");
    std::printf("%-44s %10.3f %10.3f\n", "view->repaint() after a move", best(r.view), median(r.view));
    std::printf("%-44s %10.3f %10.3f\n", "bare BitBlt into the view after a move", best(r.bare), median(r.bare));
    std::printf("%-44s %10.2f %10.2f\n", "ratio view / bare", best(r.view) / best(r.bare),
                median(r.view) / median(r.bare));
    std::printf("%-44s %10.3f %10.3f\n", "through WM_PAINT (invalidate, update now)", best(r.wmPaint),
                median(r.wmPaint));
    std::printf("%-44s %10.3f %10.3f\n", "pan step 40x25: move + paint what came in", best(r.panStep),
                median(r.panStep));
    std::printf("%-44s %10.3f %10.3f\n", "view->repaint(), view standing still", best(r.still), median(r.still));
    std::printf("%-44s %10.3f %10.3f\n", "bare BitBlt, view standing still", best(r.bareStill), median(r.bareStill));
    std::printf("%-44s %10.2f %10.2f\n", "ratio standing still", best(r.still) / best(r.bareStill),
                median(r.still) / median(r.bareStill));
    std::printf("paints straight from the picture: %u of %d\n", r.directPaints, kRuns + 2);
    std::printf("# zoom step: the view resized between %dx%d and %dx%d, stretching the %dx%d picture\n", kZoomW, kZoomH,
                kZoomW * 5 / 4, kZoomH * 5 / 4, kPicW, kPicH);
    std::printf("%-44s %10.3f %10.3f\n", "view: resize + repaint", best(r.zoomView), median(r.zoomView));
    std::printf("%-44s %10.3f %10.3f\n", "resampler fitScale + bare BitBlt", best(r.zoomBare), median(r.zoomBare));
    std::printf("%-44s %10.2f %10.2f\n", "ratio view / (resampler + blit)", best(r.zoomView) / best(r.zoomBare),
                median(r.zoomView) / median(r.zoomBare));
    runner.zoomSource->release();
    runner.picture->release();
    window->release();
    return 0;
}
