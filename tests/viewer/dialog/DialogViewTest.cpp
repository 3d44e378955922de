// The viewer's zoom, fit and window sizing on the real window: scale limits and the
// sizes the view and the window take after zoom steps, a window that reaches the work
// area scrolling with its bars, an edge drag that keeps the picture's proportions, and
// browsing a folder past damaged files.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>

#include "gui/box/Box.h"
#include "platform/file/PathWin.h"
#include "gui/controls/IButton.h"
#include "gui/controls/ISpacer.h"
#include "viewer/panels/IToolPanels.h"
#include "viewer/dialog/ViewOpenTestSupport.h"

using namespace viewopstest;
namespace fit = s::image::gui::dialogs::imageview::fit;

namespace {

struct ZoomCase {
    int w, h;
    double minimum, maximum;
    // The picture view's inner size at the smallest and at the largest scale.
    SIZE smallest, largest;
};

class DialogViewTest : public ViewerTest {};

// Without a fit mode the window keeps its size; zooming reaches exactly the limits.
TEST_F(DialogViewTest, ZoomStepsStopAtThePicturesLimits) {
    const ZoomCase cases[] = {
        {1, 1, 1.0, 5120.0, {1, 1}, {5120, 5120}},
        {10000, 10, 0.1, 1.0, {1000, 1}, {10000, 10}},
        {400, 300, 1.0 / 300, 12.8, {1, 1}, {5120, 3840}},
    };
    for (const ZoomCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        opentest::PictureFolder folder("viewops-zoom");
        ASSERT_TRUE(makePicture(folder, "p.png", c.w, c.h));
        start(fit::kNone, folder.winFile("p.png").c_str());
        const SIZE window = windowSize();
        s::image::gui::dialogs::imageview::zoom::ScaleLimits limits;
        gui_([&] { limits = Access::zoom(dialog()).limits; });
        EXPECT_DOUBLE_EQ(limits.minimum, c.minimum);
        EXPECT_DOUBLE_EQ(limits.maximum, c.maximum);
        EXPECT_DOUBLE_EQ(scale(), 1.0);
        EXPECT_EQ(viewInner().cx, c.w);

        gui_([&] {
            for (int i = 0; i < 60; ++i) dialog()->zoomOut();
        });
        EXPECT_NEAR(scale(), c.minimum, 1e-9);
        EXPECT_EQ(viewInner().cx, c.smallest.cx);
        EXPECT_EQ(viewInner().cy, c.smallest.cy);

        gui_([&] {
            for (int i = 0; i < 80; ++i) dialog()->zoomIn();
        });
        EXPECT_NEAR(scale(), c.maximum, 1e-9);
        EXPECT_EQ(viewInner().cx, c.largest.cx);
        EXPECT_EQ(viewInner().cy, c.largest.cy);
        EXPECT_EQ(windowSize().cx, window.cx);
        EXPECT_EQ(windowSize().cy, window.cy);
        viewer_.reset();
    }
}

// Fit window to image: each zoom step sizes the window around the picture at that scale.
TEST_F(DialogViewTest, FitWindowToImageSizesTheWindowForEachZoomStep) {
    opentest::PictureFolder folder("viewops-fitzoom");
    ASSERT_TRUE(makePicture(folder, "p.png", 400, 300));
    start(fit::kWindowToImage, folder.winFile("p.png").c_str());
    struct Step {
        const char* what;
        std::function<void(Dialog*)> act;
        SIZE view;
        double scale;
    };
    const Step steps[] = {
        {"original size", [](Dialog* d) { d->toOriginalSize(); }, {400, 300}, 1.0},
        {"zoom in", [](Dialog* d) { d->zoomIn(); }, {500, 375}, 1.25},
        {"zoom out", [](Dialog* d) { d->zoomOut(); }, {375, 281}, 0.9375},
        {"wheel forward", [](Dialog* d) { d->zoomByWheel(1); }, {431, 323}, 431.0 / 400},
        {"wheel with no lines zooms out", [](Dialog* d) { d->zoomByWheel(0); }, {366, 275}, 366.0 / 400},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        s::image::gui::dialogs::imageview::zoom::WindowChrome chrome;
        bool fitted = false;
        gui_([&] {
            step.act(dialog());
            chrome = Access::chrome(dialog());
            fitted = dialog()->isFitWindowToImage();
        });
        EXPECT_TRUE(fitted);
        const SIZE view = viewInner();
        EXPECT_EQ(view.cx, step.view.cx);
        EXPECT_EQ(view.cy, step.view.cy);
        EXPECT_NEAR(scale(), step.scale, 1e-9);
        EXPECT_EQ(windowSize().cx, chrome.windowWidthFor(step.view.cx));
        EXPECT_EQ(windowSize().cy, chrome.windowHeightFor(step.view.cy));
    }
}

// A picture larger than the work area: fitted on opening, and at 100 % the window takes
// the whole work area and the picture scrolls with its bars shown.
TEST_F(DialogViewTest, FitWindowToImageCapsTheWindowToTheWorkAreaAndScrolls) {
    opentest::PictureFolder folder("viewops-cap");
    ASSERT_TRUE(makePicture(folder, "big.png", 3000, 2000));
    start(fit::kWindowToImage, folder.winFile("big.png").c_str());
    s::image::gui::dialogs::imageview::zoom::Area work{};
    bool scrolls = true;
    gui_([&] {
        work = Access::workArea(dialog());
        scrolls = Access::scrollBox(dialog())->canScroll();
    });
    EXPECT_FALSE(scrolls);
    EXPECT_LE(windowSize().cx, work.width);
    EXPECT_LE(windowSize().cy, work.height);
    const SIZE fitted = viewInner();
    EXPECT_NEAR(double(fitted.cx) / fitted.cy, 1.5, 0.01);
    EXPECT_LT(scale(), 1.0);

    bool barsShown = false;
    gui_([&] {
        dialog()->toOriginalSize();
        scrolls = Access::scrollBox(dialog())->canScroll();
        barsShown = Access::scrollBox(dialog())->getHorizontalBarSpace() > 0 &&
                    Access::scrollBox(dialog())->getVerticalBarSpace() > 0;
    });
    EXPECT_TRUE(scrolls);
    EXPECT_TRUE(barsShown);
    EXPECT_EQ(windowSize().cx, work.width);
    EXPECT_EQ(windowSize().cy, work.height);
    EXPECT_EQ(viewInner().cx, 3000);
    EXPECT_EQ(viewInner().cy, 2000);
    EXPECT_DOUBLE_EQ(scale(), 1.0);
    bool stillFitted = false;
    gui_([&] { stillFitted = dialog()->isFitWindowToImage(); });
    EXPECT_TRUE(stillFitted);
}

// Fit window to image on a minimized window (a slide show goes on while it is): the window
// stays minimized and comes back hugging the new picture. On a maximized window: it is
// restored at the picture's size with its frame, not the maximized window's (none).
TEST_F(DialogViewTest, FitWindowToImageSizesAMinimizedOrMaximizedWindowForItsRestoredState) {
    opentest::PictureFolder folder("viewops-minmax");
    ASSERT_TRUE(makePicture(folder, "a.png", 400, 300));
    ASSERT_TRUE(makePicture(folder, "b.png", 200, 100));
    start(fit::kWindowToImage, folder.winFile("a.png").c_str());
    s::image::gui::dialogs::imageview::zoom::WindowChrome chrome;
    gui_([&] { chrome = Access::chrome(dialog()); });
    auto hugs = [&](int w, int h) {
        return dialogtest::waitFor([&] {
            const SIZE view = viewInner(), outer = windowSize();
            return view.cx == w && view.cy == h && outer.cx == chrome.windowWidthFor(w) &&
                   outer.cy == chrome.windowHeightFor(h);
        });
    };
    ASSERT_TRUE(hugs(400, 300));
    auto open = [&](const char* name) {
        bool opened = false;
        gui_([&] { opened = dialog()->openImage(folder.winFile(name).c_str(), true, false); });
        return opened;
    };

    ShowWindow(hwnd(), SW_MINIMIZE);
    ASSERT_TRUE(dialogtest::waitFor([&] { return IsIconic(hwnd()) != FALSE; }));
    ASSERT_TRUE(open("b.png"));
    EXPECT_TRUE(IsIconic(hwnd())) << "opening a picture restored the minimized window";
    ShowWindow(hwnd(), SW_RESTORE);
    ASSERT_TRUE(dialogtest::waitFor([&] { return IsIconic(hwnd()) == FALSE; }));
    EXPECT_TRUE(hugs(200, 100)) << windowSize().cx << " x " << windowSize().cy;

    ShowWindow(hwnd(), SW_MAXIMIZE);
    ASSERT_TRUE(dialogtest::waitFor([&] { return IsZoomed(hwnd()) != FALSE; }));
    ASSERT_TRUE(open("a.png"));
    EXPECT_FALSE(IsZoomed(hwnd()));
    EXPECT_TRUE(hugs(400, 300)) << windowSize().cx << " x " << windowSize().cy;
}

// Opened with fit window to image: a 1 x 1 picture in a window of the smallest size, a
// 10000 x 10 one as wide as the work area, a 400 x 300 one hugged. Each window lies inside
// the work area with its bottom bar at the bottom of its client area.
TEST_F(DialogViewTest, OpenedPicturesSizeTheWindowInsideTheWorkArea) {
    const struct {
        int w, h;
        SIZE view;
        bool fullWidth, hugged;
    } cases[] = {{1, 1, {1, 1}, false, false}, {10000, 10, {0, 0}, true, false}, {400, 300, {400, 300}, false, true}};
    opentest::PictureFolder folder("viewops-opensizes");
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        const std::string name = "p" + std::to_string(c.w) + ".png";
        ASSERT_TRUE(makePicture(folder, name, c.w, c.h));
        start(fit::kWindowToImage, folder.winFile(name).c_str());
        s::image::gui::dialogs::imageview::zoom::WindowChrome chrome;
        s::image::gui::dialogs::imageview::zoom::Area work{};
        RECT window{}, client{}, dropBox{}, page{};
        gui_([&] {
            chrome = Access::chrome(dialog());
            work = Access::workArea(dialog());
            GetWindowRect(hwnd(), &window);
            GetClientRect(hwnd(), &client);
            HWND drop = GetWindow(hwnd(), GW_CHILD);
            GetClientRect(drop, &dropBox);
            GetWindowRect(dialog()->pageBox()->GetSafeHwnd(), &page);
            MapWindowPoints(nullptr, drop, reinterpret_cast<POINT*>(&page), 2);
        });
        const SIZE view = viewInner();
        const LONG width = window.right - window.left, height = window.bottom - window.top;
        if (c.fullWidth) {
            EXPECT_EQ(width, work.width);
            EXPECT_EQ(view.cx, chrome.viewWidthFor(work.width));
            EXPECT_EQ(view.cy, std::lround(double(c.h) * view.cx / c.w));
        } else {
            EXPECT_EQ(view.cx, c.view.cx);
            EXPECT_EQ(view.cy, c.view.cy);
            // Never smaller than the picture asks for; larger only up to the window's least size.
            EXPECT_GE(width, chrome.windowWidthFor(view.cx));
            EXPECT_GE(height, chrome.windowHeightFor(view.cy));
            if (c.hugged) {
                EXPECT_EQ(width, chrome.windowWidthFor(view.cx));
                EXPECT_EQ(height, chrome.windowHeightFor(view.cy));
            }
        }
        EXPECT_GE(window.left, work.left);
        EXPECT_GE(window.top, work.top);
        EXPECT_LE(window.right, work.left + work.width);
        EXPECT_LE(window.bottom, work.top + work.height);
        EXPECT_EQ(dropBox.bottom, client.bottom);
        EXPECT_EQ(page.bottom + 22 + 2, dropBox.bottom) << "the bottom bar is not at the window's bottom";
        viewer_.reset();
    }
}

