#include "skins/skinner/Skinner.h"

#include "skins/families/SkinFamilies.h"

namespace s::gui::drawer {

Skinner::Skinner() : familyName_(str::strbuffer::StrBuffer::create()) { reset(); }

Skinner::~Skinner() {
    reset();
    if (familyName_) familyName_->release();
}

bool Skinner::addSkin(ISkin* skin) {
    if (!skin) return false;
    skinNames_.addText(skin->getName());
    skins_.push(skin);
    return true;
}

void Skinner::registerBuiltinSkins() {
    if (familyName_->equalsText(L"Thin")) {
        for (const skin::ThinPreset& p : skin::kThinPresets) addSkin(skin::Thin::build(p.name, p.t));
    } else if (familyName_->equalsText(L"ThinWindow")) {
        for (const skin::ThinWindowPreset& p : skin::kThinWindowPresets) addSkin(skin::ThinWindow::build(p.name, p.t));
    }
}

ISkin* Skinner::getSkin(uint32_t index) { return index < skins_.count() ? skins_.at<ISkin>(index) : nullptr; }

const wchar_t* Skinner::getSkinName(uint32_t index) {
    return index < skinNames_.count() ? skinNames_.at(index)->text() : nullptr;
}

uint32_t Skinner::getCurrentIndex() {
    if (!current_) return kNoSkin;
    int32_t i = skins_.indexOf(current_);
    return i < 0 ? kNoSkin : uint32_t(i);
}

void Skinner::selectSkin(uint32_t index) {
    if (index >= skins_.count()) return;
    ISkin* skin = skins_.at<ISkin>(index);
    if (skin == current_) return;
    current_ = skin;
    // The count is read again before each step: a listener added during the walk is told too.
    for (uint32_t i = 0; i < listeners_.count(); ++i)
        listeners_.at<events::IEventListener>(i)->onEvent(this, kSkinChangedEvent);
}

void Skinner::selectSkinByName(const wchar_t* name) {
    uint32_t index = 0;
    findSkin(name, &index);
    selectSkin(index == kNoSkin ? 0 : index);
}

bool Skinner::findSkin(const wchar_t* name, uint32_t* index) {
    if (index) *index = kNoSkin;
    if (!name) return false;
    uint32_t found = 0;
    if (!skinNames_.indexOfTextIgnoreCase(name, &found)) return false;
    if (index) *index = found;
    return true;
}

void Skinner::addListener(events::IEventListener* listener) {
    if (listener && listeners_.indexOf(listener) < 0) listeners_.push(listener);
}

void Skinner::removeListener(events::IEventListener* listener) {
    if (listener) listeners_.removeItem(listener);
}

void Skinner::reset() {
    for (uint32_t i = 0; i < skins_.count(); ++i) {
        ISkin* skin = skins_.at<ISkin>(i);
        skins_[i] = nullptr;
        if (skin) skin->release();
    }
    skins_.freeStorage();
    skinNames_.clear();
    current_ = nullptr;
    listeners_.freeStorage();
    familyName_->setText(L"Basic");
}

}  // namespace s::gui::drawer
