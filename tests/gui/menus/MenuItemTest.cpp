// Menu items: texts by id from the owner's current pack, fixed texts, and reset.
#include <gtest/gtest.h>

#include <string>

#include "MenuTestSupport.h"
#include "gui/menus/MenuItem.h"

using s::gui::menuitem::MenuItem;

TEST(MenuItem, TextByIdFollowsTheOwnersCurrentLanguage) {
    menutest::Languages lang;
    ASSERT_NE(lang.loc, nullptr);
    MenuItem* item = MenuItem::createWithTextId(101, lang.loc, 7, true);
    EXPECT_EQ(std::wstring(item->getText()), L"Save");
    EXPECT_EQ(item->getCommandId(), 7);
    EXPECT_TRUE(item->isChecked());
    EXPECT_FALSE(item->isSeparator());
    lang.loc->setLanguage(L"German");
    EXPECT_EQ(std::wstring(item->getText()), L"Speichern");
    item->release();
}

TEST(MenuItem, NoTextIdKeepsAnEmptyTextAndAFixedTextStays) {
    menutest::Languages lang;
    MenuItem* none = MenuItem::createWithTextId(-1, lang.loc, 1, false);
    EXPECT_EQ(std::wstring(none->getText()), L"");
    EXPECT_EQ(none->getTextId(), -1);

    MenuItem* fixed = MenuItem::createWithTextId(100, lang.loc, 2, false);
    fixed->setText(L"Mine");
    lang.loc->setLanguage(L"German");
    EXPECT_EQ(std::wstring(fixed->getText()), L"Mine");
    none->release();
    fixed->release();
}

TEST(MenuItem, ResetClearsEverythingBeforeTheNextUse) {
    menutest::Languages lang;
    MenuItem* item = MenuItem::createWithTextId(100, lang.loc, 9, true);
    item->setRadioChecked(true);
    int data = 0;
    item->setData(&data);
    item->release();
    // The pool hands back the object it kept, cleared.
    MenuItem* again = MenuItem::create();
    EXPECT_EQ(again->getOwner(), nullptr);
    EXPECT_EQ(again->getTextId(), -1);
    EXPECT_EQ(std::wstring(again->getText()), L"");
    EXPECT_FALSE(again->isChecked());
    EXPECT_FALSE(again->isRadioChecked());
    EXPECT_FALSE(again->isSeparator());
    EXPECT_EQ(again->getData(), nullptr);
    again->release();

    MenuItem* line = MenuItem::createSeparator();
    EXPECT_TRUE(line->isSeparator());
    line->release();
}
