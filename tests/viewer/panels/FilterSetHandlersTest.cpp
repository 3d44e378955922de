// The filter sets in step across the "Apply Filter..." submenu and the two set lists:
// the first start, saving, replacing, refusing, deleting, choosing, the lock, and what
// the settings store holds afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "gui/menus/MenuTestSupport.h"
#include "viewer/effects/FilterSetList.h"
#include "viewer/panels/ToolPanelsFixture.h"
#include "viewer/worker/BatchConverter.h"

using namespace toolpanelstest;
using controltest::waitFor;
using menutest::Entry;
using menutest::entryAt;
using s::gui::combobox::ComboBoxItem;

namespace {

const wchar_t* const kBuiltInNames[] = {L"Max Sharpness",
                                        L"Clear Photo",
                                        L"Cartoon Reader",
                                        L"Grayscale",
                                        L"Box (250 x 250) + Sharpen",
                                        L"Box Fill (250 x 250) + Sharpen"};

class FilterSetHandlersTest : public ToolPanelsTest {
protected:
    std::vector<std::wstring> expectedLists(std::initializer_list<const wchar_t*> users) {
        std::vector<std::wstring> out{L"Current Filter Set", kSetListSeparator};
        for (const wchar_t* name : kBuiltInNames) out.push_back(name);
        out.push_back(kSetListSeparator);
        if (users.size() == 0) out.push_back(L"(Please Add Your Own Filter Set)");
        for (const wchar_t* name : users) out.push_back(name);
        return out;
    }
    // The submenu after "Current Filter Set": "---" for a line, else "text #id".
    std::vector<std::wstring> menuTail() {
        std::vector<std::wstring> out;
        HMENU m = filterMenu();
        bool after = false;
        for (int i = 0; i < GetMenuItemCount(m); ++i) {
            Entry e = entryAt(m, i);
            if (after) out.push_back(e.separator() ? L"---" : e.text + L" #" + std::to_wstring(e.id));
            if (e.id == UINT(cmd::kCurrentFilterSet)) after = true;
        }
        return out;
    }
    // The command of the submenu item of that text, 0 when none.
    int32_t commandOfItem(const wchar_t* text) {
        HMENU m = filterMenu();
        for (int i = 0; i < GetMenuItemCount(m); ++i) {
            Entry e = entryAt(m, i);
            if (e.text == text) return int32_t(e.id);
        }
        return 0;
    }
    // The position of the submenu's radio mark, -1 when none.
    int radioPosition() {
        HMENU m = filterMenu();
        for (int i = 0; i < GetMenuItemCount(m); ++i)
            if (entryAt(m, i).radio() && entryAt(m, i).checked()) return i;
        return -1;
    }
    int positionOf(int32_t command) {
        HMENU m = filterMenu();
        for (int i = 0; i < GetMenuItemCount(m); ++i)
            if (entryAt(m, i).id == UINT(command)) return i;
        return -1;
    }
    void save(const wchar_t* name, int32_t sharpness, MessageBoxes& boxes) {
        host->current->sharpness = sharpness;
        c->nameField->setText(name, false);
        tools->handleEvent(c->saveSetButton, s::gui::ButtonEvent::kAction);
        (void)boxes;
    }
    std::wstring filterPath() { return path(L"Filter"); }
};

TEST_F(FilterSetHandlersTest, FirstStartListsBuiltInsSeparatorAndPlaceholder) {
    make();
    EXPECT_EQ(entries(c->setList), expectedLists({}));
    EXPECT_EQ(entries(c->convertSetList), expectedLists({}));
    EXPECT_TRUE(c->setList->getItem(int32_t(c->setList->getItemCount()) - 1)->isSeparator());

    std::vector<std::wstring> tail = menuTail();
    ASSERT_EQ(tail.size(), 9u);
    EXPECT_EQ(tail[0], L"---");
    for (int i = 0; i < 6; ++i) EXPECT_EQ(tail[1 + i].substr(0, wcslen(kBuiltInNames[i])), kBuiltInNames[i]);
    EXPECT_EQ(tail[7], L"---");
    EXPECT_EQ(tail[8], L"(Please Create Your Own Filter Set) #684");
    EXPECT_EQ(radioPosition(), positionOf(cmd::kCurrentFilterSet));
    EXPECT_EQ(std::wstring(host->current->name->text()), L"Current Filter Set");
    EXPECT_FALSE(c->deleteButton->isEnabled());
    EXPECT_EQ(tools->filterSets().count(), kBuiltInSetCount);
    // Nothing is written at start.
    EXPECT_EQ(registry.typeOf(filterPath(), L"Length"), 0u);
}

TEST_F(FilterSetHandlersTest, StoredUserSetsAreListedAfterTheBuiltIns) {
    for (int k = 0; k < 2; ++k) {
        EffectData* set = EffectData::create();
        set->name->setText(k == 0 ? L"Night" : L"Day");
        set->sharpness = 10 + k;
        set->save(registry.store(), FilterSetList::userSetSection(L"MainWindow", k).c_str());
        set->release();
    }
    registry.putDword(filterPath(), L"Length", 2);
    make();
    EXPECT_EQ(entries(c->setList), expectedLists({L"Night", L"Day"}));
    EXPECT_EQ(positionOf(cmd::kNoFilterSetYet), -1);
    const int32_t night = commandOfItem(L"Night"), day = commandOfItem(L"Day");
    EXPECT_GT(night, cmd::kCurrentFilterSet);
    EXPECT_NE(night, day);

    // A stored set is the user's own even when its section says otherwise.
    tools->chooseSetCommand(night);
    EXPECT_EQ(host->current->sharpness, 10);
    EXPECT_TRUE(c->deleteButton->isEnabled());
    MessageBoxes boxes;
    tools->handleEvent(c->deleteButton, s::gui::ButtonEvent::kAction);
    EXPECT_EQ(entries(c->setList), expectedLists({L"Day"}));
    EXPECT_EQ(registry.dwordOf(filterPath(), L"Length"), 1u);
}

TEST_F(FilterSetHandlersTest, SavingStoresTheSetAndDropsThePlaceholders) {
    make();
    MessageBoxes boxes;
    save(L"Mine", 42, boxes);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], L"\"Mine\" has been saved.");
    EXPECT_EQ(entries(c->setList), expectedLists({L"Mine"}));
    EXPECT_EQ(entries(c->convertSetList), expectedLists({L"Mine"}));
    EXPECT_EQ(positionOf(cmd::kNoFilterSetYet), -1);
    EXPECT_EQ(menuTail().back().substr(0, 5), L"Mine ");

    EXPECT_EQ(registry.dwordOf(filterPath(), L"Length"), 1u);
    EffectData* stored = EffectData::create();
    stored->load(registry.store(), FilterSetList::userSetSection(L"MainWindow", 0).c_str());
    EXPECT_EQ(std::wstring(stored->name->text()), L"Mine");
    EXPECT_EQ(stored->sharpness, 42);
    stored->release();
}