// A stored place that leaves the window reaching past the screen: the window is shown
// whole inside it, whether the picture sizes the window, no fit mode is on or no picture
// is opened. A place inside the screen is kept.
TEST(DialogPlacementTest, AStoredPlaceReachingPastTheScreenIsMovedInside) {
    opentest::PictureFolder folder("viewops-stored");
    ASSERT_TRUE(makePicture(folder, "a.png", 400, 300));
    const std::wstring picture = folder.winFile("a.png");
    const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                      GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const struct {
        POINT stored;
        int32_t fitMode;
        bool withPicture;
    } cases[] = {
        {{100, -300}, fit::kNone, true},
        {{screen.right - 120, screen.bottom - 180}, fit::kNone, true},
        {{-300, -200}, fit::kNone, true},
        {{100, -300}, fit::kWindowToImage, false},
        {{screen.right - 120, screen.bottom - 180}, fit::kWindowToImage, false},
        {{100, -300}, fit::kWindowToImage, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stored.x << "," << c.stored.y << " fit mode " << c.fitMode
                                        << (c.withPicture ? " with a picture" : " empty"));
        dialogtest::Viewer viewer(1, [&](dialogtest::ViewerSettings& settings) {
            settings.setLastUsedFitMode(c.fitMode);
            settings.setFitMode2(0);
        });
        viewer.record()->setBounds(c.stored.x, c.stored.y, 600, 500);
        viewer.build(c.withPicture ? picture.c_str() : nullptr);
        RECT r{};
        GetWindowRect(viewer.hwnd(), &r);
        EXPECT_GE(r.left, screen.left);
        EXPECT_GE(r.top, screen.top);
        EXPECT_LE(r.right, screen.right);
        EXPECT_LE(r.bottom, screen.bottom);
    }
    // Inside the screen, the stored place is where the window shows.
    dialogtest::Viewer viewer(1,
                              [&](dialogtest::ViewerSettings& settings) { settings.setLastUsedFitMode(fit::kNone); });
    viewer.record()->setBounds(screen.left + 100, screen.top + 80, 600, 500);
    viewer.build(picture.c_str());
    RECT r{};
    GetWindowRect(viewer.hwnd(), &r);
    EXPECT_EQ(r.left, screen.left + 100);
    EXPECT_EQ(r.top, screen.top + 80);
}

