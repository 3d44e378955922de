#include "gui/controls/ScrollInfo.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

#include "framework/window/Wnd.h"
#include "gui/component/IContainer.h"
#include "gui/controls/IScrollBar.h"

namespace s::gui::scrollbar {

AxisState fitAxis(const AxisState& old, int32_t view, int32_t content, bool centred) {
    AxisState s = old;
    const int32_t v = std::max(0, view);
    const int32_t range = std::max(0, content);
    if (v >= range) {
        s.position = s.range = s.page = 0;
        s.needed = false;
        return s;
    }
    s.range = range;
    if (centred && (s.centre == 0 || !old.needed)) s.centre = range / 2;
    int32_t position = old.position;
    if (centred) {
        position = int32_t(std::lround(double(s.centre) - double(v) * 0.5));
    } else if (old.page > 0 && old.position > 0) {
        position = int32_t(std::lround(double(old.position) * double(v) / double(old.page)));
    }
    s.position = std::clamp(position, 0, range - v);
    s.page = v;
    s.needed = true;
    return s;
}

int32_t clampScrollDelta(int32_t position, int32_t range, int32_t page, int32_t delta) {
    const int32_t last = std::max(0, range - page);
    const int64_t wanted = std::clamp<int64_t>(int64_t(position) + delta, 0, last);
    return int32_t(wanted - position);
}

namespace win {

namespace {

HWND hwndOf(IComponent* c) {
    auto* wnd = dynamic_cast<CWnd*>(c);
    return wnd && ::IsWindow(wnd->m_hWnd) ? wnd->m_hWnd : nullptr;
}

}  // namespace

void ScrollInfo::reset() {
    orientation_ = ScrollInfoOrientation::kHorizontal;
    state_ = {};
    hidden_ = true;
    centred_ = false;
    depth_ = 0;
    offset_ = 0;
    enabled_ = false;
    bar_ = nullptr;
}

int32_t ScrollInfo::getThickness() {
    if (bar_) return bar_->getThickness();
    return ::GetSystemMetrics(isHorizontal() ? SM_CYHSCROLL : SM_CXVSCROLL);
}

int32_t ScrollInfo::viewSize(IComponent* target) {
    if (HWND h = hwndOf(target)) {
        RECT rc{};
        ::GetClientRect(h, &rc);
        return isHorizontal() ? std::max<int32_t>(rc.right, target->getInnerWidth()) : rc.bottom;
    }
    return isHorizontal() ? target->getInnerWidth() : target->getInnerHeight();
}

void ScrollInfo::moveContent(IComponent* target, int32_t d) {
    if (d == 0 || !target || target->getChildCount() == 0) return;
    IComponent* content = target->getChildAt(0);
    if (!content) return;
    if (isHorizontal())
        content->moveOrigin(d, 0);
    else
        content->moveOrigin(0, d);
    offset_ += d;
}

void ScrollInfo::setNativeInfo(IComponent* target, bool positionOnly) {
    HWND h = hwndOf(target);
    if (!h || bar_) return;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = positionOnly ? SIF_POS : SIF_ALL;
    si.nMin = 0;
    si.nMax = state_.needed ? state_.range : 0;
    si.nPage = UINT(state_.page);
    si.nPos = state_.position;
    ::SetScrollInfo(h, isHorizontal() ? SB_HORZ : SB_VERT, &si, TRUE);
}

void ScrollInfo::showBar(IComponent* target, bool show) {
    if (bar_) {
        bar_->setVisible(show, true);
        return;
    }
    HWND h = hwndOf(target);
    if (!h) return;
    const LONG_PTR bit = isHorizontal() ? WS_HSCROLL : WS_VSCROLL;
    const LONG_PTR style = ::GetWindowLongPtrW(h, GWL_STYLE);
    const LONG_PTR wanted = show ? (style | bit) : (style & ~bit);
    if (wanted == style) return;
    ::SetWindowLongPtrW(h, GWL_STYLE, wanted);
    ::SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void ScrollInfo::update(IComponent* target) {
    if (!target || depth_ >= 1 || !enabled_ || hidden_ || target->getInnerHeight() == 0) return;
    ++depth_;
    IComponent* content = target->getChildCount() > 0 ? target->getChildAt(0) : nullptr;
    // No content is nothing to scroll.
    const int32_t size = content ? (isHorizontal() ? content->getWidth() : content->getHeight()) : 0;
    const int32_t oldPosition = state_.position;
    state_ = fitAxis(state_, viewSize(target), size, centred_);
    setNativeInfo(target, false);
    moveContent(target, oldPosition - state_.position);
    // Without content there is no shift to remember for the next one.
    if (!content) offset_ = 0;
    showBar(target, isShown());
    if (target->isContainer()) static_cast<IContainer*>(target)->doLayout();
    if (bar_) bar_->repaint();
    --depth_;
}

void ScrollInfo::scrollBy(IComponent* target, int32_t delta) {
    if (!target || !isShown()) return;
    const int32_t d = clampScrollDelta(state_.position, state_.range, state_.page, delta);
    if (d == 0) return;
    state_.position += d;
    setNativeInfo(target, true);
    moveContent(target, -d);
    if (centred_) state_.centre += d;
}

void ScrollInfo::trackTo(IComponent* target) {
    HWND h = hwndOf(target);
    if (!h) return;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_TRACKPOS;
    if (!::GetScrollInfo(h, isHorizontal() ? SB_HORZ : SB_VERT, &si)) return;
    scrollBy(target, si.nTrackPos - state_.position);
}

void ScrollInfo::reset(IComponent* target) {
    // Undo the shift first, or the next content would start where this one was scrolled to.
    if (target && offset_ != 0) moveContent(target, -offset_);
    state_ = {};
    offset_ = 0;
    hidden_ = false;
    centred_ = false;
    if (HWND h = hwndOf(target); h && !bar_) {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        ::SetScrollInfo(h, isHorizontal() ? SB_HORZ : SB_VERT, &si, TRUE);
    }
    showBar(target, false);
}

void ScrollInfo::setEnabled(IComponent* target, bool on) {
    if (enabled_ == on) return;
    enabled_ = on;
    if (on) {
        // Back to the scrolled place the content had when scrolling was switched off.
        const int32_t keep = offset_;
        moveContent(target, keep);
        offset_ = keep;
        setHidden(target, false);
    } else {
        setHidden(target, true);
        const int32_t keep = offset_;
        moveContent(target, -keep);
        offset_ = keep;
    }
}

void ScrollInfo::setHidden(IComponent* target, bool hide) {
    if (hidden_ == hide) return;
    const bool wasShown = isShown();
    hidden_ = hide;
    if (hide) {
        showBar(target, false);
    } else if (enabled_ && isShown() != wasShown) {
        showBar(target, true);
    }
    update(target);
}

}  // namespace win

}  // namespace s::gui::scrollbar
