// The owner-drawn menu bar: a row of entries, each a command item or a pop-up menu that
// opens below its entry. Command listeners hear code 0 after the last command is set,
// open listeners code 1 just before a pop-up opens, relabel listeners code 0 after a
// language change.
//
//   IMenuEx* bar = MenuEx::create();
//   bar->addPopup(fileMenu);
//   bar->addItem(MenuItem::createWithTextId(600200, localizer, 200, false));
//   bar->addCommandListener(&handler);     // then bar->getLastCommand()
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/component/IComponent.h"

namespace s::gui::drawer {
class IMenu;
}
namespace s::gui::menuitem {
class MenuItem;
}

namespace s::gui {

class IPopupMenu;

class IMenuEx : public IComponent {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_IMenuEx";

    // On both fonts.
    virtual void setSizeCode(int32_t code) = 0;
    virtual void setBold(bool on) = 0;
    virtual void setUnderline(bool on) = 0;
    // A percentage clears the fixed size of its axis and the reverse.
    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t w) = 0;
    virtual void setFixedHeight(int32_t h) = 0;
    virtual void setPaddingLeft(int32_t v) = 0;
    virtual void setPaddingRight(int32_t v) = 0;
    virtual void setPaddingTop(int32_t v) = 0;
    virtual void setPaddingBottom(int32_t v) = 0;
    virtual void setPaddingHorizontal(int32_t v) = 0;
    virtual void setPaddingVertical(int32_t v) = 0;
    // Text insets of each entry (defaults 6, 3).
    virtual void setSpacing(int32_t x, int32_t y) = 0;
    virtual void addItem(menuitem::MenuItem* item) = 0;
    virtual void addPopup(IPopupMenu* popup) = 0;
    virtual bool hasCommand(int32_t commandId) = 0;
    virtual bool isChecked(int32_t commandId) = 0;
    // False when no pop-up holds the command.
    virtual bool setChecked(int32_t commandId, bool checked) = 0;
    virtual int32_t getLastCommand() = 0;
    virtual void addCommandListener(events::IEventListener* l) = 0;
    virtual void fireCommand(int32_t commandId) = 0;
    virtual void addRelabelListener(events::IEventListener* l) = 0;
    virtual void setDrawer(drawer::IMenu* drawer, bool owned) = 0;
    // While set (the default), the minimum width is 0.
    virtual void setZeroMinWidth(bool on) = 0;
    // The whole bar acts as its first entry; both fonts become bold.
    virtual void setSingleEntry(bool on) = 0;
    // Takes every label again from its entry; answers the number of entries.
    virtual int32_t relabel() = 0;
    virtual void addOpenListener(events::IEventListener* l) = 0;
    virtual void setOpenOnHover(bool on) = 0;
    virtual void setPopupRightAligned(bool on) = 0;
    // Passed to the drawer with every entry painted.
    virtual void setDrawerFlag(bool on) = 0;

    virtual bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