// WM_SIZING of an edge drag: the rectangle the system is about to apply is rewritten.
RECT dragged(HWND hwnd, WPARAM edge, const RECT& r) {
    RECT out = r;
    SendMessageW(hwnd, WM_SIZING, edge, reinterpret_cast<LPARAM>(&out));
    return out;
}

TEST_F(DialogViewTest, AnEdgeDragKeepsThePicturesProportions) {
    opentest::PictureFolder folder("viewops-sizing");
    ASSERT_TRUE(makePicture(folder, "p.png", 400, 300));
    start(fit::kWindowToImage, folder.winFile("p.png").c_str());
    s::image::gui::dialogs::imageview::zoom::WindowChrome chrome;
    gui_([&] {
        dialog()->toOriginalSize();
        chrome = Access::chrome(dialog());
    });
    RECT r{};
    GetWindowRect(hwnd(), &r);

    // The right edge dragged to a view 800 wide asks for 800 x 600.
    RECT wide = r;
    wide.right = wide.left + chrome.windowWidthFor(800);
    RECT got = dragged(hwnd(), WMSZ_RIGHT, wide);
    EXPECT_EQ(got.left, r.left);
    EXPECT_EQ(got.right - got.left, chrome.windowWidthFor(800));
    EXPECT_EQ(got.bottom - got.top, chrome.windowHeightFor(600));
    EXPECT_NEAR(scale(), 2.0, 1e-9);

    // The bottom edge dragged to a view 451 high: the width changes around the middle,
    // the odd pixel going to the right.
    RECT tall = r;
    tall.bottom = tall.top + chrome.windowHeightFor(451);
    got = dragged(hwnd(), WMSZ_BOTTOM, tall);
    const int wantW = chrome.windowWidthFor(601);  // round(451 x 4 / 3)
    const int delta = wantW - (r.right - r.left);
    EXPECT_EQ(got.top, r.top);
    EXPECT_EQ(got.bottom - got.top, chrome.windowHeightFor(451));
    EXPECT_EQ(got.left, r.left - delta / 2);
    EXPECT_EQ(got.right, r.right + delta - delta / 2);

    // Without fit window to image the drag stays as the user made it.
    gui_([&] { dialog()->setFitMode(false, true, true); });
    got = dragged(hwnd(), WMSZ_RIGHT, wide);
    EXPECT_EQ(got.left, wide.left);
    EXPECT_EQ(got.right, wide.right);
    EXPECT_EQ(got.top, wide.top);
    EXPECT_EQ(got.bottom, wide.bottom);
}

