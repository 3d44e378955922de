// The pop-up menu's native entries: language changes and text changes that keep check,
// radio and grey states, separators, positions among sub-menus, radio marks and removal.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "MenuTestSupport.h"
#include "gui/menus/MenuItem.h"
#include "gui/menus/PopupMenu.h"

using menutest::entryAt;
using s::gui::menuitem::MenuItem;
using s::gui::win::PopupMenu;

namespace {

struct MenuHolder {
    MenuHolder() : menu(PopupMenu::create()) {}
    ~MenuHolder() { menu->release(); }
    MenuHolder(const MenuHolder&) = delete;
    MenuHolder& operator=(const MenuHolder&) = delete;
    PopupMenu* operator->() const { return menu; }
    PopupMenu* menu;
};

class CountingListener : public s::gui::events::IEventListener {
public:
    void onEvent(s::base::IObject* source, int32_t code) override {
        lastSource = source;
        lastCode = code;
        ++count;
    }
    s::base::IObject* lastSource = nullptr;
    int32_t lastCode = -1;
    int count = 0;
};

// Open (checked), a separator, Save (radio), Print (greyed).
void fill(PopupMenu* menu, s::lang::Localizer* loc) {
    menu->setOwner(loc);
    menu->withItem(MenuItem::createWithTextId(100, loc, 100, true))
        ->withItem(MenuItem::createSeparator())
        ->withItem(MenuItem::createWithTextId(101, loc, 101, false))
        ->withItem(MenuItem::createWithTextId(102, loc, 102, false));
    menu->checkRadio(2, 2, 3);
    menu->setItemEnabled(102, false);
}

}  // namespace

TEST(PopupMenu, LanguageChangeRewritesTextsAndKeepsMarksGreyAndSeparators) {
    menutest::Languages lang;
    MenuHolder menu;
    fill(menu.menu, lang.loc);
    HMENU h = menu->getHandle();
    ASSERT_EQ(GetMenuItemCount(h), 4);
    EXPECT_EQ(entryAt(h, 0).text, L"Open");

    lang.loc->setLanguage(L"German");

    EXPECT_EQ(entryAt(h, 0).text, L"Oeffnen");
    EXPECT_TRUE(entryAt(h, 0).checked());
    EXPECT_TRUE(entryAt(h, 1).separator());
    EXPECT_EQ(entryAt(h, 2).text, L"Speichern");
    EXPECT_TRUE(entryAt(h, 2).radio());
    EXPECT_TRUE(entryAt(h, 2).checked());
    EXPECT_EQ(entryAt(h, 3).text, L"Drucken");
    EXPECT_TRUE(entryAt(h, 3).grey());
    EXPECT_FALSE(entryAt(h, 3).checked());
    EXPECT_TRUE(menu->isChecked(100));
}

TEST(PopupMenu, TextChangesKeepCheckAndGreyStates) {
    menutest::Languages lang;
    MenuHolder menu;
    fill(menu.menu, lang.loc);
    HMENU h = menu->getHandle();

    EXPECT_TRUE(menu->setItemText(100, L"Load"));
    EXPECT_TRUE(menu->setItemTextId(102, 103));
    menu->relabel();

    EXPECT_EQ(entryAt(h, 0).text, L"Load");
    EXPECT_TRUE(entryAt(h, 0).checked());
    EXPECT_EQ(entryAt(h, 3).text, L"Close");
    EXPECT_TRUE(entryAt(h, 3).grey());
    // A fixed text stays through a language change; one given by id follows it.
    lang.loc->setLanguage(L"German");
    EXPECT_EQ(entryAt(h, 0).text, L"Load");
    EXPECT_EQ(entryAt(h, 3).text, L"Schliessen");
    EXPECT_FALSE(menu->setItemText(555, L"x"));
    EXPECT_FALSE(menu->setItemTextId(555, 100));
}

TEST(PopupMenu, ChangesOfAnotherLocalizerAreIgnored) {
    menutest::Languages lang, other;
    MenuHolder menu;
    fill(menu.menu, lang.loc);
    menu->onEvent(other.loc, 0);
    other.loc->setLanguage(L"German");
    EXPECT_EQ(entryAt(menu->getHandle(), 0).text, L"Open");
}

