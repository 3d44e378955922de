// The viewer's zoom arithmetic: scale limits, the zoom slider, zoom steps, the window
// size for a picture, what a new scale does to the window and the view, fit modes and
// placing the window.
#include <gtest/gtest.h>

#include <cmath>

#include "viewer/view/ZoomFit.h"

using namespace s::image::gui::dialogs::imageview::zoom;

namespace {

// A 1920 x 1040 work area on the primary monitor, a framed view at scale 1 in a window
// with a 16-pixel frame: outer = view + 22 wide, view + 44 high.
const Area kWork{0, 0, 1920, 1040};
const WindowChrome kChrome = WindowChrome::forScreenScale(1, true, 16);
constexpr int32_t kBar = 17;

ZoomState pictureState(int32_t w, int32_t h, double scale, bool fitWindow) {
    ZoomState st;
    st.limits.scale = scale;
    st.setPicture(w, h);
    st.fitWindowToImage = fitWindow;
    st.fitImageToWindow = false;
    return st;
}

ScrollInput bars() {
    ScrollInput in;
    in.vBarWidth = kBar;
    in.hBarHeight = kBar;
    return in;
}

}  // namespace

TEST(ZoomFit, SizeConversionsAddTheBordersFramesTitleAndBars) {
    const struct {
        int32_t s;
        bool framed;
        int32_t frame;
        bool title;
        int32_t widthFor100, heightFor100;
    } cases[] = {
        {1, false, 0, false, 104, 126},  // 2b
        {1, true, 0, false, 106, 128},   // + 2f
        {1, true, 16, false, 122, 144},  // + F
        {1, true, 16, true, 122, 164},   // + 20 s title
        {2, true, 0, true, 112, 196},    // b = 4, f = 2, bars 44, title 40
        {4, true, 0, false, 124, 212},   // b = 8, f = 4, bars 88
    };
    for (const auto& c : cases) {
        const WindowChrome ch = WindowChrome::forScreenScale(c.s, c.framed, c.frame, c.title);
        EXPECT_EQ(ch.windowWidthFor(100), c.widthFor100) << c.s << " " << c.framed << " " << c.frame;
        EXPECT_EQ(ch.windowHeightFor(100), c.heightFor100) << c.s << " " << c.framed << " " << c.frame;
        EXPECT_EQ(ch.viewWidthFor(ch.windowWidthFor(100)), 100);
        EXPECT_EQ(ch.viewHeightFor(ch.windowHeightFor(100)), 100);
    }
    EXPECT_TRUE(kChrome.tooWide(1899, kWork));
    EXPECT_FALSE(kChrome.tooWide(1898, kWork));
    // A window with a caption: its frame is taller than it is wide.
    WindowChrome captioned = WindowChrome::forScreenScale(1, true, 8);
    captioned.windowFrameHeight = 27;
    EXPECT_EQ(captioned.windowWidthFor(100), 114);
    EXPECT_EQ(captioned.windowHeightFor(100), 155);
    EXPECT_EQ(captioned.viewHeightFor(155), 100);
}

TEST(ZoomFit, SwitchingTheTitleAreaKeepsThePageSize) {
    // A 400 x 300 view inside a 402 x 302 page (frame 1).
    const WindowChrome on = WindowChrome::forScreenScale(1, true, 16, true);
    const WindowChrome off = WindowChrome::forScreenScale(1, true, 16, false);
    const Size withTitle = windowSizeKeepingPage(on, 402, 302);
    const Size without = windowSizeKeepingPage(off, 402, 302);
    EXPECT_EQ(withTitle.width, 422);
    EXPECT_EQ(withTitle.height, 364);
    EXPECT_EQ(without.width, 422);
    EXPECT_EQ(without.height, 344);
    const WindowChrome big = WindowChrome::forScreenScale(2, true, 0, true);
    const Size twice = windowSizeKeepingPage(big, 804, 604);  // view 800 x 600
    EXPECT_EQ(big.viewWidthFor(twice.width), 800);
    EXPECT_EQ(big.viewHeightFor(twice.height), 600);
}