TEST_F(FilterSetHandlersTest, SavingAnExistingNameAsksFirst) {
    make();
    {
        MessageBoxes boxes;
        save(L"Mine", 10, boxes);
    }
    struct Case {
        int answer;
        int32_t kept;  // the sharpness the stored set has afterwards
    };
    for (const Case& k : {Case{IDNO, 10}, Case{IDYES, 77}}) {
        SCOPED_TRACE(k.answer);
        MessageBoxes boxes(k.answer);
        save(L"mine", 77, boxes);  // names are compared ignoring case
        ASSERT_GE(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0], L"The filter set with the same name already exists. Would you like to replace it?");
        EXPECT_EQ(tools->filterSets().userCount(), 1u);
        const int32_t index = tools->filterSets().indexOfName(L"Mine");
        ASSERT_GE(index, 0);
        EXPECT_EQ(tools->filterSets().at(uint32_t(index))->sharpness, k.kept);
        EXPECT_EQ(registry.dwordOf(filterPath(), L"Length"), 1u);
        // No answer leaves the panels' values as they were.
        EXPECT_EQ(host->current->sharpness, 77);
        EXPECT_EQ(c->setList->getItemCount(), int32_t(expectedLists({L"x"}).size()));
    }
}

TEST_F(FilterSetHandlersTest, BuiltInNamesAreRefused) {
    make();
    MessageBoxes boxes;
    save(L"grayscale", 5, boxes);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], L"A built-in filter set has this name. Please choose another name.");
    EXPECT_NE(boxes.types[0] & MB_ICONERROR, 0u);
    EXPECT_EQ(tools->filterSets().count(), kBuiltInSetCount);
    EXPECT_EQ(std::wstring(tools->filterSets().at(3)->name->text()), L"Grayscale");
    EXPECT_EQ(entries(c->setList), expectedLists({}));
    EXPECT_EQ(registry.typeOf(filterPath(), L"Length"), 0u);

    // An empty name saves nothing and says nothing.
    MessageBoxes quiet;
    save(L"", 5, quiet);
    EXPECT_TRUE(quiet.texts.empty());
    EXPECT_EQ(tools->filterSets().count(), kBuiltInSetCount);
}

