#include "viewer/saveopts/BgGroupBox.h"

#include "gui/box/Box.h"
#include "gui/controls/Button.h"
#include "gui/controls/Control.h"
#include "gui/controls/GroupBox.h"
#include "gui/controls/RadioButton.h"
#include "gui/controls/Spacer.h"
#include "gui/controls/TextField.h"
#include "gui/layout/LayoutKind.h"
#include "platform/system/Screen.h"
#include "viewer/saveopts/ColorPicker.h"

namespace s::image::gui::boxes {

namespace sg = ::s::gui;

BgGroupBox::~BgGroupBox() {
    if (picker_) picker_->release();
}

void BgGroupBox::reset() {
    keep_ = true;
    allowed_ = true;
    choosing_ = false;
    if (picker_) picker_->release();
    picker_ = ColorPicker::create();
    keepButton_ = nullptr;
    fillButton_ = nullptr;
    listeners_.freeStorage();
}

void BgGroupBox::setOwner(sg::IWindow* owner) { picker_->setOwner(owner); }

sg::win::GroupBox* BgGroupBox::build(bool localized) {
    const int32_t s = ::s::system::getScreenScale();
    sg::win::GroupBox* group =
        localized
            ? sg::win::GroupBox::createWithTextId(kTitleId, 100, sg::LayoutKind::kColumn, 0, 5 * s, 20 * s, 3 * s)
            : sg::win::GroupBox::createWithText(L"Background", 100, sg::LayoutKind::kColumn, 0, 5 * s, 20 * s, 3 * s);
    keepButton_ = localized ? sg::win::RadioButton::createWithTextId(kKeepId)
                            : sg::win::RadioButton::createWithText(L"Keep Transparency");
    fillButton_ = localized ? sg::win::RadioButton::createWithTextId(kFillId)
                            : sg::win::RadioButton::createWithText(L"Fill Color");
    keepButton_->addCheckedListener(this);
    fillButton_->addCheckedListener(this);
    group->addChild(keepButton_);
    sg::win::Box* row =
        sg::win::Box::createWithLayout(sg::LayoutKind::kRow, -1, -1, sg::Align::kStart, sg::Align::kCentre, 0, 0, 0, 0);
    group->addChild(row);
    row->addChild(fillButton_);
    row->addChild(sg::win::Spacer::createFixed(sg::SpacerOrientation::kHorizontal, 10 * s));
    row->addChild(picker_->build(localized));
    picker_->addListener(this);
    choose(keep_);
    if (!allowed_) setAllowed(false);
    return group;
}

void BgGroupBox::choose(bool keep) {
    choosing_ = true;
    if (keepButton_) keepButton_->setChecked(keep, true);
    if (fillButton_) fillButton_->setChecked(!keep, true);
    choosing_ = false;
    if (picker_->getButton()) picker_->getButton()->setEnabled(!keep);
    if (picker_->getField()) picker_->getField()->setEnabled(!keep);
}

void BgGroupBox::setKeepTransparency(bool on) {
    keep_ = on && allowed_;
    choose(keep_);
}

void BgGroupBox::setAllowed(bool allowed) {
    allowed_ = allowed;
    if (!allowed) {
        keep_ = false;
        choose(false);
    }
    if (keepButton_) keepButton_->setEnabled(allowed);
}

void BgGroupBox::setColor(int32_t r, int32_t g, int32_t b) { picker_->setColor(r, g, b); }

void BgGroupBox::onEvent(base::IObject* source, int32_t) {
    if (source == static_cast<base::IObject*>(picker_)) {
        sg::win::control::tell(listeners_, this, 0);
        return;
    }
    if (choosing_) return;
    if (keepButton_ && source == static_cast<base::IObject*>(keepButton_)) {
        keep_ = allowed_;
        choose(keep_);
    } else if (fillButton_ && source == static_cast<base::IObject*>(fillButton_)) {
        keep_ = false;
        choose(false);
    }
}

}  // namespace s::image::gui::boxes
