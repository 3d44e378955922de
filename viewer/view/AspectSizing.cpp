#include "viewer/view/AspectSizing.h"

#include <algorithm>
#include <cmath>

#include "gui/window/IWindow.h"

namespace s::image::gui::dialogs::imageview::zoom {

namespace geometry = s::gui::win::geometry;

namespace {

bool isLeftSide(int32_t e) {
    return e == geometry::kEdgeLeft || e == geometry::kEdgeTopLeft || e == geometry::kEdgeBottomLeft;
}
bool isRightSide(int32_t e) {
    return e == geometry::kEdgeRight || e == geometry::kEdgeTopRight || e == geometry::kEdgeBottomRight;
}
bool isTopSide(int32_t e) {
    return e == geometry::kEdgeTop || e == geometry::kEdgeTopLeft || e == geometry::kEdgeTopRight;
}
bool isBottomSide(int32_t e) {
    return e == geometry::kEdgeBottom || e == geometry::kEdgeBottomLeft || e == geometry::kEdgeBottomRight;
}
bool isCorner(int32_t e) { return e >= geometry::kEdgeTopLeft && e <= geometry::kEdgeBottomRight; }

// round(a x b / c) for positive sizes, within 0 .. INT32_MAX.
int32_t scaleSide(int32_t a, int32_t b, int32_t c) {
    if (a <= 0 || b <= 0 || c <= 0) return 0;
    const double v = double(a) * double(b) / double(c);
    return v >= 2147483647.0 ? INT32_MAX : int32_t(std::llround(v));
}

// The horizontal half of the rewrite: the dragged side moves to give width w; the top or
// bottom edge alone spreads the difference around the middle (the odd pixel to the right).
void rewriteHorizontally(Rect* r, int32_t edge, int32_t w) {
    if (isLeftSide(edge)) {
        r->left = r->right - w;
    } else if (isRightSide(edge)) {
        r->right = r->left + w;
    } else {
        const int32_t delta = w - (r->right - r->left);
        r->left -= delta >> 1;
        r->right += delta - (delta >> 1);
    }
}

// The vertical half: the dragged side moves to give height h; the left or right edge
// alone spreads the difference around the middle when the window lies in the upper half
// of the work area, else grows upwards (or shrinks from the bottom), and never leaves
// its top above the work area.
void rewriteVertically(Rect* r, int32_t edge, int32_t h, const Area& work) {
    if (isTopSide(edge)) {
        r->top = r->bottom - h;
    } else if (isBottomSide(edge)) {
        r->bottom = r->top + h;
    } else {
        const int32_t delta = h - (r->bottom - r->top);
        if ((r->top - work.top) + (r->bottom - work.top) <= work.height) {
            r->top -= delta >> 1;
            r->bottom += delta - (delta >> 1);
        } else if (delta > 0) {
            r->top -= delta;
        } else {
            r->bottom += delta;
        }
        if (r->top < work.top) {
            r->bottom += work.top - r->top;
            r->top = work.top;
        }
    }
}

}  // namespace

int32_t sizingEdgeOf(s::gui::IWindow* window) {
    if (!window) return geometry::kEdgeNone;
    if (window->isSizingLeft()) return geometry::kEdgeLeft;
    if (window->isSizingRight()) return geometry::kEdgeRight;
    if (window->isSizingTop()) return geometry::kEdgeTop;
    if (window->isSizingBottom()) return geometry::kEdgeBottom;
    if (window->isSizingTopLeft()) return geometry::kEdgeTopLeft;
    if (window->isSizingTopRight()) return geometry::kEdgeTopRight;
    if (window->isSizingBottomLeft()) return geometry::kEdgeBottomLeft;
    if (window->isSizingBottomRight()) return geometry::kEdgeBottomRight;
    return geometry::kEdgeNone;
}

SizingInput sizingInputOf(s::gui::IWindow* window) {
    SizingInput in;
    if (!window) return in;
    in.edge = sizingEdgeOf(window);
    in.rect =
        Rect{window->getSizingLeft(), window->getSizingTop(), window->getSizingRight(), window->getSizingBottom()};
    return in;
}

void writeSizingRect(s::gui::IWindow* window, const Rect& r) {
    if (!window) return;
    window->setSizingLeft(r.left);
    window->setSizingTop(r.top);
    window->setSizingRight(r.right);
    window->setSizingBottom(r.bottom);
}

SizingPlan planSizing(const ZoomState& st, const WindowChrome& chrome, const Area& work, const SizingInput& in) {
    SizingPlan plan;
    plan.scale = st.limits.scale;
    plan.rect = in.rect;
    if (!st.hasPicture() || !st.fitWindowToImage || in.edge == geometry::kEdgeNone) return plan;
    plan.handled = true;
    const int32_t P = st.pictureWidth, Q = st.pictureHeight;

    // The view size the dragged rectangle leaves, and the view the picture wants in it.
    const int32_t vw = chrome.viewWidthFor(in.rect.right - in.rect.left);
    const int32_t vh = chrome.viewHeightFor(in.rect.bottom - in.rect.top);
    const int32_t aw = std::max(vw, 0), ah = std::max(vh, 0);
    // Compared as products: a view squeezed to nothing has no ratio to divide by.
    const bool widthDecides = (in.edge == geometry::kEdgeLeft || in.edge == geometry::kEdgeRight) ||
                              (isCorner(in.edge) && int64_t(aw) * Q < int64_t(P) * ah);
    const int32_t d = widthDecides ? aw : scaleSide(ah, P, Q);
    const int32_t e = widthDecides ? scaleSide(aw, Q, P) : ah;

    // The scale of that view within the limits (the maximum wins should they cross).
    const double l = st.limits.clamp(double(std::max(d, e)) / double(std::max(P, Q)));
    plan.scale = l;
    plan.shownWidth = scaledSide(P, l);
    plan.shownHeight = scaledSide(Q, l);
    const CappedWindow c =
        capWindowToWorkArea(chrome.windowWidthFor(plan.shownWidth), chrome.windowHeightFor(plan.shownHeight), work,
                            in.vBarWidth, in.hBarHeight);
    if (c.capped) {
        const int32_t s = chrome.screenScale;
        plan.scrolls = true;
        plan.viewWidth = plan.shownWidth + 2 * s;
        plan.viewHeight = plan.shownHeight + 2 * s;
        plan.scrollX = keepScrollPoint(in.scrollX, st.limits.scale, l, s);
        plan.scrollY = keepScrollPoint(in.scrollY, st.limits.scale, l, s);
    } else {
        plan.stopScrolling = in.scrolling;
    }

    const int32_t w = c.outerWidth, h = c.outerHeight;
    if (int64_t(vw) >= int64_t(w) + 20000 || int64_t(vh) >= int64_t(h) + 20000) {
        plan.toFitImageToWindow = true;
        return plan;
    }
    plan.rewriteRect = true;
    rewriteHorizontally(&plan.rect, in.edge, w);
    rewriteVertically(&plan.rect, in.edge, h, work);
    return plan;
}

}  // namespace s::image::gui::dialogs::imageview::zoom
