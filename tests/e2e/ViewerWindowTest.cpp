// The viewer's window as a user sees it, read from outside the running program: the
// empty viewer of a first start, a picture opened from the command line or dropped on
// it, the folder browsed with the arrow keys, the zoom keys resizing the window to the
// picture, and stored settings the program does not know falling back to its defaults.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e/support/PictureFiles.h"
#include "e2e/support/SavedSettings.h"
#include "e2e/support/ViewerFixture.h"
#include "e2e/support/ViewerProcess.h"

namespace {

using e2e::flat;
using e2e::PictureFolder;
using e2e::ScreenPixels;
using e2e::settingText;
using e2e::ViewerProcess;
using e2e::waitUntil;

using e2e::kBlue;
using e2e::kGreen;
using e2e::kRed;
using e2e::kYellow;

bool sameIgnoringCase(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

RECT workArea() {
    RECT r = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

// Starts each test from the program's first start; the helpers are the fixture's.
class ProgramWindowTest : public e2e::ViewerTest {};

// ---- the empty viewer

TEST_F(ProgramWindowTest, FirstStartShowsTheEmptyViewerAtItsDefaultSize) {
    ASSERT_TRUE(open());
    EXPECT_TRUE(titleBecomes(L"Glimmer")) << "title: " << viewer.title();
    EXPECT_TRUE(waitUntil([&] {
        const SIZE s = viewer.windowSize();
        return s.cx == 500 && s.cy == 450;
    })) << "window "
        << viewer.windowSize().cx << " x " << viewer.windowSize().cy << " instead of 500 x 450";
    EXPECT_FALSE(IsZoomed(viewer.window()));
    // The window holds exactly one child of its own, the drop box, which accepts files.
    HWND dropBox = GetWindow(viewer.window(), GW_CHILD);
    ASSERT_NE(dropBox, nullptr);
    EXPECT_EQ(GetWindow(dropBox, GW_HWNDNEXT), nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(dropBox, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    // No picture was opened, so no folder was remembered.
    EXPECT_FALSE(e2e::hasSetting(e2e::kView, L"LastAccessedDirPath"));
}

TEST_F(ProgramWindowTest, AssociateSwitchAloneIsTakenAsAPathAndOpensTheEmptyViewer) {
    ASSERT_TRUE(open({L"-associate"}));
    EXPECT_TRUE(titleBecomes(L"Glimmer")) << "title: " << viewer.title();
}

// ---- a picture from the command line

TEST_F(ProgramWindowTest, PictureOnTheCommandLineIsShownWithItsNameAndFolder) {
    PictureFolder folder("open");
    const std::wstring path = folder.bmp(L"quads.bmp", 160, 120, e2e::quadrants(kRed, kGreen, kBlue, kYellow));
    ASSERT_TRUE(open({path}));
    EXPECT_TRUE(titleBecomes(L"quads.bmp")) << "title: " << viewer.title();
    EXPECT_TRUE(waitUntil([&] {
        return sameIgnoringCase(settingText(e2e::kView, L"LastAccessedDirPath"), folder.path());
    })) << "LastAccessedDirPath: "
        << settingText(e2e::kView, L"LastAccessedDirPath") << " instead of " << folder.path();

    // Shown at its own size (it fits the screen): each quadrant is an 80 x 60 block of its
    // colour, in its place relative to the others.
    ScreenPixels pixels(RECT{});
    const bool shown = pixelsSettle(&pixels, [](const ScreenPixels& p) { return p.countNear(kYellow) >= 80 * 60; });
    EXPECT_TRUE(shown) << "the picture's quadrants never appeared in the window";
    POINT red = {}, green = {}, blue = {}, yellow = {};
    const int counts[] = {pixels.countNear(kRed, &red), pixels.countNear(kGreen, &green),
                          pixels.countNear(kBlue, &blue), pixels.countNear(kYellow, &yellow)};
    for (int count : counts) {
        EXPECT_GE(count, 80 * 60 * 95 / 100);
        EXPECT_LE(count, 80 * 60 * 105 / 100);
    }
    EXPECT_LT(red.x, green.x);
    EXPECT_LT(red.y, blue.y);
    EXPECT_LT(blue.x, yellow.x);
    EXPECT_LT(green.y, yellow.y);
    EXPECT_NEAR(green.x - red.x, 80, 2);
    EXPECT_NEAR(blue.y - red.y, 60, 2);
}

TEST_F(ProgramWindowTest, UnreadablePictureOnTheCommandLineLeavesTheViewerEmpty) {
    PictureFolder folder("unreadable");
    const std::wstring path = folder.junk(L"broken.jpg");
    ASSERT_TRUE(open({path}));
    EXPECT_TRUE(titleBecomes(L"Glimmer")) << "title: " << viewer.title();
    EXPECT_FALSE(e2e::hasSetting(e2e::kView, L"LastAccessedDirPath"));
}

// The window closed, the process ends: nothing of the shown picture (its painting, its
// animation) keeps the program alive.
TEST_F(ProgramWindowTest, ClosingTheWindowEndsTheProgram) {
    PictureFolder folder("close");
    const struct {
        const char* what;
        std::vector<std::wstring> args;
    } cases[] = {{"empty viewer", {}}, {"picture shown", {folder.bmp(L"shown.bmp", 64, 48, flat(kGreen))}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(open(c.args));
        ASSERT_TRUE(titleBecomes(c.args.empty() ? L"Glimmer" : L"shown.bmp"));
        PostMessageW(viewer.window(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(viewer.window()); })) << "the window stayed";
        EXPECT_EQ(viewer.waitForExit(), DWORD(0)) << "the program did not end after its window closed";
        viewer.close();
    }
}

// ---- browsing the folder

TEST_F(ProgramWindowTest, ArrowKeysBrowseTheFolderWrappingAndSkippingADamagedFile) {
    PictureFolder folder("browse");
    folder.bmp(L"a.bmp", 40, 30, flat(kRed));
    folder.junk(L"b.jpg");
    folder.bmp(L"c.bmp", 40, 30, flat(kGreen));
    folder.bmp(L"d.png.txt", 40, 30, flat(kYellow));  // not a picture extension: never shown
    const std::wstring last = folder.bmp(L"e.bmp", 40, 30, flat(kBlue));
    ASSERT_TRUE(open({folder.path() + L"\\a.bmp"}));
    ASSERT_TRUE(titleBecomes(L"a.bmp"));

    const struct {
        UINT key;
        const wchar_t* title;
    } steps[] = {
        {VK_RIGHT, L"c.bmp"},                       // b.jpg is damaged: skipped
        {VK_RIGHT, L"e.bmp"},                       // d.png.txt is no picture
        {VK_RIGHT, L"a.bmp"},                       // past the last: wraps to the first
        {VK_LEFT, L"e.bmp"},                        // before the first: wraps to the last
        {VK_LEFT, L"c.bmp"},  {VK_LEFT, L"a.bmp"},  // b.jpg skipped going back too
    };
    for (const auto& step : steps) {
        viewer.key(step.key);
        EXPECT_TRUE(titleBecomes(step.title)) << "after " << (step.key == VK_RIGHT ? "Right" : "Left") << ": "
                                              << viewer.title() << " instead of " << step.title;
    }
}

TEST_F(ProgramWindowTest, TwelveDamagedFilesInARowEndTheWalk) {
    PictureFolder folder("twelve");
    folder.bmp(L"a.bmp", 200, 100, flat(kRed));
    for (int i = 1; i <= 12; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"b%02d.jpg", i);
        folder.junk(name);
    }
    folder.bmp(L"z.bmp", 40, 30, flat(kBlue));  // the thirteenth candidate: never reached
    ASSERT_TRUE(open({folder.path() + L"\\a.bmp"}));
    ASSERT_TRUE(titleBecomes(L"a.bmp"));
    const SIZE before = viewer.windowSize();

    viewer.key(VK_RIGHT);
    // The zoom key after it shows when the walk is over: the window grows.
    viewer.key(VK_UP);
    const SIZE after = sizeAfterChangeFrom(before);
    ASSERT_FALSE(after.cx == before.cx && after.cy == before.cy) << "the zoom key after the walk changed nothing";
    EXPECT_EQ(viewer.title(), L"a.bmp");
}

TEST_F(ProgramWindowTest, ArrowKeysDoNothingWithOnePictureInTheFolder) {
    PictureFolder folder("single");
    const std::wstring only = folder.bmp(L"only.bmp", 200, 100, flat(kGreen));
    folder.junk(L"notes.txt");
    ASSERT_TRUE(open({only}));
    ASSERT_TRUE(titleBecomes(L"only.bmp"));
    const SIZE before = viewer.windowSize();
    viewer.key(VK_RIGHT);
    viewer.key(VK_LEFT);
    // The zoom key after them shows when both were handled: the window grows.
    viewer.key(VK_UP);
    const SIZE after = sizeAfterChangeFrom(before);
    ASSERT_FALSE(after.cx == before.cx && after.cy == before.cy) << "the zoom key after the arrows changed nothing";
    EXPECT_EQ(viewer.title(), L"only.bmp");
}

// ---- zoom keys under "fit window to image" (the first start's fit mode)

TEST_F(ProgramWindowTest, ZoomKeysResizeTheWindowByThePicturesNewSize) {
    PictureFolder folder("zoom");
    const std::wstring path = folder.bmp(L"wide.bmp", 200, 100, flat(kBlue));
    ASSERT_TRUE(open({path}));
    ASSERT_TRUE(titleBecomes(L"wide.bmp"));
    ScreenPixels pixels(RECT{});
    ASSERT_TRUE(pixelsSettle(&pixels, [](const ScreenPixels& p) { return p.countNear(kBlue) >= 200 * 100; }))
        << "the picture was not shown at its own size";
    const SIZE original = viewer.windowSize();

    // In: x1.25 = 250 x 125, which no longer fits the view at once: one step.
    viewer.key(VK_UP);
    const SIZE in = sizeAfterChangeFrom(original);
    EXPECT_EQ(in.cx - original.cx, 50);
    EXPECT_EQ(in.cy - original.cy, 25);

    // Out: x0.75 of 1.25 = 0.9375: 188 x 94 (halves round up).
    viewer.key(VK_DOWN);
    const SIZE out = sizeAfterChangeFrom(in);
    EXPECT_EQ(out.cx - original.cx, -12);
    EXPECT_EQ(out.cy - original.cy, -6);
    // Until the smaller picture is painted over the larger one's place.
    EXPECT_TRUE(pixelsSettle(&pixels,
                             [](const ScreenPixels& p) {
                                 const auto blue = p.countNear(kBlue);
                                 return blue >= 188 * 94 && blue < 190 * 96;
                             }))
        << pixels.countNear(kBlue) << " blue pixels";
}

TEST_F(ProgramWindowTest, PictureWiderThanTheScreenIsFittedToTheWorkAreaWidth) {
    PictureFolder folder("strip");
    const std::wstring path = folder.bmp(L"strip.bmp", 10000, 10, flat(kGreen));
    ASSERT_TRUE(open({path}));
    ASSERT_TRUE(titleBecomes(L"strip.bmp"));
    const RECT work = workArea();
    EXPECT_TRUE(waitUntil([&] { return viewer.windowSize().cx == work.right - work.left; }))
        << "window width " << viewer.windowSize().cx << ", work area width " << work.right - work.left;
    const RECT r = viewer.windowRect();
    EXPECT_GE(r.left, work.left);
    EXPECT_LE(r.right, work.right);

    // Zoomed in past the screen: the window stays as wide as the work area and grows
    // by a horizontal scroll bar (the picture is still 2 pixels high).
    const SIZE fitted = viewer.windowSize();
    viewer.key(VK_UP);
    const SIZE zoomed = sizeAfterChangeFrom(fitted);
    EXPECT_EQ(zoomed.cx, work.right - work.left);
    EXPECT_GT(zoomed.cy, fitted.cy);
    EXPECT_LT(zoomed.cy, fitted.cy + 40);
}

// ---- dropped files

// Off until the window is laid out again after a drop shrinks it: the picture opens (title
// and folder right) but the content stays where the 500 x 450 window had it.
TEST_F(ProgramWindowTest, FileDroppedOnTheEmptyViewerIsOpened) {
    PictureFolder folder("drop");
    const std::wstring path = folder.bmp(L"dropped.bmp", 120, 80, flat(kYellow));
    ASSERT_TRUE(open());
    ASSERT_TRUE(titleBecomes(L"Glimmer"));
    ASSERT_TRUE(viewer.dropFiles({path}));
    EXPECT_TRUE(titleBecomes(L"dropped.bmp")) << "title: " << viewer.title();
    EXPECT_TRUE(
        waitUntil([&] { return sameIgnoringCase(settingText(e2e::kView, L"LastAccessedDirPath"), folder.path()); }));
    ScreenPixels pixels(RECT{});
    EXPECT_TRUE(pixelsSettle(&pixels, [](const ScreenPixels& p) { return p.countNear(kYellow) >= 120 * 80; }));
}

TEST_F(ProgramWindowTest, OnlyTheFirstOfSeveralDroppedFilesIsOpened) {
    PictureFolder folder("drop-several");
    const std::wstring first = folder.bmp(L"first.bmp", 60, 40, flat(kRed));
    const std::wstring second = folder.bmp(L"second.bmp", 60, 40, flat(kBlue));
    ASSERT_TRUE(open());
    ASSERT_TRUE(viewer.dropFiles({first, second}));
    EXPECT_TRUE(titleBecomes(L"first.bmp")) << "title: " << viewer.title();
}

// ---- stored settings the program does not know

// The empty viewer's pixels with the given skin stored (none: a first start). The bars
// stay shown whether or not the window is active, so that the picture of the window does
// not depend on which window the system activated last.
class ProgramSkinTest : public ProgramWindowTest {
protected:
    ScreenPixels emptyViewerWith(const wchar_t* skin) {
        e2e::clearSettings();
        e2e::putDword(e2e::kView, L"AutoHideButtons", 0);
        if (skin) e2e::putText(L"Skin", L"", skin);
        ScreenPixels pixels(RECT{});
        if (!open()) return pixels;
        EXPECT_TRUE(titleBecomes(L"Glimmer"));
        EXPECT_TRUE(pixelsSettle(&pixels)) << "the window's pixels never settled";
        viewer.close();
        return pixels;
    }
};

TEST_F(ProgramSkinTest, UnknownStoredSkinLooksLikeTheDefaultSkin) {
    const ScreenPixels fresh = emptyViewerWith(nullptr);
    const ScreenPixels unknown = emptyViewerWith(L"NoSuchSkin");
    const ScreenPixels black = emptyViewerWith(L"Black");
    ASSERT_GT(fresh.width(), 0);
    EXPECT_TRUE(unknown == fresh) << "a stored unknown skin is drawn unlike the default one";
    // The comparison sees skins at all: a known other skin looks different.
    EXPECT_FALSE(black == fresh) << "the \"Black\" skin looks like the default one";
}

}  // namespace
