#include "viewer/view/ZoomFit.h"

#include <algorithm>
#include <cmath>

#include "foundation/time/Clock.h"

namespace s::image::gui::dialogs::imageview::zoom {

namespace {

// round(v) kept within 0 .. INT32_MAX; not-a-number is 0.
int32_t roundToSize(double v) {
    if (!(v > 0.0)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    return int32_t(std::llround(v));
}

// round(v) within the int32 range; not-a-number is 0.
int32_t roundToCoordinate(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return int32_t(std::llround(v));
}

// w x h fitted into the box keeping its aspect ratio.
Size fitInto(int32_t w, int32_t h, int32_t boxW, int32_t boxH) {
    Size box{std::max(boxW, 0), std::max(boxH, 0)};
    s::time::fitToAspect(w, h, &box.width, &box.height);
    return box;
}

// Whether the picture at scale x still fits inside the view.
bool fitsView(const ZoomState& st, double x, int32_t innerW, int32_t innerH) {
    return scaledSide(st.pictureWidth, x) <= innerW && scaledSide(st.pictureHeight, x) <= innerH;
}

bool neitherSideVanishes(const ZoomState& st, double x) {
    return scaledSide(st.pictureWidth, x) != 0 && scaledSide(st.pictureHeight, x) != 0;
}

// The further zoom-in steps of keys and wheel: x 1.25 while the picture still fits the
// view. They end at the maximum scale, which applyScale would not pass anyway.
double growWhileFitting(const ZoomState& st, double x, int32_t innerW, int32_t innerH) {
    for (int32_t i = 0; i < 256 && x < st.limits.maximum && fitsView(st, x, innerW, innerH); ++i) x *= kZoomInFactor;
    return x;
}

}  // namespace

double ScaleLimits::clamp(double x) const {
    if (!(x == x)) x = 1.0;
    if (x < minimum) x = minimum;
    if (x > maximum) x = maximum;
    return x;
}

ScaleLimits limitsFor(int32_t w, int32_t h, double scale) {
    if (w <= 0 || h <= 0) return ScaleLimits{};
    ScaleLimits l;
    l.scale = scale;
    l.minimum = 1.0 / double(std::min(w, h));
    l.maximum = std::max(kMaxShownSide / double(std::max(w, h)), 1.0);
    return l;
}

void ZoomState::setPicture(int32_t w, int32_t h) {
    pictureShown = w > 0 && h > 0;
    pictureWidth = std::max(w, 0);
    pictureHeight = std::max(h, 0);
    limits = pictureShown ? limitsFor(w, h, limits.scale) : ScaleLimits{};
}

void ZoomState::clearPicture() {
    pictureShown = false;
    pictureWidth = pictureHeight = 0;
    limits = ScaleLimits{};
}

int32_t scaledSide(int32_t side, double scale) {
    if (side <= 0) return 0;
    return roundToSize(double(side) * scale);
}

// --- WindowChrome ----------------------------------------------------------------------------

WindowChrome WindowChrome::forScreenScale(int32_t s, bool framed, int32_t windowFrame, bool titleArea) {
    WindowChrome c;
    c.screenScale = s;
    c.border = 2 * s;
    c.viewFrame = framed ? s : 0;
    c.windowFrame = windowFrame;
    c.titleAreaShown = titleArea;
    return c;
}

int32_t WindowChrome::windowWidthFor(int32_t v) const { return v + 2 * border + 2 * viewFrame + windowFrame; }

int32_t WindowChrome::windowHeightFor(int32_t v) const {
    return v + titleHeight() + barHeight() + 2 * border + 2 * viewFrame + frameHeight();
}

int32_t WindowChrome::viewWidthFor(int32_t outer) const { return outer - 2 * (viewFrame + border) - windowFrame; }

int32_t WindowChrome::viewHeightFor(int32_t outer) const { return outer - windowHeightFor(0); }

// --- Zoom steps ----------------------------------------------------------------------------

double shownScale(const ScaleLimits& limits, int32_t w, int32_t h, int32_t innerW, int32_t innerH) {
    if (w <= 0 || h <= 0) return 1.0;
    const double inner = double(std::max({innerW, innerH, 0}));
    return limits.clamp(inner / double(std::max(w, h)));
}

int32_t sliderPositionFor(const ScaleLimits& limits, double scale) {
    const double x = limits.clamp(scale);
    double p = kSliderMiddle;
    if (x < 1.0) {
        const double room = 1.0 - limits.minimum;
        if (room > 0.0) p = (x - limits.minimum) * kSliderMiddle / room;
    } else if (x > 1.0) {
        const double room = limits.maximum - 1.0;
        if (room > 0.0) p = (x - 1.0) * kSliderMiddle / room + kSliderMiddle;
    }
    return std::clamp(roundToCoordinate(p), kSliderMin, kSliderMax);
}

double scaleForSliderPosition(const ScaleLimits& limits, int32_t position) {
    const int32_t p = std::clamp(position, kSliderMin, kSliderMax);
    double x = 1.0;
    if (p < kSliderMiddle) {
        x = limits.minimum + (1.0 - limits.minimum) * p / kSliderMiddle;
    } else if (p > kSliderMiddle) {
        x = 1.0 + (limits.maximum - 1.0) * (p - kSliderMiddle) / kSliderMiddle;
    }
    return limits.clamp(x);
}

SliderState sliderFor(const ZoomState& st, int32_t innerW, int32_t innerH) {
    if (!st.hasPicture()) return SliderState{1.0, kSliderMiddle};
    const double x = shownScale(st.limits, st.pictureWidth, st.pictureHeight, innerW, innerH);
    return SliderState{x, sliderPositionFor(st.limits, x)};
}

ZoomStep zoomIn(const ZoomState& st, int32_t innerW, int32_t innerH) {
    const double current = st.limits.clamp(st.limits.scale);
    if (!st.hasPicture()) return ZoomStep{false, current};
    return ZoomStep{true, growWhileFitting(st, current * kZoomInFactor, innerW, innerH)};
}

ZoomStep zoomOut(const ZoomState& st) {
    const double current = st.limits.clamp(st.limits.scale);
    if (!st.hasPicture()) return ZoomStep{false, current};
    const double x = current * kZoomOutFactor;
    return ZoomStep{neitherSideVanishes(st, x), x};
}

ZoomStep zoomByWheel(const ZoomState& st, int32_t lines, int32_t innerW, int32_t innerH) {
    const double current = st.limits.clamp(st.limits.scale);
    if (!st.hasPicture()) return ZoomStep{false, current};
    const double x =
        lines >= 1 ? growWhileFitting(st, current * kWheelInFactor, innerW, innerH) : current * kWheelOutFactor;
    return ZoomStep{neitherSideVanishes(st, x), x};
}

int32_t keepScrollPoint(int32_t oldPosition, double oldScale, double newScale, int32_t frame) {
    if (!(oldScale > 0.0) || !(newScale > 0.0)) return std::max(oldPosition, 0);
    const double v = double(oldPosition - frame) / oldScale * newScale;
    return std::max(roundToCoordinate(v + frame), 0);
}

CappedWindow capWindowToWorkArea(int32_t wantedW, int32_t wantedH, const Area& work, int32_t vBarWidth,
                                 int32_t hBarHeight) {
    CappedWindow c{std::min(wantedW, work.width), std::min(wantedH, work.height), false};
    c.capped = c.outerWidth == work.width || c.outerHeight == work.height;
    if (!c.capped) return c;
    if (c.outerHeight == work.height) c.outerWidth = std::min(c.outerWidth + std::max(vBarWidth, 0), work.width);
    if (c.outerWidth == work.width) c.outerHeight = std::min(c.outerHeight + std::max(hBarHeight, 0), work.height);
    return c;
}

Size windowSizeFor(int32_t w, int32_t h, const WindowChrome& chrome, const Area& work) {
    Size v{std::max(w, 0), std::max(h, 0)};
    const int32_t maxW = chrome.maxViewWidth(work), maxH = chrome.maxViewHeight(work);
    if (v.width > 0 && v.height > 0 && (v.width > maxW || v.height > maxH))
        v = fitInto(w, h, std::min(w, maxW), std::min(h, maxH));
    return Size{chrome.windowWidthFor(v.width), chrome.windowHeightFor(v.height)};
}

Size windowSizeKeepingPage(const WindowChrome& after, int32_t pageW, int32_t pageH) {
    return Size{after.windowWidthFor(pageW - 2 * after.viewFrame), after.windowHeightFor(pageH - 2 * after.viewFrame)};
}

// --- applyScale -------------------------------------------------------------------------------

ScalePlan planScale(const ZoomState& st, const WindowChrome& chrome, const Area& work, double x,
                    const ScrollInput& scroll) {
    ScalePlan plan;
    plan.fitWindowToImage = st.fitWindowToImage;
    plan.fitImageToWindow = st.fitImageToWindow;
    plan.scale = st.limits.scale;
    if (!st.hasPicture()) return plan;
    plan.apply = true;

    // A manual zoom ends fit image to window always, fit window to image only when maximized.
    if (st.maximized && (st.fitWindowToImage || st.fitImageToWindow)) plan.fitWindowToImage = false;
    plan.fitImageToWindow = false;

    const int32_t s = chrome.screenScale;
    plan.scale = st.limits.clamp(x);
    plan.shownWidth = scaledSide(st.pictureWidth, plan.scale);
    plan.shownHeight = scaledSide(st.pictureHeight, plan.scale);
    const int32_t keptX = keepScrollPoint(scroll.scrollX, st.limits.scale, plan.scale, s);
    const int32_t keptY = keepScrollPoint(scroll.scrollY, st.limits.scale, plan.scale, s);

    if (plan.fitWindowToImage) {
        const CappedWindow c =
            capWindowToWorkArea(chrome.windowWidthFor(plan.shownWidth), chrome.windowHeightFor(plan.shownHeight), work,
                                scroll.vBarWidth, scroll.hBarHeight);
        plan.placeWindow = true;
        if (c.capped) {
            plan.outerWidth = c.outerWidth;
            plan.outerHeight = c.outerHeight;
            plan.scrolls = true;
            plan.viewWidth = plan.shownWidth + 2 * s;
            plan.viewHeight = plan.shownHeight + 2 * s;
            plan.scrollX = keptX;
            plan.scrollY = keptY;
        } else {
            const Size fit = fitInto(st.pictureWidth, st.pictureHeight, chrome.viewWidthFor(c.outerWidth),
                                     chrome.viewHeightFor(c.outerHeight));
            plan.outerWidth = chrome.windowWidthFor(fit.width);
            plan.outerHeight = chrome.windowHeightFor(fit.height);
        }
        return plan;
    }

    plan.scrolls = true;
    plan.viewWidth = plan.shownWidth + 2 * s;
    plan.viewHeight = plan.shownHeight + 2 * s;
    plan.scrollX = scroll.keepPoint ? std::max(scroll.pointX, 0) : keptX;
    plan.scrollY = scroll.keepPoint ? std::max(scroll.pointY, 0) : keptY;
    plan.barsHidden = !scroll.showBars;
    return plan;
}

// --- Fit modes -------------------------------------------------------------------------------

Size fitSize(FitSizeMode mode, int32_t w, int32_t h, const FitInput& in, const WindowChrome& chrome, const Area& work) {
    const Size room{std::max(in.pageWidth - 2 * chrome.viewFrame, 0),
                    std::max(in.pageHeight - 2 * chrome.viewFrame, 0)};
    if (w <= 0 || h <= 0) return room;
    const int32_t maxW = std::max(chrome.maxViewWidth(work), 0);
    const int32_t maxH = std::max(chrome.maxViewHeight(work), 0);

    Size box{w, h};
    switch (mode) {
        case FitSizeMode::kFitWindowToImage: box = Size{in.viewInnerWidth, in.viewInnerHeight}; break;
        case FitSizeMode::kFitImageToWindow: box = room; break;
        case FitSizeMode::kCapWidth: box.width = std::min(w, maxW); break;
        case FitSizeMode::kShrinkOnly:
            if (!(w < room.width && h < room.height)) box = room;
            break;
        case FitSizeMode::kCapBoth: box = Size{std::min(w, maxW), std::min(h, maxH)}; break;
        case FitSizeMode::kOriginal:
        default: return box;
    }
    if (in.fitWindowToImage || mode == FitSizeMode::kFitWindowToImage)
        box = Size{std::min(box.width, maxW), std::min(box.height, maxH)};
    return fitInto(w, h, box.width, box.height);
}

FitModePlan planFitMode(const ZoomState& st, bool on, bool windowToImage, const FitInput& in,
                        const WindowChrome& chrome, const Area& work) {
    FitModePlan plan;
    plan.fitWindowToImage = on && windowToImage;
    plan.fitImageToWindow = on && !windowToImage;
    plan.lastUsedFitMode = !on ? kFitModeNone : windowToImage ? kFitModeWindowToImage : kFitModeImageToWindow;
    if (!on || !st.hasPicture()) return plan;

    FitInput fitIn = in;
    fitIn.fitWindowToImage = plan.fitWindowToImage;
    const Size shown = fitSize(windowToImage ? FitSizeMode::kFitWindowToImage : FitSizeMode::kFitImageToWindow,
                               st.pictureWidth, st.pictureHeight, fitIn, chrome, work);
    const int32_t s = chrome.screenScale;
    plan.resize = true;
    plan.shownWidth = shown.width;
    plan.shownHeight = shown.height;
    plan.viewWidth = shown.width + 2 * s;
    plan.viewHeight = shown.height + 2 * s;
    if (windowToImage) {
        plan.placeWindow = true;
        plan.outerWidth = chrome.windowWidthFor(shown.width);
        plan.outerHeight = chrome.windowHeightFor(shown.height);
    }
    return plan;
}

// --- placeWindow -----------------------------------------------------------------------------

Placement placeWindow(int32_t left, int32_t top, int32_t oldWidth, int32_t oldHeight, int32_t width, int32_t height,
                      int32_t minWidth, int32_t minHeight, const Area& work) {
    Placement p;
    p.width = std::min(std::max(width, minWidth), work.width);
    p.height = std::min(std::max(height, minHeight), work.height);
    p.x = left + (oldWidth - p.width) / 2;
    p.y = top + (oldHeight - p.height) / 2;
    s::gui::win::geometry::clampIntoArea(&p.x, &p.y, p.width, p.height, work);
    return p;
}

}  // namespace s::image::gui::dialogs::imageview::zoom
