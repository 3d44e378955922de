// An empty, transparent control that takes space in a layout.
//
//   ISpacer* gap = Spacer::createFixed(SpacerOrientation::kVertical, 8);   // 1 wide, 8 high
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/component/IComponent.h"

namespace s::gui {

namespace SpacerOrientation {
inline constexpr int32_t kHorizontal = 0;
inline constexpr int32_t kVertical = 1;
}  // namespace SpacerOrientation

class ISpacer : public IComponent {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_ISpacer";

    // Both swap the width hints with the height hints, then set the orientation.
    virtual void setHorizontal() = 0;
    virtual void setVertical() = 0;
    // Percent; clears the fixed size of the axis.
    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    // Store only.
    virtual void setFixedWidth(int32_t w) = 0;
    virtual void setFixedHeight(int32_t h) = 0;

    virtual bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
