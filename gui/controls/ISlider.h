// A track bar with range, position, ticks, change listeners and a skin drawer; linked
// mode adds a second (upper) thumb. setPosition and setUpperPosition raise no event;
// moves by the user do (code 0).
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/component/IComponent.h"

namespace s::gui::drawer {
class ISlider;
}

namespace s::gui {

class ISlider : public IComponent {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_ISlider";

    // Each stores its field only (the fixed size still wins).
    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t w) = 0;
    virtual void setFixedHeight(int32_t h) = 0;
    virtual void setThumbLength(int32_t length) = 0;
    virtual void setRange(int32_t minimum, int32_t maximum) = 0;
    virtual int32_t getPosition() = 0;
    // Clamped into the range (when linked, below the upper position).
    virtual void setPosition(int32_t position) = 0;
    virtual void setTicFrequency(int32_t n) = 0;
    virtual void setShowTicks(bool on) = 0;
    virtual void addChangeListener(events::IEventListener* l) = 0;
    virtual void setDrawer(drawer::ISlider* drawer, bool owned) = 0;
    // The drawer's "show fill".
    virtual void setDisplayOption(bool on) = 0;
    // The drawer's fill anchor.
    virtual void setStep(int32_t anchor) = 0;
    // Two thumbs.
    virtual void setLinked(bool on) = 0;
    virtual int32_t getUpperPosition() = 0;
    virtual void setUpperPosition(int32_t position) = 0;
    // style is the drawer's band style (0-7).
    virtual void setMark(int32_t style, int32_t a, int32_t b) = 0;

    virtual bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
