#include "gui/menus/PopupMenu.h"

#include "framework/window/Wnd.h"
#include "gui/component/IComponent.h"
#include "gui/menus/MenuItem.h"
#include "platform/lang/Localizer.h"

namespace s::gui::win {

using menuitem::MenuItem;

namespace {

// Shown with the right button usable and no animation; above: the bottom edge at y.
constexpr UINT kTrackBelow = TPM_NOANIMATION | TPM_RIGHTBUTTON;
constexpr UINT kTrackAbove = TPM_NOANIMATION | TPM_BOTTOMALIGN | TPM_RIGHTBUTTON;

}  // namespace

PopupMenu::~PopupMenu() { reset(); }

PopupMenu* PopupMenu::withItem(MenuItem* item) {
    if (item) addItem(item);
    return this;
}

HMENU PopupMenu::getHandle() {
    if (!menu_.m_hMenu) menu_.CreatePopupMenu();
    return menu_.m_hMenu;
}

// ------------------------------------------------------------------ positions

int32_t PopupMenu::positionCount() {
    if (!menu_.m_hMenu) return 0;
    const int n = menu_.GetMenuItemCount();
    return n > 0 ? n : 0;
}

bool PopupMenu::isSubMenuAt(int32_t position) { return menu_.GetSubMenu(position) != nullptr; }

int32_t PopupMenu::positionOfItem(uint32_t index) {
    const int32_t n = positionCount();
    uint32_t seen = 0;
    for (int32_t pos = 0; pos < n; ++pos) {
        if (isSubMenuAt(pos)) continue;
        if (seen++ == index) return pos;
    }
    return -1;
}

int32_t PopupMenu::itemIndexAt(int32_t position) {
    if (position < 0 || position >= positionCount() || isSubMenuAt(position)) return -1;
    int32_t index = 0;
    for (int32_t pos = 0; pos < position; ++pos)
        if (!isSubMenuAt(pos)) ++index;
    return index < int32_t(items_.count()) ? index : -1;
}

int32_t PopupMenu::positionOfSubMenu(PopupMenu* sub) {
    if (!sub || !sub->menu_.m_hMenu) return -1;
    const int32_t n = positionCount();
    for (int32_t pos = 0; pos < n; ++pos)
        if (menu_.GetSubMenu(pos) == sub->menu_.m_hMenu) return pos;
    return -1;
}

int32_t PopupMenu::findItemIndex(int32_t commandId) {
    for (uint32_t i = 0; i < items_.count(); ++i) {
        const MenuItem* item = items_.at<MenuItem>(i);
        if (!item->isSeparator() && item->getCommandId() == commandId) return int32_t(i);
    }
    return -1;
}

// ------------------------------------------------------------------ entries

void PopupMenu::placeItem(int32_t position, MenuItem* item) {
    HMENU menu = getHandle();
    if (!menu) return;
    const bool append = position < 0;
    if (item->isSeparator()) {
        if (append)
            menu_.AppendMenu(MF_SEPARATOR);
        else
            menu_.InsertMenu(UINT(position), MF_BYPOSITION | MF_SEPARATOR);
        return;
    }
    const UINT_PTR id = UINT_PTR(UINT(item->getCommandId()));
    if (append)
        menu_.AppendMenu(MF_STRING, id, item->getText());
    else
        menu_.InsertMenu(UINT(position), MF_BYPOSITION | MF_STRING, id, item->getText());
    const UINT pos = append ? UINT(positionCount() - 1) : UINT(position);
    if (item->isRadioChecked()) menu_.CheckMenuRadioItem(pos, pos, pos, MF_BYPOSITION);
    if (item->isChecked()) menu_.CheckMenuItem(pos, MF_BYPOSITION | MF_CHECKED);
}

void PopupMenu::writeString(int32_t position, const wchar_t* text) {
    if (position < 0 || !menu_.m_hMenu) return;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text ? text : L"");
    menu_.SetMenuItemInfo(UINT(position), &info, TRUE);
}

