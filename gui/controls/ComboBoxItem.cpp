#include "gui/controls/ComboBoxItem.h"

#include "foundation/str/StrBuffer.h"
#include "platform/lang/Localizer.h"

namespace s::gui::combobox {

namespace {
// Separator rows are told apart by this address, never by its content.
const wchar_t kSeparatorMarker[] = L"Separator";
}  // namespace

ComboBoxItem::ComboBoxItem() : text_(str::strbuffer::StrBuffer::create()) { reset(); }

ComboBoxItem::~ComboBoxItem() {
    reset();
    text_->release();
}

ComboBoxItem* ComboBoxItem::createWithText(const wchar_t* text, intptr_t data) {
    ComboBoxItem* item = create();
    item->setText(text);
    item->data_ = data;
    item->listStyle_ = item->fieldStyle_ = 0;
    return item;
}

ComboBoxItem* ComboBoxItem::createWithTextId(int32_t textId, lang::Localizer* owner, intptr_t data) {
    ComboBoxItem* item = create();
    item->owner_ = owner;
    item->setTextId(textId);
    item->data_ = data;
    return item;
}

intptr_t ComboBoxItem::separatorData() { return reinterpret_cast<intptr_t>(kSeparatorMarker); }

ComboBoxItem* ComboBoxItem::createSeparator(const wchar_t* dashes) { return createWithText(dashes, separatorData()); }

const wchar_t* ComboBoxItem::getText() const { return text_->text(); }

void ComboBoxItem::setText(const wchar_t* text) { text_->setText(text ? text : L""); }

void ComboBoxItem::setTextId(int32_t id) {
    textId_ = id;
    relabel();
}

void ComboBoxItem::relabel() {
    if (owner_ && textId_ != -1) setText(owner_->getText(textId_));
}

void ComboBoxItem::onEvent(base::IObject* source, int32_t) {
    if (owner_ && source == owner_) relabel();
}

void ComboBoxItem::reset() {
    text_->clear();
    textId_ = -1;
    owner_ = nullptr;
    data_ = 0;
    listStyle_ = fieldStyle_ = 0;
}

}  // namespace s::gui::combobox
