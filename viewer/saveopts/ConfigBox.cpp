#include "viewer/saveopts/ConfigBox.h"

#include <cwchar>

#include "gui/box/Box.h"
#include "gui/component/Events.h"
#include "gui/controls/CheckBox.h"
#include "gui/controls/GroupBox.h"
#include "gui/controls/RadioButton.h"
#include "gui/controls/Slider.h"
#include "gui/controls/TextField.h"
#include "gui/layout/LayoutKind.h"
#include "gui/window/IWindow.h"
#include "imaging/settings/EncodeSetting.h"
#include "platform/system/Screen.h"
#include "viewer/saveopts/BgGroupBox.h"
#include "viewer/saveopts/ColorPicker.h"

namespace s::image::gui::boxes {

namespace sg = ::s::gui;

// ---- the shared frame -------------------------------------------------------------------------

ConfigBoxBase::~ConfigBoxBase() {
    if (background_) background_->release();
}

void ConfigBoxBase::resetBase(const wchar_t* name) {
    scale_ = 1;
    owner_ = nullptr;
    setting_ = nullptr;
    name_ = name;
    panel_ = nullptr;
    if (background_) background_->release();
    background_ = BgGroupBox::create();
}

void ConfigBoxBase::setOwner(sg::IWindow* owner) {
    owner_ = owner;
    background_->setOwner(owner);
}

bool ConfigBoxBase::localized() const { return owner_ && owner_->hasLocalizer(); }

sg::IComponent* ConfigBoxBase::buildPanel() {
    scale_ = ::s::system::getScreenScale();
    panel_ = sg::win::Box::createWithLayout(sg::LayoutKind::kColumn, 100, 100, sg::Align::kStart, sg::Align::kStart, 0,
                                            10 * scale_, 0, 0);
    panel_->addChild(background_->build(localized()));
    buildGroups(panel_);
    background_->setKeepTransparency(setting_ && settingKeeps());
    if (setting_) background_->setColor(setting_->backRed, setting_->backGreen, setting_->backBlue);
    afterBuild();
    return panel_;
}

void ConfigBoxBase::onEvent(base::IObject*, int32_t) {}

sg::win::GroupBox* ConfigBoxBase::makeGroup(int32_t titleId, const wchar_t* title, int32_t kind, int32_t gapX,
                                            int32_t gapY) {
    const int32_t s = scale_;
    return localized() ? sg::win::GroupBox::createWithTextId(titleId, 100, kind, gapX, gapY, 20 * s, 3 * s)
                       : sg::win::GroupBox::createWithText(title, 100, kind, gapX, gapY, 20 * s, 3 * s);
}

sg::win::RadioButton* ConfigBoxBase::makeRadio(int32_t textId, const wchar_t* text) {
    return localized() ? sg::win::RadioButton::createWithTextId(textId) : sg::win::RadioButton::createWithText(text);
}

sg::win::CheckBox* ConfigBoxBase::makeCheck(int32_t textId, const wchar_t* text, bool checked) {
    return localized() ? sg::win::CheckBox::createWithTextId(textId, checked)
                       : sg::win::CheckBox::createWithText(text, checked);
}

bool ConfigBoxBase::fillBackground() {
    ColorPicker* colour = background_->getColorPicker();
    setting_->backRed = colour->getRed();
    setting_->backGreen = colour->getGreen();
    setting_->backBlue = colour->getBlue();
    return background_->isKeepTransparency();
}

// ---- JPEG -------------------------------------------------------------------------------------

void JpgConfigBox::reset() {
    resetBase(L"Jpeg");
    field_ = nullptr;
    slider_ = nullptr;
    moving_ = false;
}

void JpgConfigBox::buildGroups(sg::win::Box* panel) {
    const int32_t s = scale_;
    sg::win::GroupBox* group = makeGroup(2000004000, L"Quality", sg::LayoutKind::kRow, 0, 5 * s);
    sg::win::Box* row = sg::win::Box::createWithLayout(sg::LayoutKind::kRow, 100, -1, sg::Align::kStart,
                                                       sg::Align::kCentre, 0, 0, 0, 0);
    field_ = sg::win::TextField::create();
    field_->setFixedWidth(localized() ? 35 * s : 35);
    field_->setText(L"100", false);
    slider_ = sg::win::Slider::createPercent(100, -1);
    panel->addChild(group);
    group->addChild(row);
    row->addChild(field_);
    row->addChild(slider_);
    field_->addChangeListener(this);
    slider_->addChangeListener(this);
}

void JpgConfigBox::afterBuild() {
    background_->setAllowed(false);
    const int32_t quality = static_cast<jpg::EncodeSetting*>(setting_)->quality;
    if (quality == 100) return;
    wchar_t text[16];
    std::swprintf(text, 16, L"%d", int(quality));
    field_->setText(text, false);
    moving_ = true;
    slider_->setPosition(quality);
    moving_ = false;
}

void JpgConfigBox::onEvent(base::IObject* source, int32_t code) {
    if (slider_ && source == static_cast<base::IObject*>(slider_)) {
        if (moving_) return;
        wchar_t text[16];
        std::swprintf(text, 16, L"%d", int(slider_->getPosition()));
        field_->setText(text, true);
        return;
    }
    if (field_ && source == static_cast<base::IObject*>(field_) && code == sg::TextFieldEvent::kChange) {
        const wchar_t* text = field_->getText();
        const size_t n = text ? std::wcslen(text) : 0;
        if (n < 1 || n > 3) return;
        int32_t value = 0;
        for (size_t i = 0; i < n; ++i) {
            if (text[i] < L'0' || text[i] > L'9') return;
            value = value * 10 + (text[i] - L'0');
        }
        if (value > 100 || value == slider_->getPosition()) return;
        moving_ = true;
        slider_->setPosition(value);
        moving_ = false;
    }
}

void JpgConfigBox::fillSetting() {
    if (!built()) return;
    fillBackground();
    static_cast<jpg::EncodeSetting*>(setting_)->quality = slider_->getPosition();
}

// ---- GIF --------------------------------------------------------------------------------------

void GifConfigBox::reset() {
    resetBase(L"Gif");
    bpp8_ = bpp4_ = nullptr;
}

bool GifConfigBox::settingKeeps() { return static_cast<gif::EncodeSetting*>(setting_)->keepTransparency; }

void GifConfigBox::buildGroups(sg::win::Box* panel) {
    const int32_t s = scale_;
    sg::win::GroupBox* group = makeGroup(2000005000, L"Resolution", sg::LayoutKind::kColumn, 10 * s, 5 * s);
    bpp8_ = makeRadio(2000006000, L"8 Bpp (256 Colors)");
    bpp4_ = makeRadio(2000007000, L"4 Bpp (16 Colors)");
    panel->addChild(group);
    group->addChild(bpp8_);
    group->addChild(bpp4_);
    const bool eight = static_cast<gif::EncodeSetting*>(setting_)->bpp == 8;
    bpp8_->setChecked(eight, false);
    bpp4_->setChecked(!eight, false);
}

void GifConfigBox::fillSetting() {
    if (!built()) return;
    auto* setting = static_cast<gif::EncodeSetting*>(setting_);
    setting->keepTransparency = fillBackground();
    setting->bpp = bpp4_->isChecked() ? 4 : 8;
}

// ---- PNG --------------------------------------------------------------------------------------

void PngConfigBox::reset() {
    resetBase(L"Png");
    interlace_ = nullptr;
}

bool PngConfigBox::settingKeeps() { return static_cast<png::EncodeSetting*>(setting_)->keepTransparency; }

void PngConfigBox::buildGroups(sg::win::Box* panel) {
    const int32_t s = scale_;
    sg::win::GroupBox* group = makeGroup(2000008000, L"Interlace", sg::LayoutKind::kColumn, 10 * s, 5 * s);
    interlace_ =
        makeCheck(2000009000, L"Enable Interlacing", static_cast<png::EncodeSetting*>(setting_)->withInterlace);
    interlace_->setWordWrap(false);
    panel->addChild(group);
    group->addChild(interlace_);
}

void PngConfigBox::fillSetting() {
    if (!built()) return;
    auto* setting = static_cast<png::EncodeSetting*>(setting_);
    setting->keepTransparency = fillBackground();
    setting->withInterlace = interlace_->isChecked();
}

// ---- BMP --------------------------------------------------------------------------------------

void BmpConfigBox::reset() {
    resetBase(L"Bitmap");
    for (auto*& b : depth_) b = nullptr;
}

bool BmpConfigBox::settingKeeps() { return static_cast<bmp::EncodeSetting*>(setting_)->keepTransparency; }

sg::win::RadioButton* BmpConfigBox::getDepthButton(int32_t bpp) const {
    for (int i = 0; i < 4; ++i)
        if (kDepths[i] == bpp) return depth_[i];
    return nullptr;
}

void BmpConfigBox::buildGroups(sg::win::Box* panel) {
    const int32_t s = scale_;
    sg::win::GroupBox* group = makeGroup(2000018000, L"Resolution", sg::LayoutKind::kColumn, 10 * s, 5 * s);
    depth_[0] = makeRadio(2000019000, L"32 Bpp (16,777,216 Colors with Transparency)");
    depth_[1] = makeRadio(2000020000, L"24 Bpp (16,777,216 Colors)");
    depth_[2] = makeRadio(2000022000, L"8 Bpp (256 Colors)");
    depth_[3] = makeRadio(2000023000, L"4 Bpp (16 Colors)");
    panel->addChild(group);
    const int32_t bpp = static_cast<bmp::EncodeSetting*>(setting_)->bpp;
    sg::win::RadioButton* keep = background_->getKeepButton();
    for (int i = 0; i < 4; ++i) {
        group->addChild(depth_[i]);
        depth_[i]->setChecked(kDepths[i] == bpp, false);
        depth_[i]->addDisableListener(this);
        if (i > 0) keep->linkDisabledToCheck(depth_[i]);
    }
}

void BmpConfigBox::afterBuild() {
    // The links follow the user's choices; the first state is set here.
    const bool keep = background_->isKeepTransparency();
    for (int i = 1; i < 4; ++i) depth_[i]->setEnabled(!keep);
}

void BmpConfigBox::onEvent(base::IObject* source, int32_t) {
    if (!depth_[0]) return;
    if (source == static_cast<base::IObject*>(depth_[0])) {
        if (!depth_[0]->isChecked()) return;
        depth_[0]->setChecked(false, false);
        depth_[1]->setChecked(true, false);
        return;
    }
    bool lowChecked = false;
    bool fromLow = false;
    for (int i = 1; i < 4; ++i) {
        lowChecked |= depth_[i]->isChecked();
        fromLow |= source == static_cast<base::IObject*>(depth_[i]);
    }
    if (!fromLow || !lowChecked) return;
    for (int i = 1; i < 4; ++i) depth_[i]->setChecked(false, false);
    depth_[0]->setChecked(true, false);
}

void BmpConfigBox::fillSetting() {
    if (!built()) return;
    auto* setting = static_cast<bmp::EncodeSetting*>(setting_);
    setting->keepTransparency = fillBackground();
    for (int32_t bpp : {4, 8, 24, 32}) {
        if (getDepthButton(bpp)->isChecked()) {
            setting->bpp = bpp;
            break;
        }
    }
}

// ---- ICO --------------------------------------------------------------------------------------

void IcoConfigBox::reset() {
    resetBase(L"Ico");
    keepRatio_ = nullptr;
    for (auto*& b : sizes_) b = nullptr;
    for (auto*& b : depths_) b = nullptr;
}

bool IcoConfigBox::settingKeeps() { return static_cast<ico::EncodeSetting*>(setting_)->keepTransparency; }

sg::win::CheckBox* IcoConfigBox::getSizeBox(int32_t size) const {
    for (int i = 0; i < 9; ++i)
        if (kSizes[i] == size) return sizes_[i];
    return nullptr;
}

sg::win::CheckBox* IcoConfigBox::getDepthBox(int32_t bpp) const {
    for (int i = 0; i < 3; ++i)
        if (kDepths[i] == bpp) return depths_[i];
    return nullptr;
}

namespace {

bool holds(const col::_array::ArrayS32& list, int32_t value) {
    for (uint32_t i = 0; i < list.count(); ++i)
        if (list[i] == value) return true;
    return false;
}

}  // namespace

void IcoConfigBox::buildGroups(sg::win::Box* panel) {
    const int32_t s = scale_;
    auto* setting = static_cast<ico::EncodeSetting*>(setting_);

    sg::win::GroupBox* scaling = makeGroup(2000010000, L"Scaling", sg::LayoutKind::kColumn, 10 * s, 5 * s);
    keepRatio_ = makeCheck(2000011000, L"Keep Width/Height Ratio", setting->keepRatio);
    panel->addChild(scaling);
    scaling->addChild(keepRatio_);

    sg::win::GroupBox* sizes = makeGroup(2000012000, L"Sizes to Include", sg::LayoutKind::kColumn, 10 * s, 6 * s);
    panel->addChild(sizes);
    static const wchar_t* const kTexts[9] = {L"16 x 16", L"24 x 24",   L"32 x 32",
                                             L"48 x 48", L"64 x 64",   L"80 x 80",
                                             L"96 x 96", L"128 x 128", L"256 x 256  (Vista/7)"};
    for (int i = 0; i < 9; ++i)
        sizes_[i] = sg::win::CheckBox::createWithText(kTexts[i], holds(setting->sizes, kSizes[i]));
    sizes->addChild(sizes_[8]);
    sg::win::Box* row = sg::win::Box::createWithLayout(sg::LayoutKind::kRow, -1, -1, sg::Align::kStart,
                                                       sg::Align::kStart, 20 * s, 0, 0, 0);
    sizes->addChild(row);
    // Columns read from the largest size to the smallest: 128/48, 96/32, 80/24, 64/16.
    static const int kColumns[4][2] = {{7, 3}, {6, 2}, {5, 1}, {4, 0}};
    for (const auto& pair : kColumns) {
        sg::win::Box* column = sg::win::Box::createWithLayout(sg::LayoutKind::kColumn, -1, -1, sg::Align::kStart,
                                                              sg::Align::kStart, 0, 5 * s, 0, 0);
        row->addChild(column);
        column->addChild(sizes_[pair[0]]);
        column->addChild(sizes_[pair[1]]);
    }

    sg::win::GroupBox* depths =
        makeGroup(2000013000, L"Resolutions to Include", sg::LayoutKind::kColumn, 10 * s, 5 * s);
    panel->addChild(depths);
    depths_[2] = makeCheck(2000014000, L"32 Bpp (16,777,216 Colors with Transparency)", holds(setting->depths, 32));
    depths_[1] = makeCheck(2000016000, L"8 Bpp (256 Colors with Mask Bits)", holds(setting->depths, 8));
    depths_[0] = makeCheck(2000017000, L"4 Bpp (16 Colors with Mask Bits)", holds(setting->depths, 4));
    depths->addChild(depths_[2]);
    depths->addChild(depths_[1]);
    depths->addChild(depths_[0]);
}

void IcoConfigBox::fillSetting() {
    if (!built()) return;
    auto* setting = static_cast<ico::EncodeSetting*>(setting_);
    setting->keepTransparency = fillBackground();
    setting->keepRatio = keepRatio_->isChecked();
    setting->sizes.clear();
    for (int i = 0; i < 9; ++i)
        if (sizes_[i]->isChecked()) setting->sizes.push(kSizes[i]);
    setting->depths.clear();
    for (int i = 0; i < 3; ++i)
        if (depths_[i]->isChecked()) setting->depths.push(kDepths[i]);
}

// ---- the encode settings' hooks ----------------------------------------------------------------

namespace {

template <class Box>
Box* bound(EncodeSettingBase* setting) {
    Box* box = Box::create();
    box->setSetting(setting);
    return box;
}

sg::IComponent* openBox(EncodeSettingBase* setting, sg::IWindow* owner, base::IObject** out) {
    ConfigBoxBase* box = nullptr;
    if (dynamic_cast<jpg::EncodeSetting*>(setting))
        box = bound<JpgConfigBox>(setting);
    else if (dynamic_cast<gif::EncodeSetting*>(setting))
        box = bound<GifConfigBox>(setting);
    else if (dynamic_cast<png::EncodeSetting*>(setting))
        box = bound<PngConfigBox>(setting);
    else if (dynamic_cast<bmp::EncodeSetting*>(setting))
        box = bound<BmpConfigBox>(setting);
    else if (dynamic_cast<ico::EncodeSetting*>(setting))
        box = bound<IcoConfigBox>(setting);
    *out = box;
    if (!box) return nullptr;
    box->setOwner(owner);
    return box->buildPanel();
}

void fillBox(EncodeSettingBase*, base::IObject* panel) {
    if (auto* box = dynamic_cast<ConfigBoxBase*>(panel)) box->fillSetting();
}

void closeBox(base::IObject* panel) {
    if (auto* box = dynamic_cast<ConfigBoxBase*>(panel)) box->release();
}

const ConfigBoxHooks kHooks{&openBox, &fillBox, &closeBox};

}  // namespace

void installConfigBoxes() { setConfigBoxHooks(&kHooks); }

}  // namespace s::image::gui::boxes