void PopupMenu::addItem(MenuItem* item) {
    if (!item) return;
    placeItem(-1, item);
    items_.push(item);
}

void PopupMenu::insertItem(int32_t position, MenuItem* item) {
    if (!item) return;
    const int32_t n = positionCount();
    if (position < 0 || position > n) position = n;
    uint32_t index = 0;
    for (int32_t pos = 0; pos < position; ++pos)
        if (!isSubMenuAt(pos)) ++index;
    if (index > items_.count()) index = items_.count();
    placeItem(position == n ? -1 : position, item);
    items_.insertAt(index, item);
}

void PopupMenu::removeItemAt(uint32_t index) {
    if (index >= items_.count()) return;
    const int32_t pos = positionOfItem(index);
    if (pos >= 0) menu_.RemoveMenu(UINT(pos), MF_BYPOSITION);
    auto* item = items_.at<MenuItem>(index);
    items_.removeRange(index, 1);
    item->release();
}

void PopupMenu::removeAll() {
    // RemoveMenu leaves the sub-menus' handles alone: each sub-menu destroys its own
    // handle when it is reset, so nothing is destroyed twice.
    for (int32_t pos = positionCount() - 1; pos >= 0; --pos) menu_.RemoveMenu(UINT(pos), MF_BYPOSITION);
    for (uint32_t i = items_.count(); i-- > 0;) items_.at<MenuItem>(i)->release();
    for (uint32_t i = subMenus_.count(); i-- > 0;) subMenus_.at<PopupMenu>(i)->release();
    items_.clear();
    subMenus_.clear();
}

void PopupMenu::removeAt(int32_t position) {
    if (position < 0 || position >= positionCount()) return;
    if (HMENU subHandle = menu_.GetSubMenu(position)) {
        for (uint32_t i = 0; i < subMenus_.count(); ++i) {
            auto* sub = subMenus_.at<PopupMenu>(i);
            if (sub->menu_.m_hMenu != subHandle) continue;
            menu_.RemoveMenu(UINT(position), MF_BYPOSITION);
            subMenus_.removeRange(i, 1);
            sub->release();
            return;
        }
        return;
    }
    const int32_t index = itemIndexAt(position);
    if (index >= 0) removeItemAt(uint32_t(index));
}

void PopupMenu::removeById(int32_t commandId) {
    const int32_t index = findItemIndex(commandId);
    if (index >= 0) removeItemAt(uint32_t(index));
}

void PopupMenu::removeItem(MenuItem* item) {
    const int32_t index = item ? items_.indexOf(item) : -1;
    if (index >= 0) removeItemAt(uint32_t(index));
}

MenuItem* PopupMenu::findItem(int32_t commandId) {
    const int32_t index = findItemIndex(commandId);
    return index >= 0 ? items_.at<MenuItem>(uint32_t(index)) : nullptr;
}

bool PopupMenu::hasItem(int32_t commandId) {
    if (findItemIndex(commandId) >= 0) return true;
    for (uint32_t i = 0; i < subMenus_.count(); ++i)
        if (subMenus_.at<PopupMenu>(i)->hasItem(commandId)) return true;
    return false;
}

bool PopupMenu::indexOfId(int32_t commandId, int32_t* position) {
    const int32_t index = findItemIndex(commandId);
    const int32_t pos = index >= 0 ? positionOfItem(uint32_t(index)) : -1;
    if (position) *position = pos;
    return pos >= 0;
}

bool PopupMenu::indexOfItem(MenuItem* item, int32_t* position) {
    const int32_t index = item ? items_.indexOf(item) : -1;
    const int32_t pos = index >= 0 ? positionOfItem(uint32_t(index)) : -1;
    if (position) *position = pos;
    return pos >= 0;
}

