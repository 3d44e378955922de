// Keeping the picture's proportions while the user drags an edge or a corner of the
// viewer window with "Fit Window to Image" on: for every sizing event the scale at which
// the picture fits the dragged size is worked out, clamped to the zoom limits, and the
// rectangle the system is about to apply is rewritten so that the window hugs the
// picture at that scale.
//
//   zoom::SizingInput in = zoom::sizingInputOf(window);   // edge and rectangle
//   zoom::SizingPlan plan = zoom::planSizing(state, chrome, work, in);
//   if (plan.rewriteRect) zoom::writeSizingRect(window, plan.rect);
#pragma once

#include <cstdint>

#include "gui/window/WindowGeometry.h"
#include "viewer/view/ZoomFit.h"

namespace s::gui {
class IWindow;
}

namespace s::image::gui::dialogs::imageview::zoom {

using s::gui::win::geometry::Rect;

// The edge being dragged, from the window's eight named tests (kEdgeNone when none).
int32_t sizingEdgeOf(s::gui::IWindow* window);

struct SizingInput {
    int32_t edge = s::gui::win::geometry::kEdgeNone;  // the window's own edge numbering
    Rect rect{};                                      // the rectangle being sized
    bool scrolling = false;                           // the scroll box scrolls now
    int32_t scrollX = 0, scrollY = 0;
    int32_t vBarWidth = 0, hBarHeight = 0;  // the scroll box's bar sizes
};
// The edge and the sizing rectangle of a window during its sizing event.
SizingInput sizingInputOf(s::gui::IWindow* window);
void writeSizingRect(s::gui::IWindow* window, const Rect& r);

struct SizingPlan {
    bool handled = false;  // false: no picture or fit window to image off, nothing changes
    double scale = 1.0;    // the new current scale
    int32_t shownWidth = 0, shownHeight = 0;
    // The work area limits the window: the picture view at the fixed size
    // viewWidth x viewHeight, scrolled to (scrollX, scrollY), bars shown, scrolling on.
    bool scrolls = false;
    int32_t viewWidth = 0, viewHeight = 0;
    int32_t scrollX = 0, scrollY = 0;
    // Not limited: the view fills its parent; when it scrolled, scrolling is switched
    // off and the scroll box returns to its origin. Either way the bars stay shown
    // (IScrollBox::setBarsHidden(false)).
    bool stopScrolling = false;
    // The dragged size is far beyond the picture's: switch to fit image to window and
    // leave the rectangle as dragged.
    bool toFitImageToWindow = false;
    // Otherwise fit window to image stays on and the rectangle becomes `rect`.
    bool rewriteRect = false;
    Rect rect{};
};
SizingPlan planSizing(const ZoomState& st, const WindowChrome& chrome, const Area& work, const SizingInput& in);

}  // namespace s::image::gui::dialogs::imageview::zoom
