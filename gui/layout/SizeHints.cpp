#include "gui/layout/SizeHints.h"

#include <algorithm>
#include <cmath>

namespace s::gui::layout {

namespace {

int32_t clampToInt32(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

int32_t margins(const PanelAxis& a) { return clampToInt32(int64_t(a.marginStart) + a.marginEnd); }

int32_t roundedShare(int32_t parentInner, int32_t percent) {
    const float v = float(parentInner) * float(percent) / 100.0f;
    if (v >= 2147483647.0f) return INT32_MAX;
    if (v <= -2147483648.0f) return INT32_MIN;
    return int32_t(std::lround(v));
}

}  // namespace

int32_t controlMinSize(const SizeHint& hint, int32_t measuredMin) { return hint.fixed >= 0 ? hint.fixed : measuredMin; }

int32_t controlPreferredSize(const SizeHint& hint, int32_t measuredMin, int32_t measuredPref, int32_t parentInner) {
    if (hint.fixed >= 0) return hint.fixed;
    if (hint.percent >= 0) return clampToInt32(int64_t(parentInner) * hint.percent / 100);
    return std::max(measuredPref, measuredMin);
}

int32_t clampToHints(int32_t asked, int32_t minSize, int32_t prefSize) {
    const int32_t v = std::min(asked, prefSize);
    return v < minSize ? minSize : v;
}

int32_t panelInnerSize(const PanelAxis& a, int32_t outer) {
    return clampToInt32(std::max<int64_t>(0, int64_t(outer) - margins(a)));
}

int32_t panelMinSize(const PanelAxis& a) {
    if (a.collapse) return 0;
    if (a.hint.fixed >= 0) return a.hint.fixed;
    const int32_t fromLayout = clampToInt32(int64_t(margins(a)) + a.layoutMin);
    return a.minBound >= 0 ? std::max(fromLayout, a.minBound) : fromLayout;
}

int32_t panelPreferredSize(const PanelAxis& a, int32_t parentInner) {
    if (a.hint.fixed >= 0) return a.hint.fixed;
    if (a.hint.percent >= 0) return roundedShare(parentInner, a.hint.percent);
    return clampToInt32(int64_t(margins(a)) + std::max(a.layoutMin, a.layoutPref));
}

int32_t panelMinInnerSize(const PanelAxis& a) {
    if (a.collapse) return 0;
    return panelInnerSize(a, panelMinSize(a));
}

int32_t panelPreferredInnerSize(const PanelAxis& a, int32_t parentInner) {
    return panelInnerSize(a, panelPreferredSize(a, parentInner));
}

}  // namespace s::gui::layout
