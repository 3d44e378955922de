// The Watermark Text and Background panels: the font list with its recent fonts, the
// size list, the colour swatches and toggles of the watermark, and the background type,
// custom colour and "Always" default of the picture view.
#include <algorithm>
#include <cwchar>
#include <string>

#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"
#include "gui/box/Box.h"
#include "gui/controls/Button.h"
#include "gui/controls/ComboBox.h"
#include "gui/controls/ComboBoxItem.h"
#include "gui/controls/IImage.h"
#include "gui/controls/TextField.h"
#include "gui/dialogs/ColorPicker.h"
#include "gui/fonts/SystemFonts.h"
#include "viewer/effects/EffectData.h"
#include "viewer/panels/FilterPanels.h"
#include "viewer/panels/IFilterPanelHost.h"
#include "viewer/settings/ViewerSettings.h"

namespace s::image::gui::dialogs::imageview {

using s::gui::IComponent;
using s::gui::combobox::ComboBoxItem;
using s::gui::win::Button;
using str::strbuffer::StrBuffer;

namespace {

// The position of the first recent font in the font list: after "Default Font" and a separator.
constexpr int32_t kHistoryStart = 2;

// A list row drawn in its own face: its data is its text.
ComboBoxItem* faceItem(const wchar_t* face) {
    ComboBoxItem* item = ComboBoxItem::createWithText(face, 0);
    item->setData(reinterpret_cast<intptr_t>(item->getText()));
    return item;
}

void showSwatch(Button* b, uint32_t colorRef) {
    b->setColorSwatch(GetRValue(colorRef), GetGValue(colorRef), GetBValue(colorRef));
}

const wchar_t* textOf(StrBuffer* s) { return s && !s->isEmpty() ? s->text() : L""; }

}  // namespace

// ---- watermark

int32_t FilterPanels::familiesStart() const {
    const int32_t h = int32_t(history_.count());
    return kHistoryStart + h + (h ? 1 : 0);
}

void FilterPanels::fillFontList() {
    s::gui::win::ComboBox* list = watermark_.font;
    list->addItem(
        ComboBoxItem::createWithTextId(1990004660, host_->localizer(), reinterpret_cast<intptr_t>(kDefaultFace)));
    list->addItem(ComboBoxItem::createSeparator(kListSeparator));
    for (uint32_t i = 0; i < history_.count(); ++i) list->addItem(faceItem(textOf(history_.at(i))));
    if (history_.count()) list->addItem(ComboBoxItem::createSeparator(kListSeparator));
    s::gui::win::getFontFamilies(&families_);
    for (uint32_t i = 0; i < families_.count(); ++i) list->addItem(faceItem(textOf(families_.at(i))));
}

void FilterPanels::selectFont(const wchar_t* face) {
    int32_t index = 0;
    for (uint32_t i = 0; face && i < history_.count(); ++i)
        if (_wcsicmp(textOf(history_.at(i)), face) == 0) index = kHistoryStart + int32_t(i);  // the last one wins
    if (index == 0 && face) {
        uint32_t at = 0;
        if (families_.indexOfTextIgnoreCase(face, &at)) index = familiesStart() + int32_t(at);
    }
    watermark_.font->select(index, false);
}

void FilterPanels::startWatermark() {
    ViewerSettings* st = host_->settings();
    EffectData* cur = values();
    const std::wstring font = st->getWatermarkLastUsedFont();
    st->getFontHistory(&history_);
    while (history_.count() > kFontHistoryMax) history_.removeAt(history_.count() - 1);
    fillFontList();
    setWatermark(textOf(cur->watermarkText), font.c_str(), st->getWatermarkSize(), st->getWatermarkColor(),
                 st->getWatermarkWithOutline(), st->getWatermarkOutlineColor(), st->getWatermarkBold(),
                 st->getWatermarkItalic(), false);
    WatermarkPanel& w = watermark_;
    w.text->addChangeListener(this);
    w.font->addSelectionListener(this);
    w.size->addSelectionListener(this);
    w.color->addActionListener(this);
    w.outlineColor->addActionListener(this);
    for (Button* b : {w.outline, w.bold, w.italic}) {
        b->setToggleMode(true, true, false, false);
        b->addToggleListener(this);
    }
    showWatermark(false);
}

void FilterPanels::setWatermark(const wchar_t* text, const wchar_t* font, int32_t size, uint32_t color, bool outline,
                                uint32_t outlineColor, bool bold, bool italic, bool rewriteText) {
    EffectData* cur = values();
    const std::wstring keptText = text ? text : L"", keptFont = font && *font ? font : kDefaultFace;
    cur->watermarkText->setText(keptText.c_str());
    cur->watermarkFont->setText(keptFont.c_str());
    cur->watermarkSize = size;
    cur->watermarkColor = color & 0xFFFFFFu;
    cur->watermarkOutline = outline;
    cur->watermarkOutlineColor = outlineColor & 0xFFFFFFu;
    cur->watermarkBold = bold;
    cur->watermarkItalic = italic;
    showWatermark(rewriteText);
    applyWatermark();
}

void FilterPanels::showWatermark(bool rewriteText) {
    const EffectData* cur = values();
    WatermarkPanel& w = watermark_;
    if (!w.box) return;
    if (rewriteText) w.text->setText(textOf(cur->watermarkText), false);
    selectFont(textOf(cur->watermarkFont));
    // A size the list does not hold selects no entry.
    if (cur->watermarkSize >= 6 && cur->watermarkSize <= 20) w.size->selectByData(cur->watermarkSize, false);
    showSwatch(w.color, cur->watermarkColor);
    showSwatch(w.outlineColor, cur->watermarkOutlineColor);
    w.outline->setToggled(cur->watermarkOutline);
    w.bold->setToggled(cur->watermarkBold);
    w.italic->setToggled(cur->watermarkItalic);
}

void FilterPanels::applyWatermark() { applyNamed(filtername::kWatermark); }

void FilterPanels::resetWatermark() {
    ViewerSettings* st = host_->settings();
    setWatermark(L"", kDefaultFace, st->getWatermarkSize(), st->getWatermarkColor(), st->getWatermarkWithOutline(),
                 st->getWatermarkOutlineColor(), st->getWatermarkBold(), st->getWatermarkItalic(), true);
}

bool FilterPanels::chooseColor(uint32_t* colorRef) {
    auto* picker = s::gui::dialogs::win::ColorPicker::create();
    picker->setInitialColor(GetRValue(*colorRef), GetGValue(*colorRef), GetBValue(*colorRef));
    const bool chosen = picker->show(view());
    if (chosen) *colorRef = RGB(picker->getRed(), picker->getGreen(), picker->getBlue());
    picker->release();
    return chosen;
}

void FilterPanels::fontChosen() {
    s::gui::win::ComboBox* list = watermark_.font;
    const int32_t index = list->getSelectedIndex();
    ComboBoxItem* item = list->getSelectedItem();
    if (!item) return;
    if (item->isSeparator()) {
        list->select(std::max(0, list->getPreviousIndex()), false);
        return;
    }
    const std::wstring face = index == 0 ? kDefaultFace : item->getText();
    if (index != 0) {
        const int32_t h = int32_t(history_.count());
        int32_t recent = index >= kHistoryStart && index < kHistoryStart + h ? index - kHistoryStart : -1;
        if (recent < 0) {
            uint32_t at = 0;
            if (history_.indexOfTextIgnoreCase(face.c_str(), &at)) recent = int32_t(at);
        }
        if (recent > 0) {
            // Up to the front of the recent fonts, list and entry.
            StrBuffer* moved = StrBuffer::create();
            moved->setText(textOf(history_.at(uint32_t(recent))));
            history_.removeAt(uint32_t(recent));
            history_.items().insertAt(0, moved);
            list->insertItem(kHistoryStart, list->removeItemAt(kHistoryStart + recent));
        } else if (recent < 0) {
            StrBuffer* added = StrBuffer::create();
            added->setText(face.c_str());
            history_.items().insertAt(0, added);
            list->insertItem(kHistoryStart, faceItem(face.c_str()));
            if (h == 0) list->insertItem(kHistoryStart + 1, ComboBoxItem::createSeparator(kListSeparator));
            if (history_.count() > kFontHistoryMax) {
                history_.removeAt(kFontHistoryMax);
                list->deleteItemAt(kHistoryStart + int32_t(kFontHistoryMax));
            }
        }
        list->select(kHistoryStart, false);
        host_->settings()->addToFontHistory(face.c_str());
    }
    host_->settings()->setWatermarkLastUsedFont(face.c_str());
    values()->watermarkFont->setText(face.c_str());
    applyWatermark();
}

bool FilterPanels::onWatermarkPanel(IComponent* source, int32_t) {
    WatermarkPanel& w = watermark_;
    EffectData* cur = values();
    ViewerSettings* st = host_->settings();
    if (source == static_cast<IComponent*>(w.text)) {
        cur->watermarkText->setText(w.text->getText());
    } else if (source == static_cast<IComponent*>(w.font)) {
        fontChosen();
        return true;
    } else if (source == static_cast<IComponent*>(w.size)) {
        ComboBoxItem* item = w.size->getSelectedItem();
        if (!item) return true;
        cur->watermarkSize = int32_t(item->getData());
        st->setWatermarkSize(cur->watermarkSize);
    } else if (source == static_cast<IComponent*>(w.color)) {
        if (!chooseColor(&cur->watermarkColor)) return true;
        st->setWatermarkColor(cur->watermarkColor);
        showSwatch(w.color, cur->watermarkColor);
    } else if (source == static_cast<IComponent*>(w.outlineColor)) {
        if (!chooseColor(&cur->watermarkOutlineColor)) return true;
        st->setWatermarkOutlineColor(cur->watermarkOutlineColor);
        showSwatch(w.outlineColor, cur->watermarkOutlineColor);
    } else if (source == static_cast<IComponent*>(w.outline)) {
        cur->watermarkOutline = w.outline->isToggled();
        st->setWatermarkWithOutline(cur->watermarkOutline);
    } else if (source == static_cast<IComponent*>(w.bold)) {
        cur->watermarkBold = w.bold->isToggled();
        st->setWatermarkBold(cur->watermarkBold);
    } else if (source == static_cast<IComponent*>(w.italic)) {
        cur->watermarkItalic = w.italic->isToggled();
        st->setWatermarkItalic(cur->watermarkItalic);
    } else {
        return false;
    }
    applyWatermark();
    return true;
}

// ---- background

void FilterPanels::startBackground() {
    BackgroundPanel& b = background_;
    ViewerSettings* st = host_->settings();
    b.type->select(0, false);
    b.type->addSelectionListener(this);
    b.custom->setFixedWidth(0);
    b.custom->addActionListener(this);
    b.always->setToggleMode(true, false, false, false);
    b.always->setToggled(true);
    b.always->addToggleListener(this);
    EffectData* cur = values();
    cur->bgType = st->getDefaultBgType();
    cur->bgCustomColor = st->getDefaultBgCustomColor();
    showSwatch(b.custom, uint32_t(cur->bgCustomColor));
    setBackground(cur->bgType, COLORREF(cur->bgCustomColor), true);
}

void FilterPanels::setBackground(int32_t type, COLORREF color, bool updateList) {
    type = std::clamp(type, 0, 5);
    color &= 0xFFFFFF;
    EffectData* cur = values();
    cur->bgType = type;
    cur->bgCustomColor = int32_t(color);
    if (s::gui::IImage* v = view()) {
        switch (type) {
            case 0: v->setBackgroundColor(255, 255, 255, false); break;
            case 1: v->setBackgroundColor(204, 204, 204, false); break;
            case 2: v->setBackgroundColor(0, 0, 0, false); break;
            case 3: v->setBackgroundColor(GetRValue(color), GetGValue(color), GetBValue(color), false); break;
            case 4: v->setTransparencyGrid(false); break;
            default: v->setTransparent(true, false); break;
        }
    }
    BackgroundPanel& b = background_;
    if (b.box) {
        b.custom->setFixedWidth(type == 3 ? scaled(30) : 0);
        showSwatch(b.custom, color);
        ViewerSettings* st = host_->settings();
        const int32_t defaultType = st->getDefaultBgType();
        b.always->setToggled(type == defaultType &&
                             (type != 3 || COLORREF(st->getDefaultBgCustomColor() & 0xFFFFFF) == color));
        if (updateList) b.type->selectByData(type, false);
        if (b.box->m_hWnd) b.box->doLayout();
    }
    if (!loading_ && view()) view()->repaint();
}

void FilterPanels::resetBackground() {
    ViewerSettings* st = host_->settings();
    const int32_t type = st->getDefaultBgType();
    const int32_t color = st->getDefaultBgCustomColor() & 0xFFFFFF;
    const EffectData* cur = values();
    if (cur->bgType != type || cur->bgCustomColor != color) setBackground(type, COLORREF(color), true);
}

bool FilterPanels::onBackgroundPanel(IComponent* source, int32_t) {
    BackgroundPanel& b = background_;
    EffectData* cur = values();
    if (source == static_cast<IComponent*>(b.type)) {
        ComboBoxItem* item = b.type->getSelectedItem();
        if (!item) return true;
        if (item->isSeparator()) {
            b.type->select(std::max(0, b.type->getPreviousIndex()), false);
            return true;
        }
        const int32_t type = int32_t(item->getData());
        if (type != cur->bgType) setBackground(type, COLORREF(cur->bgCustomColor), false);
    } else if (source == static_cast<IComponent*>(b.custom)) {
        uint32_t color = uint32_t(cur->bgCustomColor);
        if (!chooseColor(&color)) return true;
        host_->settings()->setDefaultBgCustomColor(int32_t(color));
        setBackground(cur->bgType, COLORREF(color), false);
    } else if (source == static_cast<IComponent*>(b.always)) {
        ViewerSettings* st = host_->settings();
        st->setDefaultBgType(cur->bgType);
        if (cur->bgType == 3) st->setDefaultBgCustomColor(cur->bgCustomColor);
        b.always->setToggled(true);
        host_->defaultBackgroundChosen(cur->bgType);
    } else {
        return false;
    }
    return true;
}

}  // namespace s::image::gui::dialogs::imageview
