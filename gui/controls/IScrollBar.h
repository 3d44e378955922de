// A custom-drawn scroll bar control that owns one scroll model and turns clicks,
// auto-repeat and thumb drags into scroll steps of its target.
//
// Orientation here is 0 horizontal, 1 vertical; setOrientation maps it onto the scroll
// model's numbering (1 horizontal, 2 vertical).
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/component/IComponent.h"

namespace s::gui::drawer {
class IScrollBar;
}
namespace s::gui::scrollbar {
class IScrollInfo;
}

namespace s::gui {

namespace ScrollBarOrientation {
inline constexpr int32_t kHorizontal = 0;
inline constexpr int32_t kVertical = 1;
}  // namespace ScrollBarOrientation

class IScrollBar : public IComponent {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_IScrollBar";

    // Each stores its field only (the fixed size still wins).
    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t w) = 0;
    virtual void setFixedHeight(int32_t h) = 0;
    // The fixed height of a horizontal bar, the fixed width of a vertical one.
    virtual int32_t getThickness() = 0;
    // Negative: the default drawer's width (15 x screen scale); otherwise fixed.
    virtual void setThickness(int32_t pixels) = 0;
    virtual void setThicknessPercent(int32_t percent) = 0;
    virtual int32_t getLength() = 0;
    virtual void setLength(int32_t pixels) = 0;
    // Width percent of a horizontal bar, height percent of a vertical one.
    virtual void setLengthPercent(int32_t percent) = 0;
    virtual bool isHorizontal() = 0;
    virtual bool isVertical() = 0;
    virtual void setHorizontal() = 0;
    virtual void setVertical() = 0;
    virtual void setOrientation(int32_t orientation) = 0;
    virtual void setDrawer(drawer::IScrollBar* drawer, bool owned) = 0;
    // The component whose first child scrolls.
    virtual void setTarget(IComponent* target) = 0;
    // The other bar of a pair.
    virtual void setPeer(IComponent* peer) = 0;
    virtual scrollbar::IScrollInfo* getScrollInfo() = 0;
    virtual void scrollTarget(int32_t delta) = 0;
    virtual void setColor(int32_t r, int32_t g, int32_t b) = 0;

    virtual bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
