// The filter sets at work: the list of built-in and user sets, kept in step across the
// "Apply Filter..." submenu, the "Load Filter Set" list and the convert filter-set list;
// loading a set into the filter panels, saving the current values as a set, deleting
// one, and the lock that keeps the filters over new pictures.
#include <cwchar>

#include "gui/dialogs/MessageBox.h"
#include "gui/menus/MenuItem.h"
#include "gui/menus/PopupMenu.h"
#include "platform/lang/Localizer.h"
#include "viewer/effects/EffectData.h"
#include "viewer/menus/CommandIds.h"
#include "viewer/menus/RightClickMenu.h"
#include "viewer/panels/IFilterPanels.h"
#include "viewer/panels/IToolPanelHost.h"
#include "viewer/panels/ToolPanelControls.h"
#include "viewer/settings/ViewerSettings.h"

namespace s::image::gui::dialogs::imageview {

using namespace toolshape;
using s::gui::IComponent;
using s::gui::combobox::ComboBoxItem;
using s::gui::menuitem::MenuItem;
using s::gui::win::PopupMenu;
namespace cmd = command;

namespace {

intptr_t dataOf(const EffectData* set) { return set ? reinterpret_cast<intptr_t>(set) : -1; }

}  // namespace

PopupMenu* ToolPanels::filterMenu() const {
    RightClickMenu* menu = host_->rightClickMenu();
    return menu ? menu->getSubMenu(RightClickMenu::kFilter) : nullptr;
}

std::wstring ToolPanels::settingsRoot() const {
    std::wstring path = settings_ ? settings_->pathOf(L"") : std::wstring();
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

void ToolPanels::saveUserSetsToStore() {
    if (settings_ && settings_->getStore()) sets_.saveUserSets(settings_->getStore(), settingsRoot().c_str());
}

bool ToolPanels::isUserSet(const EffectData* set) const {
    for (uint32_t i = sets_.builtInCount(); i < sets_.count(); ++i)
        if (sets_.at(i) == set) return true;
    return false;
}

int32_t ToolPanels::commandOf(const EffectData* set) const {
    auto found = commands_.find(set);
    return found == commands_.end() ? 0 : found->second;
}

int32_t ToolPanels::allocateCommand() {
    // Ids are never reused while their item lives, and stay below the About ids.
    auto used = [this](int32_t id) {
        for (const auto& [set, command] : commands_)
            if (command == id) return true;
        return false;
    };
    if (nextCommand_ <= cmd::kCurrentFilterSet) nextCommand_ = cmd::kCurrentFilterSet + 1;
    if (nextCommand_ <= cmd::kFilterSetLast && !used(nextCommand_)) return nextCommand_++;
    for (int32_t id = cmd::kCurrentFilterSet + 1; id <= cmd::kFilterSetLast; ++id)
        if (!used(id)) return id;
    return 0;
}

void ToolPanels::addSetEntries(EffectData* set) {
    const wchar_t* name = set->name->text();
    // Built-in sets are named by the language pack and follow its language changes.
    int32_t textId = -1;
    for (uint32_t i = 0; i < sets_.builtInCount(); ++i)
        if (sets_.at(i) == set) textId = kBuiltInSetTextIds[i];
    const int32_t command = allocateCommand();
    commands_[set] = command;
    if (PopupMenu* menu = filterMenu(); menu && command) {
        MenuItem* item = textId >= 0 && loc_ ? MenuItem::createWithTextId(textId, loc_, command, false)
                                             : MenuItem::createWithText(name, command, false);
        item->setData(set);
        menu->addItem(item);
    }
    for (s::gui::win::ComboBox* box : {c_->setList, c_->convertSetList})
        box->addItem(textId >= 0 && loc_ ? row(textId, loc_, dataOf(set))
                                         : ComboBoxItem::createWithText(name, dataOf(set)));
}

void ToolPanels::removeSetEntries(EffectData* set) {
    if (PopupMenu* menu = filterMenu(); menu && commandOf(set)) menu->removeById(commandOf(set));
    commands_.erase(set);
    c_->setList->deleteItemsWithData(dataOf(set));
    c_->convertSetList->deleteItemsWithData(dataOf(set));
    c_->setList->repaint();
    c_->convertSetList->repaint();
}

void ToolPanels::showPlaceholders(bool on) {
    if (on == placeholders_) return;
    placeholders_ = on;
    PopupMenu* menu = filterMenu();
    s::gui::win::ComboBox* lists[] = {c_->setList, c_->convertSetList};
    if (on) {
        if (menu)
            menu->addItem(MenuItem::createWithTextId(tooltext::kCreateYourOwn, loc_, cmd::kNoFilterSetYet, false));
        for (auto* box : lists) box->addItem(row(tooltext::kAddYourOwn, loc_, ComboBoxItem::separatorData()));
        return;
    }
    if (menu) menu->removeById(cmd::kNoFilterSetYet);
    for (auto* box : lists) {
        for (int32_t i = box->getItemCount() - 1; i >= 0; --i) {
            if (box->getItem(i)->getTextId() == tooltext::kAddYourOwn) {
                box->deleteItemAt(i);
                break;
            }
        }
    }
}

void ToolPanels::loadFilterSets() {
    if (!built_ || sets_.count() > 0) return;
    EffectData* current = host_->currentValues();
    if (current) current->name->setText(text(tooltext::kCurrentFilterSet));
    if (!shown_) shown_ = current;

    const wchar_t* names[kBuiltInSetCount];
    for (uint32_t i = 0; i < kBuiltInSetCount; ++i) names[i] = text(kBuiltInSetTextIds[i]);
    int32_t cartoonWidth = 0, cartoonHeight = 0;
    host_->cartoonReaderSize(&cartoonWidth, &cartoonHeight);
    sets_.addBuiltIns(names, cartoonWidth, cartoonHeight);
    if (settings_ && settings_->getStore()) sets_.loadUserSets(settings_->getStore(), settingsRoot().c_str());

    PopupMenu* menu = filterMenu();
    if (menu) menu->addItem(MenuItem::createSeparator());
    for (uint32_t i = 0; i < sets_.count(); ++i) {
        if (i == sets_.builtInCount()) {
            // One line between the built-in sets and the user's own, in every place.
            if (menu) menu->addItem(MenuItem::createSeparator());
            c_->setList->addItem(ComboBoxItem::createSeparator(kSetListSeparator));
            c_->convertSetList->addItem(ComboBoxItem::createSeparator(kSetListSeparator));
        }
        addSetEntries(sets_.at(i));
    }
    if (sets_.userCount() == 0) {
        if (menu) menu->addItem(MenuItem::createSeparator());
        c_->setList->addItem(ComboBoxItem::createSeparator(kSetListSeparator));
        c_->convertSetList->addItem(ComboBoxItem::createSeparator(kSetListSeparator));
        showPlaceholders(true);
    }
    selectInLists(nullptr);
}

void ToolPanels::selectInLists(EffectData* set) {
    // The submenu's radio marks span "Current Filter Set" and the sets: the lock's check
    // mark above them stays.
    if (PopupMenu* menu = filterMenu()) {
        int32_t first = 0, position = 0;
        const int32_t command = set ? commandOf(set) : cmd::kCurrentFilterSet;
        if (menu->indexOfId(cmd::kCurrentFilterSet, &first) && command && menu->indexOfId(command, &position))
            menu->checkRadio(position, first, menu->getEntryCount() - 1);
    }
    const int32_t index = indexOfData(c_->setList, dataOf(set));
    c_->setList->select(index < 0 ? 0 : index, false);
    const int32_t convertIndex = indexOfData(c_->convertSetList, dataOf(set));
    c_->convertSetList->select(convertIndex < 0 ? 0 : convertIndex, false);
    c_->deleteButton->setEnabled(isUserSet(set));
    convertChoice_ = set;
}

void ToolPanels::chooseSet(EffectData* set) {
    loadFilterSet(set ? set->name->text() : nullptr);
    selectInLists(set);
}

void ToolPanels::chooseSetCommand(int32_t command) {
    if (!built_) return;
    if (command == cmd::kCurrentFilterSet) {
        chooseSet(nullptr);
        return;
    }
    for (const auto& [set, id] : commands_) {
        if (id == command) {
            chooseSet(const_cast<EffectData*>(set));
            return;
        }
    }
}

void ToolPanels::loadFilterSet(const wchar_t* name) {
    if (!built_) return;
    EffectData* current = host_->currentValues();
    if (!shown_) shown_ = current;
    EffectData* apply = nullptr;
    if (name) {
        const int32_t index = sets_.indexOfName(name);
        if (index >= 0) {
            // Leaving the current values: keep them so that "Current Filter Set" brings them back.
            if (shown_ == current && current) {
                if (savedCurrent_) savedCurrent_->release();
                savedCurrent_ = current->copy();
            }
            shown_ = apply = sets_.at(uint32_t(index));
        } else if (_wcsicmp(name, text(tooltext::kCurrentFilterSet)) == 0) {
            shown_ = apply = current;
        }
    } else {
        // Back to the values of before the first switch; with none kept the panels
        // already show the current values, which stay.
        apply = savedCurrent_ ? savedCurrent_ : current;
        shown_ = current;
    }

    IFilterPanels* panels = host_->filterPanels();
    if (panels) {
        const bool locked = panels->isLocked();
        panels->setLocked(false);
        if (apply && apply == current) {
            panels->reattachFilters();
        } else {
            panels->resetFilterPanels(false, false, false);
            // loadValues marks itself as loading (the setters' events do not choose
            // "Current Filter Set") and re-filters the shown picture when it is done.
            if (apply) panels->loadValues(apply);
        }
        panels->setLocked(locked);
    }
    if (!name && savedCurrent_) {
        savedCurrent_->release();
        savedCurrent_ = nullptr;
    }
    if (!host_->isPictureShown()) pendingName_ = name ? name : L"";
}

void ToolPanels::returnToCurrentValues() {
    if (savedCurrent_) loadFilterSet(nullptr);
    shown_ = host_->currentValues();
    selectInLists(nullptr);
}

void ToolPanels::showCurrentSetSelected() {
    if (!built_) return;
    IFilterPanels* panels = host_->filterPanels();
    if (panels && panels->isLoadingFilterSet()) return;
    EffectData* current = host_->currentValues();
    // Without a picture the next one opened takes the values as they are now.
    if (!host_->isPictureShown()) pendingName_ = text(tooltext::kCurrentFilterSet);
    if (shown_ == current) return;
    // The panels now hold values of their own: the kept copy is no longer wanted.
    if (savedCurrent_) {
        savedCurrent_->release();
        savedCurrent_ = nullptr;
    }
    shown_ = current;
    selectInLists(nullptr);
}

void ToolPanels::saveFilterSet(const wchar_t* name) {
    if (!built_ || !name || !*name) return;
    EffectData* current = host_->currentValues();
    if (!current) return;
    if (!sets_.isNameFree(name)) {
        // Built-in sets cannot be replaced.
        s::gui::win::MessageBoxW::showErrorBox(text(tooltext::kBuiltInName));
        return;
    }
    // The values the panels show now, whatever the replacing below selects.
    EffectData* set = current->copy();
    set->name->setText(name);
    set->isCustom = true;
    const int32_t existing = sets_.indexOfName(name);
    if (existing >= 0) {
        if (!s::gui::win::MessageBoxW::askYesNoBox(text(tooltext::kReplaceQuestion))) {
            set->release();
            return;
        }
        EffectData* old = sets_.at(uint32_t(existing));
        if (shown_ == old || convertChoice_ == old) {
            // The panels keep their values; only the selection leaves the old set.
            if (savedCurrent_) savedCurrent_->release();
            savedCurrent_ = nullptr;
            shown_ = current;
            selectInLists(nullptr);
        }
        removeSetEntries(old);
        sets_.removeAt(uint32_t(existing));
    }
    if (!sets_.addUserSet(set)) {
        set->release();
        saveUserSetsToStore();
        return;
    }
    saveUserSetsToStore();
    showPlaceholders(false);
    addSetEntries(set);
    const std::wstring message = L"\"" + std::wstring(name) + L"\"" + text(tooltext::kHasBeenSaved);
    s::gui::win::MessageBoxW::showInfoBox(message.c_str());
}

void ToolPanels::deleteFilterSet(const wchar_t* name) {
    if (!built_ || !name) return;
    const int32_t index = sets_.indexOfName(name);
    if (index < 0 || sets_.isBuiltIn(uint32_t(index))) return;
    returnToCurrentValues();
    removeSetEntries(sets_.at(uint32_t(index)));
    sets_.removeAt(uint32_t(index));
    if (sets_.userCount() == 0) showPlaceholders(true);
    saveUserSetsToStore();
    pendingName_.clear();
}

EffectData* ToolPanels::convertFilterSet() {
    if (convertChoice_) return convertChoice_;
    return savedCurrent_ ? savedCurrent_ : host_->currentValues();
}

void ToolPanels::setLock(bool on) {
    if (IFilterPanels* panels = host_->filterPanels()) panels->setLocked(on);
    c_->lockButton->setToggled(on);
    if (PopupMenu* menu = filterMenu()) menu->setChecked(cmd::kFilterLock, on);
}

void ToolPanels::setLockedFromMenu(bool on) {
    if (built_) setLock(on);
}

void ToolPanels::clearFilters() {
    // The lock is ignored for this once and keeps its state.
    if (IFilterPanels* panels = host_->filterPanels()) panels->resetFilterPanels(true, true, true);
}

bool ToolPanels::keepOffSeparator(s::gui::IComboBox* box) {
    ComboBoxItem* item = box->getSelectedItem();
    if (!item || !item->isSeparator()) return false;
    // A line or a placeholder cannot stay chosen: back to the entry chosen before.
    const int32_t previous = box->getPreviousIndex();
    ComboBoxItem* before = box->getItem(previous);
    box->select(before && !before->isSeparator() ? previous : 0, false);
    return true;
}

bool ToolPanels::handleFilterSetEvent(IComponent* source, int32_t code) {
    Controls& c = *c_;
    (void)code;
    if (source == c.setList) {
        if (keepOffSeparator(c.setList)) return true;
        const intptr_t data = selectedData(c.setList, -1);
        chooseSet(data == -1 ? nullptr : reinterpret_cast<EffectData*>(data));
        return true;
    }
    if (source == c.convertSetList) {
        if (keepOffSeparator(c.convertSetList)) return true;
        const intptr_t data = selectedData(c.convertSetList, -1);
        convertChoice_ = data == -1 ? nullptr : reinterpret_cast<EffectData*>(data);
        return true;
    }
    if (source == c.lockButton) {
        setLock(c.lockButton->isToggled());
        return true;
    }
    if (source == c.clearButton) {
        clearFilters();
        return true;
    }
    if (source == c.deleteButton) {
        const intptr_t data = selectedData(c.setList, -1);
        if (data == -1 || data == ComboBoxItem::separatorData()) return true;
        auto* set = reinterpret_cast<EffectData*>(data);
        if (!isUserSet(set)) return true;
        if (!s::gui::win::MessageBoxW::askYesNoBox(text(tooltext::kDeleteQuestion))) return true;
        const std::wstring name = set->name->text();
        deleteFilterSet(name.c_str());
        return true;
    }
    if (source == c.nameField) return true;
    if (source == c.saveSetButton) {
        const std::wstring name = c.nameField->getText() ? c.nameField->getText() : L"";
        saveFilterSet(name.c_str());
        return true;
    }
    return false;
}

}  // namespace s::image::gui::dialogs::imageview
