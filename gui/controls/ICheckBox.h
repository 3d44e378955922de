// The automatic check box. Checked listeners hear code 1 and unchecked listeners code 2
// when the user changes the state; setChecked raises nothing. The bind operations make
// other components follow the check state (switched by the user's clicks only).
//
//   ICheckBox* resize = CheckBox::createWithTextId(2000000200, false);
//   resize->bindEnabled(widthField);   // enabled while checked, disabled while unchecked
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/component/IComponent.h"
#include "gui/component/ITextFont.h"

namespace s::gui::drawer {
class ICheckBox;
}

namespace s::gui {

namespace CheckBoxEvent {
inline constexpr int32_t kChecked = 1;
inline constexpr int32_t kUnchecked = 2;
inline constexpr int32_t kEnabledChanged = 0;  // enabled and disabled listeners
}  // namespace CheckBoxEvent

class ICheckBox : public IComponent, public ITextFont {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_ICheckBox";

    virtual void setWordWrap(bool on) = 0;
    virtual void setText(const wchar_t* text) = 0;
    virtual void setTextId(int32_t id) = 0;
    // The font calls (ITextFont) act on both fonts.
    virtual void setPointSize(int32_t points) = 0;
    virtual void addCheckedListener(events::IEventListener* l) = 0;    // CheckBoxEvent::kChecked
    virtual void addUncheckedListener(events::IEventListener* l) = 0;  // CheckBoxEvent::kUnchecked
    virtual void addEnabledListener(events::IEventListener* l) = 0;    // code 0
    virtual void addDisabledListener(events::IEventListener* l) = 0;   // code 0
    virtual bool isChecked() = 0;
    // No event.
    virtual void setChecked(bool checked) = 0;
    virtual void setCheckedSilently(bool checked) = 0;
    // enableWhenChecked + disableWhenUnchecked.
    virtual void bindEnabled(IComponent* component) = 0;
    virtual void enableWhenChecked(IComponent* component) = 0;
    virtual void disableWhenUnchecked(IComponent* component) = 0;
    // enableWhenUnchecked + disableWhenChecked.
    virtual void bindEnabledInverse(IComponent* component) = 0;
    virtual void enableWhenUnchecked(IComponent* component) = 0;
    virtual void disableWhenChecked(IComponent* component) = 0;
    virtual void setDrawer(drawer::ICheckBox* drawer, bool owned) = 0;

    virtual bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
