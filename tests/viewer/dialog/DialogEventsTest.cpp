#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <thread>

#include "DialogTestSupport.h"
#include "gui/box/Box.h"
#include "gui/menus/MenuEx.h"
#include "gui/menus/PopupMenu.h"
#include "gui/controls/IImage.h"
#include "viewer/dialog/WorkerProgress.h"
#include "support/DropFiles.h"
#include "viewer/open/OpenTestSupport.h"

using dialogtest::Viewer;
using dialogtest::waitFor;
using s::image::gui::dialogs::imageview::Dialog;
using s::image::gui::dialogs::imageview::ViewerSettings;

namespace {

HWND hwndOf(s::gui::IComponent* c) {
    auto* wnd = dynamic_cast<CWnd*>(c);
    return wnd ? wnd->m_hWnd : nullptr;
}

int32_t holderIndexOf(int32_t command) {
    int32_t count = 0;
    const int32_t* order = Dialog::panelHolderCommands(&count);
    for (int32_t i = 0; i < count; ++i)
        if (order[i] == command) return i;
    return -1;
}

// Exactly the panel of the command is visible in the panel holder.
bool onlyPanelShown(Viewer& viewer, int32_t command) {
    s::gui::win::Box* holder = viewer->panelHolder();
    const int32_t shown = holderIndexOf(command);
    for (int32_t i = 0; i < holder->getChildCount(); ++i)
        if (holder->getChildAt(i)->isVisible() != (i == shown)) return false;
    return true;
}

TEST(DialogEventsTest, PanelChooserShowsOnePanelAndTheConvertPageComesAndGoes) {
    Viewer viewer;
    viewer.build();
    int32_t count = 0;
    Dialog::panelHolderCommands(&count);
    // The hidden panels are attached once the window is on screen.
    EXPECT_TRUE(waitFor([&] { return viewer->panelHolder()->getChildCount() == count; }));
    EXPECT_TRUE(onlyPanelShown(viewer, 3000));
    struct Step {
        int32_t command;
        int32_t page;  // the page box's page afterwards
    };
    // The empty viewer: the help page (0) unless the convert page (2) was chosen.
    for (const Step step :
         {Step{4300, 0}, Step{4120, 2}, Step{4650, 0}, Step{4120, 2}, Step{4120, 2}, Step{3000, 0}, Step{4099, 0}}) {
        SCOPED_TRACE(step.command);
        PostMessageW(hwndOf(viewer->menuBar()), WM_COMMAND, MAKEWPARAM(step.command, 0), 0);
        auto onlyPageShown = [&] {
            for (int32_t page = 0; page < 3; ++page)
                if (viewer->pageBox()->getChildAt(page)->isVisible() != (page == step.page)) return false;
            return true;
        };
        EXPECT_TRUE(waitFor([&] {
            return onlyPanelShown(viewer, step.command) &&
                   viewer->panelChooser()->getTitleId() == 1990000000 + step.command && onlyPageShown();
        }));
    }
}

TEST(DialogEventsTest, ResizeKeepsTheSizeOnlyWhileTheWindowIsNeitherMaximizedNorMinimized) {
    Viewer viewer;
    viewer.build();
    const std::wstring view = L"MainWindow\\View";
    auto stored = [&] {
        return std::make_pair(viewer.reg().dwordOf(view, L"Width"), viewer.reg().dwordOf(view, L"Height"));
    };
    viewer.window()->setSize(640, 480);
    EXPECT_TRUE(waitFor([&] { return stored() == std::make_pair(DWORD(640), DWORD(480)); }))
        << stored().first << " x " << stored().second;

    viewer.window()->maximize();
    ASSERT_TRUE(waitFor([&] { return viewer.window()->isMaximized(); }));
    EXPECT_GT(viewer.window()->getWidth(), 640);
    EXPECT_EQ(stored(), std::make_pair(DWORD(640), DWORD(480)));

    viewer.window()->restore();
    ASSERT_TRUE(waitFor([&] { return !viewer.window()->isMaximized(); }));
    viewer.window()->minimize();
    ASSERT_TRUE(waitFor([&] { return viewer.window()->isMinimized(); }));
    EXPECT_EQ(stored(), std::make_pair(DWORD(640), DWORD(480)));
}

TEST(DialogEventsTest, ToolbarTurnsCompactBelowItsThreshold) {
    struct Case {
        int32_t scale;
        bool titleBar;
        int32_t innerWidth;
        bool compact;
    };
    const Case cases[] = {
        {1, false, 399, true}, {1, false, 400, false}, {1, true, 329, true}, {1, true, 330, false},
        {2, false, 799, true}, {2, false, 800, false}, {2, true, 659, true}, {2, true, 660, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.scale) + (c.titleBar ? " title bar " : " ") + std::to_string(c.innerWidth));
        Viewer viewer(c.scale, [&](ViewerSettings& settings) { settings.setShowTitleBar(c.titleBar); });
        viewer.build();
        // From the other side of the threshold first, so that the flag must change.
        viewer.window()->setInnerWidth(c.compact ? c.innerWidth + 100 : c.innerWidth - 100);
        ASSERT_TRUE(waitFor([&] { return viewer->isToolbarCompact() != c.compact; }));
        viewer.window()->setInnerWidth(c.innerWidth);
        EXPECT_TRUE(waitFor([&] {
            return viewer.window()->getInnerWidth() == c.innerWidth && viewer->isToolbarCompact() == c.compact;
        })) << viewer.window()->getInnerWidth();
    }
}