// --- browsing -------------------------------------------------------------------------------

// The title bar switched on and off again: the toolbar's palm and fit buttons and the gap
// before them come back at the widths they were built with, and the page keeps its size.
TEST(DialogTitleBarTest, TheToolbarsFitButtonsComeBackAsBuiltWhenTheTitleBarGoesOff) {
    for (int32_t scale : {1, 2}) {
        SCOPED_TRACE("scale " + std::to_string(scale));
        dialogtest::Viewer viewer(scale);
        viewer.build();
        OnWindowThread gui;
        gui.attach(viewer.window());
        const s::image::gui::dialogs::imageview::ToolbarControls& bar = viewer->toolPanels()->toolbar();
        auto widths = [&] {
            std::vector<int32_t> w;
            gui([&] {
                w = {bar.palm->getPreferredWidth(), bar.fitGap->getPreferredWidth(),
                     bar.fitToWindow->getPreferredWidth(), bar.fitWindow->getPreferredWidth()};
            });
            return w;
        };
        auto pageSize = [&] {
            SIZE size{};
            gui([&] { size = {viewer->pageBox()->getWidth(), viewer->pageBox()->getHeight()}; });
            return size;
        };
        const std::vector<int32_t> built = widths();
        EXPECT_EQ(built, (std::vector<int32_t>{18 * scale, 7 * scale, 18 * scale, 18 * scale}));
        const SIZE page = pageSize();
        gui([&] { viewer->setShowTitleBar(true); });
        EXPECT_EQ(widths(), (std::vector<int32_t>{0, 0, 0, 0}));
        gui([&] { viewer->setShowTitleBar(false); });
        EXPECT_EQ(widths(), built);
        EXPECT_EQ(pageSize().cx, page.cx);
        EXPECT_EQ(pageSize().cy, page.cy);
    }
}

