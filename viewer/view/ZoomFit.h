// The viewer's zoom and fit arithmetic: the scale limits of a picture, the zoom steps of
// keys, wheel and slider, the conversions between the picture's display size and the
// outer window size, and what a new scale or a fit mode does to the window and the
// picture view. Nothing here touches a window: the view window reads its sizes, asks
// these rules and applies the answer.
//
//   zoom::ZoomState st;
//   st.setPicture(400, 300);                       // limits 1/300 .. 12.8
//   zoom::WindowChrome chrome = zoom::WindowChrome::forScreenScale(1, true);
//   zoom::ScalePlan plan = zoom::planScale(st, chrome, work, 2.0, {});
//   if (plan.placeWindow) ... plan.outerWidth, plan.outerHeight ...
#pragma once

#include <cstdint>

#include "gui/window/WindowGeometry.h"

namespace s::image::gui::dialogs::imageview::zoom {

using s::gui::win::geometry::Area;

// Largest display side reached by zooming in: a picture may always be shown at 100 %.
constexpr double kMaxShownSide = 5120.0;
constexpr double kZoomInFactor = 1.25;
constexpr double kZoomOutFactor = 0.75;
constexpr double kWheelInFactor = 1.15;
constexpr double kWheelOutFactor = 0.85;
// Zoom slider: positions 0..100, 100 % in the middle.
constexpr int32_t kSliderMin = 0;
constexpr int32_t kSliderMiddle = 50;
constexpr int32_t kSliderMax = 100;

// The current scale of the shown picture (1.0 = 100 %) and its limits.
struct ScaleLimits {
    double scale = 1.0;
    double minimum = 1.0;
    double maximum = 1.0;

    // x kept within [minimum, maximum]; the maximum wins should they ever cross, and
    // a value that is not a number becomes 1.0 clamped.
    double clamp(double x) const;
};

// Limits for a w x h picture: minimum 1 / min(w, h) (the shorter side keeps a pixel),
// maximum max(5120 / max(w, h), 1.0). Without a picture (a side <= 0) all three are 1.0;
// with one the scale is kept as given.
ScaleLimits limitsFor(int32_t w, int32_t h, double scale = 1.0);

// The zoom state the view window keeps for these rules.
struct ZoomState {
    bool pictureShown = false;
    int32_t pictureWidth = 0;
    int32_t pictureHeight = 0;
    ScaleLimits limits;
    // At most one of the two fit modes is on; a reset viewer fits the window to the image.
    bool fitWindowToImage = true;
    bool fitImageToWindow = false;
    bool maximized = false;

    // A picture is now shown: its size and the limits for it (the scale is kept).
    void setPicture(int32_t w, int32_t h);
    // No picture: scale and limits 1.0.
    void clearPicture();
    bool hasPicture() const { return pictureShown && pictureWidth > 0 && pictureHeight > 0; }
};

// round(side x scale) as a display size, kept within 0 .. INT32_MAX.
int32_t scaledSide(int32_t side, double scale);

// The sizes around the picture view that turn a view size into an outer window size.
struct WindowChrome {
    int32_t screenScale = 1;  // s: 1, 2 or 4
    int32_t border = 2;       // b: the view border, 2 x s
    int32_t viewFrame = 0;    // f: s when the picture view draws a frame, else 0
    int32_t windowFrame = 0;  // F: outer minus inner width of the window, 0 while maximized
    // Outer minus inner height when it differs from the width's (a caption); -1: the same.
    int32_t windowFrameHeight = -1;
    bool titleAreaShown = false;

    // The chrome of a window at screen scale s, its picture view framed or not.
    static WindowChrome forScreenScale(int32_t s, bool framed, int32_t windowFrame = 0, bool titleArea = false);

