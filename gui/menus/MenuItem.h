// One command entry of a pop-up menu or of the menu bar: a command id, a text (given
// directly or by language-pack id, then read from the owner localizer's current pack),
// a check mark, a radio mark, or a separator line. Pooled: the menu holding an item gives
// it back to the pool when the item is removed or the menu is reset.
//
//   MenuItem* open = MenuItem::createWithTextId(600100, localizer, 100, false);
//   open->getText();                     // the text of 600100 in the current language
//   MenuItem* line = MenuItem::createSeparator();
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/str/StrBuffer.h"
#include "foundation/thread/Pool.h"

namespace s::lang {
class Localizer;
}

namespace s::gui::menuitem {

class MenuItem : public base::IObject, public thread::IPoolable {
    S_POOLED(MenuItem, L"s_gui_menuitem_MenuItem")
public:
    static constexpr int32_t kNoTextId = -1;

    MenuItem() = default;
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    static MenuItem* createSeparator();
    // Owner first, then the text of textId (kNoTextId keeps the text empty).
    static MenuItem* createWithTextId(int32_t textId, lang::Localizer* owner, int32_t commandId, bool checked);
    // A fixed text that no language change touches.
    static MenuItem* createWithText(const wchar_t* text, int32_t commandId, bool checked);

    lang::Localizer* getOwner() const { return owner_; }
    void setOwner(lang::Localizer* owner) { owner_ = owner; }
    // Stores the id; with an owner the text becomes the id's text in the owner's current pack.
    void setTextId(int32_t id);
    int32_t getTextId() const { return textId_; }
    // A fixed text: the text id is cleared so that relabelling keeps it.
    void setText(const wchar_t* text);
    // The text, read again from the owner's current pack when a text id is set. Never null.
    const wchar_t* getText();

    int32_t getCommandId() const { return commandId_; }
    void setCommandId(int32_t id) { commandId_ = id; }
    bool isChecked() const { return checked_; }
    void setChecked(bool on) { checked_ = on; }
    bool isRadioChecked() const { return radioChecked_; }
    void setRadioChecked(bool on) { radioChecked_ = on; }
    bool isSeparator() const { return separator_; }
    void setSeparator(bool on) { separator_ = on; }
    void* getData() const { return data_; }
    void setData(void* data) { data_ = data; }

    void reset() override;

private:
    void readText();

    lang::Localizer* owner_ = nullptr;
    str::strbuffer::StrBuffer text_;
    int32_t textId_ = kNoTextId;
    int32_t commandId_ = 0;
    bool checked_ = false;
    bool radioChecked_ = false;
    bool separator_ = false;
    void* data_ = nullptr;
};

}  // namespace s::gui::menuitem
