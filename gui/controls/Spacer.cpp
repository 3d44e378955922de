#include "gui/controls/Spacer.h"

#include <cwchar>
#include <utility>

#include "gui/box/IBox.h"

namespace s::gui::win {

void Spacer::reset() {
    setVisible(true, true);
    setParent(nullptr);
    resetControl(::GetSysColor(COLOR_BTNFACE), true);
    widthHint_.fixed = 1;
    heightHint_.fixed = 1;
    orientation_ = SpacerOrientation::kHorizontal;
}

Spacer* Spacer::createFixed(int32_t orientation, int32_t size) {
    Spacer* s = create();
    if (orientation == SpacerOrientation::kHorizontal) {
        s->setHorizontal();
        s->setFixedWidth(size);
    } else if (orientation == SpacerOrientation::kVertical) {
        s->setVertical();
        s->setFixedHeight(size);
    }
    return s;
}

void Spacer::swapHints() { std::swap(widthHint_, heightHint_); }

void Spacer::setHorizontal() {
    swapHints();
    orientation_ = SpacerOrientation::kHorizontal;
}

void Spacer::setVertical() {
    swapHints();
    orientation_ = SpacerOrientation::kVertical;
}

bool Spacer::inBoxOfKind(int32_t kind) {
    auto* object = dynamic_cast<base::IObject*>(parent_);
    auto* box = dynamic_cast<IBox*>(parent_);
    return object && box && std::wcscmp(object->getClassName(), L"s_gui_win_Box") == 0 && box->getLayoutKind() == kind;
}

int32_t Spacer::getMinWidth() {
    if (orientation_ == SpacerOrientation::kVertical && inBoxOfKind(LayoutKind::kRow)) return 0;
    return Control::getMinWidth();
}

int32_t Spacer::getPreferredWidth() {
    if (orientation_ == SpacerOrientation::kVertical && inBoxOfKind(LayoutKind::kRow)) return 0;
    return Control::getPreferredWidth();
}

int32_t Spacer::getMinHeight() {
    if (orientation_ == SpacerOrientation::kHorizontal && inBoxOfKind(LayoutKind::kColumn)) return 0;
    return Control::getMinHeight();
}

int32_t Spacer::getPreferredHeight() {
    if (orientation_ == SpacerOrientation::kHorizontal && inBoxOfKind(LayoutKind::kColumn)) return 0;
    return Control::getPreferredHeight();
}

void Spacer::setVisible(bool visible, bool deep) {
    if (visible == visible_) return;
    Control::setVisible(visible, deep);
    if (visible)
        validateParent();
    else if (m_hWnd)
        setPosition(control::kParkX, -control::kParkX);
}

void Spacer::paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    if (!transparent_)
        control::fillRect(dc, rc, background_);
    else if (!control::copyParentPixels(m_hWnd, parent_, dc, rc.right, rc.bottom))
        control::fillRect(dc, rc, control::effectiveBackgroundColor(parent_));
    ::EndPaint(m_hWnd, &ps);
}

bool Spacer::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    if (message == WM_PAINT) {
        paint();
        return true;
    }
    return preHandleCommon(result, message, wParam, lParam, true, false);
}

}  // namespace s::gui::win
