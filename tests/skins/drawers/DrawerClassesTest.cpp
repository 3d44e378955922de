#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "gui/drawer/DefaultDrawers.h"
#include "gui/fonts/Font.h"
#include "skins/drawers/BorderDrawer.h"
#include "skins/drawers/ButtonDrawer.h"
#include "skins/drawers/CheckBoxDrawer.h"
#include "skins/drawers/CounterDrawer.h"
#include "skins/drawers/ImageDrawer.h"
#include "skins/drawers/InstallDrawers.h"
#include "skins/drawers/ListDrawers.h"
#include "skins/drawers/MenuDrawers.h"
#include "skins/drawers/ScrollBarDrawer.h"
#include "skins/drawers/SliderDrawer.h"
#include "skins/drawers/TextDrawer.h"
#include "skins/drawers/WindowDrawer.h"
#include "support/PixelCanvas.h"

namespace dr = s::gui::drawer;

namespace {

template <class T>
std::wstring classNameOf() {
    T* d = T::create();
    std::wstring name = d->getClassName();
    d->release();
    return name;
}

}  // namespace

TEST(DrawerClasses, ClassNamesByKind) {
    struct Case {
        std::wstring got;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {classNameOf<dr::window::win::Thin>(), L"s_gui_drawer_window_win_Thin"},
        {classNameOf<dr::button::win::Thin>(), L"s_gui_drawer_button_win_Thin"},
        {classNameOf<dr::text::win::Basic>(), L"s_gui_drawer_text_win_Basic"},
        {classNameOf<dr::scrollbar::win::Thin>(), L"s_gui_drawer_scrollbar_win_Thin"},
        {classNameOf<dr::checkbox::win::Thin>(), L"s_gui_drawer_checkbox_win_Thin"},
        {classNameOf<dr::radiobutton::win::Thin>(), L"s_gui_drawer_radiobutton_win_Thin"},
        {classNameOf<dr::slider::win::Thin>(), L"s_gui_drawer_slider_win_Thin"},
        {classNameOf<dr::counter::win::Basic>(), L"s_gui_drawer_counter_win_Basic"},
        {classNameOf<dr::listheader::win::Thin>(), L"s_gui_drawer_listheader_win_Thin"},
        {classNameOf<dr::listbox::win::Thin>(), L"s_gui_drawer_listbox_win_Thin"},
        {classNameOf<dr::statusbar::win::Thin>(), L"s_gui_drawer_statusbar_win_Thin"},
        {classNameOf<dr::menu::win::Basic>(), L"s_gui_drawer_menu_win_Basic"},
        {classNameOf<dr::combo::win::Thin>(), L"s_gui_drawer_combo_win_Thin"},
        {classNameOf<dr::groupbox::win::Thin>(), L"s_gui_drawer_groupbox_win_Thin"},
        {classNameOf<dr::tabbox::win::Thin>(), L"s_gui_drawer_tabbox_win_Thin"},
        {classNameOf<dr::image::win::Basic>(), L"s_gui_drawer_image_win_Basic"},
        {classNameOf<dr::groupbox::win::Basic>(), L"s_gui_drawer_groupbox_win_Basic"},
        {classNameOf<dr::border::win::Thin>(), L"s_gui_drawer_border_win_Thin"},
        {classNameOf<dr::listbox::win::Basic>(), L"s_gui_drawer_listbox_win_Basic"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);
    EXPECT_EQ(dr::button::win::Thin::pooler()->capacity(), 1000);
    EXPECT_EQ(dr::text::win::Basic::pooler()->capacity(), 1000);
}

TEST(DrawerClasses, ButtonDefaultsAndTheColourFactory) {
    auto* b = dr::button::win::Thin::create();
    EXPECT_EQ(b->cornerStyle, 1);
    EXPECT_FALSE(b->pressShift);
    EXPECT_TRUE(b->auxFlag1);
    EXPECT_EQ(b->auxColor, RGB(213, 235, 107));
    for (COLORREF c : {b->lineColor, b->idleLineColor, b->toggledLineColor, b->fillColor})
        EXPECT_EQ(c, RGB(120, 120, 120));
    EXPECT_TRUE(b->text1->textFlag);
    EXPECT_TRUE(b->text2->textFlag);
    b->release();

    auto* c = dr::button::win::Thin::createWithColor(10, 20, 300);
    EXPECT_TRUE(c->pressShift);
    EXPECT_FALSE(c->auxFlag1);
    EXPECT_TRUE(c->auxFlag2);
    EXPECT_EQ(c->getLineRed(), 10);
    EXPECT_EQ(c->getLineBlue(), 300 & 0xFF);
    // Back in the pool and out again: the reset values, the owned drawers reset too.
    c->setShaded(false);
    c->getTextStyle1()->setBold(true);
    c->release();
    auto* again = dr::button::win::Thin::create();
    EXPECT_EQ(again, c);
    EXPECT_FALSE(again->pressShift);
    EXPECT_EQ(again->lineColor, RGB(120, 120, 120));
    EXPECT_TRUE(again->borderDrawer->shaded);
    EXPECT_FALSE(again->getTextStyle1()->isBold());
    again->release();
}

TEST(DrawerClasses, WindowBackgroundClearsTransparencyUntilReset) {
    auto* w = dr::window::win::Thin::create();
    EXPECT_TRUE(w->transparent);
    EXPECT_EQ(w->frame, RGB(120, 120, 120));
    w->setBackgroundColor(1, 2, 3);
    EXPECT_FALSE(w->transparent);
    EXPECT_EQ(w->getBackgroundColor(), RGB(1, 2, 3));
    w->setBackgroundColor(255, 255, 255);
    EXPECT_FALSE(w->transparent);  // no setter brings it back
    w->release();
    auto* c = dr::window::win::Thin::createWithColors(7, 8, 10, 20, 30, 40, 50, 60);
    EXPECT_EQ(c->frame, RGB(10, 20, 30));
    EXPECT_EQ(c->background, RGB(40, 50, 60));
    EXPECT_FALSE(c->transparent);
    c->reset();
    EXPECT_TRUE(c->transparent);
    c->release();
}

TEST(DrawerClasses, TextStylesAfterReset) {
    auto* t = dr::text::win::Basic::create();
    EXPECT_EQ(t->getStyle1()->getColor(), RGB(0, 0, 0));
    EXPECT_FALSE(t->getStyle1()->isUnderline());
    EXPECT_EQ(t->getStyle2()->getColor(), RGB(161, 161, 146));
    EXPECT_EQ(t->getStyle3()->getColor(), RGB(0, 170, 0));
    EXPECT_EQ(t->getStyle4()->getColor(), RGB(170, 170, 0));
    EXPECT_EQ(t->getStyle5()->getColor(), RGB(170, 170, 0));
    for (auto* s : {t->getStyle3(), t->getStyle4(), t->getStyle5()}) EXPECT_TRUE(s->isUnderline());
    EXPECT_FALSE(t->textFlag);
    t->release();
}

TEST(DrawerClasses, ApplyingStylesCompletesOnlyTheGivenFonts) {
    auto* t = dr::text::win::Basic::create();
    t->getStyle1()->setColor(9, 9, 9);
    t->getStyle1()->setItalic(true);
    t->getStyle2()->setSizeCode(7);
    s::gui::win::Font* font = s::gui::win::Font::create();
    font->setSizeCode(4);
    font->setItalic(false);  // the font's own choice wins
    t->applyToFonts(font);
    EXPECT_EQ(t->getStyle1()->getSizeCode(), 4);
    EXPECT_EQ(t->getStyle2()->getSizeCode(), 7);  // untouched
    EXPECT_EQ(font->getColor(), RGB(9, 9, 9));
    EXPECT_FALSE(font->isItalic());
    EXPECT_EQ(font->getHeight(), t->getStyle1()->getHeight());
    font->release();
    t->release();
}

TEST(DrawerClasses, ScrollBarWidthFollowsTheScreenScale) {
    for (int scale : {1, 2, 4}) {
        testsupport::ScaleOverride o(scale);
        auto* bar = dr::scrollbar::win::Thin::create();
        bar->reset();  // a pooled one was reset at the scale of its release
        EXPECT_EQ(bar->getWidth(), 15 * scale);
        EXPECT_EQ(bar->mode, 1);
        EXPECT_EQ(bar->colorB, RGB(255, 255, 255));
        bar->setColorA(1, 2, 3);
        EXPECT_EQ(bar->buttonDrawer->lineColor, RGB(1, 2, 3));
        bar->release();
    }
}

TEST(DrawerClasses, SmallDrawersDefaults) {
    auto* status = dr::statusbar::win::Thin::create();
    EXPECT_EQ(status->getHeight(), 13);
    status->release();

    auto* thin = dr::groupbox::win::Thin::create();
    auto* basic = dr::groupbox::win::Basic::create();
    for (dr::IGroupBox* g : {static_cast<dr::IGroupBox*>(thin), static_cast<dr::IGroupBox*>(basic)}) {
        EXPECT_EQ(g->getTextStyle1()->getColor(), RGB(0, 70, 213));
        EXPECT_EQ(g->getFrameRed(), 208);
        EXPECT_EQ(g->getFrameBlue(), 191);
    }
    thin->release();
    basic->release();

    auto* slider = dr::slider::win::Thin::create();
    EXPECT_FALSE(slider->track->shaded);
    EXPECT_TRUE(slider->thumbs->shaded);
    EXPECT_EQ(slider->getColorARed(), 176);
    slider->release();

    auto* counter = dr::counter::win::Basic::create();
    EXPECT_TRUE(counter->transparent);
    EXPECT_EQ(counter->getColorARed(), 0xFF);
    counter->setBackgroundColor(0, 0, 0);
    EXPECT_FALSE(counter->transparent);
    counter->release();

    auto* check = dr::checkbox::win::Thin::create();
    check->setColorA(5, 6, 7);
    EXPECT_EQ(check->caption->getStyle1()->getColor(), RGB(5, 6, 7));
    check->setBoxLineColor(1, 1, 1);
    EXPECT_EQ(check->buttonDrawer->lineColor, RGB(1, 1, 1));
    check->release();

    auto* radio = dr::radiobutton::win::Thin::create();
    EXPECT_EQ(radio->colorB, RGB(53, 185, 56));
    radio->release();
}

TEST(DrawerClasses, ListDrawersDefaults) {
    auto* header = dr::listheader::win::Thin::create();
    EXPECT_EQ(header->getHeight(), 22);
    EXPECT_TRUE(header->buttonDrawer->pressShift);
    EXPECT_EQ(header->buttonDrawer->cornerStyle, 0);
    header->setColorA(3, 3, 3);
    EXPECT_EQ(header->buttonDrawer->lineColor, RGB(3, 3, 3));
    header->release();

    auto* def = dr::listbox::win::Basic::createDefault();
    EXPECT_EQ(def->getBackgroundColor(), RGB(255, 255, 255));
    EXPECT_EQ(def->getSelectionColor(), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(def->getSelectedTextStyle()->getColor(), GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(def->getThirdColor(), RGB(238, 238, 238));
    def->release();

    auto* list = dr::listbox::win::Thin::create();
    EXPECT_EQ(list->getSelectionColor(), RGB(120, 120, 120));
    EXPECT_EQ(list->getBackgroundColor(), RGB(51, 51, 51));
    EXPECT_EQ(list->getThirdColor(), RGB(243, 243, 243));
    list->release();
    auto* colored = dr::listbox::win::Thin::createWithColors(1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5);
    EXPECT_EQ(colored->getBackgroundColor(), RGB(1, 1, 1));
    EXPECT_EQ(colored->getTextStyle()->getColor(), RGB(2, 2, 2));
    EXPECT_EQ(colored->getSelectionColor(), RGB(3, 3, 3));
    EXPECT_EQ(colored->getSelectedTextStyle()->getColor(), RGB(4, 4, 4));
    EXPECT_EQ(colored->getThirdColor(), RGB(5, 5, 5));
    colored->release();
}

TEST(DrawerClasses, MenuDefaultsAndColourFactory) {
    testsupport::ScaleOverride o(1);
    auto* m = dr::menu::win::Basic::create();
    m->reset();
    EXPECT_EQ(m->getNormalStyle()->getSizeCode(), -2);
    EXPECT_EQ(m->getNormalStyle()->getHeight(), -11);
    EXPECT_EQ(m->getHighlightedStyle()->getColor(), GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(m->highlightColor, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_TRUE(m->flagA);
    EXPECT_FALSE(m->flagB);
    EXPECT_NE(m->getComboDrawer(), nullptr);
    m->release();
    auto* c = dr::menu::win::Basic::createWithColors(1, 2, 3, 4, 5, 6, 7, 8, 9);
    EXPECT_EQ(c->getNormalStyle()->getColor(), RGB(1, 2, 3));
    EXPECT_EQ(c->highlightColor, RGB(4, 5, 6));
    EXPECT_EQ(c->getHighlightedStyle()->getColor(), RGB(7, 8, 9));
    EXPECT_FALSE(c->flagA);
    EXPECT_TRUE(c->flagB);
    c->release();
}

TEST(DrawerClasses, InstalledAsTheToolkitDefaults) {
    s::skins::installDefaultDrawers();
    dr::IText* t = dr::createDefaultText();
    ASSERT_NE(t, nullptr);
    EXPECT_STREQ(t->getClassName(), L"s_gui_drawer_text_win_Basic");
    dr::releaseDrawer(t);
    dr::IGroupBox* g = dr::createDefaultGroupBox();
    ASSERT_NE(g, nullptr);
    EXPECT_STREQ(g->getClassName(), L"s_gui_drawer_groupbox_win_Basic");
    dr::releaseDrawer(g);
    for (s::base::IObject* d : std::initializer_list<s::base::IObject*>{
             dr::createDefaultWindow(), dr::createDefaultButton(), dr::createDefaultBorder(),
             dr::createDefaultScrollBar(), dr::createDefaultCheckBox(), dr::createDefaultRadioButton(),
             dr::createDefaultSlider(), dr::createDefaultCounter(), dr::createDefaultListHeader(),
             dr::createDefaultListBox(), dr::createDefaultStatusBar(), dr::createDefaultMenu(),
             dr::createDefaultCombo(), dr::createDefaultTabBox(), dr::createDefaultImage()}) {
        EXPECT_NE(d, nullptr);
        dr::releaseDrawer(d);
    }
}
