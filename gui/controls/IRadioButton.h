// The automatic radio button. Radio buttons of one parent form a group: a click checks
// one and unchecks the others. At every check message its checked listeners (checked) or
// unchecked listeners (unchecked) hear code 0, also when the state did not change.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/component/IComponent.h"
#include "gui/component/ITextFont.h"

namespace s::gui::drawer {
class IRadioButton;
}

namespace s::gui {

class IRadioButton : public IComponent, public ITextFont {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_IRadioButton";

    virtual void setText(const wchar_t* text) = 0;
    virtual void setTextId(int32_t id) = 0;
    // The font calls (ITextFont) act on both fonts.
    virtual void setPointSize(int32_t points) = 0;
    virtual void addCheckedListener(events::IEventListener* l) = 0;
    virtual void addUncheckedListener(events::IEventListener* l) = 0;
    virtual void addEnableListener(events::IEventListener* l) = 0;
    virtual void addDisableListener(events::IEventListener* l) = 0;
    virtual bool isChecked() = 0;
    // With notify false the lists are not told.
    virtual void setChecked(bool checked, bool notify) = 0;
    virtual void linkEnabledToCheck(IComponent* component) = 0;
    virtual void linkDisabledToCheck(IComponent* component) = 0;
    virtual void enableWhenChecked(IComponent* component) = 0;
    virtual void disableWhenUnchecked(IComponent* component) = 0;
    virtual void disableWhenChecked(IComponent* component) = 0;
    virtual void enableWhenUnchecked(IComponent* component) = 0;
    virtual void linkEditableToCheck(IComponent* component) = 0;
    virtual void editableWhenChecked(IComponent* component) = 0;
    virtual void readOnlyWhenUnchecked(IComponent* component) = 0;
    virtual void setDrawer(drawer::IRadioButton* drawer, bool owned) = 0;

    virtual bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
