// The owner-drawn drop-down list. Rows are ComboBoxItem objects (text or text id, user
// data, row styles); the box owns them: deleted and cleared rows go back to their pool,
// removed rows are handed to the caller.
//
//   IComboBox* kind = ComboBox::create();
//   kind->addItem(ComboBoxItem::createWithText(L"JPEG", jpegData));
//   kind->select(0, false);                      // no event
//   kind->addSelectionListener(&handler);        // code 0 on the user's choice
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/component/IComponent.h"
#include "gui/component/ITextFont.h"

namespace s::gui::combobox {
class ComboBoxItem;
}
namespace s::gui::drawer {
class ICombo;
}

namespace s::gui {

class IComboBox : public IComponent, public ITextFont {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_IComboBox";

    virtual int32_t getItemCount() = 0;
    // Null outside 0 .. count - 1.
    virtual combobox::ComboBoxItem* getItem(int32_t index) = 0;
    virtual void addItem(combobox::ComboBoxItem* item) = 0;
    // Answers the current index.
    virtual int32_t insertItem(int32_t index, combobox::ComboBoxItem* item) = 0;
    // Take the row out and hand it back (not released); null when absent.
    virtual combobox::ComboBoxItem* removeItem(combobox::ComboBoxItem* item) = 0;
    virtual combobox::ComboBoxItem* removeItemAt(int32_t index) = 0;
    // Take the row out and release it to its pool.
    virtual void deleteItem(combobox::ComboBoxItem* item) = 0;
    virtual void deleteItemAt(int32_t index) = 0;
    virtual void deleteItemsWithData(intptr_t data) = 0;
    // Deletes the row selected at the call.
    virtual void deleteSelected() = 0;
    virtual void select(int32_t index, bool notify) = 0;
    virtual void selectByData(intptr_t data, bool notify) = 0;
    // -1 (and a null item) when nothing is selected.
    virtual int32_t getSelectedIndex() = 0;
    virtual combobox::ComboBoxItem* getSelectedItem() = 0;
    virtual int32_t getPreviousIndex() = 0;
    virtual combobox::ComboBoxItem* getPreviousItem() = 0;
    // Each row drawn in the face named by its user data.
    virtual void setPerItemFaces(bool on) = 0;
    // Size code of the drawer's two item fonts.
    virtual int32_t getItemSizeCode() = 0;
    virtual void setItemSizeCode(int32_t code) = 0;
    // Size code of the main (list) font.
    virtual int32_t getSizeCode() = 0;
    // Width and height percent 100.
    virtual void setFullSize() = 0;
    // A percentage clears the fixed size of its axis and the reverse (the last call wins).
    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t w) = 0;
    virtual void setFixedHeight(int32_t h) = 0;
    virtual void addSelectionListener(events::IEventListener* l) = 0;  // code 0
    // Also makes the box transparent.
    virtual void setDrawer(drawer::ICombo* drawer, bool owned) = 0;

    virtual bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
