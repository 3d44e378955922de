// The filter panels: their controls as built once with the viewer window, their start
// values and listeners, and what a new picture, a reset or a loaded filter set does to
// them. The handlers are in FilterHandlers.cpp and WatermarkPanel.cpp.
#include "viewer/panels/FilterPanels.h"

#include <algorithm>
#include <string>

#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"
#include "gui/box/Box.h"
#include "gui/controls/Button.h"
#include "gui/controls/ComboBox.h"
#include "gui/controls/ComboBoxItem.h"
#include "gui/controls/IImage.h"
#include "gui/controls/ISpacer.h"
#include "gui/controls/Label.h"
#include "gui/controls/Slider.h"
#include "gui/controls/Spacer.h"
#include "gui/controls/TextField.h"
#include "gui/layout/LayoutKind.h"
#include "platform/lang/Localizer.h"
#include "viewer/effects/EffectData.h"
#include "viewer/panels/FilterList.h"
#include "viewer/panels/IFilterPanelHost.h"
#include "viewer/settings/ViewerSettings.h"

namespace s::image::gui::dialogs::imageview {

using s::gui::combobox::ComboBoxItem;
using s::gui::win::Box;
using s::gui::win::Button;
using s::gui::win::ComboBox;
using s::gui::win::Label;
using s::gui::win::Slider;
using s::gui::win::Spacer;
using s::gui::win::TextField;

namespace {

constexpr NumberRule kRules[int(NumericKind::kCount)] = {
    {4300, L"%", -100, 100, 0, 2, 10, 0, 0, 200, 100, 100, L"0", NumberRule::kClamp},       // Sharpness
    {4500, L"\u00b0", -180, 180, 0, 1, 5, 0, 0, 360, 180, 180, L"0", NumberRule::kIgnore},  // Hue
    {4510, L"%", -100, 100, 0, 1, 5, 0, 0, 200, 100, 100, L"0", NumberRule::kIgnore},       // Saturation
    {4520, L"%", -100, 100, 0, 1, 5, 0, 0, 200, 100, 100, L"0", NumberRule::kIgnore},       // Brightness
    {4530, L"%", 0, 100, 50, 1, 5, 0, 0, 100, 0, 50, L"50", NumberRule::kIgnore},           // Level
    {4540, L"%", 0, 100, 0, 1, 5, 0, 0, 100, 0, -1, L"0", NumberRule::kIgnore},             // S-Curve
    {4550, L"%", 0, 100, 100, 1, 5, 0, 0, 100, 0, -1, L"100", NumberRule::kIgnore},         // Alpha
    {4400, L"\u00b0", -180, 180, 0, 5, 30, 90, 0, 360, 180, 180, L"0", NumberRule::kWrap},  // Rotate
    {4480, L"px", 0, 25, 0, 1, 0, 0, 0, 25, 0, -1, L"0", NumberRule::kIgnore},              // Misty Frame
    {4420, L"%", 1, 0x7FFF, 100, 1, 5, 0, 1, 200, 0, 100, L"100", NumberRule::kIgnore},     // Stretch (H)
    {4430, L"%", 1, 0x7FFF, 100, 1, 5, 0, 1, 200, 0, 100, L"100", NumberRule::kIgnore},     // Stretch (V)
};

constexpr int32_t kSizeTypeTexts[] = {1990004413, 1990004414, 1990004415, 1990004416, 1990004417, 1990004418};

Button* glyph(const wchar_t* name, int32_t s) {
    Button* b = Button::createWithText(name, -1, 18 * s);
    b->setFixedWidth(18 * s);
    return b;
}

TextField* valueField(const wchar_t* text, int32_t s) {
    TextField* f = TextField::create();
    f->setFixedWidth(35 * s);
    f->setFixedHeight(20 * s);
    f->setText(text, false);
    return f;
}

Spacer* gap(int32_t s, bool small = false) {
    return Spacer::createFixed(s::gui::SpacerOrientation::kHorizontal, (small ? 2 : 7) * s);
}

Slider* slider(int32_t minimum, int32_t maximum, int32_t position, int32_t anchor, int32_t s) {
    Slider* sl = Slider::createRange(minimum, maximum, position, 100, 18 * s);
    sl->setTicFrequency(10);
    sl->setShowTicks(false);
    sl->setDisplayOption(true);
    if (anchor >= 0) sl->setStep(anchor);
    return sl;
}

Box* rowPanel() {
    return Box::createWithLayout(s::gui::LayoutKind::kRow, 100, -1, s::gui::Align::kStart, s::gui::Align::kCentre, 0, 0,
                                 0, 0);
}

Button* swatch(const wchar_t* face, int32_t s) {
    Button* b = Button::createWithText(face, -1, 18 * s);
    b->setFixedWidth(30 * s);
    return b;
}

}  // namespace

const NumberRule& numberRule(NumericKind kind) { return kRules[int(kind)]; }

FilterPanels::FilterPanels(IFilterPanelHost* host) : host_(host) {
    list_ =
        std::make_unique<FilterList>(host_ && host_->currentValues() ? &host_->currentValues()->filterOrder : nullptr);
}

FilterPanels::~FilterPanels() {
    // The frames of a picture still shown must not keep filters this list gives back.
    if (s::gui::IImage* v = view()) {
        for (int32_t i = 0; i < (v->hasImage() ? v->getFrameCount() : 0); ++i) v->clearFrameFilters(i);
    }
    list_.reset();
}

EffectData* FilterPanels::values() { return host_->currentValues(); }
s::gui::IImage* FilterPanels::view() { return host_ ? host_->pictureView() : nullptr; }
bool FilterPanels::pictureShown() {
    s::gui::IImage* v = view();
    return v && host_->isPictureShown() && v->hasImage();
}
int32_t FilterPanels::scaled(int32_t n) { return n * std::max(1, host_->screenScale()); }

col::_array::ArrayP* FilterPanels::getFilterList() { return list_->array(); }

// ---- building

void FilterPanels::build() {
    if (built_) return;
    built_ = true;
    for (int k = 0; k < int(NumericKind::kCount); ++k) buildNumeric(NumericKind(k));
    buildSize();
    buildCut(&cutLR_, 1990004461, 1990004462);
    buildCut(&cutTB_, 1990004471, 1990004472);
    buildFlip();
    buildMonochrome();
    buildWatermark();
    buildBackground();
}

void FilterPanels::buildNumeric(NumericKind kind) {
    const NumberRule& rule = numberRule(kind);
    const int32_t s = scaled(1);
    NumericPanel& p = numeric_[int(kind)];
    p.box = rowPanel();
    p.field = valueField(rule.startText, s);
    p.box->addChild(p.field);
    p.box->addChild(Label::createWithText(rule.unit, false));
    p.box->addChild(gap(s));
    auto step = [&](const wchar_t* name, int32_t delta, bool large) {
        StepButton& b = p.steps[p.stepCount++];
        b.button = glyph(name, s);
        b.delta = delta;
        b.large = large;
        p.box->addChild(b.button);
    };
    if (kind == NumericKind::kMisty) {
        step(L"#Minus", -rule.small, false);
        step(L"#Plus", rule.small, false);
    } else {
        if (rule.turn) step(L"#TurnLeft", -rule.turn, true);
        step(L"#LeftLeft", -rule.large, true);
        step(L"#Left", -rule.small, false);
        step(L"#Right", rule.small, false);
        step(L"#RightRight", rule.large, true);
        if (rule.turn) step(L"#TurnRight", rule.turn, true);
    }
    p.box->addChild(gap(s));
    p.reset = glyph(L"#PlusMinus", s);
    p.box->addChild(p.reset);
    p.box->addChild(gap(s));
    p.slider = slider(rule.sliderMin, rule.sliderMax, rule.neutral + rule.offset, rule.anchor, s);
    p.box->addChild(p.slider);
}

void FilterPanels::buildSize() {
    const int32_t s = scaled(1);
    size_.box = rowPanel();
    size_.box->addChild(Label::createWithTextId(1990004411, false, 0));
    size_.width = valueField(L"0", s);
    size_.box->addChild(size_.width);
    size_.box->addChild(gap(s, true));
    size_.keepRatio = glyph(L"#KeepRatio", s);
    size_.box->addChild(size_.keepRatio);
    size_.box->addChild(gap(s, true));
    size_.box->addChild(Label::createWithTextId(1990004412, false, 0));
    size_.height = valueField(L"0", s);
    size_.box->addChild(size_.height);
    size_.box->addChild(gap(s));
    size_.minus = glyph(L"#Minus", s);
    size_.plus = glyph(L"#Plus", s);
    size_.box->addChild(size_.minus);
    size_.box->addChild(size_.plus);
    size_.box->addChild(gap(s));
    size_.reset = glyph(L"#PlusMinus", s);
    size_.box->addChild(size_.reset);
    size_.box->addChild(gap(s));
    size_.type = ComboBox::create();
    size_.type->setWidthPercent(100);
    size_.type->setFixedHeight(18 * s);
    for (int32_t i = 0; i < 6; ++i)
        size_.type->addItem(ComboBoxItem::createWithTextId(kSizeTypeTexts[i], host_->localizer(), i));
    size_.box->addChild(size_.type);
}

void FilterPanels::buildCut(CutPanel* panel, int32_t firstText, int32_t secondText) {
    const int32_t s = scaled(1);
    panel->box = rowPanel();
    panel->box->addChild(Label::createWithTextId(firstText, false, 0));
    panel->box->addChild(gap(s, true));
    panel->first = valueField(L"0", s);
    panel->box->addChild(panel->first);
    panel->box->addChild(Label::createWithText(L"%", false));
    panel->box->addChild(gap(s));
    panel->box->addChild(Label::createWithTextId(secondText, false, 0));
    panel->box->addChild(gap(s, true));
    panel->second = valueField(L"0", s);
    panel->box->addChild(panel->second);
    panel->box->addChild(Label::createWithText(L"%", false));
    panel->box->addChild(gap(s));
    panel->reset = glyph(L"#PlusMinus", s);
    panel->box->addChild(panel->reset);
    panel->box->addChild(gap(s));
    panel->slider = slider(0, 100, 0, -1, s);
    panel->slider->setLinked(true);
    panel->slider->setUpperPosition(100);
    panel->box->addChild(panel->slider);
}

namespace {

// A gap, then a full-width text button: the Flip and Monochrome panels' shape.
Button* addTextButton(Box* box, int32_t textId, int32_t s) {
    box->addChild(gap(s));
    Button* button = Button::createWithTextId(textId, 100, 18 * s);
    box->addChild(button);
    return button;
}

}  // namespace

void FilterPanels::buildFlip() {
    const int32_t s = scaled(1);
    flip_.box = rowPanel();
    flip_.reset = glyph(L"#PlusMinus", s);
    flip_.box->addChild(flip_.reset);
    flip_.horizontal = addTextButton(flip_.box, 1990004451, s);
    flip_.vertical = addTextButton(flip_.box, 1990004452, s);
}

void FilterPanels::buildMonochrome() {
    const int32_t s = scaled(1);
    mono_.box = rowPanel();
    mono_.reset = glyph(L"#PlusMinus", s);
    mono_.box->addChild(mono_.reset);
    mono_.grayscale = addTextButton(mono_.box, 1990004210, s);
    mono_.desaturate = addTextButton(mono_.box, 1990004215, s);
    mono_.sepia = addTextButton(mono_.box, 1990004220, s);
}

void FilterPanels::buildWatermark() {
    const int32_t s = scaled(1);
    WatermarkPanel& w = watermark_;
    w.box = rowPanel();
    w.text = TextField::create();
    w.text->setWidthPercent(50);
    w.text->setFixedHeight(20 * s);
    w.box->addChild(w.text);
    w.box->addChild(gap(s));
    w.font = ComboBox::create();
    w.font->setWidthPercent(50);
    w.font->setFixedHeight(18 * s);
    w.font->setPerItemFaces(true);
    w.box->addChild(w.font);
    w.box->addChild(gap(s));
    w.size = ComboBox::create();
    w.size->setFixedWidth(48 * s);
    w.size->setFixedHeight(18 * s);
    for (int32_t pt = 6; pt <= 20; ++pt)
        w.size->addItem(ComboBoxItem::createWithText((std::to_wstring(pt) + L" pt").c_str(), pt));
    w.box->addChild(w.size);
    w.box->addChild(gap(s));
    w.color = swatch(L"#Color-00000000", s);
    w.box->addChild(w.color);
    w.box->addChild(gap(s));
    w.outline = glyph(L"O", s);
    w.box->addChild(w.outline);
    w.outlineColor = swatch(L"#Color-00ffffff", s);
    w.box->addChild(w.outlineColor);
    w.box->addChild(gap(s));
    w.bold = glyph(L"B", s);
    w.italic = glyph(L"I", s);
    w.box->addChild(w.bold);
    w.box->addChild(w.italic);
}

void FilterPanels::buildBackground() {
    const int32_t s = scaled(1);
    BackgroundPanel& b = background_;
    b.box = rowPanel();
    b.type = ComboBox::create();
    b.type->setWidthPercent(100);
    b.type->setFixedHeight(18 * s);
    lang::Localizer* loc = host_->localizer();
    b.type->addItem(ComboBoxItem::createWithTextId(1990004601, loc, 0));
    b.type->addItem(ComboBoxItem::createWithTextId(1990004602, loc, 1));
    b.type->addItem(ComboBoxItem::createWithTextId(1990004603, loc, 2));
    b.type->addItem(ComboBoxItem::createWithTextId(1990004604, loc, 3));
    b.type->addItem(ComboBoxItem::createSeparator(kListSeparator));
    b.type->addItem(ComboBoxItem::createWithTextId(1990004605, loc, 5));
    b.type->addItem(ComboBoxItem::createWithTextId(1990004606, loc, 4));
    b.box->addChild(b.type);
    b.box->addChild(gap(s));
    b.custom = swatch(L"#Color-00ffffff", s);
    b.box->addChild(b.custom);
    b.box->addChild(gap(s));
    b.always = Button::createWithTextId(1990004608, -1, 18 * s);
    b.box->addChild(b.always);
}

s::gui::IBox* FilterPanels::panelFor(int32_t command) {
    if (!built_) return nullptr;
    for (int k = 0; k < int(NumericKind::kCount); ++k)
        if (kRules[k].command == command) return numeric_[k].box;
    switch (command) {
        case 4200: return mono_.box;
        case 4410: return size_.box;
        case 4450: return flip_.box;
        case 4460: return cutLR_.box;
        case 4470: return cutTB_.box;
        case 4600: return background_.box;
        case 4650: return watermark_.box;
        default: return nullptr;
    }
}

// ---- start

void FilterPanels::listen(Button* b) { b->addActionListener(this); }
void FilterPanels::listenToggle(Button* b) { b->addToggleListener(this); }
void FilterPanels::listen(TextField* f) { f->addChangeListener(this); }
void FilterPanels::listen(Slider* s) { s->addChangeListener(this); }
void FilterPanels::listen(ComboBox* c) { c->addSelectionListener(this); }

void FilterPanels::start() {
    if (!built_ || started_) return;
    started_ = true;
    for (NumericPanel& p : numeric_) {
        listen(p.field);
        for (int32_t i = 0; i < p.stepCount; ++i) listen(p.steps[i].button);
        listen(p.reset);
        listen(p.slider);
    }
    size_.type->select(0, false);
    listen(size_.type);
    size_.keepRatio->setToggleMode(true, true, false, false);
    size_.keepRatio->setToggled(true);
    listenToggle(size_.keepRatio);
    listen(size_.width);
    listen(size_.height);
    listen(size_.minus);
    listen(size_.plus);
    listen(size_.reset);
    for (CutPanel* c : {&cutLR_, &cutTB_}) {
        listen(c->first);
        listen(c->second);
        listen(c->slider);
        listen(c->reset);
    }
    listen(flip_.reset);
    for (Button* b : {flip_.horizontal, flip_.vertical}) {
        b->setToggleMode(true, true, false, false);
        listenToggle(b);
    }
    for (Button* b : {mono_.reset, mono_.grayscale, mono_.desaturate, mono_.sepia}) listen(b);
    // Start values are shown and kept, not applied: nothing has changed yet.
    resetting_ = true;
    startWatermark();
    startBackground();
    resetting_ = false;
}

// ---- handlers, in their fixed order

bool FilterPanels::handleEvent(s::gui::IComponent* source, int32_t code) {
    if (!built_ || !source) return false;
    return onNumericPanel(source) || onSizePanel(source) || onCutPanel(source) || onFlipPanel(source) ||
           onMonochromePanel(source) || onWatermarkPanel(source, code) || onBackgroundPanel(source, code);
}

void FilterPanels::onEvent(base::IObject* source, int32_t code) {
    handleEvent(dynamic_cast<s::gui::IComponent*>(source), code);
}

// ---- pictures, resets and filter sets

void FilterPanels::pictureOpened(int32_t width, int32_t height) {
    baseW_ = std::max(width, 0);
    baseH_ = std::max(height, 0);
    maxW_ = int32_t(std::max(2000.0, 1.5 * baseW_));
    maxH_ = int32_t(std::max(2000.0, 1.5 * baseH_));
    if (!locked_) {
        resetFilterPanels(false, false, false);
    } else {
        reattachFilters();
        reapplyAll();
    }
    // The size fields show the picture as it is shown unless the size filter decides it.
    if (!values()->sizingAdded && pictureShown()) {
        baseW_ = view()->getImageWidth();
        baseH_ = view()->getImageHeight();
        size_.width->setText(std::to_wstring(baseW_).c_str(), false);
        size_.height->setText(std::to_wstring(baseH_).c_str(), false);
    }
}

void FilterPanels::resetFilterPanels(bool reshow, bool clearSelection, bool ignoreLock) {
    resetting_ = true;
    if (pictureShown()) {
        s::gui::IImage* v = view();
        pauseView();
        for (int32_t i = 0; i < v->getFrameCount(); ++i) v->clearFrameFilters(i);
        v->updateImageSize();
        resumeView();
        if (reshow) {
            host_->reapplyScale(0.5, 0.5);
            v->repaint();
        }
    }
    if (!locked_ || ignoreLock) {
        EffectData* cur = values();
        for (int k = 0; k < int(NumericKind::kCount); ++k) {
            const NumericKind kind = NumericKind(k);
            if (kind == NumericKind::kStretchH || kind == NumericKind::kStretchV) continue;
            setNumeric(kind, numberRule(kind).neutral, true);
        }
        numeric_[int(NumericKind::kSharpness)].field->setText(L"", false);
        cur->rotationAdded = false;
        cur->sizingAdded = false;
        cur->widthInPixels = cur->heightInPixels = true;
        cur->widthPixels = cur->heightPixels = 1;
        cur->keepRatio = true;
        cur->sizingType = 0;
        cur->widthPercent = cur->heightPercent = 100;
        size_.width->setText(L"0", false);
        size_.height->setText(L"0", false);
        size_.keepRatio->setToggled(true);
        size_.type->select(0, false);
        for (NumericKind kind : {NumericKind::kStretchH, NumericKind::kStretchV}) {
            numeric_[int(kind)].field->setText(L"100", false);
            numeric_[int(kind)].slider->setPosition(100);
        }
        setCut(0, 0, 0, 0, true);
        setFlip(false, false);
        setMonochrome(0);
        resetWatermark();
        resetBackground();
        if (clearSelection) host_->filterValuesChanged();
        list_->clear();
    } else if (pictureShown()) {
        // Locked: the list stays and is shown again on the (new) picture.
        reattachFilters();
    }
    resetting_ = false;
}

void FilterPanels::loadValues(const EffectData* given) {
    if (!given) return;
    // The current values are changed by the setters: work from a copy when asked to load them.
    EffectData* copy = given == values() ? given->copy() : nullptr;
    const EffectData* set = copy ? copy : given;
    const bool wasLoading = loading_;
    loading_ = true;
    setBackground(set->bgType, COLORREF(set->bgCustomColor), true);
    auto is = [](str::strbuffer::StrBuffer* n, const wchar_t* name) {
        return n && !n->isEmpty() && _wcsicmp(n->text(), name) == 0;
    };
    for (uint32_t i = 0; i < set->filterOrder.count(); ++i) {
        str::strbuffer::StrBuffer* n = set->filterOrder.at(i);
        if (is(n, filtername::kSharpness)) {
            setNumeric(NumericKind::kSharpness, std::clamp(set->sharpness, -100, 100), true);
        } else if (is(n, filtername::kShearRotation)) {
            setNumeric(NumericKind::kRotate, set->rotation, true);
        } else if (is(n, filtername::kScale)) {
            host_->setFitModeOff();
            host_->showAtOriginalSize();
            setSizing(set->sizingType, set->keepRatio,
                      set->widthInPixels ? set->widthPixels : std::max(1, set->widthPercent), set->widthInPixels,
                      set->heightInPixels ? set->heightPixels : std::max(1, set->heightPercent), set->heightInPixels,
                      nullptr);
        } else if (is(n, filtername::kCut)) {
            setCut(set->cutLeft, set->cutRight, set->cutTop, set->cutBottom, true);
        } else if (is(n, filtername::kFlip)) {
            setFlip(set->flipHorizontal, set->flipVertical);
        } else if (is(n, filtername::kFeatherFrame)) {
            setNumeric(NumericKind::kMisty, set->mistyFrame, true);
        } else if (is(n, filtername::kMonotone)) {
            if (set->monochrome >= 0 && set->monochrome <= 3) setMonochrome(set->monochrome);
        } else if (is(n, filtername::kHsv)) {
            if (set->hue) setNumeric(NumericKind::kHue, set->hue, true);
            if (set->saturation) setNumeric(NumericKind::kSaturation, set->saturation, true);
            if (set->brightness) setNumeric(NumericKind::kBrightness, set->brightness, true);
        } else if (is(n, filtername::kLevel)) {
            setNumeric(NumericKind::kLevel, set->level, true);
        } else if (is(n, filtername::kCurve)) {
            setNumeric(NumericKind::kCurve, set->curve, true);
        } else if (is(n, filtername::kAlpha)) {
            setNumeric(NumericKind::kAlpha, set->alpha, true);
        } else if (is(n, filtername::kWatermark)) {
            setWatermark(set->watermarkText->text(), set->watermarkFont->text(), set->watermarkSize,
                         set->watermarkColor, set->watermarkOutline, set->watermarkOutlineColor, set->watermarkBold,
                         set->watermarkItalic, true);
        }
    }
    loading_ = wasLoading;
    if (copy) copy->release();
    if (!loading_ && pictureShown()) {
        reapplyAll();
        host_->reapplyScale(0.5, 0.5);
    }
}

void FilterPanels::reattachFilters() {
    if (!pictureShown()) return;
    s::gui::IImage* v = view();
    pauseView();
    for (int32_t i = 0; i < v->getFrameCount(); ++i) v->clearFrameFilters(i);
    list_->attachAll(v);
    resumeView();
}

void FilterPanels::reapplyAll() {
    if (!pictureShown()) return;
    s::gui::IImage* v = view();
    pauseView();
    for (int32_t i = 0; i < v->getFrameCount(); ++i) v->applyFrameFilters(i);
    v->updateImageSize();
    resumeView();
    v->repaint();
}

void FilterPanels::pauseView() {
    if (pictureShown()) view()->pause(false);
}

void FilterPanels::resumeView() {
    if (pictureShown()) view()->resume(false);
}

IFilterPanels* makeFilterPanels(IFilterPanelHost* host) { return new FilterPanels(host); }

}  // namespace s::image::gui::dialogs::imageview
