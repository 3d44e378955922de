// What the check box and the radio button share: an automatic "Button" window with a
// caption (ampersands shown as themselves), a caption font and a second font handed to the
// skin's drawer, a checked flag that follows the check messages of the window, four
// listener lists (checked, unchecked, enable, disable), the switch listeners made on first
// use by the link operations, and the drawer taken from the owner window's skin.
//
// The derived control decides what a check message tells (onCheckMessage), how it
// measures, and how it paints with its drawer (paintContent).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "foundation/col/Array.h"
#include "framework/controls/ButtonCtrl.h"
#include "gui/controls/Control.h"
#include "gui/drawer/DefaultDrawers.h"
#include "gui/events/Enablers.h"
#include "gui/fonts/Font.h"
#include "gui/skin/ISkin.h"
#include "gui/skin/ISkinner.h"
#include "platform/lang/Localizer.h"

namespace s::gui::win {

namespace checkcontrol {
// The caption as the window shows it: every "&" doubled, so no access key is made.
std::wstring withLiteralAmpersands(const std::wstring& text);
}  // namespace checkcontrol

template <class Interface, class Drawer>
class CheckControlBase : public Control<Interface, CButton> {
public:
    static constexpr UINT kControlId = 1003;

    CheckControlBase() = default;
    ~CheckControlBase() override { releaseSwitchers(); }

    // --- ITextFont: the caption font (the size code also the second font) ---
    void setSizeCode(int32_t code) override {
        captionFont_.setSizeCode(code);
        secondFont_.setSizeCode(code);
        fontChanged();
    }
    const wchar_t* getFace() override { return captionFont_.getFace(); }
    void setFace(const wchar_t* face) override {
        fontChange([&] { captionFont_.setFace(face); });
    }
    uint32_t getTextColor() override { return captionFont_.getColor(); }
    void setTextColor(int32_t r, int32_t g, int32_t b) override {
        fontChange([&] { captionFont_.setColor(r, g, b); });
    }
    int32_t getFontHeight() override { return captionFont_.getHeight(); }
    void setFontHeight(int32_t h) override {
        fontChange([&] { captionFont_.setHeight(h); });
    }
    int32_t getFontWidth() override { return captionFont_.getWidth(); }
    void setFontWidth(int32_t w) override {
        fontChange([&] { captionFont_.setWidth(w); });
    }
    bool isBold() override { return captionFont_.isBold(); }
    void setBold(bool on) override {
        fontChange([&] { captionFont_.setBold(on); });
    }
    bool isItalic() override { return captionFont_.isItalic(); }
    void setItalic(bool on) override {
        fontChange([&] { captionFont_.setItalic(on); });
    }
    bool isUnderline() override { return captionFont_.isUnderline(); }
    void setUnderline(bool on) override {
        fontChange([&] { captionFont_.setUnderline(on); });
    }
    bool isStrikeOut() override { return captionFont_.isStrikeOut(); }
    void setStrikeOut(bool on) override {
        fontChange([&] { captionFont_.setStrikeOut(on); });
    }
    int32_t getWeight() override { return captionFont_.getWeight(); }
    void setWeight(int32_t weight) override {
        fontChange([&] { captionFont_.setWeight(weight); });
    }
    void setPointSize(int32_t points) override {
        captionFont_.setPointSize(points);
        secondFont_.setPointSize(points);
        fontChanged();
    }

    // --- caption ---
    void setText(const wchar_t* text) override {
        text_ = text ? text : L"";
        if (this->m_hWnd) this->SetWindowText(checkcontrol::withLiteralAmpersands(text_).c_str());
        this->updateSize();
    }
    void setTextId(int32_t id) override {
        textId_ = id;
        if (lang::Localizer* l = control::localizerOf(this->window_)) setText(l->getText(id));
    }
    const wchar_t* getText() const { return text_.c_str(); }
    int32_t getTextId() const { return textId_; }

    // --- listeners and links ---
    void addCheckedListener(events::IEventListener* l) override { push(checkedListeners_, l); }
    void addUncheckedListener(events::IEventListener* l) override { push(uncheckedListeners_, l); }
    void enableWhenChecked(IComponent* c) override { switcher<events::Enabler>(kEnableOnCheck, true)->addComponent(c); }
    void disableWhenUnchecked(IComponent* c) override {
        switcher<events::Disabler>(kDisableOnUncheck, false)->addComponent(c);
    }
    void enableWhenUnchecked(IComponent* c) override {
        switcher<events::Enabler>(kEnableOnUncheck, false)->addComponent(c);
    }
    void disableWhenChecked(IComponent* c) override {
        switcher<events::Disabler>(kDisableOnCheck, true)->addComponent(c);
    }

    bool isChecked() override { return checked_; }

    // --- IComponent ---
    // A change tells the enable (on) or disable (off) listeners code 0.
    void setEnabled(bool enabled) override {
        if (enabled != this->enabled_) {
            this->enabled_ = enabled;
            control::tell(enabled ? enableListeners_ : disableListeners_, this, 0);
        }
        if (this->m_hWnd) this->EnableWindow(enabled);
        if (drawer_) this->repaint();
    }

    // --- drawer ---
    void setDrawer(Drawer* drawer, bool owned) override {
        if (drawer_ && drawerOwned_ && drawer_ != drawer) drawer::releaseDrawer(drawer_);
        drawer_ = drawer;
        drawerOwned_ = owned;
        if (drawer_) drawer_->applyToFonts(&captionFont_, &secondFont_);
        this->updateSize();
        this->repaint();
    }
    Drawer* getDrawer() const { return drawer_; }