// The three pictures of the zoom table: their limits, the window that shows them at
// 100 %, and the window for fit window to image at their largest scale.
TEST(ZoomFit, ZoomTableOfLimitsAndWindowSizes) {
    const struct {
        int32_t w, h;
        double minimum, maximum;
        Size windowAtOpen;    // the window for the picture, fitted into the work area
        Size outerAtMaximum;  // fit window to image at the maximum scale
        bool scrollsAtMaximum;
    } cases[] = {
        {1, 1, 1.0, 5120.0, {23, 45}, {1920, 1040}, true},
        {10000, 10, 0.1, 1.0, {1920, 46}, {1920, 54 + kBar}, true},
        {400, 300, 1.0 / 300, 12.8, {422, 344}, {1920, 1040}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        const ScaleLimits l = limitsFor(c.w, c.h);
        EXPECT_DOUBLE_EQ(l.minimum, c.minimum);
        EXPECT_DOUBLE_EQ(l.maximum, c.maximum);
        const Size open = windowSizeFor(c.w, c.h, kChrome, kWork);
        EXPECT_EQ(open.width, c.windowAtOpen.width);
        EXPECT_EQ(open.height, c.windowAtOpen.height);

        const ScalePlan plan = planScale(pictureState(c.w, c.h, 1.0, true), kChrome, kWork, 1e9, bars());
        EXPECT_TRUE(plan.apply);
        EXPECT_DOUBLE_EQ(plan.scale, c.maximum);
        EXPECT_TRUE(plan.placeWindow);
        EXPECT_EQ(plan.outerWidth, c.outerAtMaximum.width);
        EXPECT_EQ(plan.outerHeight, c.outerAtMaximum.height);
        EXPECT_EQ(plan.scrolls, c.scrollsAtMaximum);
        EXPECT_EQ(plan.viewWidth, scaledSide(c.w, c.maximum) + 2);
        EXPECT_EQ(plan.viewHeight, scaledSide(c.h, c.maximum) + 2);

        // Asking below the minimum shows the picture at the minimum: never 0 pixels.
        const ScalePlan low = planScale(pictureState(c.w, c.h, 1.0, false), kChrome, kWork, 1e-9, bars());
        EXPECT_DOUBLE_EQ(low.scale, c.minimum);
        EXPECT_GE(low.shownWidth, 1);
        EXPECT_GE(low.shownHeight, 1);
    }
}

TEST(ZoomFit, NoPictureHasUnitLimitsAndAppliesNothing) {
    ZoomState st = pictureState(400, 300, 2.0, true);
    st.clearPicture();
    EXPECT_DOUBLE_EQ(st.limits.scale, 1.0);
    EXPECT_DOUBLE_EQ(st.limits.minimum, 1.0);
    EXPECT_DOUBLE_EQ(st.limits.maximum, 1.0);
    EXPECT_FALSE(planScale(st, kChrome, kWork, 2.0, {}).apply);
    EXPECT_FALSE(zoomIn(st, 500, 500).apply);
    EXPECT_FALSE(zoomOut(st).apply);
    EXPECT_FALSE(zoomByWheel(st, 1, 500, 500).apply);
    const SliderState slider = sliderFor(st, 500, 500);
    EXPECT_DOUBLE_EQ(slider.scale, 1.0);
    EXPECT_EQ(slider.position, 50);
}

// Fitted pictures whose limits leave no room on one side of 100 % used to divide by
// zero; a fitted scale below the minimum gave a negative position.
TEST(ZoomFit, ZoomSliderGuardsEmptyRangesAndClampsTheScale) {
    const struct {
        int32_t w, h, innerW, innerH;
        double scale;
        int32_t position;
    } cases[] = {
        {1, 2000, 300, 500, 1.0, 50},                                      // minimum 1.0, fitted at 0.25
        {2000, 1, 500, 300, 1.0, 50},      {6000, 1, 1898, 300, 1.0, 50},  // minimum and maximum both 1.0
        {10000, 10, 1898, 2, 0.1898, 5},                                   // (0.1898 - 0.1) x 50 / 0.9
        {10000, 10, 20000, 20, 1.0, 50},                                   // above 1.0 with a maximum of 1.0
        {400, 300, 200, 150, 0.5, 25},                                     // (0.5 - 1/300) x 50 / (1 - 1/300)
        {400, 300, 800, 600, 2.0, 54},                                     // (2 - 1) x 50 / 11.8 + 50
        {400, 300, 9000, 9000, 12.8, 100},                                 // clamped to the maximum
        {400, 300, 0, 0, 1.0 / 300, 0},                                    // an empty view: clamped to the minimum
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " in " << c.innerW << "x" << c.innerH);
        const SliderState s = sliderFor(pictureState(c.w, c.h, 1.0, false), c.innerW, c.innerH);
        EXPECT_NEAR(s.scale, c.scale, 1e-9);
        EXPECT_EQ(s.position, c.position);
    }
}

