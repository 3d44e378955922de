// The pop-up menu: a native pop-up menu whose entries are menu items and nested pop-up
// menus, kept in step with the language pack. Items and sub-menus belong to the menu and
// go back to their pools when removed or when the menu is reset. Text changes rewrite
// only an entry's string, so check, radio and grey states stay as they were.
//
//   PopupMenu* menu = PopupMenu::create();
//   menu->setOwner(localizer);
//   menu->withItem(MenuItem::createWithTextId(600100, localizer, 100, false))
//       ->withItem(MenuItem::createSeparator());
//   menu->addListener(&handler);              // hears code 0 from fireCommand
//   menu->showBelow(x, y, window);            // the choice reaches the window as WM_COMMAND
//   menu->release();
#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"
#include "foundation/thread/Pool.h"
#include "framework/menu/Menu.h"
#include "gui/menus/IPopupMenu.h"

namespace s::gui::win {

class PopupMenu : public IPopupMenu, public base::IObject, public thread::IPoolable {
    S_POOLED(PopupMenu, L"s_gui_win_PopupMenu")
public:
    PopupMenu() = default;
    ~PopupMenu() override;
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    // Adds a non-null item; answers the menu, for chaining.
    PopupMenu* withItem(menuitem::MenuItem* item);

    // The native menu, made on first need.
    HMENU getHandle();

    // IEventListener: the owner's language change relabels the menu.
    void onEvent(base::IObject* source, int32_t code) override;

    void addItem(menuitem::MenuItem* item) override;
    void insertItem(int32_t position, menuitem::MenuItem* item) override;
    void removeAll() override;
    void removeAt(int32_t position) override;
    void removeById(int32_t commandId) override;
    void removeItem(menuitem::MenuItem* item) override;
    menuitem::MenuItem* findItem(int32_t commandId) override;
    bool hasItem(int32_t commandId) override;
    bool indexOfId(int32_t commandId, int32_t* position) override;
    bool indexOfItem(menuitem::MenuItem* item, int32_t* position) override;
    void setSubMenuEnabled(IPopupMenu* subMenu, bool enabled) override;
    bool setItemEnabled(int32_t commandId, bool enabled) override;
    void addSubMenu(IPopupMenu* subMenu) override;
    void setOwner(lang::Localizer* owner) override;
    bool isChecked(int32_t commandId) override;
    bool setChecked(int32_t commandId, bool checked) override;
    bool setItemText(int32_t commandId, const wchar_t* text) override;
    bool setItemTextId(int32_t commandId, int32_t textId) override;
    void relabel() override;
    const wchar_t* getTitle() override;
    int32_t getTitleId() override { return titleId_; }
    void setTitleId(int32_t textId) override;
    void setTitle(const wchar_t* text) override;
    void checkRadio(int32_t checked, int32_t first, int32_t last) override;
    void checkRadioAt(int32_t position) override;
    void checkRadioById(int32_t commandId) override;
    void checkRadioItem(menuitem::MenuItem* item) override;
    int32_t getLastCommand() override { return lastCommand_; }
    void addListener(events::IEventListener* l) override;
    void fireCommand(int32_t commandId) override;
    void showAbove(int32_t x, int32_t y, IComponent* owner) override;
    void showBelow(int32_t x, int32_t y, IComponent* owner) override;
    int32_t getEntryCount() override { return int32_t(items_.count() + subMenus_.count()); }

    void reset() override;

private:
    int32_t positionCount();
    bool isSubMenuAt(int32_t position);
    // Menu position of the item at index of the item list (-1 when there is none), and
    // the reverse (-1 for a sub-menu position or one out of range).
    int32_t positionOfItem(uint32_t index);
    int32_t itemIndexAt(int32_t position);
    int32_t positionOfSubMenu(PopupMenu* sub);
    int32_t findItemIndex(int32_t commandId);
    // Appends or inserts the native entry of an item (position -1 appends).
    void placeItem(int32_t position, menuitem::MenuItem* item);
    // Rewrites only the string of the entry at a position.
    void writeString(int32_t position, const wchar_t* text);
    void removeItemAt(uint32_t index);
    void relabelEntries(bool reread);
    void track(int32_t x, int32_t y, IComponent* owner, UINT flags);

    CMenu menu_;
    lang::Localizer* owner_ = nullptr;
    str::strbuffer::StrBuffer title_;
    int32_t titleId_ = -1;
    col::_array::ArrayP items_;      // MenuItem, owned, in menu order
    col::_array::ArrayP subMenus_;   // PopupMenu, owned
    col::_array::ArrayP listeners_;  // not owned
    int32_t lastCommand_ = -1;
};

}  // namespace s::gui::win
