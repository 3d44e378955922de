// Size reports of one axis of a component, as pure functions: a control's minimum and
// preferred size from its measured sizes and its size hints, the clamping every layout
// asks for, and a panel's sizes from its layout, margins and hints.
//
//   SizeHint width;
//   width.setFixed(50);
//   width.setPercent(30);                        // the last call wins: fixed is unset again
//   controlPreferredSize(width, 20, 40, 200);    // 60
#pragma once

#include <cstdint>

namespace s::gui::layout {

// A share of the parent's inner size or a fixed size (-1 = unset). Setting one clears
// the other, so the last call wins.
struct SizeHint {
    int32_t percent = -1;
    int32_t fixed = -1;
    void setPercent(int32_t p) {
        percent = p;
        fixed = -1;
    }
    void setFixed(int32_t f) {
        fixed = f;
        percent = -1;
    }
};

// A control: the fixed size when set, else the measured minimum.
int32_t controlMinSize(const SizeHint& hint, int32_t measuredMin);
// A control: the fixed size when set; else parentInner x percent / 100 (truncated) when a
// percentage is set; else the larger of the measured preferred and minimum sizes.
int32_t controlPreferredSize(const SizeHint& hint, int32_t measuredMin, int32_t measuredPref, int32_t parentInner);
// The asked size clamped into [minimum, preferred]; the minimum wins when they cross.
int32_t clampToHints(int32_t asked, int32_t minSize, int32_t prefSize);

// One axis of a panel: its hints, its two margins on that axis, collapse (report a
// minimum of 0), a lower bound of the minimum (-1 = none) and what its last layout found.
struct PanelAxis {
    SizeHint hint;
    int32_t marginStart = 0;
    int32_t marginEnd = 0;
    bool collapse = false;
    int32_t minBound = -1;
    int32_t layoutMin = 0;
    int32_t layoutPref = 0;
};

// Outer size less the margins, not below 0.
int32_t panelInnerSize(const PanelAxis& a, int32_t outer);
// 0 when collapsed; the fixed size when set; else margins + the layout's minimum,
// raised to the lower bound.
int32_t panelMinSize(const PanelAxis& a);
// The fixed size when set; else parentInner x percent / 100 in single precision, rounded
// half away from zero, when a percentage is set; else margins + the larger of the
// layout's minimum and preferred sizes.
int32_t panelPreferredSize(const PanelAxis& a, int32_t parentInner);
// The same sizes less the margins (0 when collapsed, never below 0).
int32_t panelMinInnerSize(const PanelAxis& a);
int32_t panelPreferredInnerSize(const PanelAxis& a, int32_t parentInner);

}  // namespace s::gui::layout