    int32_t titleHeight() const { return titleAreaShown ? screenScale * 20 : 0; }
    // The menu bar and toolbar row under the view.
    int32_t barHeight() const { return screenScale * 22; }
    int32_t frameHeight() const { return windowFrameHeight >= 0 ? windowFrameHeight : windowFrame; }
    // Outer width and height of a window whose view shows v pixels.
    int32_t windowWidthFor(int32_t v) const;
    int32_t windowHeightFor(int32_t v) const;
    // The view width and height inside an outer window size.
    int32_t viewWidthFor(int32_t outer) const;
    int32_t viewHeightFor(int32_t outer) const;
    // The largest view that leaves the window inside the work area.
    int32_t maxViewWidth(const Area& work) const { return viewWidthFor(work.width); }
    int32_t maxViewHeight(const Area& work) const { return viewHeightFor(work.height); }
    // Whether a view of width v makes the window wider than the work area.
    bool tooWide(int32_t v, const Area& work) const { return windowWidthFor(v) > work.width; }
};

// --- Zoom steps -------------------------------------------------------------------------

// The scale at which a w x h picture fills the larger side of a view of innerW x innerH,
// clamped to the limits (a 1 x 2000 strip fitted into 300 pixels shows at its minimum).
double shownScale(const ScaleLimits& limits, int32_t w, int32_t h, int32_t innerW, int32_t innerH);

// Slider position of a scale: 50 at 1.0, linear to 0 at the minimum and to 100 at the
// maximum. The scale is clamped first; limits that leave no room on a side give 50.
int32_t sliderPositionFor(const ScaleLimits& limits, double scale);
// Scale of a slider position (cut to 0..100): the inverse of sliderPositionFor.
double scaleForSliderPosition(const ScaleLimits& limits, int32_t position);

// What the zoom slider shows for the picture view's present inner size: the scale and
// the position. Without a picture: 1.0 and 50.
struct SliderState {
    double scale;
    int32_t position;
};
SliderState sliderFor(const ZoomState& st, int32_t innerW, int32_t innerH);

// A zoom step: whether it applies, and the scale asked (applyScale clamps it).
struct ZoomStep {
    bool apply;
    double scale;
};
// Zoom in: x 1.25, then again while the picture still fits the view of innerW x innerH
// (the steps end at the maximum scale).
ZoomStep zoomIn(const ZoomState& st, int32_t innerW, int32_t innerH);
// Zoom out: x 0.75, applied only when neither side rounds to 0 pixels.
ZoomStep zoomOut(const ZoomState& st);
// The wheel: lines >= 1 zooms in (x 1.15, then as zoom in while it fits), else out (x 0.85);
// applied only when neither side rounds to 0 pixels.
ZoomStep zoomByWheel(const ZoomState& st, int32_t lines, int32_t innerW, int32_t innerH);

// The scroll coordinate that keeps the same picture point when the scale changes from
// oldScale to newScale, the picture drawn inside a frame of `frame` pixels; not below 0.
int32_t keepScrollPoint(int32_t oldPosition, double oldScale, double newScale, int32_t frame);

// The wanted outer size capped to the work area. A window that reaches the work area
// scrolls and gets room for its bars: when the height is at the work height the width
// grows by the vertical bar, and when the width is then at the work width the height
// grows by the horizontal bar, each capped to the work area again.
struct CappedWindow {
    int32_t outerWidth, outerHeight;
    bool capped;  // the work area limits the window: the picture scrolls
};
CappedWindow capWindowToWorkArea(int32_t wantedW, int32_t wantedH, const Area& work, int32_t vBarWidth,
                                 int32_t hBarHeight);

// The outer size of a window showing a w x h picture at its size, fitted into the work
// area when it is larger (keeping its aspect ratio).
struct Size {
    int32_t width, height;
};
Size windowSizeFor(int32_t w, int32_t h, const WindowChrome& chrome, const Area& work);

// The outer size that keeps the page box (the view with its frame) at pageW x pageH when
// the title area is switched: `after` is the chrome with the new title setting.
Size windowSizeKeepingPage(const WindowChrome& after, int32_t pageW, int32_t pageH);

// --- applyScale ---------------------------------------------------------------------------

// The scroll state of the picture view when a new scale is applied.
struct ScrollInput {
    int32_t scrollX = 0, scrollY = 0;  // the present scroll position
    bool keepPoint = false;            // scroll to (pointX, pointY) instead of keeping the picture point
    int32_t pointX = 0, pointY = 0;
    int32_t vBarWidth = 0, hBarHeight = 0;  // the scroll box's bar sizes
    bool showBars = true;                   // without fit window to image: show the scroll bars
};

// What showing the picture at a new scale does.
struct ScalePlan {
    bool apply = false;  // false without a picture
    // The fit flags after the manual zoom: it ends fit image to window always, and fit
    // window to image only on a maximized window.
    bool fitWindowToImage = false;
    bool fitImageToWindow = false;
    double scale = 1.0;                       // the clamped scale
    int32_t shownWidth = 0, shownHeight = 0;  // the picture at that scale
    bool placeWindow = false;                 // fit window to image: the window takes the outer size
    int32_t outerWidth = 0, outerHeight = 0;
    // The picture view at the fixed size viewWidth x viewHeight, scrolled to (scrollX,
    // scrollY), scrolling on; otherwise the view fills its parent and scrolling is off.
    bool scrolls = false;
    int32_t viewWidth = 0, viewHeight = 0;
    int32_t scrollX = 0, scrollY = 0;
    // For IScrollBox::setBarsHidden as it stands: true hides the bars.
    bool barsHidden = false;
};
ScalePlan planScale(const ZoomState& st, const WindowChrome& chrome, const Area& work, double x,
                    const ScrollInput& scroll);

// --- Fit modes ----------------------------------------------------------------------------

// Display size rules of fitSize.
enum class FitSizeMode : int32_t {
    kOriginal = 3,          // the picture's size
    kFitWindowToImage = 4,  // the picture view's present inner size
    kFitImageToWindow = 5,  // the room in the page box
    kCapWidth = 6,          // the picture's size, its width capped so the window fits the work width
    kShrinkOnly = 7,        // the room in the page box, or the picture's size when it is smaller
    kCapBoth = 8,           // as kCapWidth, and the height capped to the work height
};

struct FitInput {
    int32_t pageWidth = 0, pageHeight = 0;            // the page box over the view
    int32_t viewInnerWidth = 0, viewInnerHeight = 0;  // the picture view's inner size
    bool fitWindowToImage = false;
};
// The display size of a w x h picture under a mode (an unknown mode shows the picture's
// size). Every mode but kOriginal ends by fitting the picture into the size found,
// keeping its aspect ratio; with fit window to image on that size is first capped so
// that the window stays inside the work area.
Size fitSize(FitSizeMode mode, int32_t w, int32_t h, const FitInput& in, const WindowChrome& chrome, const Area& work);

// "LastUsedFitMode" values.
constexpr int32_t kFitModeNone = 1;
constexpr int32_t kFitModeImageToWindow = 3;
constexpr int32_t kFitModeWindowToImage = 4;

// What switching a fit mode on or off does.
struct FitModePlan {
    bool fitWindowToImage = false;
    bool fitImageToWindow = false;
    int32_t lastUsedFitMode = kFitModeNone;
    bool resize = false;  // a picture is shown and a fit is on: the view gets the display size
    int32_t shownWidth = 0, shownHeight = 0;
    int32_t viewWidth = 0, viewHeight = 0;  // display size plus the frame, 2 x s
    bool placeWindow = false;               // fit window to image: the window takes the outer size
    int32_t outerWidth = 0, outerHeight = 0;
};
FitModePlan planFitMode(const ZoomState& st, bool on, bool windowToImage, const FitInput& in,
                        const WindowChrome& chrome, const Area& work);

// --- placeWindow ----------------------------------------------------------------------------

// Where placeWindow puts the window: the asked size raised to the minimum size and capped
// to the work area, the centre kept, and the window kept inside the work area.
struct Placement {
    int32_t x, y, width, height;
};
Placement placeWindow(int32_t left, int32_t top, int32_t oldWidth, int32_t oldHeight, int32_t width, int32_t height,
                      int32_t minWidth, int32_t minHeight, const Area& work);

}  // namespace s::image::gui::dialogs::imageview::zoom