// Closing a small picture in a window shrunk to it brings back the help page, which is far
// taller: the window grows until the page fits, the bottom bar at the window's bottom.
TEST_F(DialogViewTest, ClosingASmallPictureGrowsTheWindowBackToTheHelpPage) {
    opentest::PictureFolder folder("viewops-close-small");
    ASSERT_TRUE(makePicture(folder, "tiny.png", 3, 3));
    start(fit::kWindowToImage, folder.winFile("tiny.png").c_str());
    auto layout = [&](RECT& client, RECT& dropBox, RECT& page) {
        gui_([&] {
            GetClientRect(hwnd(), &client);
            GetClientRect(GetWindow(hwnd(), GW_CHILD), &dropBox);
            GetWindowRect(dialog()->pageBox()->GetSafeHwnd(), &page);
            MapWindowPoints(nullptr, GetWindow(hwnd(), GW_CHILD), reinterpret_cast<POINT*>(&page), 2);
        });
    };
    RECT client{}, dropBox{}, page{};
    layout(client, dropBox, page);
    const LONG shrunk = client.bottom;
    ASSERT_LT(shrunk, 200) << "the window did not shrink to the picture";

    int32_t helpHeight = 0;
    gui_([&] {
        dialog()->closePicture();
        helpHeight = dialog()->pageBox()->getMinHeight();
    });
    layout(client, dropBox, page);
    EXPECT_GT(client.bottom, shrunk) << "the window kept the picture's size";
    EXPECT_GE(page.bottom - page.top, helpHeight) << "the help page does not fit";
    EXPECT_EQ(dropBox.bottom, client.bottom) << "the drop box is not the window's height";
    // Page box, then the 22-pixel bottom bar, then the drop box's 2-pixel margin.
    EXPECT_EQ(page.bottom + 22 + 2, dropBox.bottom) << "the bottom bar is not at the window's bottom";
}

