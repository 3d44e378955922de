#include "gui/menus/MenuItem.h"

#include "platform/lang/LangPack.h"
#include "platform/lang/Localizer.h"

namespace s::gui::menuitem {

MenuItem* MenuItem::createSeparator() {
    MenuItem* item = create();
    if (item) item->separator_ = true;
    return item;
}

MenuItem* MenuItem::createWithTextId(int32_t textId, lang::Localizer* owner, int32_t commandId, bool checked) {
    MenuItem* item = create();
    if (!item) return nullptr;
    item->owner_ = owner;
    item->setTextId(textId);
    item->commandId_ = commandId;
    item->checked_ = checked;
    return item;
}

MenuItem* MenuItem::createWithText(const wchar_t* text, int32_t commandId, bool checked) {
    MenuItem* item = create();
    if (!item) return nullptr;
    item->setText(text);
    item->commandId_ = commandId;
    item->checked_ = checked;
    return item;
}

void MenuItem::readText() {
    if (textId_ == kNoTextId || !owner_) return;
    const wchar_t* text = owner_->getText(textId_);
    text_.setText(text ? text : L"");
}

void MenuItem::setTextId(int32_t id) {
    textId_ = id;
    readText();
}

void MenuItem::setText(const wchar_t* text) {
    textId_ = kNoTextId;
    text_.setText(text ? text : L"");
}

const wchar_t* MenuItem::getText() {
    readText();
    return text_.text();
}

void MenuItem::reset() {
    owner_ = nullptr;
    text_.clear();
    textId_ = kNoTextId;
    commandId_ = 0;
    checked_ = false;
    radioChecked_ = false;
    separator_ = false;
    data_ = nullptr;
}

}  // namespace s::gui::menuitem