TEST_F(FilterSetHandlersTest, DeletingTheOnlyUserSetRestoresThePlaceholders) {
    make();
    MessageBoxes boxes;
    save(L"Mine", 10, boxes);
    const int32_t index = int32_t(c->setList->getItemCount()) - 1;
    c->setList->select(index, false);
    tools->handleEvent(c->setList, 0);
    EXPECT_TRUE(c->deleteButton->isEnabled());
    boxes.texts.clear();
    tools->handleEvent(c->deleteButton, s::gui::ButtonEvent::kAction);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], L"Are you sure you want to delete this filter set?");

    EXPECT_EQ(entries(c->setList), expectedLists({}));
    EXPECT_EQ(entries(c->convertSetList), expectedLists({}));
    std::vector<std::wstring> tail = menuTail();
    EXPECT_EQ(tail.back(), L"(Please Create Your Own Filter Set) #684");
    EXPECT_EQ(tail[tail.size() - 2], L"---");
    EXPECT_EQ(std::count(tail.begin(), tail.end(), L"---"), 2);
    EXPECT_EQ(registry.dwordOf(filterPath(), L"Length"), 0u);
    EXPECT_EQ(c->setList->getSelectedIndex(), 0);
    EXPECT_FALSE(c->deleteButton->isEnabled());
    EXPECT_EQ(radioPosition(), positionOf(cmd::kCurrentFilterSet));
}

TEST_F(FilterSetHandlersTest, AnsweringNoKeepsTheSet) {
    make();
    MessageBoxes boxes;
    save(L"Mine", 10, boxes);
    c->setList->select(int32_t(c->setList->getItemCount()) - 1, false);
    tools->handleEvent(c->setList, 0);
    boxes.answer = IDNO;
    tools->handleEvent(c->deleteButton, s::gui::ButtonEvent::kAction);
    EXPECT_EQ(tools->filterSets().userCount(), 1u);
    EXPECT_EQ(entries(c->setList), expectedLists({L"Mine"}));
}

