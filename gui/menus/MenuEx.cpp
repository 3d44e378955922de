#include "gui/menus/MenuEx.h"

#include <algorithm>

#include "foundation/time/Clock.h"
#include "gui/drawer/DefaultDrawers.h"
#include "gui/menus/MenuItem.h"
#include "gui/menus/PopupMenu.h"
#include "gui/skin/ISkin.h"
#include "platform/lang/Localizer.h"

namespace s::gui::win {

using menuitem::MenuItem;

namespace {

void releaseOwnedDrawer(drawer::IMenu* drawer) {
    if (auto* p = dynamic_cast<thread::IPoolable*>(drawer)) p->release();
}

int64_t nowMs() { return int64_t(::GetTickCount64()); }

}  // namespace

MenuEx::MenuEx() {
    defaultDrawer_ = drawer::createDefaultMenu();
    tracker_.isPopup = [this](int32_t i) {
        return i >= 0 && size_t(i) < entries_.size() && entries_[size_t(i)].popup != nullptr;
    };
    reset();
}

MenuEx::~MenuEx() {
    reset();
    if (defaultDrawer_) drawer::releaseDrawer(defaultDrawer_);
    defaultDrawer_ = nullptr;
}

void MenuEx::reset() {
    setVisible(true, true);
    setParent(nullptr);
    resetControl(::GetSysColor(COLOR_BTNFACE), true);
    padLeft_ = padRight_ = padTop_ = padBottom_ = 0;
    labels_.clear();
    font_.reset();
    hotFont_.reset();
    font_.setSizeCode(-2);
    hotFont_.setSizeCode(-2);
    if (defaultDrawer_) defaultDrawer_->applyToFonts(&font_, &hotFont_);
    if (drawer_ && drawerOwned_) releaseOwnedDrawer(drawer_);
    drawer_ = nullptr;
    drawerOwned_ = false;
    for (Entry& e : entries_) {
        if (e.item) e.item->release();
        if (e.popup) e.popup->release();
    }
    entries_.clear();
    rects_.clear();
    tracker_.clear();
    tracking_ = false;
    commandListeners_.clear();
    lastCommand_ = -1;
    relabelListeners_.clear();
    spacingX_ = 6;
    spacingY_ = 3;
    zeroMinWidth_ = true;
    singleEntry_ = false;
    openListeners_.clear();
    openOnHover_ = rightAligned_ = drawerFlag_ = false;
}

// --- Services -----------------------------------------------------------------------------------

void MenuEx::attachServices() {
    if (drawer::ISkin* skin = control::joinServices(window_, this, true)) setDrawer(skin->getMenuDrawer(), false);
    // Entries given by id before the bar had a window read the window's language now.
    relabel();
}

void MenuEx::detachServices() { control::leaveServices(window_, this); }

void MenuEx::onEvent(base::IObject* source, int32_t) {
    if (control::languageSource(window_, source)) {
        relabel();
        control::tell(relabelListeners_, this, 0);
        updateSize();
        repaint();
    } else if (drawer::ISkin* skin = control::skinSource(window_, source)) {
        setDrawer(skin->getMenuDrawer(), false);
    }
}

// --- Sizes --------------------------------------------------------------------------------------

int32_t MenuEx::getMinWidth() {
    if (zeroMinWidth_) return 0;
    return layout::controlMinSize(widthHint_, padLeft_ + padRight_ + minWidth_);
}

int32_t MenuEx::getMinHeight() { return layout::controlMinSize(heightHint_, padTop_ + padBottom_ + minHeight_); }

int32_t MenuEx::getMinInnerWidth() { return zeroMinWidth_ ? 0 : std::max(0, getMinWidth() - padLeft_ - padRight_); }

int32_t MenuEx::getMinInnerHeight() { return std::max(0, getMinHeight() - padTop_ - padBottom_); }

int32_t MenuEx::getPreferredWidth() {
    const int32_t pad = padLeft_ + padRight_;
    return layout::controlPreferredSize(widthHint_, pad + minWidth_, pad + prefWidth_,
                                        parent_ ? parent_->getInnerWidth() : 0);
}

int32_t MenuEx::getPreferredHeight() {
    const int32_t pad = padTop_ + padBottom_;
    return layout::controlPreferredSize(heightHint_, pad + minHeight_, pad + prefHeight_,
                                        parent_ ? parent_->getInnerHeight() : 0);
}

int32_t MenuEx::getPreferredInnerWidth() { return std::max(0, getPreferredWidth() - padLeft_ - padRight_); }

int32_t MenuEx::getPreferredInnerHeight() { return std::max(0, getPreferredHeight() - padTop_ - padBottom_); }

void MenuEx::setPaddings(int32_t left, int32_t right, int32_t top, int32_t bottom) {
    padLeft_ = left;
    padRight_ = right;
    padTop_ = top;
    padBottom_ = bottom;
    updateSize();
}

void MenuEx::updateSize() {
    rects_.resize(entries_.size(), RECT{0, 0, 0, 0});
    if (!m_hWnd) return;
    if (drawer::IMenu* d = activeDrawer()) {
        minWidth_ = minHeight_ = prefWidth_ = prefHeight_ = 0;
        HDC dc = ::GetDC(m_hWnd);
        d->measure(dc, &labels_, rects_.empty() ? nullptr : rects_.data(), &font_, &minWidth_, &minHeight_, &prefWidth_,
                   &prefHeight_, spacingX_, spacingY_, singleEntry_);
        ::ReleaseDC(m_hWnd, dc);
    }
    validateParent();
}

// --- Fonts and drawer ---------------------------------------------------------------------------

void MenuEx::setSizeCode(int32_t code) {
    font_.setSizeCode(code);
    hotFont_.setSizeCode(code);
    if (drawer_) {
        drawer_->applyToFonts(&font_, &hotFont_);
        repaint();
    }
    updateSize();
}

void MenuEx::setBold(bool on) {
    font_.setBold(on);
    hotFont_.setBold(on);
    updateSize();
}

void MenuEx::setUnderline(bool on) {
    font_.setUnderline(on);
    hotFont_.setUnderline(on);
    updateSize();
}

void MenuEx::setSpacing(int32_t x, int32_t y) {
    spacingX_ = x;
    spacingY_ = y;
    updateSize();
}

void MenuEx::setSingleEntry(bool on) {
    singleEntry_ = on;
    if (on) {
        font_.setBold(true);
        hotFont_.setBold(true);
    }
    updateSize();
}

void MenuEx::setDrawer(drawer::IMenu* drawer, bool owned) {
    if (drawer_ && drawerOwned_ && drawer_ != drawer) releaseOwnedDrawer(drawer_);
    drawer_ = drawer;
    drawerOwned_ = owned;
    if (drawer_) drawer_->applyToFonts(&font_, &hotFont_);
    updateSize();
    repaint();
}

void MenuEx::paintContent(HDC dc, const RECT& rc) {
    drawer::IMenu* d = activeDrawer();
    if (!d || entries_.empty()) return;
    const bool pressed = tracker_.popupOpen || (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
    d->paint(dc, rc.left + padLeft_, rc.top + padTop_, rc.right - padRight_, rc.bottom - padBottom_, &labels_,
             rects_.data(), &font_, &hotFont_, spacingX_, spacingY_, tracker_.hot, pressed, singleEntry_, rightAligned_,
             drawerFlag_);
}

// --- Entries ------------------------------------------------------------------------------------

const wchar_t* MenuEx::currentLabel(const Entry& e) {
    if (e.popup) return e.popup->getTitle();
    MenuItem* item = e.item;
    // An item given by id without a language pack of its own reads the window's.
    if (!item->getOwner() && item->getTextId() != MenuItem::kNoTextId) {
        if (lang::Localizer* l = control::localizerOf(window_)) item->setOwner(l);
    }
    return item->getText();
}

void MenuEx::appendEntry(const Entry& e) {
    entries_.push_back(e);
    labels_.addText(currentLabel(e));
    rects_.push_back(RECT{0, 0, 0, 0});
    updateSize();
}

void MenuEx::addItem(MenuItem* item) {
    if (item) appendEntry(Entry{item, nullptr});
}

void MenuEx::addPopup(IPopupMenu* popup) {
    if (auto* p = dynamic_cast<PopupMenu*>(popup)) appendEntry(Entry{nullptr, p});
}

int32_t MenuEx::relabel() {
    labels_.clear();
    for (const Entry& e : entries_) labels_.addText(currentLabel(e));
    return int32_t(entries_.size());
}

const wchar_t* MenuEx::getLabel(int32_t index) const {
    if (index < 0 || uint32_t(index) >= labels_.count()) return L"";
    str::strbuffer::StrBuffer* s = labels_.at(uint32_t(index));
    return s ? s->text() : L"";
}

RECT MenuEx::getEntryRect(int32_t index) {
    RECT r = menubar::shownRect(rects_.data(), int32_t(rects_.size()), index, innerWidth(), rightAligned_);
    ::OffsetRect(&r, padLeft_, padTop_);
    return r;
}

bool MenuEx::hasCommand(int32_t commandId) {
    for (const Entry& e : entries_) {
        if (e.item && !e.item->isSeparator() && e.item->getCommandId() == commandId) return true;
        if (e.popup && e.popup->hasItem(commandId)) return true;
    }
    return false;
}

bool MenuEx::isChecked(int32_t commandId) {
    for (const Entry& e : entries_)
        if (e.popup && e.popup->isChecked(commandId)) return true;
    return false;
}

bool MenuEx::setChecked(int32_t commandId, bool checked) {
    for (const Entry& e : entries_)
        if (e.popup && e.popup->setChecked(commandId, checked)) return true;
    return false;
}

// --- Listeners ----------------------------------------------------------------------------------

void MenuEx::addCommandListener(events::IEventListener* l) {
    if (l) commandListeners_.push(l);
}

void MenuEx::addRelabelListener(events::IEventListener* l) {
    if (l) relabelListeners_.push(l);
}

void MenuEx::addOpenListener(events::IEventListener* l) {
    if (l) openListeners_.push(l);
}

void MenuEx::fireCommand(int32_t commandId) {
    lastCommand_ = commandId;
    control::tell(commandListeners_, this, 0);
}

// --- Window -------------------------------------------------------------------------------------

bool MenuEx::createWindow(CWnd* parentWnd) { return control::createGeneric(this, parentWnd, 0); }

int32_t MenuEx::entryUnderCursor() {
    if (!m_hWnd) return -1;
    POINT p;
    RECT w;
    if (!::GetCursorPos(&p) || !::GetWindowRect(m_hWnd, &w)) return -1;
    const int32_t x = p.x - w.left, y = p.y - w.top;
    if (singleEntry_)
        return menubar::entryAt(rects_.data(), int32_t(rects_.size()), x, y, width_, height_, true, false);
    return menubar::entryAt(rects_.data(), int32_t(rects_.size()), x - padLeft_, y - padTop_, innerWidth(),
                            innerHeight(), false, rightAligned_);
}

void MenuEx::endTrackedPopup() {
    if (m_hWnd) KillTimer(kTrackTimer);
    // EndMenu ends the pop-up loop running on this thread, and only that one.
    if (tracking_) ::EndMenu();
}

void MenuEx::carryOut(const menubar::Steps& steps) {
    if (steps.closeForSwitch || steps.closePopup) endTrackedPopup();
    // While a pop-up's loop runs, the mouse belongs to it.
    if (steps.capture && !tracking_ && ::GetCapture() != m_hWnd) SetCapture();
    if (steps.releaseCapture && ::GetCapture() == m_hWnd) ::ReleaseCapture();
    if (steps.repaint) repaint();
    if (steps.fire >= 0 && size_t(steps.fire) < entries_.size()) {
        if (MenuItem* item = entries_[size_t(steps.fire)].item) fireCommand(item->getCommandId());
    }
    if (steps.openPopups && !tracking_) openPopupLoop();
}

void MenuEx::openPopupLoop() {
    tracking_ = true;
    while (m_hWnd && tracker_.beginPopup()) {
        const int32_t index = tracker_.hot;
        PopupMenu* popup = entries_[size_t(index)].popup;
        POINT at = singleEntry_ ? POINT{0, height_}
                                : menubar::popupOrigin(rects_.data(), int32_t(rects_.size()), index, innerWidth(),
                                                       rightAligned_);
        if (!singleEntry_) {
            at.x += padLeft_;
            at.y += padTop_;
        }
        ::ClientToScreen(m_hWnd, &at);

        MENUINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = MIM_MENUDATA;
        info.dwMenuData = reinterpret_cast<ULONG_PTR>(m_hWnd);
        ::SetMenuInfo(popup->getHandle(), &info);

        control::tell(openListeners_, this, 1);
        popup->showBelow(at.x, at.y, this);
        if (m_hWnd) KillTimer(kTrackTimer);

        menubar::Steps after;
        const bool again = tracker_.endPopup(nowMs(), &after);
        tracking_ = false;
        carryOut(after);
        tracking_ = true;
        if (!again) break;
    }
    tracker_.finishLoop();
    tracking_ = false;
}

bool MenuEx::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
        case WM_PAINT: paintBuffered(); return true;
        case WM_NCHITTEST:
            // Clicks between entries go through to the window below.
            if (entryUnderCursor() >= 0) return false;
            *result = HTTRANSPARENT;
            return true;
        case WM_MOUSEMOVE: carryOut(tracker_.onMouseMove(entryUnderCursor(), openOnHover_)); return false;
        case WM_LBUTTONDOWN: carryOut(tracker_.onButtonDown(entryUnderCursor(), nowMs())); return false;
        case WM_LBUTTONUP: carryOut(tracker_.onButtonUp(entryUnderCursor())); return false;
        case WM_COMMAND: {
            const int32_t id = LOWORD(wParam);
            if (HIWORD(wParam) != 0 || !hasCommand(id)) return false;
            fireCommand(id);
            return true;
        }
        case WM_INITMENUPOPUP:
            if (tracking_) SetTimer(kTrackTimer, kTrackIntervalMs, nullptr);
            return false;
        case WM_TIMER:
            if (wParam != kTrackTimer) return false;
            // The pop-up's loop holds the mouse: follow the pointer from here.
            ::SendMessageW(m_hWnd, WM_MOUSEMOVE, 0, 0);
            return true;
        case WM_DESTROY:
            if (tracking_) endTrackedPopup();
            return false;
        default: return preHandleCommon(result, message, wParam, lParam);
    }
}

}  // namespace s::gui::win
