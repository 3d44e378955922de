// The progress control: range and position, applied to the window when it exists.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/component/IComponent.h"

namespace s::gui {

class IProgressBar : public IComponent {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_IProgressBar";

    // Each stores its field only (the fixed size still wins).
    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t w) = 0;
    virtual void setFixedHeight(int32_t h) = 0;
    virtual void setRange(int32_t minimum, int32_t maximum) = 0;
    virtual void setPosition(int32_t position) = 0;

    virtual bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