TEST(ZoomFit, SliderPositionsMapToScalesAndBack) {
    const ScaleLimits l = limitsFor(400, 300);
    const struct {
        int32_t position;
        double scale;
    } cases[] = {
        {0, 1.0 / 300}, {50, 1.0}, {100, 12.8}, {75, 6.9}, {25, (1.0 / 300 + 1.0) / 2}, {-7, 1.0 / 300}, {250, 12.8},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(scaleForSliderPosition(l, c.position), c.scale, 1e-9) << c.position;
        EXPECT_EQ(sliderPositionFor(l, c.scale), std::clamp(c.position, 0, 100)) << c.position;
    }
    // A strip with no room on either side: every position is 100 %.
    const ScaleLimits strip = limitsFor(6000, 1);
    EXPECT_DOUBLE_EQ(scaleForSliderPosition(strip, 0), 1.0);
    EXPECT_DOUBLE_EQ(scaleForSliderPosition(strip, 100), 1.0);
    EXPECT_EQ(sliderPositionFor(strip, std::nan("")), 50);
}

TEST(ZoomFit, ZoomInGrowsUntilThePictureLeavesTheView) {
    // 400 x 300 in 1000 x 1000: 1.25, 1.56, 1.95, 2.44 still fit; 3.05 (1221 wide) does not.
    ZoomStep in = zoomIn(pictureState(400, 300, 1.0, false), 1000, 1000);
    EXPECT_TRUE(in.apply);
    EXPECT_NEAR(in.scale, std::pow(1.25, 5), 1e-9);
    // A picture larger than the view: one step.
    in = zoomIn(pictureState(400, 300, 1.0, false), 300, 300);
    EXPECT_NEAR(in.scale, 1.25, 1e-9);
    // A 1 x 1 picture in a vast view stops at the maximum instead of stepping on and on.
    const ZoomState dot = pictureState(1, 1, 1.0, false);
    in = zoomIn(dot, 100000, 100000);
    EXPECT_LT(in.scale, 5120 * 1.25);
    EXPECT_DOUBLE_EQ(planScale(dot, kChrome, kWork, in.scale, {}).scale, 5120.0);
    // A scale that is no scale at all starts from the minimum.
    ZoomState broken = pictureState(400, 300, 0.0, false);
    in = zoomIn(broken, 1, 1);
    EXPECT_NEAR(in.scale, 1.25 / 300, 1e-12);
}

TEST(ZoomFit, ZoomOutAndTheWheel) {
    const ZoomState st = pictureState(400, 300, 1.0, false);
    EXPECT_NEAR(zoomOut(st).scale, 0.75, 1e-12);
    EXPECT_TRUE(zoomOut(st).apply);
    // Wheel: forward x 1.15 (and on while it fits), backward and a count of 0 x 0.85.
    EXPECT_NEAR(zoomByWheel(st, 1, 300, 300).scale, 1.15, 1e-12);
    EXPECT_NEAR(zoomByWheel(st, 3, 500, 500).scale, 1.15 * 1.25, 1e-12);
    EXPECT_NEAR(zoomByWheel(st, 0, 300, 300).scale, 0.85, 1e-12);
    EXPECT_NEAR(zoomByWheel(st, -1, 300, 300).scale, 0.85, 1e-12);

    // At the minimum of a 10000 x 10 picture (1000 x 1) zooming out keeps one pixel row.
    const ZoomState bar = pictureState(10000, 10, 0.1, false);
    const ZoomStep out = zoomOut(bar);
    const ScalePlan plan = planScale(bar, kChrome, kWork, out.scale, {});
    EXPECT_EQ(plan.shownWidth, 1000);
    EXPECT_EQ(plan.shownHeight, 1);
}