class DialogBrowseTest : public ViewerTest {
protected:
    int shownWidth() {
        int w = 0;
        gui_([&] { w = Access::view(dialog())->getImageWidth(); });
        return w;
    }
    std::wstring shownName() {
        std::wstring name;
        gui_([&] { name = dialog()->shown().getName(); });
        return name;
    }
    bool next(bool wrap) {
        bool opened = false;
        gui_([&] { opened = dialog()->showNextFile(wrap); });
        return opened;
    }
    void previous() {
        gui_([&] { dialog()->showPreviousFile(); });
    }
};

TEST_F(DialogBrowseTest, StepsThroughTheFolderSkippingADamagedFileAndWraps) {
    opentest::PictureFolder folder("viewops-browse");
    ASSERT_TRUE(folder.addPictures({"a.png", "c.gif", "d.bmp"}));  // 1, 2 and 3 pixels wide
    ASSERT_TRUE(folder.addDamaged({"b.png"}));
    start(fit::kWindowToImage, folder.winFile("a.png").c_str());
    ASSERT_EQ(shownWidth(), 1);

    EXPECT_TRUE(next(false));
    EXPECT_EQ(shownWidth(), 2) << "the damaged b.png is passed over";
    EXPECT_EQ(shownName(), L"c.gif");
    EXPECT_TRUE(next(false));
    EXPECT_EQ(shownWidth(), 3);
    EXPECT_FALSE(next(false)) << "the last file without wrapping";
    EXPECT_EQ(shownWidth(), 3);
    EXPECT_TRUE(next(true));
    EXPECT_EQ(shownWidth(), 1);
    previous();
    EXPECT_EQ(shownWidth(), 3) << "previous wraps from the first to the last";
    previous();
    EXPECT_EQ(shownWidth(), 2);
    wchar_t title[64] = {};
    GetWindowTextW(hwnd(), title, 64);
    EXPECT_STREQ(title, L"c.gif");
}

TEST_F(DialogBrowseTest, TwelveDamagedFilesInARowEndTheWalkWithThePictureKept) {
    opentest::PictureFolder folder("viewops-damaged");
    ASSERT_TRUE(folder.addPictures({"a.png", "z.png"}));
    std::vector<std::string> damaged;
    for (int i = 1; i <= 12; ++i) damaged.push_back("d" + std::to_string(100 + i) + ".png");
    ASSERT_TRUE(folder.addDamaged(damaged));
    start(fit::kWindowToImage, folder.winFile("a.png").c_str());

    EXPECT_TRUE(next(true)) << "a slide show goes on after a walk that gave up";
    EXPECT_EQ(shownWidth(), 1);
    EXPECT_EQ(shownName(), L"a.png");
    // The next step goes on after the files already tried.
    EXPECT_TRUE(next(true));
    EXPECT_EQ(shownName(), L"z.png");
}

TEST_F(DialogBrowseTest, ALonePictureStays) {
    opentest::PictureFolder folder("viewops-alone");
    ASSERT_TRUE(folder.addPictures({"only.png"}));
    start(fit::kWindowToImage, folder.winFile("only.png").c_str());
    EXPECT_FALSE(next(true));
    previous();
    EXPECT_EQ(shownName(), L"only.png");
}

}  // namespace