TEST(DialogEventsTest, WindowButtonsMaximizeRestoreAndClose) {
    Viewer viewer;
    viewer.build();
    s::gui::win::Box* compact = viewer->compactButtonBox();
    const HWND close = hwndOf(compact->getChildAt(0));
    const HWND maximize = hwndOf(compact->getChildAt(1));
    auto caption = [&] {
        wchar_t text[16] = {};
        GetWindowTextW(maximize, text, 16);
        return std::wstring(text);
    };
    PostMessageW(maximize, BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] { return viewer.window()->isMaximized() && caption() == L"#\u2199"; })) << caption();
    PostMessageW(maximize, BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !viewer.window()->isMaximized() && caption() == L"#\u25A1"; })) << caption();
    EXPECT_FALSE(viewer->isWorkerStopRequested());
    PostMessageW(close, BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] { return viewer.window()->isClosed(); }));
    EXPECT_TRUE(viewer->isWorkerStopRequested());
}

TEST(DialogEventsTest, ClosingTheWindowAsksTheWorkerToStop) {
    Viewer viewer;
    viewer.build();
    PostMessageW(viewer.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitFor([&] { return viewer.window()->isClosed(); }));
    EXPECT_TRUE(viewer->isWorkerStopRequested());
    EXPECT_FALSE(viewer->areBarsShown());
}

TEST(DialogEventsTest, AConversionGoesOnThroughTheEndOfASlideShow) {
    Viewer viewer;
    viewer.build();
    // The worker's reports come from a thread of their own, as the worker sends them.
    auto fromWorker = [](auto report) { std::thread(report).join(); };
    fromWorker([&] { viewer->convertStarted(3); });
    EXPECT_TRUE(viewer->isConverting());
    fromWorker([&] { viewer->fileStarted(3, 1, L"a.png"); });
    // A show that ends while the conversion it gave way to is running leaves it alone.
    fromWorker([&] { viewer->slideShowEnded(); });
    EXPECT_TRUE(viewer->isConverting());
    fromWorker([&] { viewer->convertEnded({}); });
    EXPECT_FALSE(viewer->isConverting());
    EXPECT_FALSE(viewer->isWorkerStopRequested());
}

TEST(DialogEventsTest, ProgressRangeIsHalvedUntilItFitsTheBar) {
    struct Case {
        int32_t total, done, fittedTotal, fittedDone;
    };
    const Case cases[] = {
        {100000, 100000, 25000, 25000},
        {100000, 40000, 25000, 10000},
        {32767, 123, 32767, 123},
        {32768, 3, 16384, 1},
        {0, 0, 0, 0},
        {INT32_MAX, INT32_MAX, 32767, 32767},
    };
    for (const Case& c : cases) {
        int32_t total = c.total, done = c.done;
        s::image::gui::dialogs::imageview::fitProgressRange(&total, &done);
        EXPECT_EQ(total, c.fittedTotal) << c.total;
        EXPECT_EQ(done, c.fittedDone) << c.total;
    }
}

