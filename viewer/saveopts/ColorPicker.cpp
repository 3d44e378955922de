#include "viewer/saveopts/ColorPicker.h"

#include <cwchar>

#include "gui/box/Box.h"
#include "gui/component/Events.h"
#include "gui/controls/Button.h"
#include "gui/controls/Control.h"
#include "gui/controls/Label.h"
#include "gui/controls/Spacer.h"
#include "gui/controls/TextField.h"
#include "gui/dialogs/ColorPicker.h"
#include "gui/layout/LayoutKind.h"
#include "gui/window/IWindow.h"
#include "platform/system/Screen.h"

namespace s::image::gui::boxes {

namespace sg = ::s::gui;

void ColorPicker::reset() {
    color_ = 0xFFFFFF;
    owner_ = nullptr;
    label_ = nullptr;
    field_ = nullptr;
    swatch_ = nullptr;
    button_ = nullptr;
    listeners_.freeStorage();
}

sg::win::Box* ColorPicker::build(bool localized) {
    const int32_t s = ::s::system::getScreenScale();
    sg::win::Box* row =
        sg::win::Box::createWithLayout(sg::LayoutKind::kRow, -1, -1, sg::Align::kStart, sg::Align::kCentre, 0, 0, 0, 0);
    label_ = sg::win::Label::createWithText(L"# ", false);
    field_ = sg::win::TextField::create();
    field_->setFixedWidth(60 * s);
    field_->addChangeListener(this);
    // The frame: a black box whose 1s margin shows around the swatch.
    sg::win::Box* frame = sg::win::Box::createSized(sg::LayoutKind::kRow, 20 * s, 16 * s, 0, 0, 0);
    frame->setMinWidth(20 * s);
    frame->setMargins(s, s, s, s);
    frame->setBackgroundColor(0, 0, 0, false);
    swatch_ = sg::win::Box::createWithLayout(sg::LayoutKind::kRow, 100, 100, 0, 0, 0, 0, 0, 0);
    button_ = localized ? sg::win::Button::createWithTextId(kChangeColorTextId, -1, -1)
                        : sg::win::Button::createWithText(L" Change Color ", -1, -1);
    button_->addActionListener(this);
    row->addChild(label_);
    row->addChild(field_);
    row->addChild(sg::win::Spacer::createFixed(sg::SpacerOrientation::kHorizontal, 10 * s));
    row->addChild(frame);
    frame->addChild(swatch_);
    row->addChild(sg::win::Spacer::createFixed(sg::SpacerOrientation::kHorizontal, 10 * s));
    row->addChild(button_);
    setColor(getRed(), getGreen(), getBlue());
    return row;
}

void ColorPicker::setColor(int32_t r, int32_t g, int32_t b) {
    color_ = uint32_t(r & 0xFF) << 16 | uint32_t(g & 0xFF) << 8 | uint32_t(b & 0xFF);
    if (field_) {
        wchar_t text[8];
        std::swprintf(text, 8, L"%06X", unsigned(color_));
        field_->setText(text, false);
    }
    paintSwatch();
}

void ColorPicker::paintSwatch() {
    if (swatch_) swatch_->setBackgroundColor(getRed(), getGreen(), getBlue(), true);
}

void ColorPicker::tellListeners() { sg::win::control::tell(listeners_, this, 0); }

bool ColorPicker::parseHex(const wchar_t* text, uint32_t* color) {
    if (!text || std::wcslen(text) != 6) return false;
    uint32_t value = 0;
    for (int i = 0; i < 6; ++i) {
        const wchar_t c = text[i];
        uint32_t digit;
        if (c >= L'0' && c <= L'9')
            digit = uint32_t(c - L'0');
        else if (c >= L'a' && c <= L'f')
            digit = uint32_t(c - L'a' + 10);
        else if (c >= L'A' && c <= L'F')
            digit = uint32_t(c - L'A' + 10);
        else
            return false;
        value = value << 4 | digit;
    }
    *color = value;
    return true;
}

void ColorPicker::onEvent(base::IObject* source, int32_t code) {
    if (button_ && source == static_cast<base::IObject*>(button_)) {
        sg::dialogs::win::ColorPicker* dialog = sg::dialogs::win::ColorPicker::create();
        dialog->setInitialColor(getRed(), getGreen(), getBlue());
        if (dialog->show(owner_)) {
            color_ = dialog->getColor() & 0xFFFFFF;
            wchar_t text[8];
            std::swprintf(text, 8, L"%06X", unsigned(color_));
            if (field_) field_->setText(text, true);
            paintSwatch();
            tellListeners();
        }
        dialog->release();
        return;
    }
    if (field_ && source == static_cast<base::IObject*>(field_) && code == sg::TextFieldEvent::kChange) {
        uint32_t typed;
        if (!parseHex(field_->getText(), &typed) || typed == color_) return;
        color_ = typed;
        paintSwatch();
        tellListeners();
    }
}

}  // namespace s::image::gui::boxes