    // From the owner window's language pack: the text of the id again. From its skinner:
    // the new skin's drawer.
    void onEvent(base::IObject* source, int32_t) override {
        lang::Localizer* l = control::localizerOf(this->window_);
        if (l && source == l) {
            if (textId_ != -1) setText(l->getText(textId_));
            return;
        }
        drawer::ISkinner* s = control::skinnerOf(this->window_);
        if (s && source == s->asObject()) {
            if (drawer::ISkin* skin = s->getCurrentSkin()) setDrawer(skinDrawer(skin), false);
        }
    }

    Font* getCaptionFont() { return &captionFont_; }
    Font* getSecondFont() { return &secondFont_; }

protected:
    // The switch listeners, by the list they hang on and what they do.
    enum SwitchSlot {
        kEnableOnCheck,
        kDisableOnUncheck,
        kEnableOnUncheck,
        kDisableOnCheck,
        kEditOnCheck,
        kLockOnUncheck,
        kSlotCount
    };

    // The drawer of this control's kind in a skin.
    virtual Drawer* skinDrawer(drawer::ISkin* skin) = 0;
    // A check message reached the window (checked: wParam == BST_CHECKED).
    virtual void onCheckMessage(bool checked) = 0;

    void fontChanged() {
        if (drawer_) drawer_->applyToFonts(&captionFont_, &secondFont_);
        this->updateSize();
        this->repaint();
    }
    template <class F>
    void fontChange(F change) {
        change();
        fontChanged();
    }

    void attachServices() override {
        if (lang::Localizer* l = control::localizerOf(this->window_)) l->addListener(this);
        if (drawer::ISkinner* s = control::skinnerOf(this->window_)) {
            if (drawer::ISkin* skin = s->getCurrentSkin()) setDrawer(skinDrawer(skin), false);
            s->addListener(this);
        }
    }
    void detachServices() override {
        if (lang::Localizer* l = control::localizerOf(this->window_)) l->removeListener(this);
        if (drawer::ISkinner* s = control::skinnerOf(this->window_)) s->removeListener(this);
    }

    // Makes the window with the style, then the caption (its id resolved first), the check
    // mark and the font.
    bool createButton(CWnd* parentWnd, DWORD style) {
        if (!parentWnd || !this->Create(L"", style, RECT{0, 0, 0, 0}, parentWnd, kControlId)) return false;
        if (textId_ != -1) {
            if (lang::Localizer* l = control::localizerOf(this->window_)) text_ = l->getText(textId_);
        }
        this->SetWindowText(checkcontrol::withLiteralAmpersands(text_).c_str());
        const bool keep = notify_;
        notify_ = false;  // the state was set before the window: nobody hears it again
        this->SendMessage(BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED);
        notify_ = keep;
        this->SetFont(captionFont_.getHandle(), TRUE);
        return true;
    }

    // BM_SETCHECK passes here before the platform sets its mark; the rest is shared.
    bool preHandleCheck(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case BM_SETCHECK: onCheckMessage(wParam == BST_CHECKED); return false;
            case WM_PAINT:
                if (!drawer_) return false;
                this->paintBuffered();
                *result = 0;
                return true;
            case WM_DESTROY: return false;
            default: return this->preHandleCommon(result, message, wParam, lParam);
        }
    }

    // The platform draws its own mark straight away on state, focus and text changes; a
    // skinned control paints itself over it at once.
    void postHandleCheck(UINT message) {
        if (!drawer_ || !this->m_hWnd) return;
        switch (message) {
            case BM_SETCHECK:
            case BM_SETSTATE:
            case WM_ENABLE:
            case WM_SETTEXT:
            case WM_SETFOCUS:
            case WM_KILLFOCUS:
            case WM_LBUTTONDOWN:
            case WM_LBUTTONUP: this->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); break;
            default: break;
        }
    }

    uint32_t textColor() override { return captionFont_.getColor(); }

    // Sends BM_SETCHECK with the notify flag as given for the call.
    void sendCheck(bool checked, bool notify) {
        const bool keep = notify_;
        notify_ = notify;
        this->SendMessage(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
        notify_ = keep;
    }

    template <class Switch>
    Switch* switcher(SwitchSlot slot, bool onCheckedList) {
        if (!switchers_[slot]) {
            Switch* s = Switch::create();
            s->setSource(this);
            push(onCheckedList ? checkedListeners_ : uncheckedListeners_, s);
            switchers_[slot] = s;
        }
        return static_cast<Switch*>(switchers_[slot]);
    }

    void releaseSwitchers() {
        for (auto*& s : switchers_) {
            if (s) s->release();
            s = nullptr;
        }
    }

    // Back to the defaults (the window is gone): the skeleton's state, caption, fonts,
    // flags, lists, links and drawer.
    void resetCheckControl() {
        this->resetControl(0xFFFFFF, true);
        textId_ = -1;
        text_.clear();
        captionFont_.reset();
        secondFont_.reset();
        checked_ = false;
        notify_ = true;
        checkedListeners_.clear();
        uncheckedListeners_.clear();
        enableListeners_.clear();
        disableListeners_.clear();
        releaseSwitchers();
        if (drawer_ && drawerOwned_) drawer::releaseDrawer(drawer_);
        drawer_ = nullptr;
        drawerOwned_ = false;
    }

    static void push(col::_array::ArrayP& list, events::IEventListener* l) {
        if (l) list.push(l);
    }

    int32_t textId_ = -1;
    std::wstring text_;
    Font captionFont_;
    Font secondFont_;
    bool checked_ = false;
    bool notify_ = true;
    col::_array::ArrayP checkedListeners_;
    col::_array::ArrayP uncheckedListeners_;
    col::_array::ArrayP enableListeners_;
    col::_array::ArrayP disableListeners_;
    events::Switcher* switchers_[kSlotCount] = {};
    Drawer* drawer_ = nullptr;
    bool drawerOwned_ = false;
};

}  // namespace s::gui::win
