// Every control the tool panels and the convert page hold, and the small factories of
// their common shapes (s is the screen scale factor).
#pragma once

#include <cstdint>

#include "gui/box/Box.h"
#include "gui/controls/Button.h"
#include "gui/controls/CheckBox.h"
#include "gui/controls/ComboBox.h"
#include "gui/controls/ComboBoxItem.h"
#include "gui/controls/GroupBox.h"
#include "gui/controls/Label.h"
#include "gui/controls/ProgressBar.h"
#include "gui/controls/Slider.h"
#include "gui/controls/Spacer.h"
#include "gui/controls/TextField.h"
#include "gui/layout/LayoutKind.h"
#include "viewer/panels/ToolPanels.h"

namespace s::image::gui::dialogs::imageview {

struct ToolPanels::Controls {
    // Slide Show
    s::gui::win::Button* slideButton = nullptr;
    s::gui::win::TextField* intervalField = nullptr;
    s::gui::win::CheckBox* repeatCheck = nullptr;
    // Screenshot
    s::gui::win::ComboBox* captureList = nullptr;
    s::gui::win::Button* captureButton = nullptr;
    // Load Filter Set
    s::gui::win::ComboBox* setList = nullptr;
    s::gui::win::Button* lockButton = nullptr;
    s::gui::win::Button* clearButton = nullptr;
    s::gui::win::Button* deleteButton = nullptr;
    // Save Current Filter Set
    s::gui::win::TextField* nameField = nullptr;
    s::gui::win::Button* saveSetButton = nullptr;
    // Save...
    s::gui::win::ComboBox* saveList = nullptr;
    s::gui::win::Button* saveButton = nullptr;
    // Print
    s::gui::win::ComboBox* printList = nullptr;
    s::gui::win::CheckBox* autoRotateCheck = nullptr;
    s::gui::win::Button* printButton = nullptr;
    // Convert at Once
    s::gui::win::ComboBox* convertKindList = nullptr;

    // The convert page.
    s::gui::win::GroupBox* dropBox = nullptr;
    s::gui::win::Box* idleBox = nullptr;
    s::gui::win::Box* progressBox = nullptr;
    s::gui::win::Label* statusLabel = nullptr;
    s::gui::win::ProgressBar* progressBar = nullptr;
    s::gui::win::Box* filterRow = nullptr;
    s::gui::win::Spacer* firstSpacer = nullptr;
    s::gui::win::Box* sizeRow = nullptr;
    s::gui::win::Spacer* secondSpacer = nullptr;
    s::gui::win::Box* sizeFormatRow = nullptr;
    s::gui::win::Box* formatRow = nullptr;
    s::gui::win::ComboBox* convertSetList = nullptr;
    s::gui::win::ComboBox* sizeTypeList = nullptr;
    s::gui::win::TextField* widthField = nullptr;
    s::gui::win::TextField* heightField = nullptr;
    s::gui::win::CheckBox* autoSharpenCheck = nullptr;
    s::gui::win::ComboBox* sizeFormatList = nullptr;
    s::gui::win::ComboBox* formatList = nullptr;
};

namespace toolshape {

using s::gui::LayoutKind::kColumn;
using s::gui::LayoutKind::kRow;

inline s::gui::win::Button* glyph(const wchar_t* name, int32_t s) {
    auto* b = s::gui::win::Button::createWithText(name, -1, 18 * s);
    b->setFixedWidth(18 * s);
    return b;
}
inline s::gui::win::Button* textButton(int32_t id, double percent, int32_t s) {
    return s::gui::win::Button::createWithTextId(id, percent, 18 * s);
}
inline s::gui::win::TextField* field(int32_t width, int32_t s) {
    auto* f = s::gui::win::TextField::create();
    f->setFixedWidth(width * s);
    f->setFixedHeight(20 * s);
    return f;
}
inline s::gui::win::Label* label(int32_t id) { return s::gui::win::Label::createWithTextId(id, false, 0); }
inline s::gui::win::Label* literal(const wchar_t* text) { return s::gui::win::Label::createWithText(text, false); }
inline s::gui::win::Spacer* gap(int32_t width) {
    return s::gui::win::Spacer::createFixed(s::gui::SpacerOrientation::kHorizontal, width);
}
inline s::gui::win::Spacer* vgap(int32_t height) {
    return s::gui::win::Spacer::createFixed(s::gui::SpacerOrientation::kVertical, height);
}
inline s::gui::win::ComboBox* list(int32_t percent, int32_t s) {
    auto* c = s::gui::win::ComboBox::create();
    c->setWidthPercent(percent);
    c->setFixedHeight(18 * s);
    return c;
}
inline s::gui::win::CheckBox* check(int32_t id, bool checked) {
    auto* c = s::gui::win::CheckBox::createWithTextId(id, checked);
    c->setWordWrap(false);
    return c;
}
// A list row whose text follows the id.
inline s::gui::combobox::ComboBoxItem* row(int32_t id, lang::Localizer* loc, intptr_t data) {
    return s::gui::combobox::ComboBoxItem::createWithTextId(id, loc, data);
}
// The entry of the list whose data is data, -1 when none.
inline int32_t indexOfData(s::gui::IComboBox* list, intptr_t data) {
    for (int32_t i = 0; i < list->getItemCount(); ++i)
        if (list->getItem(i)->getData() == data) return i;
    return -1;
}
// The data of the selected entry, def when none is selected.
inline intptr_t selectedData(s::gui::IComboBox* list, intptr_t def) {
    auto* item = list->getSelectedItem();
    return item ? item->getData() : def;
}

}  // namespace toolshape

}  // namespace s::image::gui::dialogs::imageview