TEST(DialogEventsTest, TheSlideShowHoldsWhileTheWindowIsDisabledUnderAModalBox) {
    opentest::PictureFolder folder("dialogshow");
    ASSERT_TRUE(folder.addPictures({"a.png", "b.png", "c.png"}, 40));
    Viewer viewer;
    viewer.build(folder.winFile("a.png").c_str());
    ASSERT_EQ(viewer->pictureView()->getImageWidth(), 40);
    auto next = [&] { std::thread([&] { viewer->slideShowNext(); }).join(); };
    next();
    EXPECT_EQ(viewer->pictureView()->getImageWidth(), 41);
    // A modal box disables its owner: the show's steps are let pass meanwhile.
    EnableWindow(viewer.hwnd(), FALSE);
    next();
    next();
    EXPECT_EQ(viewer->pictureView()->getImageWidth(), 41);
    EnableWindow(viewer.hwnd(), TRUE);
    next();
    EXPECT_EQ(viewer->pictureView()->getImageWidth(), 42);
}

TEST(DialogEventsTest, ArrowKeysBrowseTheFolderAndOtherKeysDoNothing) {
    opentest::PictureFolder folder("dialogkeys");
    ASSERT_TRUE(folder.addPictures({"a.png", "b.png", "c.png"}, 40));
    Viewer viewer;
    viewer.build(folder.winFile("b.png").c_str());
    ASSERT_EQ(viewer->pictureView()->getImageWidth(), 41);
    struct Step {
        WPARAM key;
        int32_t width;  // of the picture shown afterwards
    };
    // Right wraps from the last picture to the first; Left goes back.
    for (const Step step : {Step{'A', 41}, Step{VK_F5, 41}, Step{VK_RIGHT, 42}, Step{VK_RIGHT, 40}, Step{VK_LEFT, 42},
                            Step{VK_SPACE, 42}}) {
        SCOPED_TRACE(step.key);
        SendMessageW(viewer.hwnd(), WM_KEYDOWN, step.key, 0);
        EXPECT_EQ(viewer->pictureView()->getImageWidth(), step.width);
    }
}

TEST(DialogEventsTest, RightClickCommandsReachTheCommands) {
    Viewer viewer(1, [](ViewerSettings& settings) { settings.setLastUsedFitMode(4); });
    viewer.build();
    ASSERT_TRUE(viewer->isFitWindowToImage());
    // The fit item of the right-click menu, chosen: the command turns the fit off.
    SendMessageW(viewer.hwnd(), WM_COMMAND, MAKEWPARAM(980, 0), 0);
    EXPECT_FALSE(viewer->isFitWindowToImage());
}

// Drops the files on the viewer's drop box, the window's only child.
void dropOnViewer(Viewer& viewer, const std::vector<std::wstring>& files) {
    SendMessageW(hwndOf(viewer.window()->getChildAt(0)), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(testsupport::makeDrop(files)), 0);
}

TEST(DialogEventsTest, FilesDroppedOnTheViewerOpenTheFirst) {
    opentest::PictureFolder folder("dialogdrop");
    ASSERT_TRUE(folder.addPictures({"a.png", "b.png"}, 40));
    Viewer viewer;
    viewer.build();
    dropOnViewer(viewer, {folder.winFile("b.png"), folder.winFile("a.png")});
    EXPECT_TRUE(viewer->isPictureShown());
    EXPECT_EQ(viewer->pictureView()->getImageWidth(), 41);
}

TEST(DialogEventsTest, ReleasingTheViewerDuringAConversionStopsItAfterTheFileInHand) {
    opentest::PictureFolder folder("dialogconvert");
    constexpr int kFiles = 24;
    std::string command = "cd '" + folder.dir() + "' && convert -size 1600x1600 plasma:fractal p00.png";
    std::vector<std::wstring> files{folder.winFile("p00.png")};
    for (int i = 1; i < kFiles; ++i) {
        const std::string name = "p" + std::to_string(10 + i) + ".png";
        command += " && cp p00.png " + name;
        files.push_back(folder.winFile(name));
    }
    ASSERT_TRUE(testsupport::runHost(command));
    Viewer viewer;
    viewer.build();
    PostMessageW(hwndOf(viewer->menuBar()), WM_COMMAND, MAKEWPARAM(4120, 0), 0);
    ASSERT_TRUE(waitFor([&] {
        s::gui::IComponent* convertPage = viewer->pageBox()->getChildAt(2);
        return convertPage && convertPage->isVisible();
    }));
    dropOnViewer(viewer, files);
    ASSERT_TRUE(waitFor([&] { return viewer->isConverting(); }));
    viewer.release();  // returns once the worker has stopped
    // Everything written so far is all there will be: far fewer than the files dropped.
    EXPECT_TRUE(testsupport::runHost("test $(find '" + folder.dir() + "' -type f | wc -l) -lt " +
                                     std::to_string(2 * kFiles - 4)));
}

}  // namespace
