#include "skins/families/SkinFamilies.h"

#include "gui/drawer/DefaultDrawers.h"
#include "gui/fonts/IFontSetting.h"
#include "skins/drawers/ButtonDrawer.h"
#include "skins/drawers/CheckBoxDrawer.h"
#include "skins/drawers/CounterDrawer.h"
#include "skins/drawers/ListDrawers.h"
#include "skins/drawers/MenuDrawers.h"
#include "skins/drawers/ScrollBarDrawer.h"
#include "skins/drawers/SliderDrawer.h"
#include "skins/drawers/TextDrawer.h"
#include "skins/drawers/WindowDrawer.h"

namespace s::gui::drawer::skin {

namespace {

// The scroll bar width every skin sets, whatever the screen scale.
constexpr int32_t kSkinScrollBarWidth = 15;

// Calls a colour setter with the three channels of a preset colour.
#define WITH_RGB(c) (c).r, (c).g, (c).b

template <class D>
void drop(D*& d) {
    if (d) releaseDrawer(d);
    d = nullptr;
}

}  // namespace

SkinBase::SkinBase() : name_(str::strbuffer::StrBuffer::create()) {}

SkinBase::~SkinBase() {
    reset();
    if (name_) name_->release();
}

void SkinBase::reset() {
    if (name_) name_->clear();
    drop(window_);
    drop(button_);
    drop(text_);
    drop(scrollBar_);
    drop(checkBox_);
    drop(radioButton_);
    drop(slider_);
    drop(counter_);
    drop(listHeader_);
    drop(listBox_);
    drop(statusBar_);
    drop(menu_);
    drop(combo_);
    drop(groupBox_);
    drop(tabBox_);
}

void SkinBase::buildThin(const wchar_t* name, const Rgb* t) {
    const Rgb &back = t[0], &line = t[1], &ink = t[2];
    setName(name);
    setWindowDrawer(window::win::Thin::createWithColors(0, 0, WITH_RGB(line), WITH_RGB(back)));

    auto* button = button::win::Thin::createWithColor(WITH_RGB(line));
    button->getTextStyle1()->setColor(WITH_RGB(ink));
    button->getTextStyle2()->setColor(WITH_RGB(ink));
    setButtonDrawer(button);

    auto* text = text::win::Basic::create();
    text->getStyle1()->setColor(WITH_RGB(ink));
    text->getStyle2()->setColor(WITH_RGB(ink));
    setTextDrawer(text);

    auto* bar = scrollbar::win::Thin::create();
    bar->setWidth(kSkinScrollBarWidth);
    bar->setColorA(WITH_RGB(line));
    bar->setColorB(WITH_RGB(back));
    setScrollBarDrawer(bar);

    auto* check = checkbox::win::Thin::create();
    check->setColorB(WITH_RGB(line));
    check->setColorA(WITH_RGB(ink));
    check->setTextColor2(WITH_RGB(ink));
    setCheckBoxDrawer(check);

    auto* radio = radiobutton::win::Thin::create();
    radio->setColorA(WITH_RGB(line));
    radio->setTextColor1(WITH_RGB(ink));
    radio->setTextColor2(WITH_RGB(ink));
    setRadioButtonDrawer(radio);

    auto* slider = slider::win::Thin::create();
    slider->setColorB(WITH_RGB(line));
    slider->setColorA(WITH_RGB(t[3]));
    setSliderDrawer(slider);

    auto* counter = counter::win::Basic::create();
    counter->setColorA(WITH_RGB(t[4]));
    counter->setColorB(WITH_RGB(t[5]));
    setCounterDrawer(counter);

    auto* header = listheader::win::Thin::create();
    header->setPressShift(true);
    header->setColorA(WITH_RGB(line));
    header->setColorB(WITH_RGB(back));
    header->getTextStyle1()->setColor(WITH_RGB(ink));
    setListHeaderDrawer(header);

    auto* list = listbox::win::Thin::create();
    list->setBackgroundColor(WITH_RGB(back));
    list->setTextColor(WITH_RGB(ink));
    list->setSelectionColor(WITH_RGB(line));
    list->setSelectedTextColor(WITH_RGB(back));
    list->setThirdColor(243, 243, 243);
    setListBoxDrawer(list);

    auto* status = statusbar::win::Thin::create();
    status->setColor(WITH_RGB(line));
    setStatusBarDrawer(status);

    setMenuDrawer(menu::win::Basic::createWithColors(WITH_RGB(ink), WITH_RGB(line), WITH_RGB(back)));

    auto* combo = combo::win::Thin::create();
    combo->setTextColor1(WITH_RGB(ink));
    combo->setFrameColor(WITH_RGB(line));
    combo->setTextColor2(WITH_RGB(ink));
    setComboDrawer(combo);

    auto* group = groupbox::win::Thin::create();
    group->setFrameColor(WITH_RGB(line));
    group->getTextStyle1()->setColor(WITH_RGB(ink));
    group->getTextStyle2()->setColor(WITH_RGB(ink));
    setGroupBoxDrawer(group);

    auto* tabs = tabbox::win::Thin::create();
    tabs->setColor(WITH_RGB(line));
    setTabBoxDrawer(tabs);
}

void SkinBase::buildThinWindow(const wchar_t* name, const Rgb* t) {
    // T1 to T15 of the preset.
    const Rgb &T1 = t[0], &T2 = t[1], &T3 = t[2], &T4 = t[3], &T5 = t[4], &T6 = t[5], &T7 = t[6], &T8 = t[7],
              &T9 = t[8], &T10 = t[9], &T11 = t[10], &T12 = t[11], &T13 = t[12], &T14 = t[13], &T15 = t[14];
    setName(name);
    setWindowDrawer(window::win::Thin::createWithColors(0, 0, WITH_RGB(T2), WITH_RGB(T1)));

    auto* button = button::win::Thin::createWithColor(WITH_RGB(T4));
    button->setIdleLineColor(WITH_RGB(T3));
    button->setToggledLineColor(WITH_RGB(T4));
    button->setFillColor(WITH_RGB(T9));
    button->getTextStyle1()->setColor(WITH_RGB(T6));
    button->getTextStyle2()->setColor(WITH_RGB(T3));
    button->getSecondTextStyle1()->setColor(WITH_RGB(T10));
    setButtonDrawer(button);

    auto* text = text::win::Basic::create();
    text->getStyle1()->setColor(WITH_RGB(T6));
    text->getStyle1()->setColor2(WITH_RGB(T1));
    text->getStyle1()->setColor3(WITH_RGB(T7));
    text->getStyle2()->setColor(WITH_RGB(T3));
    text->getStyle3()->setColor(WITH_RGB(T6));
    text->getStyle4()->setColor(WITH_RGB(T4));
    setTextDrawer(text);

    auto* bar = scrollbar::win::Thin::create();
    bar->setWidth(kSkinScrollBarWidth);
    bar->setColorA(WITH_RGB(T4));
    bar->setColorB(WITH_RGB(T8));
    setScrollBarDrawer(bar);

    auto* check = checkbox::win::Thin::create();
    check->setColorB(WITH_RGB(T4));
    check->setColorA(WITH_RGB(T6));
    check->setTextColor2(WITH_RGB(T3));
    setCheckBoxDrawer(check);

    auto* radio = radiobutton::win::Thin::create();
    radio->setColorA(WITH_RGB(T4));
    radio->setTextColor1(WITH_RGB(T6));
    radio->setTextColor2(WITH_RGB(T3));
    setRadioButtonDrawer(radio);

    auto* slider = slider::win::Thin::create();
    slider->setColorB(WITH_RGB(T4));
    slider->setColorA(WITH_RGB(T8));
    slider->setColorC(WITH_RGB(T3));
    setSliderDrawer(slider);

    auto* counter = counter::win::Basic::create();
    counter->setColorA(WITH_RGB(T14));
    counter->setColorB(WITH_RGB(T15));
    setCounterDrawer(counter);

    auto* header = listheader::win::Thin::create();
    header->setPressShift(true);
    header->setColorA(WITH_RGB(T4));
    header->setColorB(WITH_RGB(T9));
    header->getTextStyle1()->setColor(WITH_RGB(T10));
    setListHeaderDrawer(header);

    setListBoxDrawer(
        listbox::win::Thin::createWithColors(WITH_RGB(T11), WITH_RGB(T12), WITH_RGB(T9), WITH_RGB(T10), WITH_RGB(T13)));

    auto* status = statusbar::win::Thin::create();
    status->setColor(WITH_RGB(T4));
    setStatusBarDrawer(status);

    auto* menu = menu::win::Basic::createWithColors(WITH_RGB(T6), WITH_RGB(T4), WITH_RGB(T1));
    menu->getComboDrawer()->setTextColor1(WITH_RGB(T6));
    menu->getComboDrawer()->setFrameColor(WITH_RGB(T4));
    menu->getComboDrawer()->setTextColor2(WITH_RGB(T6));
    setMenuDrawer(menu);

    auto* combo = combo::win::Thin::create();
    combo->setTextColor1(WITH_RGB(T6));
    combo->setFrameColor(WITH_RGB(T4));
    combo->setTextColor2(WITH_RGB(T6));
    setComboDrawer(combo);

    auto* group = groupbox::win::Thin::create();
    group->setFrameColor(WITH_RGB(T5));
    group->getTextStyle1()->setColor(WITH_RGB(T6));
    group->getTextStyle2()->setColor(WITH_RGB(T6));
    setGroupBoxDrawer(group);

    auto* tabs = tabbox::win::Thin::create();
    tabs->setColor(WITH_RGB(T4));
    tabs->getTextStyle1()->setColor(WITH_RGB(T6));
    tabs->getTextStyle2()->setColor(WITH_RGB(T6));
    tabs->getSecondTextStyle1()->setColor(WITH_RGB(T6));
    setTabBoxDrawer(tabs);
}

#undef WITH_RGB

Thin* Thin::build(const wchar_t* name, const Rgb t[6]) {
    Thin* skin = create();
    if (skin) skin->buildThin(name, t);
    return skin;
}

Thin* Thin::preset(int32_t id) {
    for (const ThinPreset& p : kThinPresets)
        if (p.id == id) return build(p.name, p.t);
    return nullptr;
}

ThinWindow* ThinWindow::build(const wchar_t* name, const Rgb t[15]) {
    ThinWindow* skin = create();
    if (skin) skin->buildThinWindow(name, t);
    return skin;
}

ThinWindow* ThinWindow::preset(int32_t id) {
    for (const ThinWindowPreset& p : kThinWindowPresets)
        if (p.id == id) return build(p.name, p.t);
    return nullptr;
}

}  // namespace s::gui::drawer::skin