TEST_F(FilterSetHandlersTest, CurrentFilterSetBringsBackTheEarlierValues) {
    make();
    host->current->sharpness = 37;
    host->current->hue = 12;
    const int32_t maxSharpness = commandOfItem(L"Max Sharpness");
    ASSERT_NE(maxSharpness, 0);
    tools->chooseSetCommand(maxSharpness);
    const EffectData* set = tools->filterSets().at(0);
    EXPECT_EQ(tools->shownFilterSet(), set);
    EXPECT_EQ(host->current->sharpness, set->sharpness);
    EXPECT_EQ(radioPosition(), positionOf(maxSharpness));
    EXPECT_EQ(c->setList->getSelectedItem()->getData(), reinterpret_cast<intptr_t>(set));
    EXPECT_EQ(c->convertSetList->getSelectedItem()->getData(), reinterpret_cast<intptr_t>(set));
    EXPECT_FALSE(c->deleteButton->isEnabled());  // a built-in set

    // A second stored set, then back through the list's first entry.
    tools->chooseSetCommand(commandOfItem(L"Grayscale"));
    c->setList->select(0, false);
    tools->handleEvent(c->setList, 0);
    EXPECT_EQ(host->current->sharpness, 37);
    EXPECT_EQ(host->current->hue, 12);
    EXPECT_EQ(tools->shownFilterSet(), host->current);
    EXPECT_EQ(radioPosition(), positionOf(cmd::kCurrentFilterSet));
    EXPECT_EQ(c->convertSetList->getSelectedIndex(), 0);
    EXPECT_EQ(tools->convertFilterSet(), host->current);

    // Choosing it again while it shows keeps the values.
    tools->chooseSetCommand(cmd::kCurrentFilterSet);
    EXPECT_EQ(host->current->sharpness, 37);
}

TEST_F(FilterSetHandlersTest, RadioMarksLeaveTheLockCheckAlone) {
    make();
    tools->handleEvent(c->lockButton, s::gui::ButtonEvent::kToggle);  // not toggled: off
    EXPECT_FALSE(host->filters.locked);
    c->lockButton->setToggled(true);
    tools->handleEvent(c->lockButton, s::gui::ButtonEvent::kToggle);
    EXPECT_TRUE(host->filters.locked);
    EXPECT_TRUE(menu->getSubMenu(RightClickMenu::kFilter)->isChecked(cmd::kFilterLock));

    // Loading a set works with the lock off and gives it back afterwards.
    tools->chooseSetCommand(commandOfItem(L"Clear Photo"));
    EXPECT_FALSE(host->filters.loadedWhileLocked);
    EXPECT_TRUE(host->filters.locked);
    EXPECT_TRUE(menu->getSubMenu(RightClickMenu::kFilter)->isChecked(cmd::kFilterLock));

    tools->setLockedFromMenu(false);
    EXPECT_FALSE(host->filters.locked);
    EXPECT_FALSE(c->lockButton->isToggled());

    tools->handleEvent(c->clearButton, s::gui::ButtonEvent::kAction);
    EXPECT_TRUE(host->filters.lastReset.reshow);
    EXPECT_TRUE(host->filters.lastReset.clearSelection);
    EXPECT_TRUE(host->filters.lastReset.ignoreLock);
}

TEST_F(FilterSetHandlersTest, CommandIdsStayUniqueAfterDeletions) {
    make();
    MessageBoxes boxes;
    save(L"A", 1, boxes);
    save(L"B", 2, boxes);
    save(L"C", 3, boxes);
    tools->deleteFilterSet(L"B");
    save(L"D", 4, boxes);
    save(L"E", 5, boxes);

    std::set<int32_t> ids;
    for (const wchar_t* name : {L"A", L"C", L"D", L"E"}) {
        const int32_t id = commandOfItem(name);
        EXPECT_GT(id, cmd::kCurrentFilterSet) << name;
        EXPECT_LT(id, cmd::kFirstAboutId) << name;
        ids.insert(id);
    }
    for (const wchar_t* name : kBuiltInNames) ids.insert(commandOfItem(name));
    EXPECT_EQ(ids.size(), 10u);

    tools->chooseSetCommand(commandOfItem(L"D"));
    EXPECT_EQ(host->current->sharpness, 4);
    EXPECT_STREQ(tools->shownFilterSet()->name->text(), L"D");
    EXPECT_TRUE(c->deleteButton->isEnabled());

    // The store holds the remaining sets in list order.
    EXPECT_EQ(registry.dwordOf(filterPath(), L"Length"), 4u);
    const wchar_t* order[] = {L"A", L"C", L"D", L"E"};
    for (int k = 0; k < 4; ++k) {
        EffectData* stored = EffectData::create();
        stored->load(registry.store(), FilterSetList::userSetSection(L"MainWindow", k).c_str());
        EXPECT_STREQ(stored->name->text(), order[k]);
        stored->release();
    }
}

