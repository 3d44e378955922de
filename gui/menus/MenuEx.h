// The owner-drawn menu bar (see IMenuEx.h): a control of the toolkit's generic window
// class holding a row of entries, command items and pop-up menus, measured and painted
// by a menu drawer (the skin's, else a default one). Hovering makes an entry hot; a press
// on a pop-up entry opens its pop-up below it, and while one is open, moving the pointer
// onto another pop-up entry switches to that one (a 10 ms timer follows the pointer while
// the pop-up's own loop holds the mouse). A command entry fires on release.
//
//   MenuEx* bar = MenuEx::create();
//   bar->addPopup(fileMenu);                 // the bar owns its entries
//   bar->addCommandListener(&handler);
//   panel->addChild(bar);
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "foundation/str/StrArray.h"
#include "gui/controls/Control.h"
#include "gui/fonts/Font.h"
#include "gui/menus/IMenuEx.h"
#include "gui/menus/MenuBarState.h"

namespace s::gui::win {

class PopupMenu;

class MenuEx : public Control<IMenuEx, CWnd> {
    S_POOLED(MenuEx, L"s_gui_win_MenuEx")
public:
    // The timer that follows the pointer while a pop-up is open.
    static constexpr UINT_PTR kTrackTimer = 1;
    static constexpr UINT kTrackIntervalMs = 10;

    MenuEx();
    ~MenuEx() override;
    void reset() override;

    // IEventListener: language and skin changes of the owner window.
    void onEvent(base::IObject* source, int32_t code) override;

    // IComponent: the paddings and hints.
    int32_t getMinWidth() override;
    int32_t getMinHeight() override;
    int32_t getMinInnerWidth() override;
    int32_t getMinInnerHeight() override;
    int32_t getPreferredWidth() override;
    int32_t getPreferredHeight() override;
    int32_t getPreferredInnerWidth() override;
    int32_t getPreferredInnerHeight() override;

    // IMenuEx
    void setSizeCode(int32_t code) override;
    void setBold(bool on) override;
    void setUnderline(bool on) override;
    void setWidthPercent(int32_t percent) override { widthHint_.setPercent(percent); }
    void setHeightPercent(int32_t percent) override { heightHint_.setPercent(percent); }
    void setFixedWidth(int32_t w) override { widthHint_.setFixed(w); }
    void setFixedHeight(int32_t h) override { heightHint_.setFixed(h); }
    void setPaddingLeft(int32_t v) override { setPaddings(v, padRight_, padTop_, padBottom_); }
    void setPaddingRight(int32_t v) override { setPaddings(padLeft_, v, padTop_, padBottom_); }
    void setPaddingTop(int32_t v) override { setPaddings(padLeft_, padRight_, v, padBottom_); }
    void setPaddingBottom(int32_t v) override { setPaddings(padLeft_, padRight_, padTop_, v); }
    void setPaddingHorizontal(int32_t v) override { setPaddings(v, v, padTop_, padBottom_); }
    void setPaddingVertical(int32_t v) override { setPaddings(padLeft_, padRight_, v, v); }
    void setSpacing(int32_t x, int32_t y) override;
    void addItem(menuitem::MenuItem* item) override;
    void addPopup(IPopupMenu* popup) override;
    bool hasCommand(int32_t commandId) override;
    bool isChecked(int32_t commandId) override;
    bool setChecked(int32_t commandId, bool checked) override;
    int32_t getLastCommand() override { return lastCommand_; }
    void addCommandListener(events::IEventListener* l) override;
    void fireCommand(int32_t commandId) override;
    void addRelabelListener(events::IEventListener* l) override;
    void setDrawer(drawer::IMenu* drawer, bool owned) override;
    void setZeroMinWidth(bool on) override { zeroMinWidth_ = on; }
    void setSingleEntry(bool on) override;
    int32_t relabel() override;
    void addOpenListener(events::IEventListener* l) override;
    void setOpenOnHover(bool on) override { openOnHover_ = on; }
    void setPopupRightAligned(bool on) override { rightAligned_ = on; }
    void setDrawerFlag(bool on) override { drawerFlag_ = on; }

    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void postHandle(LRESULT*, UINT, WPARAM, LPARAM) override {}

    // Read by tests and the skins.
    int32_t getEntryCount() const { return int32_t(entries_.size()); }
    const wchar_t* getLabel(int32_t index) const;
    // The entry's rectangle in window coordinates (paddings and right alignment applied).
    RECT getEntryRect(int32_t index);
    int32_t getHotIndex() const { return tracker_.hot; }
    bool isPopupOpen() const { return tracker_.popupOpen; }
    Font* getFont() { return &font_; }
    Font* getHotFont() { return &hotFont_; }

protected:
    bool createWindow(CWnd* parentWnd) override;
    void updateSize() override;
    void attachServices() override;
    void detachServices() override;
    void paintContent(HDC dc, const RECT& rc) override;

private:
    struct Entry {
        menuitem::MenuItem* item;  // a command entry, or
        PopupMenu* popup;          // a pop-up entry
    };

    drawer::IMenu* activeDrawer() { return drawer_ ? drawer_ : defaultDrawer_; }
    void setPaddings(int32_t left, int32_t right, int32_t top, int32_t bottom);
    // The entry's label as it reads now (a text by id in the current language).
    const wchar_t* currentLabel(const Entry& e);
    void appendEntry(const Entry& e);
    int32_t innerWidth() const { return width_ - padLeft_ - padRight_; }
    int32_t innerHeight() const { return height_ - padTop_ - padBottom_; }
    // The entry under the cursor (GetCursorPos), -1 for none.
    int32_t entryUnderCursor();
    void carryOut(const menubar::Steps& steps);
    void openPopupLoop();
    // Ends the pop-up being tracked, on this thread.
    void endTrackedPopup();

    std::vector<Entry> entries_;
    str::strarray::StrArray labels_;
    std::vector<RECT> rects_;
    int32_t padLeft_ = 0, padRight_ = 0, padTop_ = 0, padBottom_ = 0;
    Font font_;
    Font hotFont_;
    int32_t spacingX_ = 6, spacingY_ = 3;
    drawer::IMenu* defaultDrawer_ = nullptr;
    drawer::IMenu* drawer_ = nullptr;
    bool drawerOwned_ = false;
    bool zeroMinWidth_ = true;
    bool singleEntry_ = false;
    bool openOnHover_ = false;
    bool rightAligned_ = false;
    bool drawerFlag_ = false;
    menubar::Tracker tracker_;
    bool tracking_ = false;  // a pop-up's loop is running
    col::_array::ArrayP commandListeners_;
    col::_array::ArrayP relabelListeners_;
    col::_array::ArrayP openListeners_;
    int32_t lastCommand_ = -1;
};

}  // namespace s::gui::win
