// One row of a combo box: a text (or a language-pack text id followed through language
// changes), a user-data word the caller picks (compared by value), and two style words,
// one for the row in the open list and one for the row shown in the closed box.
//
//   auto* row = s::gui::combobox::ComboBoxItem::createWithText(L"PNG", reinterpret_cast<intptr_t>(pngKind));
//   row->setListStyle(s::gui::combobox::ComboBoxItemStyle::kBold);
//   combo->addItem(row);                   // the combo box owns it from now on
//
// Separator rows carry the data separatorData() (the address of one constant text,
// compared by identity); a combo box drawing each row in the face its data names draws
// them in the default dialog face.
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/events/IEventListener.h"
#include "foundation/thread/Pool.h"

namespace s::lang {
class Localizer;
}
namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::gui::combobox {

namespace ComboBoxItemStyle {
inline constexpr uint32_t kBold = 0x1;
inline constexpr uint32_t kGreyText = 0x2;
inline constexpr uint32_t kWhiteText = 0x4;
inline constexpr uint32_t kHeading = 0x8;     // dark bar with rounded top corners, centred white text
inline constexpr uint32_t kMidRule = 0x10;    // a mid-grey line across the row, no text
inline constexpr uint32_t kLightRule = 0x20;  // a light line across the row, no text
}  // namespace ComboBoxItemStyle

class ComboBoxItem : public events::IEventListener, public base::IObject, public thread::IPoolable {
    S_POOLED(ComboBoxItem, L"s_gui_combobox_ComboBoxItem")
public:
    ComboBoxItem();
    ~ComboBoxItem() override;
    ComboBoxItem(const ComboBoxItem&) = delete;
    ComboBoxItem& operator=(const ComboBoxItem&) = delete;

    // A pooled row with the text and data, both style words 0.
    static ComboBoxItem* createWithText(const wchar_t* text, intptr_t data);
    // A pooled row whose text follows the id in the owner's current language.
    static ComboBoxItem* createWithTextId(int32_t textId, lang::Localizer* owner, intptr_t data);

    // The marker data of separator rows, and the text such rows show.
    static intptr_t separatorData();
    static ComboBoxItem* createSeparator(const wchar_t* dashes);

    // Never null.
    const wchar_t* getText() const;
    void setText(const wchar_t* text);
    int32_t getTextId() const { return textId_; }
    // Stores the id; with an owner set, the text becomes the id's text in the owner's
    // current language.
    void setTextId(int32_t id);
    lang::Localizer* getOwner() const { return owner_; }
    // The localizer whose language changes relabel the row (not owned; the holder
    // registers the row with it).
    void setOwner(lang::Localizer* owner) { owner_ = owner; }
    // Takes the text of the id again (nothing without an owner or an id).
    void relabel();

    intptr_t getData() const { return data_; }
    void setData(intptr_t data) { data_ = data; }
    bool isSeparator() const { return data_ == separatorData(); }
    uint32_t getListStyle() const { return listStyle_; }
    void setListStyle(uint32_t style) { listStyle_ = style; }
    uint32_t getFieldStyle() const { return fieldStyle_; }
    void setFieldStyle(uint32_t style) { fieldStyle_ = style; }

    // From the owner: relabel. Other sources are ignored.
    void onEvent(base::IObject* source, int32_t code) override;
    // Text emptied, id -1, owner null, data 0, both styles 0.
    void reset() override;

private:
    str::strbuffer::StrBuffer* text_;
    int32_t textId_ = -1;
    lang::Localizer* owner_ = nullptr;
    intptr_t data_ = 0;
    uint32_t listStyle_ = 0;
    uint32_t fieldStyle_ = 0;
};

}  // namespace s::gui::combobox