TEST_F(FilterSetHandlersTest, SeparatorsAndPlaceholderCannotStayChosen) {
    make();
    tools->chooseSetCommand(commandOfItem(L"Grayscale"));
    const int32_t before = c->setList->getSelectedIndex();
    for (int32_t index : {1, 8, 9}) {  // the two lines and the placeholder
        SCOPED_TRACE(index);
        ASSERT_TRUE(c->setList->getItem(index)->isSeparator());
        c->setList->select(index, false);
        tools->handleEvent(c->setList, 0);
        EXPECT_EQ(c->setList->getSelectedIndex(), before);
    }
    EXPECT_STREQ(tools->shownFilterSet()->name->text(), L"Grayscale");
}

TEST_F(FilterSetHandlersTest, ConversionGetsACopyOfTheChosenSet) {
    make();
    MessageBoxes boxes;
    save(L"Mine", 55, boxes);
    c->convertKindList->selectByData(kConvertFilterSet, false);
    tools->handleEvent(c->convertKindList, 0);
    const int32_t index = int32_t(c->convertSetList->getItemCount()) - 1;
    c->convertSetList->select(index, false);
    tools->handleEvent(c->convertSetList, 0);
    EffectData* chosen = reinterpret_cast<EffectData*>(c->convertSetList->getSelectedItem()->getData());
    EXPECT_EQ(tools->convertFilterSet(), chosen);
    // The panels are not touched by the conversion's list.
    EXPECT_EQ(tools->shownFilterSet(), host->current);

    ConvertRequest request;
    ASSERT_TRUE(tools->fillConvertRequest(&request));
    EXPECT_EQ(request.type, kConvertFilterSet);
    ASSERT_NE(request.filterSet, nullptr);
    EXPECT_NE(request.filterSet, chosen);
    EXPECT_TRUE(request.filterSet->sameValues(chosen));
    EXPECT_EQ(registry.textOf(path(L"Convert"), L"Type"), L"FilterSet");
    EXPECT_EQ(registry.textOf(path(L"Convert"), L"FilterSet_Name"), L"Mine");

    // Deleting the set leaves the request's copy whole.
    tools->deleteFilterSet(L"Mine");
    EXPECT_EQ(request.filterSet->sharpness, 55);
    EXPECT_STREQ(request.filterSet->name->text(), L"Mine");
    EXPECT_EQ(tools->convertFilterSet(), host->current);
}

TEST_F(FilterSetHandlersTest, ConvertListCurrentEntryTakesTheValuesKeptBeforeASwitch) {
    make();
    host->current->sharpness = 21;
    tools->chooseSetCommand(commandOfItem(L"Max Sharpness"));
    c->convertSetList->select(0, false);
    tools->handleEvent(c->convertSetList, 0);
    EffectData* set = tools->convertFilterSet();
    ASSERT_NE(set, nullptr);
    EXPECT_NE(set, host->current);
    EXPECT_EQ(set->sharpness, 21);
    // A panel change drops the kept values; the conversion then takes the current ones.
    tools->showCurrentSetSelected();
    EXPECT_EQ(tools->convertFilterSet(), host->current);
    EXPECT_EQ(tools->shownFilterSet(), host->current);
    EXPECT_EQ(c->setList->getSelectedIndex(), 0);
    EXPECT_FALSE(c->deleteButton->isEnabled());
    EXPECT_EQ(radioPosition(), positionOf(cmd::kCurrentFilterSet));
}

