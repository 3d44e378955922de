// Dragging an edge or a corner of the viewer window with fit window to image on keeps
// the picture's proportions: the rectangle being sized is rewritten to hug the picture.
#include <gtest/gtest.h>
#include <windows.h>

#include "gui/window/Window.h"
#include "viewer/view/AspectSizing.h"

using namespace s::image::gui::dialogs::imageview::zoom;
namespace geometry = s::gui::win::geometry;

namespace {

// Outer = view + 22 wide, view + 44 high (as in the zoom tests).
const Area kWork{0, 0, 1920, 1040};
const WindowChrome kChrome = WindowChrome::forScreenScale(1, true, 16);

ZoomState fitted(int32_t w, int32_t h) {
    ZoomState st;
    st.setPicture(w, h);
    st.fitWindowToImage = true;
    return st;
}

SizingInput drag(int32_t edge, Rect r) {
    SizingInput in;
    in.edge = edge;
    in.rect = r;
    in.vBarWidth = 17;
    in.hBarHeight = 17;
    return in;
}

void expectRect(const Rect& got, const Rect& want) {
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.right, want.right);
    EXPECT_EQ(got.bottom, want.bottom);
}

}  // namespace

TEST(AspectSizing, EdgeDragsKeepTheAspectRatio) {
    const struct {
        const char* what;
        int32_t w, h, edge;
        Area work;
        Rect dragged;
        double scale;
        Rect expected;
    } cases[] = {
        // A 400 x 300 picture, its window 422 x 344 at 100 %.
        {"right edge to a view of 800: 800 x 600, spread around the middle",
         400,
         300,
         geometry::kEdgeRight,
         kWork,
         {100, 200, 922, 544},
         2.0,
         {100, 50, 922, 694}},
        {"bottom edge: width around the middle, the odd pixel on the right",
         400,
         300,
         geometry::kEdgeBottom,
         kWork,
         {100, 200, 522, 645},
         535.0 / 400,
         {33, 200, 590, 645}},
        {"top edge: the bottom stays",
         400,
         300,
         geometry::kEdgeTop,
         kWork,
         {100, 100, 522, 545},
         535.0 / 400,
         {33, 100, 590, 545}},
        {"left edge near the bottom of the work area grows upwards",
         400,
         300,
         geometry::kEdgeLeft,
         kWork,
         {400, 600, 922, 944},
         1.25,
         {400, 525, 922, 944}},
        {"left edge near the bottom shrinks from the bottom",
         400,
         300,
         geometry::kEdgeLeft,
         kWork,
         {600, 600, 922, 944},
         0.75,
         {600, 600, 922, 869}},
        {"a top pushed above the work area moves down",
         400,
         300,
         geometry::kEdgeRight,
         kWork,
         {100, 20, 922, 364},
         2.0,
         {100, 0, 922, 644}},
        {"above a work area that starts lower",
         400,
         300,
         geometry::kEdgeRight,
         {0, 40, 1920, 1000},
         {100, 60, 922, 404},
         2.0,
         {100, 40, 922, 684}},
        {"a corner follows the tighter side: the height",
         400,
         300,
         geometry::kEdgeBottomRight,
         kWork,
         {100, 100, 922, 444},
         1.0,
         {100, 100, 522, 444}},
        {"a corner follows the tighter side: the width",
         400,
         300,
         geometry::kEdgeTopLeft,
         kWork,
         {500, 100, 922, 1000},
         1.0,
         {500, 656, 922, 1000}},
        {"a window squeezed to nothing shows the picture at its minimum",
         400,
         300,
         geometry::kEdgeBottomRight,
         kWork,
         {100, 100, 100, 100},
         1.0 / 300,
         {100, 100, 123, 145}},
        // The other two pictures of the zoom table.
        {"10000 x 10 cannot shrink below its minimum",
         10000,
         10,
         geometry::kEdgeRight,
         kWork,
         {0, 100, 1000, 154},
         0.1,
         {0, 105, 1022, 150}},
        {"1 x 1 grows square", 1, 1, geometry::kEdgeBottom, kWork, {500, 500, 523, 645}, 101.0, {450, 500, 573, 645}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const SizingPlan plan = planSizing(fitted(c.w, c.h), kChrome, c.work, drag(c.edge, c.dragged));
        EXPECT_TRUE(plan.handled);
        EXPECT_TRUE(plan.rewriteRect);
        EXPECT_FALSE(plan.toFitImageToWindow);
        EXPECT_FALSE(plan.scrolls);
        EXPECT_NEAR(plan.scale, c.scale, 1e-9);
        expectRect(plan.rect, c.expected);
        // The rewritten window holds the picture at that scale exactly.
        EXPECT_EQ(kChrome.viewWidthFor(plan.rect.right - plan.rect.left), scaledSide(c.w, plan.scale));
        EXPECT_EQ(kChrome.viewHeightFor(plan.rect.bottom - plan.rect.top), scaledSide(c.h, plan.scale));
    }
}

TEST(AspectSizing, TheMaximumScaleCapsTheDragAndTheWorkAreaMakesItScroll) {
    SizingInput in = drag(geometry::kEdgeRight, {0, 0, 6022, 344});  // asks for 15x
    in.scrollX = 11;
    in.scrollY = 21;
    const SizingPlan plan = planSizing(fitted(400, 300), kChrome, kWork, in);
    EXPECT_DOUBLE_EQ(plan.scale, 12.8);
    EXPECT_TRUE(plan.scrolls);
    EXPECT_EQ(plan.viewWidth, 5122);
    EXPECT_EQ(plan.viewHeight, 3842);
    // The same picture point: (old - 1) / 1.0 x 12.8 + 1.
    EXPECT_EQ(plan.scrollX, 129);
    EXPECT_EQ(plan.scrollY, 257);
    expectRect(plan.rect, {0, 0, 1920, 1040});
}

TEST(AspectSizing, UnlimitedWindowsStopScrollingTheView) {
    SizingInput in = drag(geometry::kEdgeRight, {100, 200, 922, 544});
    in.scrolling = true;
    const SizingPlan plan = planSizing(fitted(400, 300), kChrome, kWork, in);
    EXPECT_FALSE(plan.scrolls);
    EXPECT_TRUE(plan.stopScrolling);
}

TEST(AspectSizing, AFarLargerDragSwitchesToFitImageToWindow) {
    const Rect dragged{0, 0, 22022, 344};
    const SizingPlan plan = planSizing(fitted(400, 300), kChrome, kWork, drag(geometry::kEdgeRight, dragged));
    EXPECT_TRUE(plan.handled);
    EXPECT_TRUE(plan.toFitImageToWindow);
    EXPECT_FALSE(plan.rewriteRect);
    expectRect(plan.rect, dragged);
}

TEST(AspectSizing, NothingChangesWithoutAPictureOrWithTheFitOff) {
    const Rect dragged{100, 200, 922, 544};
    ZoomState off = fitted(400, 300);
    off.fitWindowToImage = false;
    ZoomState none;
    const struct {
        const char* what;
        ZoomState st;
        int32_t edge;
    } cases[] = {
        {"fit off", off, geometry::kEdgeRight},
        {"no picture", none, geometry::kEdgeRight},
        {"no edge", fitted(400, 300), geometry::kEdgeNone},
    };
    for (const auto& c : cases) {
        const SizingPlan plan = planSizing(c.st, kChrome, kWork, drag(c.edge, dragged));
        EXPECT_FALSE(plan.handled) << c.what;
        EXPECT_FALSE(plan.rewriteRect) << c.what;
        expectRect(plan.rect, dragged);
    }
}

namespace {

// Runs the aspect rule from the window's sizing event, as the viewer's handler does.
class AspectListener : public s::gui::events::IEventListener {
public:
    s::gui::win::Window* window = nullptr;
    ZoomState state = fitted(400, 300);
    int32_t edge = geometry::kEdgeNone;
    void onEvent(s::base::IObject*, int32_t) override {
        const SizingInput in = sizingInputOf(window);
        edge = in.edge;
        const SizingPlan plan = planSizing(state, kChrome, kWork, in);
        if (plan.rewriteRect) writeSizingRect(window, plan.rect);
    }
};

}  // namespace

TEST(AspectSizing, AWindowsSizingEventRewritesTheDraggedRectangle) {
    s::gui::win::Window* window = s::gui::win::Window::create();
    ASSERT_NE(window, nullptr);
    AspectListener listener;
    listener.window = window;
    window->setKeepMinimumSize(false);
    window->addSizingListener(&listener);

    const struct {
        WPARAM wmsz;
        int32_t edge;
        RECT dragged;
        RECT expected;
    } cases[] = {
        // Every edge and corner the system reports: the dragged sides move, the others stay
        // (an edge alone spreads the other axis around the middle).
        {WMSZ_LEFT, geometry::kEdgeLeft, {100, 200, 922, 544}, {100, 50, 922, 694}},
        {WMSZ_RIGHT, geometry::kEdgeRight, {100, 200, 922, 544}, {100, 50, 922, 694}},
        {WMSZ_TOP, geometry::kEdgeTop, {100, 100, 522, 545}, {33, 100, 590, 545}},
        {WMSZ_BOTTOM, geometry::kEdgeBottom, {100, 200, 522, 645}, {33, 200, 590, 645}},
        {WMSZ_TOPLEFT, geometry::kEdgeTopLeft, {500, 100, 922, 1000}, {500, 656, 922, 1000}},
        {WMSZ_TOPRIGHT, geometry::kEdgeTopRight, {100, 100, 922, 1000}, {100, 356, 922, 1000}},
        {WMSZ_BOTTOMLEFT, geometry::kEdgeBottomLeft, {100, 100, 922, 444}, {500, 100, 922, 444}},
        {WMSZ_BOTTOMRIGHT, geometry::kEdgeBottomRight, {100, 100, 922, 444}, {100, 100, 522, 444}},
    };
    for (const auto& c : cases) {
        RECT r = c.dragged;
        SendMessageW(window->getHwnd(), WM_SIZING, c.wmsz, reinterpret_cast<LPARAM>(&r));
        EXPECT_EQ(listener.edge, c.edge) << c.wmsz;
        EXPECT_EQ(r.left, c.expected.left) << c.wmsz;
        EXPECT_EQ(r.top, c.expected.top) << c.wmsz;
        EXPECT_EQ(r.right, c.expected.right) << c.wmsz;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.wmsz;
    }
    window->release();
}
