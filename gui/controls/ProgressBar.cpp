#include "gui/controls/ProgressBar.h"

namespace s::gui::win {

void ProgressBar::reset() {
    setVisible(true, true);
    setParent(nullptr);
    resetControl(::GetSysColor(COLOR_BTNFACE), true);
    minimum_ = 0;
    maximum_ = 100;
    position_ = 0;
}

bool ProgressBar::createWindow(CWnd* parentWnd) {
    if (!parentWnd || !Create(WS_CHILD, RECT{0, 0, 0, 0}, parentWnd, kControlId)) return false;
    SetRange32(minimum_, maximum_);
    SetPos(position_);
    return true;
}

void ProgressBar::setRange(int32_t minimum, int32_t maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    if (m_hWnd) SetRange32(minimum, maximum);
}

void ProgressBar::setPosition(int32_t position) {
    position_ = position;
    if (m_hWnd) SetPos(position);
}

bool ProgressBar::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    return preHandleCommon(result, message, wParam, lParam, true, false);
}

}  // namespace s::gui::win