TEST(PopupMenu, SubMenusCountSearchAndKeepTheirPositions) {
    menutest::Languages lang;
    MenuHolder menu;
    PopupMenu* sub = PopupMenu::create();
    sub->setOwner(lang.loc);
    sub->setTitleId(901);
    sub->addItem(MenuItem::createWithTextId(102, lang.loc, 20, false));
    menu->setOwner(lang.loc);
    menu->addSubMenu(sub);
    menu->addItem(MenuItem::createWithTextId(100, lang.loc, 10, false));
    menu->addItem(MenuItem::createWithTextId(101, lang.loc, 11, false));
    menu->addItem(MenuItem::createWithTextId(103, lang.loc, 12, false));

    EXPECT_EQ(menu->getEntryCount(), 4);
    HMENU h = menu->getHandle();
    EXPECT_EQ(entryAt(h, 0).sub, sub->getHandle());
    EXPECT_EQ(entryAt(h, 0).text, L"View");
    int32_t pos = -1;
    EXPECT_TRUE(menu->indexOfId(11, &pos));
    EXPECT_EQ(pos, 2);
    EXPECT_FALSE(menu->indexOfId(20, &pos));
    EXPECT_TRUE(menu->hasItem(20));
    EXPECT_EQ(menu->findItem(20), nullptr);
    EXPECT_NE(menu->findItem(12), nullptr);

    EXPECT_TRUE(menu->setChecked(20, true));
    EXPECT_TRUE(menu->isChecked(20));
    EXPECT_TRUE(entryAt(sub->getHandle(), 0).checked());
    EXPECT_FALSE(menu->setChecked(99, true));
    EXPECT_FALSE(menu->isChecked(99));

    menu->setSubMenuEnabled(sub, false);
    EXPECT_TRUE(entryAt(h, 0).grey());
    EXPECT_EQ(entryAt(h, 0).sub, sub->getHandle());

    lang.loc->setLanguage(L"German");
    EXPECT_EQ(entryAt(h, 0).text, L"Ansicht");
    EXPECT_TRUE(entryAt(h, 0).grey());
    EXPECT_EQ(entryAt(sub->getHandle(), 0).text, L"Drucken");
    EXPECT_TRUE(entryAt(sub->getHandle(), 0).checked());

    // Item 11 sits at position 2 behind the sub-menu: removing by position takes it.
    menu->removeAt(2);
    EXPECT_FALSE(menu->hasItem(11));
    EXPECT_EQ(entryAt(h, 2).id, 12u);
    menu->removeAt(0);
    EXPECT_FALSE(menu->hasItem(20));
    EXPECT_EQ(menu->getEntryCount(), 2);
    EXPECT_EQ(GetMenuItemCount(h), 2);
}

TEST(PopupMenu, RemovingASubMenuDestroysItsHandleOnce) {
    MenuHolder menu;
    PopupMenu* sub = PopupMenu::create();
    sub->setTitle(L"More");
    sub->addItem(MenuItem::createWithText(L"Deep", 30, false));
    menu->addSubMenu(sub);
    menu->addItem(MenuItem::createWithText(L"Top", 31, false));
    HMENU subHandle = sub->getHandle();
    HMENU h = menu->getHandle();

    // The sub-menu leaves its position without its handle being destroyed; its own reset
    // then destroys it, and the parent stays whole.
    menu->removeAll();
    EXPECT_FALSE(IsMenu(subHandle));
    EXPECT_FALSE(menu->hasItem(30));
    EXPECT_TRUE(IsMenu(h));
    EXPECT_EQ(GetMenuItemCount(h), 0);
    EXPECT_EQ(menu->getEntryCount(), 0);
}