TEST_F(FilterSetHandlersTest, PanelChangesOnTheCurrentValuesKeepTheConversionChoice) {
    make();
    c->convertSetList->select(3, false);  // "Clear Photo"
    tools->handleEvent(c->convertSetList, 0);
    EffectData* chosen = tools->convertFilterSet();
    ASSERT_NE(chosen, host->current);
    host->pictureShown = false;
    tools->showCurrentSetSelected();
    EXPECT_EQ(tools->convertFilterSet(), chosen);
    EXPECT_EQ(c->convertSetList->getSelectedIndex(), 3);
    EXPECT_EQ(tools->pendingSetName(), L"Current Filter Set");
}

TEST_F(FilterSetHandlersTest, PendingNameFollowsLoadsWithoutAPicture) {
    make();
    host->pictureShown = false;
    tools->loadFilterSet(L"clear photo");
    EXPECT_EQ(tools->pendingSetName(), L"clear photo");
    tools->loadFilterSet(nullptr);
    EXPECT_EQ(tools->pendingSetName(), L"");
    // A name no set has loads nothing.
    const size_t loads = host->filters.loaded.size();
    tools->loadFilterSet(L"Nowhere");
    EXPECT_EQ(host->filters.loaded.size(), loads);
}

}  // namespace

namespace {

TEST_F(FilterSetHandlersTest, BuiltInEntriesFollowTheLanguage) {
    make();
    MessageBoxes boxes;
    save(L"Mine", 1, boxes);
    pack.loc->setLanguage(L"Japanese");
    ASSERT_TRUE(
        controltest::waitFor([&] { return std::wstring(c->setList->getItem(2)->getText()) != L"Max Sharpness"; }));
    EXPECT_EQ(std::wstring(c->setList->getItem(2)->getText()), pack.loc->getText(kBuiltInSetTextIds[0]));
    EXPECT_EQ(std::wstring(c->convertSetList->getItem(2)->getText()), pack.loc->getText(kBuiltInSetTextIds[0]));
    // A user's own name stays as typed.
    EXPECT_EQ(entries(c->setList).back(), L"Mine");
    pack.loc->setLanguage(L"English");
}

}  // namespace

namespace {

// The user's choice in the list as the platform reports it: the list's own selection,
// then the change told to the panel that holds it.
void userPicks(s::gui::win::ComboBox* box, s::gui::IBox* holder, int32_t index) {
    SendMessageW(box->m_hWnd, CB_SETCURSEL, WPARAM(index), 0);
    SendMessageW(dynamic_cast<s::gui::win::Box*>(holder)->m_hWnd, WM_COMMAND,
                 MAKEWPARAM(s::gui::win::ComboBox::kControlId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box->m_hWnd));
}

TEST_F(FilterSetHandlersTest, UserChoicesInTheListReachTheHandlers) {
    make();
    s::gui::IBox* holder = tools->panelFor(cmd::kPanelLoadFilterSet);
    userPicks(c->setList, holder, 5);  // "Grayscale"
    ASSERT_TRUE(waitFor([&] { return !host->filters.loaded.empty(); }));
    EXPECT_EQ(host->filters.loaded.back(), tools->filterSets().at(3));
    EXPECT_EQ(radioPosition(), positionOf(commandOfItem(L"Grayscale")));
    EXPECT_EQ(c->convertSetList->getSelectedIndex(), 5);

    // The line between the sets goes back to the entry chosen before.
    userPicks(c->setList, holder, 8);
    EXPECT_EQ(c->setList->getSelectedIndex(), 5);
    EXPECT_EQ(SendMessageW(c->setList->m_hWnd, CB_GETCURSEL, 0, 0), 5);
    EXPECT_EQ(host->filters.loaded.size(), 1u);
}

}  // namespace
