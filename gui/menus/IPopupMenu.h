// A pop-up menu holding menu items and sub-menus. Items and sub-menus belong to the menu
// once added: removed ones go back to their pools. Texts given by id follow the owner
// localizer's language changes.
//
//   IPopupMenu* menu = PopupMenu::create();
//   menu->setOwner(localizer);
//   menu->addItem(MenuItem::createWithTextId(600100, localizer, 100, false));
//   menu->addItem(MenuItem::createSeparator());
//   menu->showBelow(x, y, window);   // the chosen command arrives at the window as WM_COMMAND
#pragma once

#include <cstdint>

#include "foundation/events/IEventListener.h"

namespace s::lang {
class Localizer;
}
namespace s::gui::menuitem {
class MenuItem;
}

namespace s::gui {

class IComponent;

class IPopupMenu : public events::IEventListener {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_IPopupMenu";

    virtual void addItem(menuitem::MenuItem* item) = 0;
    virtual void insertItem(int32_t position, menuitem::MenuItem* item) = 0;
    virtual void removeAll() = 0;
    virtual void removeAt(int32_t position) = 0;
    virtual void removeById(int32_t commandId) = 0;
    virtual void removeItem(menuitem::MenuItem* item) = 0;
    virtual menuitem::MenuItem* findItem(int32_t commandId) = 0;
    // Searches the sub-menus too.
    virtual bool hasItem(int32_t commandId) = 0;
    virtual bool indexOfId(int32_t commandId, int32_t* position) = 0;
    virtual bool indexOfItem(menuitem::MenuItem* item, int32_t* position) = 0;
    virtual void setSubMenuEnabled(IPopupMenu* subMenu, bool enabled) = 0;
    // True when the command was found (sub-menus searched too).
    virtual bool setItemEnabled(int32_t commandId, bool enabled) = 0;
    virtual void addSubMenu(IPopupMenu* subMenu) = 0;
    // The localizer whose language changes relabel the menu.
    virtual void setOwner(lang::Localizer* owner) = 0;
    virtual bool isChecked(int32_t commandId) = 0;
    virtual bool setChecked(int32_t commandId, bool checked) = 0;
    // Change only the entry's string: check, radio and grey states stay.
    virtual bool setItemText(int32_t commandId, const wchar_t* text) = 0;
    virtual bool setItemTextId(int32_t commandId, int32_t textId) = 0;
    virtual void relabel() = 0;
    virtual const wchar_t* getTitle() = 0;
    virtual int32_t getTitleId() = 0;
    virtual void setTitleId(int32_t textId) = 0;
    virtual void setTitle(const wchar_t* text) = 0;
    // Radio mark on position checked among first .. last.
    virtual void checkRadio(int32_t checked, int32_t first, int32_t last) = 0;
    virtual void checkRadioAt(int32_t position) = 0;
    virtual void checkRadioById(int32_t commandId) = 0;
    virtual void checkRadioItem(menuitem::MenuItem* item) = 0;
    virtual int32_t getLastCommand() = 0;
    virtual void addListener(events::IEventListener* l) = 0;
    // Last command = id, then every listener hears code 0.
    virtual void fireCommand(int32_t commandId) = 0;
    // Modal until the menu closes; the menu's bottom (top) edge is at y.
    virtual void showAbove(int32_t x, int32_t y, IComponent* owner) = 0;
    virtual void showBelow(int32_t x, int32_t y, IComponent* owner) = 0;
    // Items plus sub-menus.
    virtual int32_t getEntryCount() = 0;
};

}  // namespace s::gui