TEST(PopupMenu, RadioMarksByPositionIdAndItem) {
    MenuHolder menu;
    // On an empty menu nothing happens.
    menu->checkRadioAt(0);
    menu->checkRadioAt(-1);
    menu->checkRadioById(5);
    EXPECT_EQ(menu->getEntryCount(), 0);

    MenuItem* c = MenuItem::createWithText(L"C", 3, false);
    menu->withItem(MenuItem::createWithText(L"A", 1, false))
        ->withItem(MenuItem::createWithText(L"B", 2, false))
        ->withItem(c);
    HMENU h = menu->getHandle();
    menu->checkRadioAt(1);
    EXPECT_TRUE(entryAt(h, 1).checked());
    EXPECT_TRUE(entryAt(h, 1).radio());
    EXPECT_FALSE(entryAt(h, 0).checked());
    EXPECT_TRUE(menu->findItem(2)->isRadioChecked());

    menu->checkRadioItem(c);
    EXPECT_TRUE(entryAt(h, 2).checked());
    EXPECT_FALSE(entryAt(h, 1).checked());
    EXPECT_FALSE(menu->findItem(2)->isRadioChecked());
    EXPECT_TRUE(c->isRadioChecked());

    menu->checkRadioById(1);
    EXPECT_TRUE(entryAt(h, 0).checked());
    EXPECT_FALSE(c->isRadioChecked());

    // An id the menu does not hold changes nothing; a negative position clears the marks.
    menu->checkRadioById(77);
    EXPECT_TRUE(entryAt(h, 0).checked());
    menu->checkRadioAt(-1);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(entryAt(h, i).checked()) << i;
    // A range outside the menu is refused.
    menu->checkRadio(0, 2, 7);
    EXPECT_FALSE(entryAt(h, 0).checked());
}

TEST(PopupMenu, InsertingBetweenEntriesKeepsTheItemOrder) {
    MenuHolder menu;
    menu->withItem(MenuItem::createWithText(L"A", 1, false))->withItem(MenuItem::createWithText(L"C", 3, true));
    menu->insertItem(1, MenuItem::createSeparator());
    menu->insertItem(1, MenuItem::createWithText(L"B", 2, true));
    menu->insertItem(99, MenuItem::createWithText(L"D", 4, false));
    HMENU h = menu->getHandle();
    ASSERT_EQ(GetMenuItemCount(h), 5);
    EXPECT_EQ(entryAt(h, 1).text, L"B");
    EXPECT_TRUE(entryAt(h, 1).checked());
    EXPECT_TRUE(entryAt(h, 2).separator());
    EXPECT_EQ(entryAt(h, 3).text, L"C");
    EXPECT_EQ(entryAt(h, 4).text, L"D");
    int32_t pos = -1;
    EXPECT_TRUE(menu->indexOfId(3, &pos));
    EXPECT_EQ(pos, 3);
    EXPECT_TRUE(menu->indexOfItem(menu->findItem(4), &pos));
    EXPECT_EQ(pos, 4);

    menu->removeById(2);
    menu->removeItem(menu->findItem(4));
    ASSERT_EQ(GetMenuItemCount(h), 3);
    EXPECT_TRUE(entryAt(h, 1).separator());
    EXPECT_EQ(entryAt(h, 2).text, L"C");
    EXPECT_EQ(menu->getEntryCount(), 3);
}

TEST(PopupMenu, FireCommandStoresTheIdAndTellsEveryListener) {
    MenuHolder menu;
    CountingListener a, b;
    EXPECT_EQ(menu->getLastCommand(), -1);
    menu->addListener(&a);
    menu->addListener(&b);
    menu->fireCommand(42);
    EXPECT_EQ(menu->getLastCommand(), 42);
    EXPECT_EQ(a.count, 1);
    EXPECT_EQ(b.count, 1);
    EXPECT_EQ(b.lastCode, 0);
    EXPECT_EQ(a.lastSource, static_cast<s::base::IObject*>(menu.menu));
}

TEST(PopupMenu, TitlesFollowTheLanguageOrStayFixed) {
    menutest::Languages lang;
    MenuHolder menu;
    menu->setOwner(lang.loc);
    menu->setTitleId(900);
    EXPECT_EQ(std::wstring(menu->getTitle()), L"File");
    EXPECT_EQ(menu->getTitleId(), 900);
    lang.loc->setLanguage(L"German");
    EXPECT_EQ(std::wstring(menu->getTitle()), L"Datei");
    menu->setTitle(L"Mine");
    EXPECT_EQ(menu->getTitleId(), -1);
    EXPECT_EQ(std::wstring(menu->getTitle()), L"Mine");
}