TEST(ZoomFit, ZoomOutThatWouldVanishDoesNothing) {
    // A state whose scale sits below its own minimum (limits of a larger picture kept).
    ZoomState st = pictureState(400, 300, 1.0, false);
    st.pictureWidth = 2;
    st.pictureHeight = 1;
    st.limits.minimum = 0.1;
    st.limits.scale = 0.5;  // 1 x 1 now; 0.375 rounds 1 x 0.375 to nothing
    EXPECT_FALSE(zoomOut(st).apply);
    EXPECT_FALSE(zoomByWheel(st, 0, 10, 10).apply);
}

TEST(ZoomFit, ManualZoomEndsTheFitModes) {
    const struct {
        bool maximized, fitWindow, fitImage;
        bool fitWindowAfter;
    } cases[] = {
        {false, true, false, true},   // fit window to image stays on a normal window
        {false, false, true, false},  // fit image to window always ends
        {true, true, false, false},   // a maximized window ends both
        {true, false, true, false},  {false, false, false, false},
    };
    for (const auto& c : cases) {
        ZoomState st = pictureState(400, 300, 1.0, c.fitWindow);
        st.fitImageToWindow = c.fitImage;
        st.maximized = c.maximized;
        const ScalePlan plan = planScale(st, kChrome, kWork, 2.0, {});
        EXPECT_EQ(plan.fitWindowToImage, c.fitWindowAfter) << c.maximized << c.fitWindow << c.fitImage;
        EXPECT_FALSE(plan.fitImageToWindow);
        EXPECT_EQ(plan.placeWindow, c.fitWindowAfter);
        EXPECT_EQ(plan.scrolls, !c.fitWindowAfter);
    }
}

TEST(ZoomFit, FitWindowToImageCappedToTheWorkArea) {
    const struct {
        double scale;
        int32_t outerW, outerH;
        bool scrolls;
    } cases[] = {
        {1.0, 422, 344, false},         {2.0, 822, 644, false},
        {4.0, 1622 + kBar, 1040, true},  // only the height reaches: room for the vertical bar
        {4.71, 1920, 1040, true},        // 1906 wide + the bar reaches the width too
        {6.0, 1920, 1040, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scale);
        ScrollInput scroll = bars();
        scroll.scrollX = 101;
        scroll.scrollY = 51;
        const ScalePlan plan = planScale(pictureState(400, 300, 2.0, true), kChrome, kWork, c.scale, scroll);
        EXPECT_EQ(plan.outerWidth, c.outerW);
        EXPECT_EQ(plan.outerHeight, c.outerH);
        EXPECT_EQ(plan.scrolls, c.scrolls);
        if (c.scrolls) {
            EXPECT_EQ(plan.viewWidth, scaledSide(400, c.scale) + 2);
            // The same picture point stays at the scroll position: (old - 1) / 2 x scale + 1.
            EXPECT_EQ(plan.scrollX, int32_t(std::lround(100 / 2.0 * c.scale)) + 1);
            EXPECT_EQ(plan.scrollY, int32_t(std::lround(50 / 2.0 * c.scale)) + 1);
        }
    }
    // At screen scale 2 the frame is 2 pixels a side.
    ScrollInput scroll = bars();
    scroll.scrollX = 21;
    const ScalePlan twice =
        planScale(pictureState(400, 300, 2.0, true), WindowChrome::forScreenScale(2, true), kWork, 6.0, scroll);
    EXPECT_TRUE(twice.scrolls);
    EXPECT_EQ(twice.viewWidth, 2404);
    EXPECT_EQ(twice.viewHeight, 1804);
    EXPECT_EQ(twice.scrollX, 59);  // (21 - 2) / 2 x 6 + 2
    // A window that only reaches the width gets room for the horizontal bar.
    const ScalePlan wide = planScale(pictureState(10000, 10, 0.5, true), kChrome, kWork, 0.5, bars());
    EXPECT_EQ(wide.outerWidth, 1920);
    EXPECT_EQ(wide.outerHeight, 5 + 44 + kBar);
}

