// The push button: a caption (text, text id, or a "#" glyph name the skin paints), three
// text styles (normal, disabled, toggled-on), action, toggle and press listeners, an
// auto-repeat switch and a toggle mode.
//
//   IButton* ok = Button::createWithTextId(400330, -1, -1);
//   ok->addActionListener(&handler);              // ButtonEvent::kAction on a click
//   ok->setToggleMode(true, true, false, false);  // then ButtonEvent::kToggle after it
//
// setFlat(v) hands v unchanged to the drawer's face flag: true draws the bordered face.
// The font forwarders are named getFontHeight / setFontWidth ... so that they do not
// hide the component's own getHeight / setWidth.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/component/Events.h"
#include "gui/component/IComponent.h"
#include "gui/component/ITextFont.h"

namespace s::gui::drawer {
class IButton;
}

namespace s::gui {

class IButton : public IComponent, public ITextFont {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_IButton";

    // Null counts as "".
    virtual void setText(const wchar_t* text) = 0;
    virtual void setTextId(int32_t id) = 0;
    virtual int32_t getTextId() = 0;
    // The text colour (ITextFont) is that of the normal style; its setter changes the
    // normal style only.
    virtual void setPointSize(int32_t points) = 0;
    // A percentage clears the fixed size of its axis and the reverse (the last call wins).
    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t w) = 0;
    virtual void setFixedHeight(int32_t h) = 0;
    virtual void addActionListener(events::IEventListener* l) = 0;  // ButtonEvent::kAction
    virtual void addToggleListener(events::IEventListener* l) = 0;  // ButtonEvent::kToggle
    virtual void addPressListener(events::IEventListener* l) = 0;   // ButtonEvent::kPress
    virtual void setAutoRepeat(bool on) = 0;
    virtual void setDrawer(drawer::IButton* drawer, bool owned) = 0;
    virtual void setFlat(bool faceFlag) = 0;
    // restingFlag is the drawer's resting option for a toggled face.
    virtual void setToggleMode(bool toggle, bool releasable, bool invertLook, bool restingFlag) = 0;
    virtual bool isReleasable() = 0;
    virtual bool isToggled() = 0;
    // Repaints on a change; raises no event.
    virtual void setToggled(bool toggled) = 0;
    virtual void setDefaultStyle() = 0;
    virtual void clearDefaultStyle() = 0;
    virtual bool isDefaultStyle() = 0;
    // Stores the flag only (the window is created disabled when it is clear).
    virtual void setEnabledFlag(bool enabled) = 0;
    // Caption "#Color-" + the COLORREF as eight lower-case hexadecimal digits.
    virtual void setColorSwatch(int32_t r, int32_t g, int32_t b) = 0;

    virtual bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