void PopupMenu::addSubMenu(IPopupMenu* subMenu) {
    auto* sub = dynamic_cast<PopupMenu*>(subMenu);
    if (!sub || sub == this || subMenus_.indexOf(sub) >= 0) return;
    HMENU subHandle = sub->getHandle();
    if (!getHandle() || !subHandle) return;
    menu_.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(subHandle), sub->getTitle());
    subMenus_.push(sub);
}

void PopupMenu::setSubMenuEnabled(IPopupMenu* subMenu, bool enabled) {
    auto* sub = dynamic_cast<PopupMenu*>(subMenu);
    const int32_t pos = positionOfSubMenu(sub);
    if (pos >= 0) {
        menu_.EnableMenuItem(UINT(pos), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
        return;
    }
    for (uint32_t i = 0; i < subMenus_.count(); ++i) subMenus_.at<PopupMenu>(i)->setSubMenuEnabled(subMenu, enabled);
}

bool PopupMenu::setItemEnabled(int32_t commandId, bool enabled) {
    int32_t pos;
    if (indexOfId(commandId, &pos)) {
        menu_.EnableMenuItem(UINT(pos), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
        return true;
    }
    for (uint32_t i = 0; i < subMenus_.count(); ++i)
        if (subMenus_.at<PopupMenu>(i)->setItemEnabled(commandId, enabled)) return true;
    return false;
}

// ------------------------------------------------------------------ marks

bool PopupMenu::isChecked(int32_t commandId) {
    if (MenuItem* item = findItem(commandId)) return item->isChecked();
    for (uint32_t i = 0; i < subMenus_.count(); ++i) {
        auto* sub = subMenus_.at<PopupMenu>(i);
        if (sub->hasItem(commandId)) return sub->isChecked(commandId);
    }
    return false;
}

bool PopupMenu::setChecked(int32_t commandId, bool checked) {
    int32_t pos;
    if (indexOfId(commandId, &pos)) {
        findItem(commandId)->setChecked(checked);
        menu_.CheckMenuItem(UINT(pos), MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
        return true;
    }
    for (uint32_t i = 0; i < subMenus_.count(); ++i)
        if (subMenus_.at<PopupMenu>(i)->setChecked(commandId, checked)) return true;
    return false;
}

void PopupMenu::checkRadio(int32_t checked, int32_t first, int32_t last) {
    const int32_t n = positionCount();
    if (n == 0 || first < 0 || last >= n || first > last) return;
    // A checked position outside the range clears every mark inside it.
    menu_.CheckMenuRadioItem(UINT(first), UINT(last), UINT(checked), MF_BYPOSITION);
    for (int32_t pos = first; pos <= last; ++pos) {
        const int32_t index = itemIndexAt(pos);
        if (index < 0) continue;
        auto* item = items_.at<MenuItem>(uint32_t(index));
        if (item->isSeparator()) continue;
        item->setRadioChecked(pos == checked);
        // The native mark of every other entry in the range is gone.
        if (pos != checked) item->setChecked(false);
    }
}

void PopupMenu::checkRadioAt(int32_t position) {
    const int32_t n = positionCount();
    if (n == 0) return;
    checkRadio(position < 0 ? -1 : position, 0, n - 1);
}

void PopupMenu::checkRadioById(int32_t commandId) {
    int32_t pos;
    if (indexOfId(commandId, &pos)) checkRadioAt(pos);
}

void PopupMenu::checkRadioItem(MenuItem* item) {
    int32_t pos;
    if (indexOfItem(item, &pos)) checkRadioAt(pos);
}

// ------------------------------------------------------------------ texts

void PopupMenu::setOwner(lang::Localizer* owner) {
    if (owner == owner_) return;
    if (owner_) owner_->removeListener(this);
    owner_ = owner;
    if (owner_) owner_->addListener(this);
}

void PopupMenu::onEvent(base::IObject* source, int32_t) {
    if (!owner_ || source != static_cast<base::IObject*>(owner_)) return;
    relabelEntries(true);
}

void PopupMenu::relabel() { relabelEntries(true); }

void PopupMenu::relabelEntries(bool reread) {
    const int32_t n = positionCount();
    uint32_t index = 0;
    for (int32_t pos = 0; pos < n; ++pos) {
        if (HMENU subHandle = menu_.GetSubMenu(pos)) {
            for (uint32_t i = 0; i < subMenus_.count(); ++i) {
                auto* sub = subMenus_.at<PopupMenu>(i);
                if (sub->menu_.m_hMenu != subHandle) continue;
                writeString(pos, sub->getTitle());
                // A sub-menu with an owner of its own hears the change itself.
                if (!sub->owner_) sub->relabelEntries(reread);
                break;
            }
            continue;
        }
        if (index >= items_.count()) break;
        auto* item = items_.at<MenuItem>(index++);
        // Separators keep their type; only texts given by id change with the language.
        if (item->isSeparator() || item->getTextId() == MenuItem::kNoTextId) continue;
        writeString(pos, item->getText());
    }
}

bool PopupMenu::setItemText(int32_t commandId, const wchar_t* text) {
    int32_t pos;
    if (indexOfId(commandId, &pos)) {
        MenuItem* item = findItem(commandId);
        item->setText(text);
        writeString(pos, item->getText());
        return true;
    }
    for (uint32_t i = 0; i < subMenus_.count(); ++i)
        if (subMenus_.at<PopupMenu>(i)->setItemText(commandId, text)) return true;
    return false;
}

bool PopupMenu::setItemTextId(int32_t commandId, int32_t textId) {
    int32_t pos;
    if (indexOfId(commandId, &pos)) {
        MenuItem* item = findItem(commandId);
        if (!item->getOwner()) item->setOwner(owner_);
        item->setTextId(textId);
        writeString(pos, item->getText());
        return true;
    }
    for (uint32_t i = 0; i < subMenus_.count(); ++i)
        if (subMenus_.at<PopupMenu>(i)->setItemTextId(commandId, textId)) return true;
    return false;
}

const wchar_t* PopupMenu::getTitle() {
    if (titleId_ != -1 && owner_) {
        const wchar_t* text = owner_->getText(titleId_);
        title_.setText(text ? text : L"");
    }
    return title_.text();
}

void PopupMenu::setTitleId(int32_t textId) {
    getHandle();
    titleId_ = textId;
    getTitle();
}

void PopupMenu::setTitle(const wchar_t* text) {
    getHandle();
    titleId_ = -1;
    title_.setText(text ? text : L"");
}

// ------------------------------------------------------------------ commands

void PopupMenu::addListener(events::IEventListener* l) {
    if (l) listeners_.push(l);
}

void PopupMenu::fireCommand(int32_t commandId) {
    lastCommand_ = commandId;
    // The count is read again each time: a listener may add another.
    for (uint32_t i = 0; i < listeners_.count(); ++i)
        listeners_.at<events::IEventListener>(i)->onEvent(static_cast<base::IObject*>(this), 0);
}

void PopupMenu::track(int32_t x, int32_t y, IComponent* owner, UINT flags) {
    auto* wnd = dynamic_cast<CWnd*>(owner);
    if (!menu_.m_hMenu || !wnd || !wnd->m_hWnd) return;
    menu_.TrackPopupMenu(flags, x, y, wnd);
}

void PopupMenu::showAbove(int32_t x, int32_t y, IComponent* owner) { track(x, y, owner, kTrackAbove); }

void PopupMenu::showBelow(int32_t x, int32_t y, IComponent* owner) { track(x, y, owner, kTrackBelow); }

// ------------------------------------------------------------------ pool

void PopupMenu::reset() {
    if (owner_) owner_->removeListener(this);
    owner_ = nullptr;
    removeAll();
    listeners_.clear();
    title_.clear();
    titleId_ = -1;
    lastCommand_ = -1;
    menu_.DestroyMenu();
}

}  // namespace s::gui::win