TEST(ZoomFit, WithoutFitWindowToImageTheViewScrollsToTheGivenPoint) {
    ScrollInput scroll;
    scroll.scrollX = 101;
    scroll.scrollY = 11;
    ZoomState st = pictureState(400, 300, 1.0, false);
    ScalePlan plan = planScale(st, kChrome, kWork, 2.0, scroll);
    EXPECT_FALSE(plan.placeWindow);
    EXPECT_TRUE(plan.scrolls);
    EXPECT_EQ(plan.viewWidth, 802);
    EXPECT_EQ(plan.viewHeight, 602);
    EXPECT_EQ(plan.scrollX, 201);
    EXPECT_EQ(plan.scrollY, 21);
    scroll.keepPoint = true;
    scroll.pointX = -5;
    scroll.pointY = 30;
    plan = planScale(st, kChrome, kWork, 2.0, scroll);
    EXPECT_EQ(plan.scrollX, 0);
    EXPECT_EQ(plan.scrollY, 30);
    EXPECT_FALSE(plan.barsHidden);
    scroll.showBars = false;
    EXPECT_TRUE(planScale(st, kChrome, kWork, 2.0, scroll).barsHidden);
    // A window capped by the work area always shows its bars.
    EXPECT_FALSE(planScale(pictureState(400, 300, 1.0, true), kChrome, kWork, 6.0, scroll).barsHidden);
    // An old scale of 0 keeps the position rather than dividing by it.
    EXPECT_EQ(keepScrollPoint(40, 0.0, 2.0, 1), 40);
    EXPECT_EQ(keepScrollPoint(0, 1.0, 3.0, 2), 0);
}

TEST(ZoomFit, FitSizeModes) {
    FitInput in;
    in.pageWidth = 602;  // 600 x 600 of room inside the frame
    in.pageHeight = 602;
    in.viewInnerWidth = 500;
    in.viewInnerHeight = 500;
    const struct {
        FitSizeMode mode;
        int32_t w, h;
        bool fitWindow;
        Size expected;
    } cases[] = {
        {FitSizeMode::kOriginal, 400, 300, false, {400, 300}},
        {FitSizeMode::kOriginal, 4000, 3000, true, {4000, 3000}},
        {FitSizeMode::kFitWindowToImage, 400, 300, false, {500, 375}},
        {FitSizeMode::kFitImageToWindow, 400, 300, false, {600, 450}},
        {FitSizeMode::kCapWidth, 400, 300, false, {400, 300}},
        {FitSizeMode::kCapWidth, 4000, 3000, false, {1898, 1424}},
        {FitSizeMode::kShrinkOnly, 400, 300, false, {400, 300}},
        {FitSizeMode::kShrinkOnly, 800, 600, false, {600, 450}},
        {FitSizeMode::kCapBoth, 4000, 3000, false, {1328, 996}},
        {FitSizeMode::kCapBoth, 300, 400, false, {300, 400}},
        {FitSizeMode::kFitImageToWindow, 0, 300, false, {600, 600}},  // no picture: the room
        {FitSizeMode(1), 400, 300, true, {400, 300}},                 // unknown: the picture's size
    };
    for (const auto& c : cases) {
        FitInput ci = in;
        ci.fitWindowToImage = c.fitWindow;
        const Size got = fitSize(c.mode, c.w, c.h, ci, kChrome, kWork);
        EXPECT_EQ(got.width, c.expected.width) << int(c.mode) << " " << c.w << "x" << c.h;
        EXPECT_EQ(got.height, c.expected.height) << int(c.mode) << " " << c.w << "x" << c.h;
    }
    // With fit window to image on, a page larger than the work area is capped to it.
    FitInput big;
    big.pageWidth = big.pageHeight = 3000;
    big.fitWindowToImage = true;
    const Size capped = fitSize(FitSizeMode::kFitImageToWindow, 400, 300, big, kChrome, kWork);
    EXPECT_EQ(capped.width, 1328);
    EXPECT_EQ(capped.height, 996);
}

