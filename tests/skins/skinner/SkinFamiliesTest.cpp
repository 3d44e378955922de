#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/drawer/DefaultDrawers.h"
#include "gui/fonts/IFontSetting.h"
#include "skins/drawers/ButtonDrawer.h"
#include "skins/drawers/CheckBoxDrawer.h"
#include "skins/drawers/CounterDrawer.h"
#include "skins/drawers/ListDrawers.h"
#include "skins/drawers/MenuDrawers.h"
#include "skins/drawers/SliderDrawer.h"
#include "skins/drawers/WindowDrawer.h"
#include "skins/families/SkinFamilies.h"
#include "skins/skinner/Skinner.h"
#include "support/PixelCanvas.h"

namespace drawer = s::gui::drawer;
using drawer::ISkin;
using drawer::Skinner;

namespace {

Skinner* skinnerOf(const wchar_t* family) {
    Skinner* s = Skinner::create();
    s->familyName()->setText(family);
    s->registerBuiltinSkins();
    return s;
}

std::vector<std::wstring> namesOf(Skinner* s) {
    std::vector<std::wstring> names;
    for (uint32_t i = 0; i < s->getSkinCount(); ++i) names.push_back(s->getSkinName(i));
    return names;
}

// Every drawer of a skin is there, of the skins' class for its kind.
void expectSkinClasses(ISkin* skin) {
    SCOPED_TRACE(std::wstring(skin->getName()).size());
    struct Kind {
        s::base::IObject* drawer;
        const wchar_t* className;
    } kinds[] = {
        {skin->getWindowDrawer(), L"s_gui_drawer_window_win_Thin"},
        {skin->getButtonDrawer(), L"s_gui_drawer_button_win_Thin"},
        {skin->getTextDrawer(), L"s_gui_drawer_text_win_Basic"},
        {skin->getScrollBarDrawer(), L"s_gui_drawer_scrollbar_win_Thin"},
        {skin->getCheckBoxDrawer(), L"s_gui_drawer_checkbox_win_Thin"},
        {skin->getRadioButtonDrawer(), L"s_gui_drawer_radiobutton_win_Thin"},
        {skin->getSliderDrawer(), L"s_gui_drawer_slider_win_Thin"},
        {skin->getCounterDrawer(), L"s_gui_drawer_counter_win_Basic"},
        {skin->getListHeaderDrawer(), L"s_gui_drawer_listheader_win_Thin"},
        {skin->getListBoxDrawer(), L"s_gui_drawer_listbox_win_Thin"},
        {skin->getStatusBarDrawer(), L"s_gui_drawer_statusbar_win_Thin"},
        {skin->getMenuDrawer(), L"s_gui_drawer_menu_win_Basic"},
        {skin->getComboDrawer(), L"s_gui_drawer_combo_win_Thin"},
        {skin->getGroupBoxDrawer(), L"s_gui_drawer_groupbox_win_Thin"},
        {skin->getTabBoxDrawer(), L"s_gui_drawer_tabbox_win_Thin"},
    };
    for (const Kind& k : kinds) {
        ASSERT_NE(k.drawer, nullptr) << k.className;
        EXPECT_STREQ(k.drawer->getClassName(), k.className);
    }
}

TEST(SkinFamilies, ThinWindowRegistersSixteenSkinsInOrder) {
    Skinner* s = skinnerOf(L"thinWINDOW");
    std::vector<std::wstring> expected = {
        L"White",    L"Ivory", L"Black",      L"Black II", L"Black Black", L"Black Black II", L"Classic LG", L"Beige",
        L"Sky Blue", L"Pink",  L"Salmon Red", L"Yellow",   L"Green",       L"Orange",         L"Khaki",      L"Indigo"};
    EXPECT_EQ(namesOf(s), expected);
    for (uint32_t i = 0; i < s->getSkinCount(); ++i) {
        EXPECT_STREQ(s->getSkin(i)->getClassName(), L"s_gui_drawer_skin_ThinWindow");
        expectSkinClasses(s->getSkin(i));
    }
    EXPECT_EQ(s->getCurrentSkin(), nullptr);  // registering selects nothing
    s->release();
}

TEST(SkinFamilies, ThinRegistersThirteenSkinsInOrder) {
    Skinner* s = skinnerOf(L"Thin");
    std::vector<std::wstring> expected = {L"White", L"Light Gray", L"Black",     L"Ivory",  L"Sky Blue",
                                          L"Pink",  L"Green",      L"Green2",    L"Yellow", L"Orange",
                                          L"Khaki", L"Indigo",     L"Salmon Red"};
    EXPECT_EQ(namesOf(s), expected);
    for (uint32_t i = 0; i < s->getSkinCount(); ++i) {
        EXPECT_STREQ(s->getSkin(i)->getClassName(), L"s_gui_drawer_skin_Thin");
        expectSkinClasses(s->getSkin(i));
    }
    s->release();
}

TEST(SkinFamilies, OtherFamiliesRegisterNothing) {
    for (const wchar_t* family : {L"Basic", L"Thin ", L"ThinWindows", L""}) {
        Skinner* s = skinnerOf(family);
        EXPECT_EQ(s->getSkinCount(), 0u);
        s->release();
    }
}

TEST(SkinFamilies, PresetIdsWithoutAPreset) {
    for (int32_t id : {0, 5, 14, 15, 20, -1}) EXPECT_EQ(drawer::skin::ThinWindow::preset(id), nullptr) << id;
    for (int32_t id : {0, 5, 15, 16, 19}) EXPECT_EQ(drawer::skin::Thin::preset(id), nullptr) << id;
    ISkin* green2 = drawer::skin::Thin::preset(14);
    ASSERT_NE(green2, nullptr);
    EXPECT_STREQ(green2->getName(), L"Green2");
    green2->release();
}

COLORREF textColour(s::gui::IFontSetting* style) { return style->getColor(); }

TEST(SkinFamilies, DrawersCarryThePresetColours) {
    Skinner* tw = skinnerOf(L"ThinWindow");
    Skinner* thin = skinnerOf(L"Thin");
    auto skin = [](Skinner* s, const wchar_t* name) {
        uint32_t i = 0;
        EXPECT_TRUE(s->findSkin(name, &i)) << std::wstring(name).size();
        return s->getSkin(i);
    };
    auto counter = [](ISkin* k) { return static_cast<drawer::counter::win::Basic*>(k->getCounterDrawer()); };
    auto button = [](ISkin* k) { return static_cast<drawer::button::win::Thin*>(k->getButtonDrawer()); };
    auto slider = [](ISkin* k) { return static_cast<drawer::slider::win::Thin*>(k->getSliderDrawer()); };
    auto check = [](ISkin* k) { return static_cast<drawer::checkbox::win::Thin*>(k->getCheckBoxDrawer()); };
    auto menu = [](ISkin* k) { return static_cast<drawer::menu::win::Basic*>(k->getMenuDrawer()); };
    auto group = [](ISkin* k) { return static_cast<drawer::groupbox::win::Thin*>(k->getGroupBoxDrawer()); };
    auto menuCombo = [&](ISkin* k) { return static_cast<drawer::combo::win::Thin*>(menu(k)->getComboDrawer()); };

    struct Spot {
        const char* what;
        COLORREF actual, expected;
    } spots[] = {
        {"Classic LG counter A", counter(skin(tw, L"Classic LG"))->colorA, RGB(195, 234, 0)},
        {"Classic LG counter B", counter(skin(tw, L"Classic LG"))->colorB, RGB(25, 25, 25)},
        {"White counter B", counter(skin(tw, L"White"))->colorB, RGB(255, 165, 0)},
        {"Indigo counter B", counter(skin(tw, L"Indigo"))->colorB, RGB(255, 165, 0)},
        {"Black window background", skin(tw, L"Black")->getWindowDrawer()->getBackgroundColor(), RGB(51, 51, 51)},
        {"Black window frame",
         RGB(skin(tw, L"Black")->getWindowDrawer()->getFrameRed(),
             skin(tw, L"Black")->getWindowDrawer()->getFrameGreen(),
             skin(tw, L"Black")->getWindowDrawer()->getFrameBlue()),
         RGB(85, 85, 85)},
        {"Khaki button line", button(skin(tw, L"Khaki"))->lineColor, RGB(146, 185, 65)},
        {"Khaki button fill", button(skin(tw, L"Khaki"))->fillColor, RGB(221, 135, 2)},
        {"Beige button idle line", button(skin(tw, L"Beige"))->idleLineColor, RGB(170, 170, 170)},
        {"Salmon Red toggled text", textColour(button(skin(tw, L"Salmon Red"))->getSecondTextStyle1()),
         RGB(255, 48, 92)},
        {"Ivory text style 1", textColour(skin(tw, L"Ivory")->getTextDrawer()->getStyle1()), RGB(0, 0, 0)},
        {"Ivory text style 1 second", skin(tw, L"Ivory")->getTextDrawer()->getStyle1()->getColor2(),
         RGB(242, 240, 230)},
        {"Ivory text style 4", textColour(skin(tw, L"Ivory")->getTextDrawer()->getStyle4()), RGB(0, 0, 0)},
        {"Sky Blue slider fill", slider(skin(tw, L"Sky Blue"))->colorA, RGB(87, 133, 255)},
        {"Classic LG slider disabled", slider(skin(tw, L"Classic LG"))->colorC, RGB(86, 86, 86)},
        {"Pink check box frame", check(skin(tw, L"Pink"))->colorB, RGB(255, 93, 162)},
        {"Pink list background", skin(tw, L"Pink")->getListBoxDrawer()->getBackgroundColor(), RGB(255, 255, 255)},
        {"Pink list selection", skin(tw, L"Pink")->getListBoxDrawer()->getSelectionColor(), RGB(255, 93, 162)},
        {"Classic LG list third", skin(tw, L"Classic LG")->getListBoxDrawer()->getThirdColor(), RGB(56, 56, 56)},
        {"Indigo group frame",
         RGB(group(skin(tw, L"Indigo"))->getFrameRed(), group(skin(tw, L"Indigo"))->getFrameGreen(),
             group(skin(tw, L"Indigo"))->getFrameBlue()),
         RGB(192, 125, 255)},
        {"Yellow menu highlight", menu(skin(tw, L"Yellow"))->highlightColor, RGB(224, 206, 0)},
        {"Yellow menu highlighted text", textColour(menu(skin(tw, L"Yellow"))->getHighlightedStyle()),
         RGB(252, 255, 91)},
        {"Yellow menu's combo frame", menuCombo(skin(tw, L"Yellow"))->frameColor, RGB(224, 206, 0)},
        {"Thin Green text", textColour(skin(thin, L"Green")->getTextDrawer()->getStyle1()), RGB(0, 51, 0)},
        {"Thin Green2 window background", skin(thin, L"Green2")->getWindowDrawer()->getBackgroundColor(),
         RGB(213, 235, 107)},
        {"Thin Salmon Red list third", skin(thin, L"Salmon Red")->getListBoxDrawer()->getThirdColor(),
         RGB(243, 243, 243)},
        {"Thin Black slider fill", slider(skin(thin, L"Black"))->colorA, RGB(176, 176, 176)},
        {"Thin Black counter A", counter(skin(thin, L"Black"))->colorA, RGB(213, 235, 107)},
        {"Thin Khaki menu text", textColour(menu(skin(thin, L"Khaki"))->getNormalStyle()), RGB(255, 255, 255)},
    };
    for (const Spot& s : spots) EXPECT_EQ(s.actual, s.expected) << s.what;
    tw->release();
    thin->release();
}

TEST(SkinFamilies, SkinScrollBarsAreFifteenWideAtEveryScale) {
    for (int scale : {1, 2, 4}) {
        testsupport::ScaleOverride override(scale);
        ISkin* skin = drawer::skin::ThinWindow::preset(3);
        EXPECT_EQ(skin->getScrollBarDrawer()->getWidth(), 15) << scale;
        skin->release();
    }
}

TEST(SkinFamilies, ReleasedSkinGivesItsDrawersBack) {
    ISkin* skin = drawer::skin::ThinWindow::preset(19);
    uint32_t before = drawer::slider::win::Thin::pooler()->pooledCount();
    skin->release();
    EXPECT_EQ(drawer::slider::win::Thin::pooler()->pooledCount(), before + 1);
    ISkin* again = drawer::skin::ThinWindow::create();
    EXPECT_EQ(again->getSliderDrawer(), nullptr);
    EXPECT_EQ(again->getWindowDrawer(), nullptr);
    EXPECT_STREQ(again->getName(), L"");
    again->release();
}

struct Counting : s::gui::events::IEventListener {
    int calls = 0;
    void onEvent(s::base::IObject*, int32_t) override { ++calls; }
};

TEST(SkinFamilies, SwitchingSkinsTellsTheListenersOnce) {
    Skinner* s = skinnerOf(L"ThinWindow");
    s->selectSkinByName(L"white");
    EXPECT_STREQ(s->getCurrentSkin()->getName(), L"White");
    Counting a, b;
    s->addListener(&a);
    s->addListener(&b);
    s->selectSkin(6);
    EXPECT_STREQ(s->getCurrentSkin()->getName(), L"Classic LG");
    EXPECT_EQ(a.calls, 1);
    EXPECT_EQ(b.calls, 1);
    s->selectSkin(99);
    s->selectSkinByName(L"Classic LG");
    EXPECT_EQ(a.calls, 1);
    s->release();
}

}  // namespace