TEST(ZoomFit, FitModeSwitch) {
    FitInput in;
    in.pageWidth = in.pageHeight = 602;
    in.viewInnerWidth = 500;
    in.viewInnerHeight = 500;
    const ZoomState st = pictureState(400, 300, 1.0, false);

    FitModePlan p = planFitMode(st, true, true, in, kChrome, kWork);
    EXPECT_TRUE(p.fitWindowToImage);
    EXPECT_FALSE(p.fitImageToWindow);
    EXPECT_EQ(p.lastUsedFitMode, 4);
    EXPECT_TRUE(p.resize);
    EXPECT_EQ(p.viewWidth, 502);
    EXPECT_EQ(p.viewHeight, 377);
    EXPECT_TRUE(p.placeWindow);
    EXPECT_EQ(p.outerWidth, 522);
    EXPECT_EQ(p.outerHeight, 419);

    p = planFitMode(st, true, false, in, kChrome, kWork);
    EXPECT_FALSE(p.fitWindowToImage);
    EXPECT_TRUE(p.fitImageToWindow);
    EXPECT_EQ(p.lastUsedFitMode, 3);
    EXPECT_EQ(p.shownWidth, 600);
    EXPECT_EQ(p.shownHeight, 450);
    EXPECT_FALSE(p.placeWindow);

    p = planFitMode(st, false, true, in, kChrome, kWork);
    EXPECT_FALSE(p.fitWindowToImage);
    EXPECT_FALSE(p.fitImageToWindow);
    EXPECT_EQ(p.lastUsedFitMode, 1);
    EXPECT_FALSE(p.resize);

    ZoomState none;
    p = planFitMode(none, true, true, in, kChrome, kWork);
    EXPECT_TRUE(p.fitWindowToImage);
    EXPECT_FALSE(p.resize);
}

// The window keeps its centre and stays inside the work area of its own monitor, also
// when that monitor does not start at the origin.
TEST(ZoomFit, PlaceWindowKeepsTheCentreInsideTheWorkArea) {
    const struct {
        Area work;
        int32_t left, top, oldW, oldH, w, h;
        Placement expected;
    } cases[] = {
        {kWork, 500, 300, 422, 344, 822, 644, {300, 150, 822, 644}},
        {kWork, 500, 300, 422, 344, 823, 645, {300, 150, 823, 645}},    // halves cut toward 0
        {kWork, 10, 10, 422, 344, 822, 644, {0, 0, 822, 644}},          // not above or left of the area
        {kWork, 1700, 900, 200, 100, 822, 644, {1098, 396, 822, 644}},  // not past its right and bottom
        {kWork, 500, 300, 422, 344, 50, 40, {661, 442, 100, 60}},       // raised to the minimum size
        {kWork, 0, 0, 422, 344, 5000, 5000, {0, 0, 1920, 1040}},        // capped to the work area
        {{1920, 0, 1920, 1040}, 2000, 100, 422, 344, 822, 644, {1920, 0, 822, 644}},
        {{-1920, 0, 1920, 1040}, -1500, 300, 422, 344, 822, 644, {-1700, 150, 822, 644}},
        {{0, 40, 1920, 1000}, 500, 50, 422, 344, 422, 644, {500, 40, 422, 644}},
    };
    for (const auto& c : cases) {
        const Placement p = placeWindow(c.left, c.top, c.oldW, c.oldH, c.w, c.h, 100, 60, c.work);
        SCOPED_TRACE(testing::Message() << c.work.left << "," << c.work.top << " " << c.left << "," << c.top);
        EXPECT_EQ(p.x, c.expected.x);
        EXPECT_EQ(p.y, c.expected.y);
        EXPECT_EQ(p.width, c.expected.width);
        EXPECT_EQ(p.height, c.expected.height);
    }
}
